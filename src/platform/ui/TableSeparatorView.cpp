#include "ui/TableSeparatorView.h"

#include <algorithm>

#include "gfx/SystemColor.h"
#include "ui/TableViewCell.h"

namespace ui {

std::shared_ptr<TableSeparatorView> TableSeparatorView::create() {
    return std::shared_ptr<TableSeparatorView>(new TableSeparatorView());
}

TableSeparatorView::TableSeparatorView() {
    setBackgroundColor(gfx::Color::system(gfx::SystemColor::Separator));
    setUserInteractionEnabled(false);
}

std::shared_ptr<TableSeparatorView> TableSeparatorView::of(const TableViewCell& cell) {
    for (const auto& subview : cell.subviews()) {
        if (auto separator = std::dynamic_pointer_cast<TableSeparatorView>(subview)) return separator;
    }
    return nullptr;
}

void TableSeparatorView::update(TableViewCell& cell, bool shown, const EdgeInsets& inset, double hairline) {
    auto separator = of(cell);
    if (!shown) {
        if (separator) separator->removeFromSuperview();
        return;
    }
    if (!separator) {
        separator = create();
        cell.addSubview(separator);
    } else if (cell.subviews().back() != separator) {
        cell.bringSubviewToFront(separator);  // above what the data source added since
    }
    gfx::Rect bounds = cell.bounds();
    bool rightToLeft = cell.effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    double leading = std::max(0.0, inset.left), trailing = std::max(0.0, inset.right);
    double width = std::max(0.0, bounds.width - leading - trailing);
    double x = bounds.x + (rightToLeft ? trailing : leading);
    separator->setFrame({x, bounds.maxY() - hairline, width, hairline});
}

}  // namespace ui
