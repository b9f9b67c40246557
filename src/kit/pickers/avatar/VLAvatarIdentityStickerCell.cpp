#include "pickers/avatar/VLAvatarIdentityStickerCell.h"

std::shared_ptr<VLAvatarIdentityStickerCell> VLAvatarIdentityStickerCell::create() {
    std::shared_ptr<VLAvatarIdentityStickerCell> view(new VLAvatarIdentityStickerCell());
    view->buildViews();
    return view;
}

void VLAvatarIdentityStickerCell::buildViews() {
    baseView_ = ui::View::create();
    contentView()->addSubview(baseView_);
    iconImage_ = ui::ImageView::create();
    baseView_->addSubview(iconImage_);
}

void VLAvatarIdentityStickerCell::layoutSubviews() {
    ui::CollectionViewCell::layoutSubviews();
    const gfx::Rect bounds = this->bounds();
    baseView_->setFrame(contentView()->bounds());
    iconImage_->setFrame({0, (bounds.height - bounds.width) / 2, bounds.width, bounds.width});
}

void VLAvatarIdentityStickerCell::prepareForReuse() {
    ui::CollectionViewCell::prepareForReuse();
    iconImage_->setImage({});
}
