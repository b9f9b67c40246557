#include "ui/CollectionViewCell.h"

namespace ui {

std::shared_ptr<CollectionViewCell> CollectionViewCell::create() {
    std::shared_ptr<CollectionViewCell> cell(new CollectionViewCell());
    cell->contentView();
    return cell;
}

CollectionViewCell::CollectionViewCell() : contentView_(View::create()) {
    // A cell's constraints stay in its own solver while the collection scrolls it, takes it out
    // for reuse and puts it back.
    setLayoutIsland(true);
    contentView_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
}

// Attached on first use: a subclass's constructor cannot add subviews yet.
const std::shared_ptr<View>& CollectionViewCell::contentView() {
    if (contentView_->superview().get() != this) {
        contentView_->setFrame({{0, 0}, bounds().size()});
        insertSubview(contentView_, 0);
    }
    return contentView_;
}

}  // namespace ui
