#include "pickers/applist/VLAppListViewController.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "base/Log.h"
#include "base/RunLoop.h"
#include "base/Strings.h"
#include "gfx/SymbolImage.h"
#include "pickers/applist/VLAppIconCache.h"
#include "pickers/applist/VLAppListCell.h"
#include "store/VLPrefsManager.h"
#include "ui/AlertController.h"
#include "ui/Application.h"
#include "ui/KeyboardNotifications.h"
#include "ui/LayoutConstraint.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr const char* kDismissAction = "dismissVC";
constexpr const char* kApplyAction = "applyChanges";
constexpr const char* kDismissKeyboardAction = "dismissKeyboard";
constexpr const char* kSearchAction = "updateSearchResult";

constexpr double kRoundButtonInset = 10;
constexpr double kToolPadding = 10;
constexpr double kSearchIconSide = 20;
constexpr double kSearchFieldHeight = 35;

const std::string& stringEntry(const base::Value& record, std::string_view key) {
    static const std::string kNone;
    const std::string* text = record[key].asString();
    return text ? *text : kNone;
}

const std::string& bundleIdentifierOf(const base::Value& record) { return stringEntry(record, "bundleID"); }

std::shared_ptr<ui::View> makeClearBackground() {
    auto view = ui::View::create();
    view->setBackgroundColor(gfx::Color::clear());
    return view;
}

std::chrono::nanoseconds secondsToDuration(double seconds) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
}

}  // namespace

std::shared_ptr<VLAppListViewController> VLAppListViewController::initWithKey(std::string key,
                                                                              std::string bundleID,
                                                                              bool isLimit,
                                                                              std::int64_t limitApps) {
    std::shared_ptr<VLAppListViewController> controller(
        new VLAppListViewController(std::move(key), std::move(bundleID), isLimit, limitApps));
    // The handlers live in the controller itself, so they never outlive it.
    auto* self = controller.get();
    controller->registerAction(kDismissAction, [self] { self->dismissVC(); });
    controller->registerAction(kApplyAction, [self] { self->applyChanges(); });
    controller->registerAction(kDismissKeyboardAction, [self] { self->dismissKeyboard(); });
    controller->registerAction(kSearchAction, [self] {
        if (self->searchTextField_) self->updateSearchResultWithString(self->searchTextField_->text());
    });
    return controller;
}

VLAppListViewController::VLAppListViewController(std::string key, std::string bundleID, bool isLimit,
                                                 std::int64_t limitApps)
    : key_(std::move(key)),
      bundleID_(std::move(bundleID)),
      isLimitApps_(isLimit),
      numberOfLimitApps_(limitApps) {}

VLAppListViewController::~VLAppListViewController() {
    if (toolViewTask_) base::RunLoop::main().cancel(toolViewTask_);
}

void VLAppListViewController::viewDidLoad() {
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    accentColour_ = VLPrefsAppearance::velliumAccentColour();
    searchArray_ = appsArray_;
    searchNames_.clear();
    searchNames_.reserve(searchArray_.size());
    for (const auto& record : searchArray_)
        searchNames_.push_back(base::strings::lowercased(stringEntry(record, "name")));
    loadStoredSelection();
    layoutTableView();
    layoutHeaderView();
    std::weak_ptr<ui::ViewController> weakSelf = sharedController();
    toolViewTask_ = base::RunLoop::main().postDelayed(secondsToDuration(kToolBuildDelaySeconds), [weakSelf] {
        if (auto self = std::static_pointer_cast<VLAppListViewController>(weakSelf.lock())) {
            self->toolViewTask_ = 0;
            self->layoutToolView();
        }
    });
}

// Only strings are identifiers; anything else a hand-edited file holds is dropped.
void VLAppListViewController::loadStoredSelection() {
    selectedAppsArray_.clear();
    base::Value stored = VLPrefsManager::sharedInstance().objectForKey(key_, bundleID_);
    if (const auto* identifiers = stored.asArray()) {
        for (const auto& identifier : *identifiers) {
            if (const auto* text = identifier.asString()) selectedAppsArray_.push_back(*text);
        }
    }
}

void VLAppListViewController::viewWillAppear(bool) {
    auto& centre = base::NotificationCenter::defaultCenter();
    auto* self = this;
    keyboardObservations_.clear();
    keyboardObservations_.push_back(
        centre.addObserver(ui::kKeyboardWillShowNotification, [self](const base::Notification& note) {
            if (auto frame = ui::keyboardEndFrame(note)) self->keyboardWillShow(frame->height);
        }));
    keyboardObservations_.push_back(centre.addObserver(
        ui::kKeyboardWillHideNotification, [self](const base::Notification&) { self->keyboardWillHide(); }));
}

void VLAppListViewController::viewWillDisappear(bool) { keyboardObservations_.clear(); }

void VLAppListViewController::layoutHeaderView() {
    auto& root = *view();
    headerView_ =
        VLHeaderView::create("App List", accentColour_, "xmark", kDismissAction, "checkmark", kApplyAction);
    headerView_->rightButton()->setAlpha(0);
    root.addSubview(headerView_);
    extension::height(*headerView_, kHeaderHeight);
    extension::x(*headerView_, root.centerXAnchor());
    extension::top(*headerView_, root.topAnchor(), 0);
    headerView_->widthAnchor().equalTo(root.widthAnchor())->setActive(true);
}

void VLAppListViewController::layoutTableView() {
    auto& root = *view();
    tableView_ = ui::TableView::create();
    tableView_->setFrame(root.bounds());
    tableView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    tableView_->setBackgroundColor(gfx::Color::clear());
    tableView_->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
    tableView_->setContentInsetAdjustmentBehavior(ui::ContentInsetAdjustmentBehavior::Never);
    setTableInsets(kTableInset);
    // Resting at the top of the inset, so the first row starts below the header.
    tableView_->setContentOffset({0, -kTableInset});
    tableView_->setRowHeight(kRowHeight);
    tableView_->registerCell(kCellIdentifier, [] {
        return VLAppListCell::create(ui::TableViewCellStyle::Subtitle, kCellIdentifier);
    });
    auto self = std::static_pointer_cast<VLAppListViewController>(sharedController());
    tableView_->setDataSource(std::weak_ptr<ui::TableViewDataSource>(self));
    tableView_->setDelegate(std::weak_ptr<ui::TableViewDelegate>(self));
    root.addSubview(tableView_);
}

void VLAppListViewController::setTableInsets(double bottom) {
    tableView_->setContentInset({kTableInset, 0, bottom, 0});
    tableView_->setScrollIndicatorInsets({kTableInset, 0, bottom, 0});
}

gfx::Rect VLAppListViewController::restingToolFrame() {
    const auto bounds = view()->bounds();
    return {bounds.width / 2 - kToolWidth / 2, bounds.height - kToolBottomOffset, kToolWidth, kToolHeight};
}

void VLAppListViewController::layoutToolView() {
    if (toolView_) return;
    toolView_ = VLDynamicBlurView::create(restingToolFrame());
    toolView_->setClipsToBounds(true);
    toolView_->layer().setCornerRadius(20);
    toolView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    view()->addSubview(toolView_);

    auto makeRoundButton = [this](const std::string& symbol) {
        auto button = ui::Button::create();
        button->layer().setCornerRadius(kRoundButtonSide / 2);
        button->setBackgroundColor(accentColour_.withAlphaComponent(0.4));
        button->setSymbolImage(symbol);
        button->setTintColor(accentColour_);
        toolView_->addSubview(button);
        return button;
    };
    dismissKeyboardButton_ = makeRoundButton("keyboard.chevron.compact.down");
    dismissKeyboardButton_->addTarget(weak_from_this(), kDismissKeyboardAction,
                                      ui::ControlEventTouchUpInside);
    dismissKeyboardButton_->setAlpha(0);
    moreButton_ = makeRoundButton("ellipsis.circle");
    moreButton_->setMenu(optionsManager());
    moreButton_->setShowsMenuAsPrimaryAction(true);
    placeRoundButtons();

    searchIcon_ = ui::ImageView::create(gfx::SymbolImage::named("magnifyingglass"), "magnifyingglass");
    searchIcon_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    searchIcon_->setTintColor(gfx::Color::tertiaryLabel());
    toolView_->addSubview(searchIcon_);
    extension::size(*searchIcon_, {kSearchIconSide, kSearchIconSide});
    extension::y(*searchIcon_, toolView_->centerYAnchor());
    extension::leading(*searchIcon_, toolView_->leadingAnchor(), kToolPadding);

    searchTextField_ = ui::TextField::create();
    searchTextField_->setBackgroundColor(gfx::Color::clear());
    searchTextField_->setPlaceholder("Search");
    searchTextField_->setTextColor(gfx::Color::label());
    searchTextField_->setAutocorrectionType(ui::AutocorrectionType::No);
    searchTextField_->setClearButtonMode(ui::TextFieldViewMode::WhileEditing);
    searchTextField_->setTintColor(accentColour_);
    searchTextField_->setDelegate(std::static_pointer_cast<VLAppListViewController>(sharedController()));
    searchTextField_->addTarget(
        weak_from_this(), kSearchAction,
        ui::ControlEventEditingChanged | ui::ControlEventEditingDidEnd | ui::ControlEventEditingDidBegin);
    toolView_->addSubview(searchTextField_);
    extension::height(*searchTextField_, kSearchFieldHeight);
    extension::y(*searchTextField_, toolView_->centerYAnchor());
    extension::leading(*searchTextField_, searchIcon_->trailingAnchor(), kToolPadding);
    // The round buttons are placed by frame, so the field ends where their place begins.
    extension::trailing(*searchTextField_, toolView_->trailingAnchor(),
                        -(kRoundButtonSide + kRoundButtonInset + kToolPadding));
}

// Both round buttons share one place at the trailing end of the bar.
void VLAppListViewController::placeRoundButtons() {
    const double toolWidth = toolView_->frame().width;
    const gfx::Rect place{toolWidth - kRoundButtonSide - kRoundButtonInset, kRoundButtonInset,
                          kRoundButtonSide, kRoundButtonSide};
    dismissKeyboardButton_->setFrame(place);
    moreButton_->setFrame(place);
}

ui::Menu VLAppListViewController::optionsManager() {
    std::weak_ptr<ui::ViewController> weakSelf = sharedController();
    auto item = [weakSelf](std::string title, std::string symbol,
                           void (VLAppListViewController::*operation)()) {
        return ui::Action{
            std::move(title), std::move(symbol), [weakSelf, operation] {
                if (auto self = std::static_pointer_cast<VLAppListViewController>(weakSelf.lock()))
                    self->menuChoice(operation);
            }};
    };
    ui::Menu menu;
    menu.children.push_back(item("Deselect All", "xmark.square.fill", &VLAppListViewController::unselectAll));
    if (!isLimitApps_)
        menu.children.push_back(
            item("Select All", "checkmark.square.fill", &VLAppListViewController::selectAll));
    return menu;
}

void VLAppListViewController::menuChoice(void (VLAppListViewController::*operation)()) {
    (this->*operation)();
    didMakeChanges_ = true;
    checkIfDidMakeChanges();
}

void VLAppListViewController::selectAll() {
    selectedAppsArray_.clear();
    selectedAppsArray_.reserve(searchArray_.size());
    for (const auto& record : searchArray_) selectedAppsArray_.push_back(bundleIdentifierOf(record));
    if (tableView_) tableView_->reloadData();
}

void VLAppListViewController::unselectAll() {
    selectedAppsArray_.clear();
    if (tableView_) tableView_->reloadData();
}

void VLAppListViewController::updateSearchResultWithString(const std::string& text) {
    if (text.empty()) {
        appsArray_ = searchArray_;
    } else {
        const std::string needle = base::strings::lowercased(text);
        appsArray_.clear();
        for (std::size_t index = 0; index < searchArray_.size(); ++index) {
            if (searchNames_[index].find(needle) != std::string::npos)
                appsArray_.push_back(searchArray_[index]);
        }
    }
    if (tableView_) tableView_->reloadData();
}

bool VLAppListViewController::textFieldShouldReturn(ui::TextField& field) {
    field.resignFirstResponder();
    return true;
}

void VLAppListViewController::dismissKeyboard() {
    if (searchTextField_) searchTextField_->resignFirstResponder();
}

int VLAppListViewController::numberOfRowsInSection(ui::TableView&, int) {
    constexpr auto kMostRows = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(std::min(appsArray_.size(), kMostRows));
}

std::shared_ptr<ui::TableViewCell> VLAppListViewController::cellForRowAtIndexPath(ui::TableView& table,
                                                                                  ui::IndexPath indexPath) {
    ui::TableViewCell::appearance().setSelectedBackgroundView(makeClearBackground);
    auto cell = std::static_pointer_cast<VLAppListCell>(table.dequeueReusableCell(kCellIdentifier));
    cell->setBackgroundColor(gfx::Color::clear());
    cell->checkmark()->setTintColor(accentColour_);
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= appsArray_.size()) return cell;
    const auto& record = appsArray_[indexPath.row];
    const auto& identifier = bundleIdentifierOf(record);
    // An application without an icon keeps the neutral tile behind the image.
    cell->icon()->setBackgroundColor(VLPrefsAppearance::tertiaryColour());
    cell->icon()->setImage(
        VLAppIconCache::sharedInstance().iconFor(identifier, ui::Application::shared().mainScreenScale()),
        identifier);
    cell->titleLabel()->setText(stringEntry(record, "name"));
    cell->subtitleLabel()->setText(identifier);
    cell->checkmark()->setAlpha(isSelected(identifier) ? 1 : 0);
    return cell;
}

bool VLAppListViewController::isSelected(const std::string& bundleIdentifier) const {
    return std::find(selectedAppsArray_.begin(), selectedAppsArray_.end(), bundleIdentifier) !=
           selectedAppsArray_.end();
}

void VLAppListViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= appsArray_.size()) return;
    toggle(bundleIdentifierOf(appsArray_[indexPath.row]));
    didMakeChanges_ = true;
    table.reloadData();
    checkIfDidMakeChanges();
}

// At the limit (or above it, from a stored selection) only removals go through.
void VLAppListViewController::toggle(const std::string& bundleIdentifier) {
    auto found = std::find(selectedAppsArray_.begin(), selectedAppsArray_.end(), bundleIdentifier);
    if (found != selectedAppsArray_.end()) {
        selectedAppsArray_.erase(found);
        return;
    }
    const bool full =
        isLimitApps_ && static_cast<std::int64_t>(selectedAppsArray_.size()) >= numberOfLimitApps_;
    if (full) {
        showLimitAlert();
        return;
    }
    selectedAppsArray_.push_back(bundleIdentifier);
}

void VLAppListViewController::showLimitAlert() {
    auto alert = ui::AlertController::create(
        "\U0001F615", "Sorry you can only select up to " + std::to_string(numberOfLimitApps_) + " apps...");
    alert->view()->setTintColor(accentColour_);
    alert->addAction({"OK", ui::AlertAction::Style::Default, nullptr});
    present(alert, true);
}

void VLAppListViewController::checkIfDidMakeChanges() {
    if (headerView_) headerView_->rightButton()->setAlpha(didMakeChanges_ ? 1 : 0);
    setModalInPresentation(didMakeChanges_);
}

void VLAppListViewController::keyboardWillShow(double keyboardHeight) {
    if (!toolView_) return;
    const auto bounds = view()->bounds();
    const double top = bounds.height - keyboardHeight - kToolKeyboardOffset;
    ui::View::animate(kKeyboardSlideSeconds, [&] {
        toolView_->setFrame({kToolPadding, top, bounds.width - 2 * kToolPadding, kToolHeight});
        placeRoundButtons();
    });
    setTableInsets(top);
    updateToolView(true);
}

void VLAppListViewController::keyboardWillHide() {
    if (!toolView_) return;
    ui::View::animate(kKeyboardSlideSeconds, [&] {
        toolView_->setFrame(restingToolFrame());
        placeRoundButtons();
    });
    setTableInsets(kTableInset);
    updateToolView(false);
}

void VLAppListViewController::updateToolView(bool keyboardShown) {
    if (!toolView_) return;
    if (keyboardShown) {
        moreButton_->setAlpha(0);
        dismissKeyboardButton_->setAlpha(1);
        return;
    }
    ui::View::animate(kButtonFadeSeconds, [this] {
        dismissKeyboardButton_->setAlpha(0);
        moreButton_->setAlpha(1);
    });
}

// The bar turns faintly opaque once the end of the list is on screen.
void VLAppListViewController::scrollViewDidScroll(ui::ScrollView& scrollView) {
    if (!toolView_) return;
    const bool endShown =
        scrollView.contentSize().height - scrollView.contentOffset().y < scrollView.frame().height;
    toolView_->setBackgroundColor(endShown ? VLPrefsAppearance::secondaryColour().withAlphaComponent(0.3)
                                           : gfx::Color::clear());
}

void VLAppListViewController::dismissVC() { dismiss(true); }

// Only an explicit change is confirmed, and only while the sheet rests: a confirmation while
// it slides would store again and tell the delegate twice.
void VLAppListViewController::applyChanges() {
    if (!didMakeChanges_) {
        base::Log::line("VLAppListViewController: nothing changed to confirm");
        return;
    }
    if (isBeingPresented() || isBeingDismissed()) {
        base::Log::line("VLAppListViewController: confirmation ignored during a transition");
        return;
    }
    base::Value::Array identifiers(selectedAppsArray_.begin(), selectedAppsArray_.end());
    VLPrefsManager::sharedInstance().setObject(base::Value(std::move(identifiers)), key_, bundleID_);
    dismiss(true);
    if (auto listener = delegate_.lock()) listener->appPickerDidSelectedApps();
}
