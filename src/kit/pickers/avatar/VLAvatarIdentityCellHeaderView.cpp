#include "pickers/avatar/VLAvatarIdentityCellHeaderView.h"

#include <algorithm>

#include "gfx/Color.h"
#include "gfx/Font.h"

std::shared_ptr<VLAvatarIdentityCellHeaderView> VLAvatarIdentityCellHeaderView::create() {
    std::shared_ptr<VLAvatarIdentityCellHeaderView> view(new VLAvatarIdentityCellHeaderView());
    view->buildViews();
    return view;
}

void VLAvatarIdentityCellHeaderView::buildViews() {
    baseView_ = ui::View::create();
    baseView_->setClipsToBounds(true);
    addSubview(baseView_);
    headerLabel_ = ui::Label::create();
    headerLabel_->setTextColor(gfx::Color::tertiaryLabel());
    headerLabel_->setFont(gfx::Font::system(18, gfx::FontWeight::Bold));
    baseView_->addSubview(headerLabel_);
}

void VLAvatarIdentityCellHeaderView::layoutSubviews() {
    ui::CollectionReusableView::layoutSubviews();
    const gfx::Rect bounds = this->bounds();
    baseView_->setFrame(bounds);
    // A label centres its text vertically in its own bounds.
    headerLabel_->setFrame({kLeadingInset, 0, std::max(0.0, bounds.width - kLeadingInset), bounds.height});
}

void VLAvatarIdentityCellHeaderView::prepareForReuse() {
    ui::CollectionReusableView::prepareForReuse();
    headerLabel_->setText({});
}
