#include "ui/TableViewCell.h"

namespace ui {

std::shared_ptr<TableViewCell> TableViewCell::create(Style style, const std::string& reuseIdentifier) {
    std::shared_ptr<TableViewCell> cell(new TableViewCell(style, reuseIdentifier));
    cell->contentView();
    return cell;
}

TableViewCell::TableViewCell(Style style, std::string reuseIdentifier)
    : style_(style), reuseIdentifier_(std::move(reuseIdentifier)), contentView_(View::create()) {
    contentView_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    (void)style_;
}

// Attached on first use: a subclass's constructor cannot add subviews yet.
const std::shared_ptr<View>& TableViewCell::contentView() {
    if (contentView_->superview().get() != this) {
        contentView_->setFrame(bounds());
        insertSubview(contentView_, 0);
    }
    return contentView_;
}

void TableViewCell::setSelected(bool selected, bool) { selected_ = selected; }

void TableViewCell::setHighlighted(bool highlighted, bool) { highlighted_ = highlighted; }

}  // namespace ui
