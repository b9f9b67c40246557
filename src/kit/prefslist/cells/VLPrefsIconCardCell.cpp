#include "prefslist/cells/VLPrefsIconCardCell.h"

#include "ui/LayoutConstraint.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kTitlePointSize = 17;
constexpr double kSecondLinePointSize = 14;
constexpr double kTextInsetFromTile = 2;
constexpr double kSeparatorAlpha = 0.3;
constexpr double kSeparatorSideInset = 15;
constexpr double kValueLabelMaximumWidth = 50;

}  // namespace

void VLPrefsIconCardCell::prepareForReuse() {
    VLPrefsCardCell::prepareForReuse();
    clearImage(icon_);
}

void VLPrefsIconCardCell::buildIconCard(TilePlacement placement) {
    buildCard();
    auto& card = *baseView();

    iconView_ = ui::View::create();
    iconView_->layer().setCornerRadius(kTileCornerRadius);
    iconView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    card.addSubview(iconView_);
    extension::size(*iconView_, {kTileSize, kTileSize});
    extension::leading(*iconView_, card.leadingAnchor(), kSpacing);
    if (placement == TilePlacement::CentredOnCard) {
        extension::y(*iconView_, card.centerYAnchor());
    } else {
        extension::top(*iconView_, card.topAnchor(), kSpacing);
    }

    icon_ = ui::ImageView::create();
    icon_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    iconView_->addSubview(icon_);
    extension::size(*icon_, {kIconSize, kIconSize});
    extension::xy(*icon_, iconView_->centerXAnchor(), iconView_->centerYAnchor());
}

void VLPrefsIconCardCell::buildTitle(const ui::LayoutAnchor& trailingReference) {
    auto title =
        makeLabel(gfx::TextAlignment::Left, gfx::Font::system(kTitlePointSize, gfx::FontWeight::Semibold),
                  gfx::Color::label());
    baseView()->addSubview(title);
    extension::leading(*title, iconView_->trailingAnchor(), kSpacing);
    extension::top(*title, iconView_->topAnchor(), kTextInsetFromTile);
    extension::trailing(*title, trailingReference, -kSpacing);
    setTitleLabel(std::move(title));
}

std::shared_ptr<ui::Label> VLPrefsIconCardCell::buildSecondLine(const ui::LayoutAnchor& trailingReference) {
    auto label = makeLabel(gfx::TextAlignment::Left, gfx::Font::system(kSecondLinePointSize),
                           gfx::Color::tertiaryLabel());
    baseView()->addSubview(label);
    extension::leading(*label, iconView_->trailingAnchor(), kSpacing);
    extension::bottom(*label, iconView_->bottomAnchor(), -kTextInsetFromTile);
    extension::trailing(*label, trailingReference, -kSpacing);
    return label;
}

std::shared_ptr<ui::View> VLPrefsIconCardCell::buildSeparator() {
    auto& card = *baseView();
    auto line = ui::View::create();
    line->setBackgroundColor(VLPrefsAppearance::lineColour());
    line->setAlpha(kSeparatorAlpha);
    line->layer().setCornerRadius(0.5);
    card.addSubview(line);
    extension::height(*line, 1);
    extension::x(*line, card.centerXAnchor());
    extension::top(*line, iconView_->bottomAnchor(), kSpacing);
    extension::leading(*line, card.leadingAnchor(), kSeparatorSideInset);
    extension::trailing(*line, card.trailingAnchor(), -kSeparatorSideInset);
    return line;
}

std::shared_ptr<ui::Label> VLPrefsIconCardCell::buildValueLabel(gfx::TextAlignment alignment) {
    auto label = makeLabel(alignment, gfx::Font::system(kSecondLinePointSize, gfx::FontWeight::Semibold),
                           gfx::Color::tertiaryLabel());
    baseView()->addSubview(label);
    return label;
}

void VLPrefsIconCardCell::limitValueLabelWidth(ui::Label& label) {
    label.widthAnchor().lessThanOrEqualToConstant(kValueLabelMaximumWidth)->setActive(true);
}

std::shared_ptr<ui::ImageView> VLPrefsIconCardCell::makePreview(double cornerRadius, gfx::CornerCurve curve) {
    auto preview = ui::ImageView::create();
    preview->layer().setCornerRadius(cornerRadius);
    preview->layer().setCornerCurve(curve);
    preview->setClipsToBounds(true);
    preview->setContentMode(gfx::ContentMode::ScaleAspectFill);
    return preview;
}

void VLPrefsIconCardCell::clearImage(const std::shared_ptr<ui::ImageView>& imageView) {
    if (imageView) imageView->setImage({});
}
