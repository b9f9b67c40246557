#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GalleryPages.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"

namespace ui {
class NavigationController;
}

// The gallery's first screen: a table of the pages, each row pushing its page.
class GalleryIndex : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    // A navigation controller whose root lists the pages.
    static std::shared_ptr<ui::NavigationController> makeGallery();
    // Pushes the page titled `title` (case-sensitive) without animation; false when none is.
    static bool openPage(ui::NavigationController& navigation, const std::string& title);

    int numberOfRowsInSection(ui::TableView&, int) override { return static_cast<int>(pages_.size()); }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

private:
    std::vector<GalleryPage> pages_ = galleryPages();
    std::weak_ptr<ui::NavigationController> navigation_;
};
