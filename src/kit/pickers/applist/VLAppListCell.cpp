#include "pickers/applist/VLAppListCell.h"

#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLAppListCell> VLAppListCell::create(ui::TableViewCellStyle style,
                                                     std::string reuseIdentifier) {
    auto cell = adopt(new VLAppListCell(style, std::move(reuseIdentifier)));
    cell->layoutBaseView();
    cell->layoutIcon();
    cell->layoutCheckmark();
    cell->layoutLabels();
    return cell;
}

void VLAppListCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    icon_->setImage({});
    titleLabel_->setText("");
    subtitleLabel_->setText("");
}

void VLAppListCell::layoutBaseView() {
    baseView_ = ui::View::create();
    baseView_->setBackgroundColor(VLPrefsAppearance::secondaryColour());
    baseView_->setClipsToBounds(true);
    baseView_->layer().setCornerRadius(kCardCornerRadius);
    baseView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    contentView()->addSubview(baseView_);
    auto& content = *contentView();
    extension::top(*baseView_, content.topAnchor(), content.leadingAnchor(), content.bottomAnchor(),
                   content.trailingAnchor(),
                   {kCardVerticalInset, kCardHorizontalInset, -kCardVerticalInset, -kCardHorizontalInset});
}

void VLAppListCell::layoutIcon() {
    icon_ = ui::ImageView::create();
    icon_->setClipsToBounds(true);
    icon_->layer().setCornerRadius(kIconCornerRadius);
    icon_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    baseView_->addSubview(icon_);
    extension::size(*icon_, {kIconSide, kIconSide});
    extension::y(*icon_, baseView_->centerYAnchor());
    extension::leading(*icon_, baseView_->leadingAnchor(), kSpacing);
}

void VLAppListCell::layoutCheckmark() {
    checkmark_ = ui::ImageView::create(gfx::SymbolImage::named("checkmark"), "checkmark");
    checkmark_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    baseView_->addSubview(checkmark_);
    extension::size(*checkmark_, {kCheckmarkSide, kCheckmarkSide});
    extension::y(*checkmark_, baseView_->centerYAnchor());
    extension::trailing(*checkmark_, baseView_->trailingAnchor(), -kSpacing);
}

void VLAppListCell::layoutLabels() {
    titleLabel_ = ui::Label::create();
    titleLabel_->setTextAlignment(gfx::TextAlignment::Left);
    titleLabel_->setFont(gfx::Font::system(17, gfx::FontWeight::Semibold));
    titleLabel_->setTextColor(gfx::Color::label());
    subtitleLabel_ = ui::Label::create();
    subtitleLabel_->setTextAlignment(gfx::TextAlignment::Left);
    subtitleLabel_->setFont(gfx::Font::system(14));
    subtitleLabel_->setTextColor(gfx::Color::tertiaryLabel());
    for (const auto& label : {titleLabel_, subtitleLabel_}) {
        baseView_->addSubview(label);
        extension::leading(*label, icon_->trailingAnchor(), kSpacing);
        extension::trailing(*label, checkmark_->leadingAnchor(), -kSpacing);
    }
    extension::top(*titleLabel_, icon_->topAnchor(), kTextInset);
    extension::bottom(*subtitleLabel_, icon_->bottomAnchor(), -kTextInset);
}
