#pragma once

#include <string>
#include <vector>

#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"

// Names grouped under their first letter, with an index strip of the letters: the gallery's
// plain table with sticky headers and separators.
class GalleryIndexedListSource : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    GalleryIndexedListSource();

    int numberOfSections(ui::TableView&) override { return static_cast<int>(sections_.size()); }
    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    std::optional<std::string> titleForHeaderInSection(ui::TableView&, int section) override;
    std::vector<std::string> sectionIndexTitles(ui::TableView&) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

private:
    struct Section {
        std::string letter;
        std::vector<std::string> names;
    };
    std::vector<Section> sections_;
};
