#include "pickers/emoji/VLEmojiPickerCell.h"

#include "gfx/Font.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLEmojiPickerCell> VLEmojiPickerCell::create() {
    std::shared_ptr<VLEmojiPickerCell> cell(new VLEmojiPickerCell());
    cell->layoutBaseView();
    cell->layoutEmojiLabel();
    return cell;
}

void VLEmojiPickerCell::prepareForReuse() {
    ui::CollectionViewCell::prepareForReuse();
    emojiLabel_->setText("");
}

void VLEmojiPickerCell::layoutBaseView() {
    baseView_ = ui::View::create();
    contentView()->addSubview(baseView_);
    extension::fill(*baseView_);
}

void VLEmojiPickerCell::layoutEmojiLabel() {
    emojiLabel_ = ui::Label::create();
    emojiLabel_->setTextAlignment(gfx::TextAlignment::Center);
    emojiLabel_->setFont(gfx::Font::system(kEmojiPointSize));
    baseView_->addSubview(emojiLabel_);
    extension::xy(*emojiLabel_, baseView_->centerXAnchor(), baseView_->centerYAnchor());
}
