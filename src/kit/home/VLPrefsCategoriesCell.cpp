#include "home/VLPrefsCategoriesCell.h"

#include "gfx/Font.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

gfx::Font titleFont() {
    return gfx::Font::system(VLPrefsCategoriesCell::kTitlePointSize, gfx::FontWeight::Semibold);
}

}  // namespace

std::shared_ptr<VLPrefsCategoriesCell> VLPrefsCategoriesCell::create(const gfx::Rect& frame) {
    std::shared_ptr<VLPrefsCategoriesCell> cell(new VLPrefsCategoriesCell());
    cell->setFrame(frame);
    cell->build();
    return cell;
}

void VLPrefsCategoriesCell::build() {
    // 1. The card takes the cell's bounds by frame; it follows a reused cell's new width.
    baseView_ = ui::View::create();
    baseView_->setFrame(bounds());
    baseView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    baseView_->setBackgroundColor(VLPrefsAppearance::secondaryColour());
    baseView_->setClipsToBounds(true);
    baseView_->layer().setCornerRadius(kCornerRadius);
    baseView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    contentView()->addSubview(baseView_);
    auto& base = *baseView_;

    // 2. The icon's tile.
    iconView_ = ui::View::create();
    iconView_->layer().setCornerRadius(kCornerRadius);
    iconView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    iconView_->setClipsToBounds(true);
    base.addSubview(iconView_);
    extension::size(*iconView_, {40, 40});
    extension::top(*iconView_, base.topAnchor(), 10);
    extension::leading(*iconView_, base.leadingAnchor(), 10);

    // 3. The icon.
    iconImage_ = ui::ImageView::create();
    iconImage_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    iconView_->addSubview(iconImage_);
    extension::size(*iconImage_, {25, 25});
    extension::xy(*iconImage_, iconView_->centerXAnchor(), iconView_->centerYAnchor());

    // 4. The title.
    titleLabel_ = ui::Label::create();
    titleLabel_->setTextAlignment(gfx::TextAlignment::Natural);
    titleLabel_->setTextColor(gfx::Color::secondaryLabel());
    titleLabel_->setFont(titleFont());
    base.addSubview(titleLabel_);
    extension::leading(*titleLabel_, base.leadingAnchor(), 10);
    extension::trailing(*titleLabel_, base.trailingAnchor(), -10);
    extension::bottom(*titleLabel_, base.bottomAnchor(), -10);
}

void VLPrefsCategoriesCell::prepareForReuse() {
    ui::CollectionViewCell::prepareForReuse();
    iconImage_->setImage({});
    titleLabel_->setText("");
}

double VLPrefsCategoriesCell::widthForTitle(const std::string& title) {
    auto label = ui::Label::create(title);
    label->setFont(titleFont());
    label->sizeToFit();
    return label->bounds().width + kExtraWidth;
}
