#include "home/VLChangelogViewController.h"

#include <algorithm>
#include <limits>

#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "home/VLCellPressAnimation.h"
#include "home/VLChangelogCategory.h"
#include "home/VLChangelogDateCell.h"
#include "home/VLChangelogDetailsCell.h"
#include "home/VLSheetList.h"
#include "home/VLTweakIcon.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/LayoutConstraint.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/VLSheetGrabber.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kCategoryTintAlpha = 0.4;

std::shared_ptr<ui::View> makeClearBackground() {
    auto view = ui::View::create();
    view->setBackgroundColor(gfx::Color::clear());
    return view;
}

int clampedCount(std::size_t count) {
    return static_cast<int>(std::min<std::size_t>(count, std::numeric_limits<int>::max()));
}

std::shared_ptr<ui::Label> makeLabel(const std::string& text, double pointSize, gfx::FontWeight weight,
                                     const gfx::Color& colour) {
    auto label = ui::Label::create(text);
    label->setTextAlignment(gfx::TextAlignment::Natural);
    label->setTextColor(colour);
    label->setFont(gfx::Font::system(pointSize, weight));
    return label;
}

}  // namespace

std::shared_ptr<VLChangelogViewController> VLChangelogViewController::create(
    std::string tweakName, std::vector<VLChangelogRelease> changelogArray) {
    return std::shared_ptr<VLChangelogViewController>(
        new VLChangelogViewController(std::move(tweakName), std::move(changelogArray)));
}

VLChangelogViewController::VLChangelogViewController(std::string tweakName,
                                                     std::vector<VLChangelogRelease> changelogArray)
    : tweakName_(std::move(tweakName)), changelogArray_(std::move(changelogArray)) {}

void VLChangelogViewController::viewDidLoad() {
    accentColour_ = VLPrefsAppearance::velliumAccentColour();
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    layoutHeaderView();
    layoutCollectionView();
    layoutTableView();
}

void VLChangelogViewController::layoutHeaderView() {
    auto& root = *view();
    headerView_ = ui::View::create();
    headerView_->setBackgroundColor(gfx::Color::clear());
    headerView_->setClipsToBounds(true);
    root.addSubview(headerView_);
    extension::top(*headerView_, root.topAnchor(), root.leadingAnchor(), std::nullopt, root.trailingAnchor(),
                   {});
    extension::height(*headerView_, kHeaderHeight);
    auto& header = *headerView_;

    auto grabber = VLSheetGrabber::addTo(header);

    iconImage_ = ui::ImageView::create(VLTweakIcon::load(tweakName_));
    iconImage_->setContentMode(gfx::ContentMode::ScaleAspectFill);
    iconImage_->layer().setCornerRadius(13);
    iconImage_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    iconImage_->setClipsToBounds(true);
    header.addSubview(iconImage_);
    extension::size(*iconImage_, {50, 50});
    extension::leading(*iconImage_, header.leadingAnchor(), 10);
    extension::top(*iconImage_, grabber->bottomAnchor(), 10);

    tweakLabel_ = makeLabel(tweakName_, 18, gfx::FontWeight::Bold, gfx::Color::label());
    header.addSubview(tweakLabel_);
    extension::leading(*tweakLabel_, iconImage_->trailingAnchor(), 10);
    extension::top(*tweakLabel_, iconImage_->topAnchor(), 3);

    changelogLabel_ = makeLabel("Changelog", 16, gfx::FontWeight::Semibold, gfx::Color::secondaryLabel());
    header.addSubview(changelogLabel_);
    extension::leading(*changelogLabel_, iconImage_->trailingAnchor(), 10);
    extension::bottom(*changelogLabel_, iconImage_->bottomAnchor(), -3);
}

double VLChangelogViewController::stripWidth(std::size_t releases, double fullWidth) {
    if (releases < 1 || releases > 4) return fullWidth;
    // Chips of 70 points, 10 apart.
    return 80.0 * static_cast<double>(releases) - 10;
}

void VLChangelogViewController::layoutCollectionView() {
    auto layout = ui::CollectionViewFlowLayout::create();
    layout->setScrollDirection(ui::CollectionViewFlowLayout::ScrollDirection::Horizontal);
    layout->setItemSize(kChipSize);
    collectionView_ = ui::CollectionView::create(layout);
    collectionView_->setBackgroundColor(gfx::Color::clear());
    collectionView_->setShowsVerticalScrollIndicator(false);
    collectionView_->setShowsHorizontalScrollIndicator(false);
    collectionView_->registerCell(kCellIdentifier, [] {
        return VLChangelogDateCell::create({{0, 0}, kChipSize});
    });
    auto self = std::static_pointer_cast<VLChangelogViewController>(sharedController());
    collectionView_->setDataSource(std::weak_ptr<ui::CollectionViewDataSource>(self));
    collectionView_->setDelegate(std::weak_ptr<ui::CollectionViewDelegate>(self));
    auto& header = *headerView_;
    header.addSubview(collectionView_);
    // A long history spans the view, whatever width the view has when it loads.
    const double width = stripWidth(changelogArray_.size(), 0);
    if (width > 0) {
        extension::size(*collectionView_, {width, kStripHeight});
    } else {
        extension::height(*collectionView_, kStripHeight);
        collectionView_->widthAnchor().equalTo(view()->widthAnchor())->setActive(true);
    }
    extension::x(*collectionView_, header.centerXAnchor());
    extension::top(*collectionView_, iconImage_->bottomAnchor(), 25);
}

void VLChangelogViewController::layoutTableView() {
    auto& root = *view();
    tableView_ = VLSheetList::makeTable();
    tableView_->registerCell(kCellIdentifier, [] {
        return VLChangelogDetailsCell::create(ui::TableViewCellStyle::Default, kCellIdentifier);
    });
    auto self = std::static_pointer_cast<VLChangelogViewController>(sharedController());
    tableView_->setDataSource(std::weak_ptr<ui::TableViewDataSource>(self));
    tableView_->setDelegate(std::weak_ptr<ui::TableViewDelegate>(self));
    root.addSubview(tableView_);
    extension::top(*tableView_, headerView_->bottomAnchor(), root.leadingAnchor(), root.bottomAnchor(),
                   root.trailingAnchor(), {});
}

int VLChangelogViewController::numberOfItemsInSection(ui::CollectionView&, int) {
    return clampedCount(changelogArray_.size());
}

std::shared_ptr<ui::CollectionViewCell> VLChangelogViewController::cellForItemAtIndexPath(
    ui::CollectionView& strip, ui::IndexPath indexPath) {
    auto cell =
        std::static_pointer_cast<VLChangelogDateCell>(strip.dequeueReusableCell(kCellIdentifier, indexPath));
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= changelogArray_.size()) return cell;
    const VLChangelogRelease& release = changelogArray_[indexPath.row];
    cell->dateLabel()->setText(release.date);
    cell->monthLabel()->setText(release.month);
    cell->yearLabel()->setText(release.year);
    const bool selected = indexPath.row == changelogIndex_;
    cell->baseView()->setBackgroundColor(selected ? accentColour_ : VLPrefsAppearance::secondaryColour());
    const gfx::Color white = gfx::Color::whiteColor();
    cell->dateLabel()->setTextColor(selected ? white : gfx::Color::label());
    cell->monthLabel()->setTextColor(selected ? white : gfx::Color::label());
    cell->yearLabel()->setTextColor(selected ? white : gfx::Color::tertiaryLabel());
    return cell;
}

std::optional<ui::EdgeInsets> VLChangelogViewController::insetForSectionAtIndex(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    const double side = changelogArray_.size() > 4 ? kStripInset : 0;
    return ui::EdgeInsets{0, side, 0, side};
}

void VLChangelogViewController::didSelectItemAtIndexPath(ui::CollectionView&, ui::IndexPath indexPath) {
    changelogIndex_ = indexPath.row;
    collectionView_->reloadData();
    tableView_->reloadData();
}

void VLChangelogViewController::didHighlightItemAtIndexPath(ui::CollectionView& strip,
                                                            ui::IndexPath indexPath) {
    if (auto cell = strip.cellForItemAtIndexPath(indexPath)) VLCellPressAnimation::highlight(*cell);
}

void VLChangelogViewController::didUnhighlightItemAtIndexPath(ui::CollectionView& strip,
                                                              ui::IndexPath indexPath) {
    if (auto cell = strip.cellForItemAtIndexPath(indexPath)) VLCellPressAnimation::unhighlight(*cell);
}

const VLChangelogRelease* VLChangelogViewController::selectedRelease() const {
    if (changelogIndex_ < 0 || static_cast<std::uint64_t>(changelogIndex_) >= changelogArray_.size())
        return nullptr;
    return &changelogArray_[changelogIndex_];
}

int VLChangelogViewController::numberOfRowsInSection(ui::TableView&, int) {
    const VLChangelogRelease* release = selectedRelease();
    return release ? clampedCount(release->entries.size()) : 0;
}

std::shared_ptr<ui::TableViewCell> VLChangelogViewController::cellForRowAtIndexPath(ui::TableView& table,
                                                                                    ui::IndexPath indexPath) {
    ui::TableViewCell::appearance().setSelectedBackgroundView(makeClearBackground);
    auto cell = std::static_pointer_cast<VLChangelogDetailsCell>(table.dequeueReusableCell(kCellIdentifier));
    cell->setBackgroundColor(gfx::Color::clear());
    const VLChangelogRelease* release = selectedRelease();
    if (!release || indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= release->entries.size())
        return cell;
    const VLChangelogRelease::Entry& entry = release->entries[indexPath.row];
    cell->versionLabel()->setText(release->version);
    cell->messageLabel()->setText(entry.message);
    // An unknown code shows no category; its tiles are cleared rather than left as the reused
    // cell had them.
    const auto category = VLChangelogCategory::forCode(entry.categoryCode);
    const gfx::Color tint =
        category ? category->colour.withAlphaComponent(kCategoryTintAlpha) : gfx::Color::clear();
    cell->categoriesView()->setBackgroundColor(tint);
    cell->iconView()->setBackgroundColor(tint);
    cell->categoriesLabel()->setText(category ? category->label : "");
    if (category) cell->categoriesLabel()->setTextColor(category->colour);
    cell->iconImage()->setImage(category ? gfx::SymbolImage::named(category->symbolName) : gfx::Image(),
                                category ? category->symbolName : "");
    if (category) cell->iconImage()->setTintColor(category->colour);
    return cell;
}
