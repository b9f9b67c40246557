#include "home/VLChangelogDetailsCell.h"

#include "gfx/Font.h"
#include "home/VLSheetList.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

void roundContinuously(ui::View& view, double radius) {
    view.layer().setCornerRadius(radius);
    view.layer().setCornerCurve(gfx::CornerCurve::Continuous);
}

}  // namespace

std::shared_ptr<VLChangelogDetailsCell> VLChangelogDetailsCell::create(ui::TableViewCellStyle style,
                                                                       std::string reuseIdentifier) {
    auto cell = adopt(new VLChangelogDetailsCell(style, std::move(reuseIdentifier)));
    cell->layoutBaseView();
    cell->layoutIcon();
    cell->layoutChips();
    cell->layoutMessage();
    cell->messageLabel_->setDelegate(std::weak_ptr<ui::TextViewDelegate>(cell));
    return cell;
}

void VLChangelogDetailsCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    iconImage_->setImage({});
    versionLabel_->setText("");
    categoriesLabel_->setText("");
    messageLabel_->setText("");
}

void VLChangelogDetailsCell::layoutBaseView() {
    auto& content = *contentView();
    roundContinuously(content, 30);
    content.setClipsToBounds(true);
    baseView_ = ui::View::create();
    baseView_->setBackgroundColor(VLPrefsAppearance::secondaryColour());
    roundContinuously(*baseView_, 15);
    baseView_->setClipsToBounds(true);
    content.addSubview(baseView_);
    extension::top(*baseView_, content.topAnchor(), content.leadingAnchor(), content.bottomAnchor(),
                   content.trailingAnchor(), {5, 10, -5, -10});
}

void VLChangelogDetailsCell::layoutIcon() {
    auto& base = *baseView_;
    iconView_ = ui::View::create();
    roundContinuously(*iconView_, 15);
    iconView_->setClipsToBounds(true);
    base.addSubview(iconView_);
    extension::size(*iconView_, {55, 55});
    extension::top(*iconView_, base.topAnchor(), 15);
    extension::leading(*iconView_, base.leadingAnchor(), 15);

    iconImage_ = ui::ImageView::create();
    iconImage_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    iconView_->addSubview(iconImage_);
    extension::size(*iconImage_, {35, 55});
    extension::xy(*iconImage_, iconView_->centerXAnchor(), iconView_->centerYAnchor());
}

void VLChangelogDetailsCell::layoutChips() {
    auto& base = *baseView_;
    categoriesView_ = ui::View::create();
    roundContinuously(*categoriesView_, 5);
    base.addSubview(categoriesView_);
    extension::size(*categoriesView_, {100, 25});
    extension::top(*categoriesView_, iconView_->topAnchor(), 0);
    extension::leading(*categoriesView_, iconView_->trailingAnchor(), 10);
    categoriesLabel_ = ui::Label::create();
    categoriesLabel_->setFont(gfx::Font::system(14, gfx::FontWeight::Bold));
    categoriesView_->addSubview(categoriesLabel_);
    extension::xy(*categoriesLabel_, categoriesView_->centerXAnchor(), categoriesView_->centerYAnchor());

    versionView_ = ui::View::create();
    versionView_->setBackgroundColor(VLPrefsAppearance::tertiaryColour());
    roundContinuously(*versionView_, 5);
    base.addSubview(versionView_);
    extension::size(*versionView_, {70, 20});
    extension::bottom(*versionView_, iconView_->bottomAnchor(), 0);
    extension::leading(*versionView_, iconView_->trailingAnchor(), 10);
    versionLabel_ = ui::Label::create("v1.1");
    versionLabel_->setFont(gfx::Font::system(12));
    versionLabel_->setTextColor(gfx::Color::label());
    versionView_->addSubview(versionLabel_);
    extension::xy(*versionLabel_, versionView_->centerXAnchor(), versionView_->centerYAnchor());

    splitView_ = ui::View::create();
    splitView_->setBackgroundColor(VLPrefsAppearance::lineColour());
    splitView_->layer().setCornerRadius(0.5);
    base.addSubview(splitView_);
    extension::height(*splitView_, 1);
    extension::x(*splitView_, base.centerXAnchor());
    extension::top(*splitView_, iconImage_->bottomAnchor(), 15);
    extension::leading(*splitView_, base.leadingAnchor(), 20);
    extension::trailing(*splitView_, base.trailingAnchor(), -20);
}

void VLChangelogDetailsCell::layoutMessage() {
    auto& base = *baseView_;
    messageLabel_ = VLSheetList::makeMessageView();
    base.addSubview(messageLabel_);
    extension::top(*messageLabel_, splitView_->bottomAnchor(), 5);
    extension::leading(*messageLabel_, base.leadingAnchor(), 15);
    extension::trailing(*messageLabel_, base.trailingAnchor(), -15);
    extension::bottom(*messageLabel_, base.bottomAnchor(), -10);
}
