#include "home/VLChangelogDateCell.h"

#include "gfx/Font.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLChangelogDateCell> VLChangelogDateCell::create(const gfx::Rect& frame) {
    std::shared_ptr<VLChangelogDateCell> cell(new VLChangelogDateCell());
    cell->setFrame(frame);
    cell->layoutBaseView();
    auto& base = *cell->baseView_;
    cell->dateLabel_ = cell->makeLabel(30, gfx::FontWeight::Heavy, gfx::Color::label());
    extension::x(*cell->dateLabel_, base.centerXAnchor());
    extension::top(*cell->dateLabel_, base.topAnchor(), 10);
    cell->monthLabel_ = cell->makeLabel(22, gfx::FontWeight::Semibold, gfx::Color::label());
    extension::x(*cell->monthLabel_, base.centerXAnchor());
    extension::y(*cell->monthLabel_, base.centerYAnchor(), 7);
    cell->yearLabel_ = cell->makeLabel(14, gfx::FontWeight::Semibold, gfx::Color::tertiaryLabel());
    extension::x(*cell->yearLabel_, base.centerXAnchor());
    extension::bottom(*cell->yearLabel_, base.bottomAnchor(), -10);
    return cell;
}

void VLChangelogDateCell::prepareForReuse() {
    ui::CollectionViewCell::prepareForReuse();
    dateLabel_->setText("");
    monthLabel_->setText("");
    yearLabel_->setText("");
}

// The card takes the cell's bounds by frame, and follows them when a reused cell is resized.
void VLChangelogDateCell::layoutBaseView() {
    baseView_ = ui::View::create();
    baseView_->setFrame(bounds());
    baseView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    baseView_->setBackgroundColor(VLPrefsAppearance::secondaryColour());
    baseView_->setClipsToBounds(true);
    baseView_->layer().setCornerRadius(kCornerRadius);
    baseView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    contentView()->addSubview(baseView_);
}

std::shared_ptr<ui::Label> VLChangelogDateCell::makeLabel(double pointSize, gfx::FontWeight weight,
                                                          const gfx::Color& colour) {
    auto label = ui::Label::create();
    label->setTextAlignment(gfx::TextAlignment::Center);
    label->setTextColor(colour);
    label->setFont(gfx::Font::system(pointSize, weight));
    baseView_->addSubview(label);
    return label;
}
