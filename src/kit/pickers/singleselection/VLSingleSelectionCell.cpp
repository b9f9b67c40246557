#include "pickers/singleselection/VLSingleSelectionCell.h"

#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLSingleSelectionCell> VLSingleSelectionCell::create(ui::TableViewCellStyle style,
                                                                     std::string reuseIdentifier) {
    auto cell = adopt(new VLSingleSelectionCell(style, std::move(reuseIdentifier)));
    cell->layoutBaseView();
    cell->layoutCheckmark();
    cell->layoutTitleLabel();
    return cell;
}

void VLSingleSelectionCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    titleLabel_->setText("");
}

void VLSingleSelectionCell::layoutBaseView() {
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

void VLSingleSelectionCell::layoutCheckmark() {
    checkmark_ = ui::ImageView::create(gfx::SymbolImage::named("checkmark"), "checkmark");
    checkmark_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    baseView_->addSubview(checkmark_);
    extension::size(*checkmark_, {kCheckmarkSide, kCheckmarkSide});
    extension::y(*checkmark_, baseView_->centerYAnchor());
    extension::trailing(*checkmark_, baseView_->trailingAnchor(), -kSpacing);
}

void VLSingleSelectionCell::layoutTitleLabel() {
    titleLabel_ = ui::Label::create();
    titleLabel_->setTextAlignment(gfx::TextAlignment::Left);
    titleLabel_->setFont(gfx::Font::system(kTitlePointSize, gfx::FontWeight::Semibold));
    titleLabel_->setTextColor(gfx::Color::label());
    baseView_->addSubview(titleLabel_);
    extension::leading(*titleLabel_, baseView_->leadingAnchor(), kSpacing);
    extension::y(*titleLabel_, baseView_->centerYAnchor());
    extension::trailing(*titleLabel_, checkmark_->leadingAnchor(), -kSpacing);
}
