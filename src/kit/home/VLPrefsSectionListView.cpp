#include "home/VLPrefsSectionListView.h"

#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

std::shared_ptr<ui::Label> makeLabel(const std::string& text, double pointSize, gfx::FontWeight weight,
                                     const gfx::Color& colour) {
    auto label = ui::Label::create(text);
    label->setTextAlignment(gfx::TextAlignment::Natural);
    label->setTextColor(colour);
    label->setFont(gfx::Font::system(pointSize, weight));
    return label;
}

}  // namespace

std::shared_ptr<VLPrefsSectionListView> VLPrefsSectionListView::create(const std::string& title,
                                                                       const std::string& subtitle,
                                                                       const std::string& icon,
                                                                       const gfx::Color& accent) {
    std::shared_ptr<VLPrefsSectionListView> view(new VLPrefsSectionListView());
    view->build(title, subtitle, icon, accent);
    return view;
}

void VLPrefsSectionListView::build(const std::string& title, const std::string& subtitle,
                                   const std::string& icon, const gfx::Color& accent) {
    // 1. The card itself.
    setBackgroundColor(VLPrefsAppearance::secondaryColour());
    layer().setCornerRadius(kCornerRadius);
    layer().setCornerCurve(gfx::CornerCurve::Continuous);

    // 2. The tinted tile.
    iconView_ = ui::View::create();
    iconView_->layer().setCornerRadius(kCornerRadius);
    iconView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    iconView_->setClipsToBounds(true);
    iconView_->setBackgroundColor(accent.withAlphaComponent(0.4));
    addSubview(iconView_);
    extension::size(*iconView_, {50, 50});
    extension::y(*iconView_, centerYAnchor());
    extension::leading(*iconView_, leadingAnchor(), 10);

    // 3. The symbol, a sibling of the tile centred on it.
    iconImage_ = ui::ImageView::create(gfx::SymbolImage::named(icon), icon);
    iconImage_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    iconImage_->setTintColor(accent);
    addSubview(iconImage_);
    extension::size(*iconImage_, {35, 35});
    extension::xy(*iconImage_, iconView_->centerXAnchor(), iconView_->centerYAnchor());

    // 4. Title and 5. subtitle beside the tile, against its top and bottom.
    titleLabel_ = makeLabel(title, 16, gfx::FontWeight::Semibold, gfx::Color::label());
    addSubview(titleLabel_);
    extension::top(*titleLabel_, iconView_->topAnchor(), 5);
    extension::leading(*titleLabel_, iconView_->trailingAnchor(), 10);
    extension::trailing(*titleLabel_, trailingAnchor(), -10);
    subtitleLabel_ = makeLabel(subtitle, 13, gfx::FontWeight::Regular, gfx::Color::secondaryLabel());
    addSubview(subtitleLabel_);
    extension::bottom(*subtitleLabel_, iconView_->bottomAnchor(), -5);
    extension::leading(*subtitleLabel_, iconView_->trailingAnchor(), 10);
    extension::trailing(*subtitleLabel_, trailingAnchor(), -10);

    // 6. The tap the owner wires.
    tap_ = ui::TapGestureRecognizer::create();
    tap_->setNumberOfTapsRequired(1);
    addGestureRecognizer(tap_);
}

void VLPrefsSectionListView::touchAnimateWithHighlighted(bool highlighted) {
    ui::View::animate(kPressSeconds, [this, highlighted] {
        setAlpha(highlighted ? kPressedAlpha : 1.0);
        setTransform(
            highlighted ? transform().concatenating(gfx::AffineTransform::scale(kPressedScale, kPressedScale))
                        : gfx::AffineTransform());
    });
}

void VLPrefsSectionListView::touchesBegan(const Touches& touches) {
    ui::View::touchesBegan(touches);
    touchAnimateWithHighlighted(true);
}

void VLPrefsSectionListView::touchesEnded(const Touches& touches) {
    ui::View::touchesEnded(touches);
    touchAnimateWithHighlighted(false);
}

void VLPrefsSectionListView::touchesCancelled(const Touches& touches) {
    ui::View::touchesCancelled(touches);
    touchAnimateWithHighlighted(false);
}
