#include "home/VLFreePrefsHomeViewController.h"

#include <algorithm>
#include <limits>

#include "base/DistributedNotificationCenter.h"
#include "base/Log.h"
#include "home/VLCellPressAnimation.h"
#include "home/VLPrefsCategoriesCell.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/NavigationController.h"
#include "uikit/VLViewControllerRegistry.h"
#include "uikit/ViewLayoutExtension.h"

VLFreePrefsHomeViewController::VLFreePrefsHomeViewController() = default;

void VLFreePrefsHomeViewController::viewDidLoad() {
    VLPrefsHomeBaseViewController::viewDidLoad();
    registerAction("pushPrefsVC", [this] { pushPrefsVC(); });
}

void VLFreePrefsHomeViewController::updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config) {
    if (!config) return;
    // 1. The hero, the titles and the mode.
    fillHero(*config);
    isCategoriesAvailable_ = config->isCategoriesAvailable;
    singlePrefsClassName_ = config->singlePrefsClassName;
    // 2. The tutorial card.
    wireTutorialCard(config->isTutorialVideoAvailable);
    // 3. The section area, under the header.
    layoutSectionView();
    addHeaderView();
    // 4. The categories or the settings row's texts.
    if (!isCategoriesAvailable_) {
        prefsView_->titleLabel()->setText("Config " + tweakName());
        prefsView_->subtitleLabel()->setText("Make " + tweakName() + " yours");
    } else if (config->categoriesArray) {
        categoriesArray_ = config->categoriesArray;
        if (!categoriesArray_->empty()) collectionView_->reloadData();
    }
    // 5. The changelog.
    queueChangelogDownload(config->tweakName);
}

void VLFreePrefsHomeViewController::layoutSectionView() {
    layoutToggleContainer();
    auto& scroll = *scrollView();
    sectionHeaderView_ = VLPrefsSectionHeaderView::create(isCategoriesAvailable_ ? "Categories" : "Settings");
    scroll.addSubview(sectionHeaderView_);
    extension::height(*sectionHeaderView_, 20);
    matchViewWidth(*sectionHeaderView_, -40);
    extension::x(*sectionHeaderView_, scroll.centerXAnchor());
    extension::top(*sectionHeaderView_, toggleContainerView()->bottomAnchor(), 30);
    if (isCategoriesAvailable_) {
        layoutCategories(*sectionHeaderView_);
    } else {
        layoutSettingsRow(*sectionHeaderView_);
    }
}

void VLFreePrefsHomeViewController::layoutCategories(ui::View& heading) {
    auto layout = ui::CollectionViewFlowLayout::create();
    layout->setScrollDirection(ui::CollectionViewFlowLayout::ScrollDirection::Horizontal);
    collectionView_ = ui::CollectionView::create(layout);
    collectionView_->setBackgroundColor(gfx::Color::clear());
    collectionView_->setShowsHorizontalScrollIndicator(false);
    collectionView_->setShowsVerticalScrollIndicator(false);
    collectionView_->registerCell(kCellIdentifier, [] { return VLPrefsCategoriesCell::create(); });
    auto& scroll = *scrollView();
    scroll.addSubview(collectionView_);
    extension::height(*collectionView_, VLPrefsCategoriesCell::kHeight);
    matchViewWidth(*collectionView_, 0);
    extension::top(*collectionView_, heading.bottomAnchor(), 10);
    extension::x(*collectionView_, scroll.centerXAnchor());
    auto self = std::static_pointer_cast<VLFreePrefsHomeViewController>(sharedController());
    collectionView_->setDataSource(std::weak_ptr<ui::CollectionViewDataSource>(self));
    collectionView_->setDelegate(std::weak_ptr<ui::CollectionViewDelegate>(self));
}

void VLFreePrefsHomeViewController::layoutSettingsRow(ui::View& heading) {
    prefsView_ = VLPrefsSectionListView::create("", "", "switch.2", accentColour());
    prefsView_->tap()->addTarget(sharedController(), "pushPrefsVC");
    auto& scroll = *scrollView();
    scroll.addSubview(prefsView_);
    extension::height(*prefsView_, 70);
    matchViewWidth(*prefsView_, -40);
    extension::x(*prefsView_, scroll.centerXAnchor());
    extension::top(*prefsView_, heading.bottomAnchor(), 10);
}

void VLFreePrefsHomeViewController::pushPrefsVC() { pushScreen(singlePrefsClassName_); }

void VLFreePrefsHomeViewController::pushScreen(const std::string& className) {
    auto screen = VLViewControllerRegistry::shared().create(className);
    if (!screen) return;
    screen->setHidesBottomBarWhenPushed(true);
    if (auto navigation = navigationController()) navigation->pushViewController(screen, true);
}

std::shared_ptr<VLPrefsCategoriesData> VLFreePrefsHomeViewController::category(
    ui::IndexPath indexPath) const {
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= categoriesArray_->size())
        return nullptr;
    return (*categoriesArray_)[indexPath.row];
}

int VLFreePrefsHomeViewController::numberOfItemsInSection(ui::CollectionView&, int) {
    return static_cast<int>(std::min<std::size_t>(categoriesArray_->size(), std::numeric_limits<int>::max()));
}

std::shared_ptr<ui::CollectionViewCell> VLFreePrefsHomeViewController::cellForItemAtIndexPath(
    ui::CollectionView& strip, ui::IndexPath indexPath) {
    auto cell = std::static_pointer_cast<VLPrefsCategoriesCell>(
        strip.dequeueReusableCell(kCellIdentifier, indexPath));
    cell->setBackgroundColor(gfx::Color::clear());
    const auto data = category(indexPath);
    if (!data) return cell;
    const gfx::Color accent = data->accent.value_or(accentColour());
    cell->iconView()->setBackgroundColor(accent.withAlphaComponent(0.4));
    cell->iconImage()->setTintColor(accent);
    cell->iconImage()->setImage(data->icon);
    cell->titleLabel()->setText(data->title);
    return cell;
}

std::optional<gfx::Size> VLFreePrefsHomeViewController::sizeForItemAtIndexPath(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, ui::IndexPath indexPath) {
    const auto data = category(indexPath);
    return gfx::Size{VLPrefsCategoriesCell::widthForTitle(data ? data->title : ""),
                     VLPrefsCategoriesCell::kHeight};
}

std::optional<ui::EdgeInsets> VLFreePrefsHomeViewController::insetForSectionAtIndex(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return ui::EdgeInsets{0, 20, 0, 20};
}

void VLFreePrefsHomeViewController::didSelectItemAtIndexPath(ui::CollectionView&, ui::IndexPath indexPath) {
    auto data = category(indexPath);
    if (!data) return;
    categoriesData_ = data;
    if (data->isStylePicker) {
        requestStylePicker(*data);
    } else {
        pushScreen(data->className);
    }
}

void VLFreePrefsHomeViewController::requestStylePicker(const VLPrefsCategoriesData& data) {
    if (tweakName().empty() || data.stylePlistName.empty()) {
        base::Log::line(
            "VLFreePrefsHomeViewController: style picker request without a tweak or document name");
        return;
    }
    base::Value userInfo;
    userInfo.set("tweakName", tweakName());
    userInfo.set("plistName", data.stylePlistName);
    base::DistributedNotificationCenter::defaultCenter().post(kStylePickerNotification, userInfo);
}

void VLFreePrefsHomeViewController::didHighlightItemAtIndexPath(ui::CollectionView& strip,
                                                                ui::IndexPath indexPath) {
    if (auto cell = strip.cellForItemAtIndexPath(indexPath)) VLCellPressAnimation::highlight(*cell);
}

void VLFreePrefsHomeViewController::didUnhighlightItemAtIndexPath(ui::CollectionView& strip,
                                                                  ui::IndexPath indexPath) {
    if (auto cell = strip.cellForItemAtIndexPath(indexPath)) VLCellPressAnimation::unhighlight(*cell);
}
