#include "VisibleText.h"

#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Window.h"

namespace {

constexpr double kInvisibleAlpha = 0.01;

bool shows(const ui::View& view, const std::string& text) {
    if (auto* label = dynamic_cast<const ui::Label*>(&view)) return label->text() == text;
    if (auto* button = dynamic_cast<const ui::Button*>(&view)) return button->currentTitle() == text;
    return false;
}

void search(const std::shared_ptr<ui::View>& view, const ui::Window& window, const std::string& text,
            std::shared_ptr<ui::View>& found) {
    if (view->isHidden() || view->alpha() < kInvisibleAlpha) return;
    if (shows(*view, text)) {
        gfx::Point centre = VisibleText::centre(*view);
        gfx::Rect bounds = window.bounds();
        if (centre.x >= 0 && centre.y >= 0 && centre.x < bounds.width && centre.y < bounds.height)
            found = view;
    }
    for (const auto& subview : view->subviews()) search(subview, window, text, found);
}

}  // namespace

std::shared_ptr<ui::View> VisibleText::find(ui::Window& window, const std::string& text) {
    std::shared_ptr<ui::View> found;
    for (const auto& subview : window.subviews()) search(subview, window, text, found);
    return found;
}

gfx::Point VisibleText::centre(const ui::View& view) {
    gfx::Rect bounds = view.bounds();
    return view.convertPoint({bounds.x + bounds.width / 2, bounds.y + bounds.height / 2}, nullptr);
}
