#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ViewController.h"

class GalleryStackView;
namespace ui {
class Button;
class Label;
}  // namespace ui

// One page of the gallery: its own header (a back button when it was pushed, and the title
// in large type, since the navigation bar is hidden) over a scrolling column of rows that
// `build` fills once the view is loaded.
class GalleryScreen : public ui::ViewController {
public:
    static constexpr double kHeaderHeight = 100;  // status area plus the large title

    using Builder = std::function<void(GalleryScreen&, GalleryStackView&)>;
    static std::shared_ptr<GalleryScreen> create(std::string title, Builder build);

    GalleryStackView& stack() { return *stack_; }
    // Keeps an object the page's views only reference weakly (a data source) as long as it.
    void retain(std::shared_ptr<void> object) { retained_.push_back(std::move(object)); }

protected:
    GalleryScreen(std::string title, Builder build);
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    Builder build_;
    std::shared_ptr<GalleryStackView> stack_;
    std::shared_ptr<ui::Label> titleLabel_;
    std::shared_ptr<ui::Button> backButton_;
    std::vector<std::shared_ptr<void>> retained_;
};
