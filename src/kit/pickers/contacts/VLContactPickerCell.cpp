#include "pickers/contacts/VLContactPickerCell.h"

#include "gfx/Font.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLContactPickerCell> VLContactPickerCell::create(ui::TableViewCellStyle style,
                                                                 std::string reuseIdentifier) {
    auto cell = adopt(new VLContactPickerCell(style, std::move(reuseIdentifier)));
    cell->layoutBaseView();
    cell->layoutAvatar();
    cell->layoutLabels();
    return cell;
}

void VLContactPickerCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    avatar_->setImage({});
    nameLabel_->setText("");
    numberLabel_->setText("");
    emailLabel_->setText("");
}

void VLContactPickerCell::layoutBaseView() {
    baseView_ = ui::View::create();
    baseView_->setBackgroundColor(gfx::Color::secondarySystemBackground());
    baseView_->setClipsToBounds(true);
    baseView_->layer().setCornerRadius(kCardCornerRadius);
    baseView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    contentView()->addSubview(baseView_);
    auto& content = *contentView();
    extension::top(*baseView_, content.topAnchor(), content.leadingAnchor(), content.bottomAnchor(),
                   content.trailingAnchor(),
                   {kCardVerticalInset, kCardHorizontalInset, -kCardVerticalInset, -kCardHorizontalInset});
}

void VLContactPickerCell::layoutAvatar() {
    avatar_ = ui::ImageView::create();
    avatar_->setContentMode(gfx::ContentMode::ScaleAspectFill);
    avatar_->layer().setCornerRadius(kAvatarSide / 2);
    avatar_->setClipsToBounds(true);
    baseView_->addSubview(avatar_);
    extension::size(*avatar_, {kAvatarSide, kAvatarSide});
    extension::leading(*avatar_, baseView_->leadingAnchor(), kSpacing);
    extension::y(*avatar_, baseView_->centerYAnchor());
}

std::shared_ptr<ui::Label> VLContactPickerCell::makeLabel(const gfx::Font& font, const gfx::Color& color) {
    auto label = ui::Label::create();
    label->setTextAlignment(gfx::TextAlignment::Left);
    label->setFont(font);
    label->setTextColor(color);
    baseView_->addSubview(label);
    extension::leading(*label, avatar_->trailingAnchor(), kSpacing);
    extension::trailing(*label, baseView_->trailingAnchor(), -kSpacing);
    return label;
}

void VLContactPickerCell::layoutLabels() {
    nameLabel_ = makeLabel(gfx::Font::system(16, gfx::FontWeight::Bold), gfx::Color::label());
    extension::top(*nameLabel_, avatar_->topAnchor(), -5);
    numberLabel_ = makeLabel(gfx::Font::system(14), gfx::Color::tertiaryLabel());
    extension::y(*numberLabel_, baseView_->centerYAnchor());
    emailLabel_ = makeLabel(gfx::Font::system(14), gfx::Color::tertiaryLabel());
    extension::bottom(*emailLabel_, avatar_->bottomAnchor(), 2);
}
