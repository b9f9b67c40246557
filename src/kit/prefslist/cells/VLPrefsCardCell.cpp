#include "prefslist/cells/VLPrefsCardCell.h"

#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

void VLPrefsCardCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    clearText(titleLabel_);
}

void VLPrefsCardCell::buildCard(CardFill fill) {
    layer().setCornerRadius(kCellCornerRadius);
    layer().setCornerCurve(gfx::CornerCurve::Continuous);
    setClipsToBounds(true);

    baseView_ = ui::View::create();
    if (fill == CardFill::Secondary) baseView_->setBackgroundColor(VLPrefsAppearance::secondaryColour());
    baseView_->setClipsToBounds(true);
    baseView_->layer().setCornerRadius(kCardCornerRadius);
    baseView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    addSubview(baseView_);
    extension::top(*baseView_, topAnchor(), leadingAnchor(), bottomAnchor(), trailingAnchor(),
                   {kCardVerticalInset, kCardHorizontalInset, -kCardVerticalInset, -kCardHorizontalInset});
}

void VLPrefsCardCell::addControl(const std::shared_ptr<ui::View>& control) {
    contentView()->addSubview(control);
}

void VLPrefsCardCell::finishBuilding() { bringSubviewToFront(contentView()); }

std::shared_ptr<ui::Label> VLPrefsCardCell::makeLabel(gfx::TextAlignment alignment, const gfx::Font& font) {
    auto label = ui::Label::create();
    label->setTextAlignment(alignment);
    label->setFont(font);
    return label;
}

std::shared_ptr<ui::Label> VLPrefsCardCell::makeLabel(gfx::TextAlignment alignment, const gfx::Font& font,
                                                      const gfx::Color& color) {
    auto label = makeLabel(alignment, font);
    label->setTextColor(color);
    return label;
}

void VLPrefsCardCell::clearText(const std::shared_ptr<ui::Label>& label) {
    if (label) label->setText({});
}
