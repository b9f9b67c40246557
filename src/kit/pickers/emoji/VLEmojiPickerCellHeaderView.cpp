#include "pickers/emoji/VLEmojiPickerCellHeaderView.h"

#include "gfx/Font.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLEmojiPickerCellHeaderView> VLEmojiPickerCellHeaderView::create() {
    std::shared_ptr<VLEmojiPickerCellHeaderView> header(new VLEmojiPickerCellHeaderView());
    header->layoutBaseView();
    header->layoutHeaderLabel();
    return header;
}

void VLEmojiPickerCellHeaderView::prepareForReuse() { headerLabel_->setText(""); }

void VLEmojiPickerCellHeaderView::layoutBaseView() {
    baseView_ = ui::View::create();
    baseView_->setClipsToBounds(true);
    addSubview(baseView_);
    extension::fill(*baseView_);
}

void VLEmojiPickerCellHeaderView::layoutHeaderLabel() {
    headerLabel_ = ui::Label::create();
    headerLabel_->setTextColor(gfx::Color::tertiaryLabel());
    headerLabel_->setFont(gfx::Font::system(kTitlePointSize, gfx::FontWeight::Bold));
    baseView_->addSubview(headerLabel_);
    extension::y(*headerLabel_, baseView_->centerYAnchor());
    extension::leading(*headerLabel_, baseView_->leadingAnchor(), kLeadingInset);
}
