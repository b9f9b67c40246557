#include "ui/TableViewCellAppearance.h"

#include "ui/View.h"

namespace ui {

void TableViewCellAppearance::setSelectedBackgroundView(ViewFactory factory) {
    factory_ = std::move(factory);
}

void TableViewCellAppearance::setSelectedBackgroundColor(std::optional<gfx::Color> color) {
    if (!color) {
        factory_ = nullptr;
        return;
    }
    factory_ = [color = *color] {
        auto view = View::create();
        view->setBackgroundColor(color);
        return view;
    };
}

std::shared_ptr<View> TableViewCellAppearance::makeSelectedBackgroundView() const {
    return factory_ ? factory_() : nullptr;
}

}  // namespace ui
