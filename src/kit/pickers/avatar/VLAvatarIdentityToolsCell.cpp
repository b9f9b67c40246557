#include "pickers/avatar/VLAvatarIdentityToolsCell.h"

#include "gfx/Color.h"

std::shared_ptr<VLAvatarIdentityToolsCell> VLAvatarIdentityToolsCell::create() {
    std::shared_ptr<VLAvatarIdentityToolsCell> view(new VLAvatarIdentityToolsCell());
    view->buildViews();
    return view;
}

void VLAvatarIdentityToolsCell::buildViews() {
    setClipsToBounds(true);
    baseView_ = ui::View::create();
    baseView_->setBackgroundColor(gfx::Color::secondarySystemBackground());
    baseView_->setClipsToBounds(true);
    contentView()->addSubview(baseView_);
    iconImage_ = ui::ImageView::create();
    iconImage_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    baseView_->addSubview(iconImage_);
}

// Cells get their size from the grid after they are made, so the circle and the symbol
// follow the bounds.
void VLAvatarIdentityToolsCell::layoutSubviews() {
    ui::CollectionViewCell::layoutSubviews();
    const gfx::Rect bounds = this->bounds();
    const double radius = bounds.width / 2;
    layer().setCornerRadius(radius);
    baseView_->setFrame(contentView()->bounds());
    baseView_->layer().setCornerRadius(radius);
    const double side = bounds.width / 2;
    iconImage_->setFrame({(bounds.width - side) / 2, (bounds.height - side) / 2, side, side});
}

void VLAvatarIdentityToolsCell::prepareForReuse() {
    ui::CollectionViewCell::prepareForReuse();
    iconImage_->setImage({});
}
