#include "pickers/avatar/VLAvatarIdentityEmojiCell.h"

#include "gfx/Color.h"
#include "gfx/Font.h"

std::shared_ptr<VLAvatarIdentityEmojiCell> VLAvatarIdentityEmojiCell::create() {
    std::shared_ptr<VLAvatarIdentityEmojiCell> view(new VLAvatarIdentityEmojiCell());
    view->buildViews();
    return view;
}

void VLAvatarIdentityEmojiCell::buildViews() {
    setClipsToBounds(true);
    baseView_ = ui::View::create();
    baseView_->setBackgroundColor(gfx::Color::secondarySystemBackground());
    baseView_->setClipsToBounds(true);
    contentView()->addSubview(baseView_);
    emojiLabel_ = ui::Label::create();
    emojiLabel_->setTextAlignment(gfx::TextAlignment::Center);
    emojiLabel_->setFont(gfx::Font::system(kEmojiPointSize));
    baseView_->addSubview(emojiLabel_);
}

void VLAvatarIdentityEmojiCell::layoutSubviews() {
    ui::CollectionViewCell::layoutSubviews();
    const double radius = bounds().width / 2;
    layer().setCornerRadius(radius);
    baseView_->setFrame(contentView()->bounds());
    baseView_->layer().setCornerRadius(radius);
    emojiLabel_->setFrame(baseView_->bounds());
}

void VLAvatarIdentityEmojiCell::prepareForReuse() {
    ui::CollectionViewCell::prepareForReuse();
    emojiLabel_->setText({});
}
