#include "pickers/singleselection/VLPrefsSingleSelectionViewController.h"

#include <algorithm>
#include <limits>

#include "base/Log.h"
#include "pickers/singleselection/VLSingleSelectionCell.h"
#include "store/VLPrefsManager.h"
#include "ui/LayoutConstraint.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr const char* kDismissAction = "dismissVC";
constexpr const char* kApplyAction = "applyChanges";

// Rows show no highlight when touched.
std::shared_ptr<ui::View> makeClearBackground() {
    auto view = ui::View::create();
    view->setBackgroundColor(gfx::Color::clear());
    return view;
}

}  // namespace

std::shared_ptr<VLPrefsSingleSelectionViewController> VLPrefsSingleSelectionViewController::create(
    std::string key, std::string bundleID, std::vector<std::string> listArray, std::int64_t defaultValue,
    std::string navTitle) {
    std::shared_ptr<VLPrefsSingleSelectionViewController> controller(new VLPrefsSingleSelectionViewController(
        std::move(key), std::move(bundleID), std::move(listArray), std::move(navTitle)));
    // A stored 0 reads as the default, like every integer of the store.
    controller->selectedIndex_ =
        VLPrefsManager::sharedInstance().integerForKey(controller->key_, defaultValue, controller->bundleID_);
    // The handlers live in the controller itself, so they never outlive it.
    auto* self = controller.get();
    controller->registerAction(kDismissAction, [self] { self->dismissVC(); });
    controller->registerAction(kApplyAction, [self] { self->applyChanges(); });
    return controller;
}

VLPrefsSingleSelectionViewController::VLPrefsSingleSelectionViewController(std::string key,
                                                                           std::string bundleID,
                                                                           std::vector<std::string> listArray,
                                                                           std::string navTitle)
    : key_(std::move(key)),
      bundleID_(std::move(bundleID)),
      listArray_(std::move(listArray)),
      headerTitle_(std::move(navTitle)) {}

void VLPrefsSingleSelectionViewController::viewDidLoad() {
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    accentColour_ = VLPrefsAppearance::velliumAccentColour();
    layoutTableView();
    layoutHeaderView();
}

void VLPrefsSingleSelectionViewController::layoutHeaderView() {
    auto& root = *view();
    headerView_ =
        VLHeaderView::create(headerTitle_, accentColour_, "xmark", kDismissAction, "checkmark", kApplyAction);
    headerView_->rightButton()->setAlpha(0);
    root.addSubview(headerView_);
    extension::height(*headerView_, kHeaderHeight);
    extension::x(*headerView_, root.centerXAnchor());
    extension::top(*headerView_, root.topAnchor(), 0);
    headerView_->widthAnchor().equalTo(root.widthAnchor())->setActive(true);
}

void VLPrefsSingleSelectionViewController::layoutTableView() {
    auto& root = *view();
    tableView_ = ui::TableView::create();
    tableView_->setFrame(root.bounds());
    tableView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    tableView_->setBackgroundColor(gfx::Color::clear());
    tableView_->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
    tableView_->setContentInsetAdjustmentBehavior(ui::ContentInsetAdjustmentBehavior::Never);
    tableView_->setContentInset({kTableTopInset, 0, 0, 0});
    tableView_->setScrollIndicatorInsets({kTableTopInset, 0, 0, 0});
    // Resting at the top of the inset, so the first row starts below the header.
    tableView_->setContentOffset({0, -kTableTopInset});
    tableView_->setRowHeight(kRowHeight);
    tableView_->registerCell(kCellIdentifier, [] {
        return VLSingleSelectionCell::create(ui::TableViewCellStyle::Subtitle, kCellIdentifier);
    });
    auto self = std::static_pointer_cast<VLPrefsSingleSelectionViewController>(sharedController());
    tableView_->setDataSource(std::weak_ptr<ui::TableViewDataSource>(self));
    tableView_->setDelegate(std::weak_ptr<ui::TableViewDelegate>(self));
    root.addSubview(tableView_);
}

int VLPrefsSingleSelectionViewController::numberOfRowsInSection(ui::TableView&, int) {
    constexpr auto kMostRows = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(std::min(listArray_.size(), kMostRows));
}

std::shared_ptr<ui::TableViewCell> VLPrefsSingleSelectionViewController::cellForRowAtIndexPath(
    ui::TableView& table, ui::IndexPath indexPath) {
    ui::TableViewCell::appearance().setSelectedBackgroundView(makeClearBackground);
    auto cell = std::static_pointer_cast<VLSingleSelectionCell>(table.dequeueReusableCell(kCellIdentifier));
    cell->setBackgroundColor(gfx::Color::clear());
    cell->checkmark()->setTintColor(accentColour_);
    if (isValidRow(indexPath.row)) cell->titleLabel()->setText(listArray_[indexPath.row]);
    cell->checkmark()->setAlpha(indexPath.row == selectedIndex_ ? 1 : 0);
    return cell;
}

void VLPrefsSingleSelectionViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                                   ui::IndexPath indexPath) {
    if (!isValidRow(indexPath.row)) return;
    selectedIndex_ = indexPath.row;
    didMakeChanges_ = true;
    table.reloadData();
    checkIfDidMakeChanges();
}

void VLPrefsSingleSelectionViewController::checkIfDidMakeChanges() {
    if (headerView_) headerView_->rightButton()->setAlpha(didMakeChanges_ ? 1 : 0);
    setModalInPresentation(didMakeChanges_);
}

void VLPrefsSingleSelectionViewController::dismissVC() { dismiss(true); }

// Only an explicit choice is confirmed, and only while the sheet rests: a confirmation while
// it slides away would store again and tell the delegate twice, and one while it slides in
// could not dismiss it, yet would report success.
void VLPrefsSingleSelectionViewController::applyChanges() {
    if (!didMakeChanges_) {
        base::Log::line("VLPrefsSingleSelectionViewController: nothing chosen to confirm");
        return;
    }
    if (isBeingPresented() || isBeingDismissed()) {
        base::Log::line("VLPrefsSingleSelectionViewController: confirmation ignored during a transition");
        return;
    }
    VLPrefsManager::sharedInstance().setInteger(selectedIndex_, key_, bundleID_);
    dismiss(true);
    if (auto listener = delegate_.lock()) listener->singleSelectionDidSelectedOptions(selectedIndex_);
}

bool VLPrefsSingleSelectionViewController::isValidRow(std::int64_t row) const {
    return row >= 0 && static_cast<std::uint64_t>(row) < listArray_.size();
}
