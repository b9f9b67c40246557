#include "prefslist/VLPreferencesListViewController.h"

#include <sys/stat.h>

#include <cmath>
#include <limits>

#include "base/DateFormatter.h"
#include "base/DistributedNotificationCenter.h"
#include "base/FileSystemRoot.h"
#include "base/Log.h"
#include "base/NotificationCenter.h"
#include "base/PropertyList.h"
#include "base/RunLoop.h"
#include "gfx/SymbolImage.h"
#include "pickers/PrivateAppList.h"
#include "pickers/applist/VLAppListViewController.h"
#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"
#include "pickers/singleselection/VLPrefsSingleSelectionViewController.h"
#include "prefslist/cells/VLPrefsAppListCell.h"
#include "prefslist/cells/VLPrefsAvatarPickerCell.h"
#include "prefslist/cells/VLPrefsColourPickerCell.h"
#include "prefslist/cells/VLPrefsDatePickerCell.h"
#include "prefslist/cells/VLPrefsFontPickerCell.h"
#include "prefslist/cells/VLPrefsImagePickerCell.h"
#include "prefslist/cells/VLPrefsSegmentCell.h"
#include "prefslist/cells/VLPrefsSingleSelectionCell.h"
#include "prefslist/cells/VLPrefsSliderCell.h"
#include "prefslist/cells/VLPrefsStepperCell.h"
#include "prefslist/cells/VLPrefsSwitchCell.h"
#include "prefslist/cells/VLPrefsTextFieldCell.h"
#include "prefslist/cells/VLPrefsTintedButtonCell.h"
#include "store/VLColourString.h"
#include "store/VLPrefsPaths.h"
#include "sys/ApplicationIcons.h"
#include "sys/ImpactFeedbackGenerator.h"
#include "ui/AnimationOptions.h"
#include "ui/Application.h"
#include "ui/ColorPickerViewController.h"
#include "ui/FontPickerViewController.h"
#include "ui/ImagePickerController.h"
#include "ui/ImageView.h"
#include "ui/KeyboardNotifications.h"
#include "ui/NavigationController.h"
#include "ui/ScreenEdgePanGestureRecognizer.h"
#include "ui/TapGestureRecognizer.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

using Kind = VLPrefsRowType::Kind;

constexpr const char* kDocumentDirectory = "/var/QZN/Vellium/Preferences/";
constexpr const char* kBackAction = "backToMain";
constexpr const char* kFinishTextAction = "finishWithTextField";
constexpr const char* kHapticAction = "beginHapticFeedback";
constexpr int kApplicationIconFormat = 2;
constexpr std::size_t kPreviewedApps = 4;

std::string textOf(const base::Value& row, std::string_view key) {
    const std::string* text = row[key].asString();
    return text ? *text : std::string();
}

// A row edits a preference only with both a key and an identifier: without either the store
// reads nothing and writes nothing.
VLPrefsManager::Identifier prefsID(const std::string& key, const std::string& bundleID) {
    if (key.empty() || bundleID.empty()) return std::nullopt;
    return std::string_view(bundleID);
}

// The identifier is a view: it must outlive the call.
VLPrefsManager::Identifier prefsID(const std::string&, std::string&&) = delete;

VLPrefsManager& store() { return VLPrefsManager::sharedInstance(); }

// Toward zero, clamped to 64 bits (a document or a slider may hold anything).
std::int64_t truncateToWhole(double value) {
    if (!std::isfinite(value)) return 0;
    constexpr double kLimit = 9.2e18;
    return static_cast<std::int64_t>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

// The "%d" rendering of a whole number: its low 32 bits, signed.
std::string lowBitsText(std::int64_t value) {
    return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

std::vector<std::string> titlesOf(const base::Value& row) {
    std::vector<std::string> titles;
    if (const auto* array = row["ValidTitles"].asArray()) {
        for (const auto& title : *array)
            titles.push_back(title.asString() ? *title.asString() : std::string());
    }
    return titles;
}

// The option a segment or single-selection row marks: the stored index when the key holds a
// value, else the row's default.
std::int64_t currentIndex(const base::Value& row) {
    auto key = textOf(row, "Key");
    auto bundleID = textOf(row, "BID");
    auto id = prefsID(key, bundleID);
    if (!store().objectForKey(key, id).isAbsent()) return store().integerForKey(key, id);
    return row["DefaultValue"].intValue();
}

// An index outside the titles shows no option.
std::string titleAt(const std::vector<std::string>& titles, std::int64_t index) {
    if (index < 0 || static_cast<std::uint64_t>(index) >= titles.size()) return {};
    return titles[static_cast<std::size_t>(index)];
}

gfx::Color rowAccent(const base::Value& row, const gfx::Color& screenAccent) {
    const std::string* accent = row["AccentColour"].asString();
    if (accent && accent->empty()) return screenAccent;
    return VLColourString::colorWithListString(accent ? *accent : std::string_view());
}

void showSymbol(ui::ImageView& view, const std::string& name) {
    view.setImage(gfx::SymbolImage::named(name), name);
}

std::string formattedDate(base::Date date) {
    return base::DateFormatter(VLPreferencesListViewController::kDateFormat).stringFromDate(date);
}

// The first four applications' icons, or none when fewer than four are chosen.
void showApplications(VLPrefsAppListCell& cell, const base::Value& chosen) {
    const auto* apps = chosen.asArray();
    bool shown = apps && apps->size() >= kPreviewedApps;
    if (cell.appView()) cell.appView()->setAlpha(shown ? 1 : 0);
    const std::shared_ptr<ui::ImageView>* previews[] = {&cell.preview1(), &cell.preview2(), &cell.preview3(),
                                                        &cell.preview4()};
    double scale = ui::Application::shared().mainScreenScale();
    for (std::size_t i = 0; i < kPreviewedApps; ++i) {
        const auto& preview = *previews[i];
        if (!preview) continue;
        const std::string* bundleID = shown ? (*apps)[i].asString() : nullptr;
        if (bundleID) {
            preview->setImage(sys::ApplicationIcons::iconFor(*bundleID, kApplicationIconFormat, scale),
                              *bundleID);
        } else {
            preview->setImage({});
        }
    }
}

template <class Cell>
Cell* as(ui::TableViewCell* cell) {
    return dynamic_cast<Cell*>(cell);
}

std::shared_ptr<ui::View> clearView(gfx::Size size) {
    auto view = ui::View::create();
    view->setFrame({0, 0, size.width, size.height});
    return view;
}

std::shared_ptr<ui::ImageView> symbolView(const std::string& name, const gfx::Color& tint, gfx::Size size) {
    auto view = ui::ImageView::create();
    showSymbol(*view, name);
    view->setTintColor(tint);
    view->setContentMode(gfx::ContentMode::ScaleAspectFit);
    extension::size(*view, size);
    return view;
}

// The screen's root view, which tells the screen when its size is known or changes.
class ListRootView : public ui::View {
public:
    static std::shared_ptr<ListRootView> create(std::function<void()> didLayout) {
        std::shared_ptr<ListRootView> view(new ListRootView);
        view->didLayout_ = std::move(didLayout);
        return view;
    }
    void layoutSubviews() override {
        ui::View::layoutSubviews();
        if (didLayout_) didLayout_();
    }

private:
    ListRootView() = default;
    std::function<void()> didLayout_;
};

}  // namespace

VLPreferencesListViewController::VLPreferencesListViewController() {
    // The handlers live in the screen itself, so they never outlive it.
    registerAction(kBackAction, [this] { backToMain(); });
    registerAction(kFinishTextAction, [this] { finishWithTextField(); });
    registerAction(kHapticAction, [this] { beginHapticFeedback(); });
}

VLPreferencesListViewController::~VLPreferencesListViewController() = default;

// ---- Document ----

void VLPreferencesListViewController::updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config) {
    if (!config) return;
    tweakNameString_ = config->tweakName;
    if (navTitle_) navTitle_->setText(config->titleString);
    plistString_ = config->plistName;
    setupData();
    if (tableView_) tableView_->reloadData();
}

std::optional<VLPreferencesListViewController::DocumentIdentity>
VLPreferencesListViewController::DocumentIdentity::of(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return DocumentIdentity{path.string(),  status.st_dev,         status.st_ino,
                            status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

void VLPreferencesListViewController::setupData() {
    settingsTableSections_.clear();
    settingsTableData_.clear();
    if (plistString_.empty()) {
        settings_ = base::Value();
        base::Log::line("Could not find Settings.bundle");
        return;
    }
    std::string bundle = tweakNameString_ + "Prefs.bundle";
    std::string document = plistString_ + ".plist";
    if (!VLPrefsPaths::isSafeSegment(bundle) || !VLPrefsPaths::isSafeSegment(document)) {
        base::Log::line("VLPreferencesListViewController: refused document name " + bundle + "/" + document);
        settings_ = base::Value();
        return;
    }
    const std::filesystem::path path =
        base::FileSystemRoot::resolve(kDocumentDirectory + bundle + "/" + document);
    // The view's load and the configuration both build the sections, usually from the same
    // file: an unchanged file (same path, inode, size and modification time) is not parsed again.
    std::optional<DocumentIdentity> identity = DocumentIdentity::of(path);
    if (!identity || identity != documentIdentity_ || !settings_.asDictionary()) {
        settings_ = base::Value();
        documentIdentity_.reset();
        auto read = base::PropertyList::readFile(path);
        if (!read || !read.value().asDictionary()) return;
        settings_ = std::move(read).value();
        documentIdentity_ = identity;
    }
    const auto* rows = settings_["Preferences"].asArray();
    if (!rows) return;
    for (const auto& row : *rows) {
        if (!row.asDictionary()) {
            base::Log::line(
                "VLPreferencesListViewController: skipped a preference row that is not a dictionary");
            continue;
        }
        if (textOf(row, "CellType") == VLPrefsRowType::kSectionHeader) {
            const std::string* accent = row["AccentColour"].asString();
            settingsTableSections_.push_back(std::make_shared<VLPrefsSectionDataModel>(
                textOf(row, "Title"), accent ? std::optional<std::string>(*accent) : std::nullopt,
                row["ShowIcon"].boolValue(), textOf(row, "Icon")));
            settingsTableData_.emplace_back();
            continue;
        }
        // Rows before the first header open an untitled section rather than being lost.
        if (settingsTableSections_.empty()) {
            settingsTableSections_.push_back(
                std::make_shared<VLPrefsSectionDataModel>("", std::nullopt, false, ""));
            settingsTableData_.emplace_back();
        }
        settingsTableData_.back().push_back(row);
    }
}

const base::Value& VLPreferencesListViewController::rowAt(ui::IndexPath indexPath) const {
    if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= settingsTableData_.size()) {
        return base::Value::absent();
    }
    const auto& rows = settingsTableData_[static_cast<std::size_t>(indexPath.section)];
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= rows.size())
        return base::Value::absent();
    return rows[static_cast<std::size_t>(indexPath.row)];
}

// ---- Life cycle and chrome ----

void VLPreferencesListViewController::loadView() {
    setView(ListRootView::create([this] { parkTextFieldView(); }));
}

// The panel waits just below the bottom edge while no keyboard holds it up, whatever the size
// the root view had when the panel was built.
void VLPreferencesListViewController::parkTextFieldView() {
    if (!textFieldView_ || textFieldLifted_) return;
    gfx::Rect parked{0, view()->bounds().height, view()->bounds().width, kTextFieldViewHeight};
    if (textFieldView_->frame() != parked) textFieldView_->setFrame(parked);
}

void VLPreferencesListViewController::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    if (auto navigation = navigationController()) {
        if (auto pop = navigation->interactivePopGestureRecognizer()) {
            pop->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
        }
    }
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    accentColour_ = VLPrefsAppearance::velliumAccentColour();
    layoutHeaderView();
    setupData();
    layoutTableView();
    layoutTextFieldView();
    view()->addSubview(headerView_);
    std::weak_ptr<ui::ViewController> weakSelf = sharedController();
    base::RunLoop::main().post([weakSelf] {
        auto self = std::static_pointer_cast<VLPreferencesListViewController>(weakSelf.lock());
        if (self) self->appsListArray_ = PrivateAppList::sharedInstance()->allApps();
    });
}

void VLPreferencesListViewController::viewWillAppear(bool animated) {
    ui::ViewController::viewWillAppear(animated);
    auto& centre = base::NotificationCenter::defaultCenter();
    keyboardShowObservation_ =
        centre.addObserver(ui::kKeyboardWillShowNotification,
                           [this](const base::Notification& note) { keyboardWillShow(note); });
    keyboardHideObservation_ =
        centre.addObserver(ui::kKeyboardWillHideNotification,
                           [this](const base::Notification& note) { keyboardWillHide(note); });
}

void VLPreferencesListViewController::viewWillDisappear(bool animated) {
    ui::ViewController::viewWillDisappear(animated);
    keyboardShowObservation_ = base::Observation();
    keyboardHideObservation_ = base::Observation();
}

void VLPreferencesListViewController::layoutHeaderView() {
    const auto& root = *view();
    headerView_ = ui::View::create();
    headerView_->setFrame({0, 0, root.bounds().width, kHeaderHeight});
    headerView_->setAutoresizingMask(ui::FlexibleWidth);
    headerView_->layer().setCornerRadius(20);
    headerView_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    headerView_->layer().setMaskedCorners(gfx::BottomLeftCorner | gfx::BottomRightCorner);
    headerView_->setClipsToBounds(true);

    navBlurView_ = VLDynamicBlurView::create();
    navBlurView_->setAlpha(0);
    headerView_->addSubview(navBlurView_);
    extension::fill(*navBlurView_);

    auto backButton = ui::View::create();
    backButton->layer().setCornerRadius(12);
    backButton->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    backButton->setClipsToBounds(true);
    backButton->setBackgroundColor(accentColour_.withAlphaComponent(0.4));
    headerView_->addSubview(backButton);
    extension::size(*backButton, {35, 35});
    extension::leading(*backButton, headerView_->leadingAnchor(), 15);
    extension::bottom(*backButton, headerView_->bottomAnchor(), -12);
    auto chevron = symbolView("chevron.left", accentColour_, {20, 20});
    chevron->setUserInteractionEnabled(true);
    backButton->addSubview(chevron);
    extension::xy(*chevron, backButton->centerXAnchor(), backButton->centerYAnchor());
    auto tap = ui::TapGestureRecognizer::create();
    tap->addTarget(sharedController(), kBackAction);
    backButton->addGestureRecognizer(tap);

    navTitle_ = ui::Label::create();
    navTitle_->setTextAlignment(gfx::TextAlignment::Center);
    navTitle_->setTextColor(gfx::Color::label());
    navTitle_->setFont(gfx::Font::system(18, gfx::FontWeight::Semibold));
    headerView_->addSubview(navTitle_);
    extension::x(*navTitle_, headerView_->centerXAnchor());
    extension::y(*navTitle_, backButton->centerYAnchor());
}

void VLPreferencesListViewController::layoutTableView() {
    auto& root = *view();
    tableView_ = ui::TableView::create(ui::TableView::Style::Grouped);
    tableView_->setFrame(root.bounds());
    tableView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    tableView_->setBackgroundColor(gfx::Color::clear());
    tableView_->setShowsVerticalScrollIndicator(false);
    tableView_->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
    tableView_->setContentInsetAdjustmentBehavior(ui::ContentInsetAdjustmentBehavior::Never);
    tableView_->setContentInset({kTableTopInset, 0, 0, 0});
    // Resting at the top of the inset, so the first section starts below the header.
    tableView_->setContentOffset({0, -kTableTopInset});
    for (const auto& type : VLPrefsRowType::all()) {
        tableView_->registerCell(std::string(type.reuseIdentifier),
                                 [&type] { return type.makeCell(std::string(type.reuseIdentifier)); });
    }
    const auto& plain = VLPrefsRowType::plain();
    tableView_->registerCell(std::string(plain.reuseIdentifier),
                             [&plain] { return plain.makeCell(std::string(plain.reuseIdentifier)); });
    auto self = std::static_pointer_cast<VLPreferencesListViewController>(sharedController());
    tableView_->setDataSource(std::weak_ptr<ui::TableViewDataSource>(self));
    tableView_->setDelegate(std::weak_ptr<ui::TableViewDelegate>(self));
    root.addSubview(tableView_);
}

void VLPreferencesListViewController::layoutTextFieldView() {
    auto& root = *view();
    double width = root.bounds().width;
    textFieldView_ = ui::View::create();
    textFieldView_->setFrame({0, root.bounds().height, width, kTextFieldViewHeight});
    textFieldView_->setAutoresizingMask(ui::FlexibleWidth);
    textFieldView_->setBackgroundColor(VLPrefsAppearance::primaryColour());
    root.addSubview(textFieldView_);

    auto hairline = ui::View::create();
    hairline->setFrame({0, 0, width, 1});
    hairline->setAutoresizingMask(ui::FlexibleWidth);
    hairline->setBackgroundColor(gfx::Color::tertiaryLabel().withAlphaComponent(0.05));
    textFieldView_->addSubview(hairline);

    textFieldDismissButton_ = ui::Button::create();
    textFieldDismissButton_->setBackgroundColor(accentColour_.withAlphaComponent(0.4));
    textFieldDismissButton_->layer().setCornerRadius(22.5);
    textFieldDismissButton_->addTarget(sharedController(), kFinishTextAction, ui::ControlEventTouchUpInside);
    textFieldView_->addSubview(textFieldDismissButton_);
    extension::size(*textFieldDismissButton_, {45, 45});
    extension::trailing(*textFieldDismissButton_, textFieldView_->trailingAnchor(), -15);
    extension::y(*textFieldDismissButton_, textFieldView_->centerYAnchor());
    auto chevron = symbolView("keyboard.chevron.compact.down", accentColour_, {25, 25});
    textFieldDismissButton_->addSubview(chevron);
    extension::xy(*chevron, textFieldDismissButton_->centerXAnchor(),
                  textFieldDismissButton_->centerYAnchor());

    textField_ = ui::TextField::create();
    textField_->setBackgroundColor(VLPrefsAppearance::secondaryColour());
    textField_->layer().setCornerRadius(22.5);
    textField_->setTextColor(gfx::Color::label());
    textField_->setFont(gfx::Font::system(18));
    textField_->setTintColor(accentColour_);
    textField_->setLeftView(clearView({10, 45}));
    textField_->setLeftViewMode(ui::TextFieldViewMode::Always);
    textField_->setRightView(clearView({10, 45}));
    textField_->setRightViewMode(ui::TextFieldViewMode::Always);
    textFieldView_->addSubview(textField_);
    extension::height(*textField_, 45);
    extension::y(*textField_, textFieldView_->centerYAnchor());
    extension::leading(*textField_, textFieldView_->leadingAnchor(), 15);
    extension::trailing(*textField_, textFieldDismissButton_->leadingAnchor(), -10);
}

void VLPreferencesListViewController::backToMain() {
    if (auto navigation = navigationController()) navigation->popViewController(true);
}

void VLPreferencesListViewController::presentTextFieldWithPlaceholder(const std::string& placeholder,
                                                                      const std::string& text) {
    textField_->setPlaceholder(placeholder);
    textField_->setText(text);
    presentKB();
}

void VLPreferencesListViewController::presentKB() {
    animateTable(0.3, 0.3, false);
    textField_->becomeFirstResponder();
}

void VLPreferencesListViewController::dismissKB() {
    animateTable(1, 0.2, true);
    textField_->resignFirstResponder();
}

// An empty entry resets the row: to its "DefaultText", or, without one, to no value at all.
void VLPreferencesListViewController::finishWithTextField() {
    std::string text = textField_->text();
    auto id = prefsID(prefsKey_, prefsBundleID_);
    if (text.empty()) text = textFieldDefaultText_;
    if (text.empty()) {
        store().removeObjectForKey(prefsKey_, id);
    } else {
        store().setObject(base::Value(text), prefsKey_, id);
    }
    if (auto* cell = as<VLPrefsTextFieldCell>(rememberedCell().get())) cell->textFieldLabel()->setText(text);
    dismissKB();
}

void VLPreferencesListViewController::animateTable(double alpha, double duration, bool interactive) {
    auto table = tableView_;
    ui::View::animate(duration, [table, alpha] { table->setAlpha(alpha); });
    tableView_->setUserInteractionEnabled(interactive);
}

void VLPreferencesListViewController::moveTextFieldView(double y) {
    auto panel = textFieldView_;
    ui::View::animate(0.3, [panel, y] {
        auto frame = panel->frame();
        frame.y = y;
        panel->setFrame(frame);
    });
}

void VLPreferencesListViewController::keyboardWillShow(const base::Notification& notification) {
    auto frame = ui::keyboardEndFrame(notification);
    double keyboardHeight = frame ? frame->height : 0;
    textFieldLifted_ = true;
    moveTextFieldView(view()->bounds().height - keyboardHeight - kTextFieldViewHeight);
}

void VLPreferencesListViewController::keyboardWillHide(const base::Notification&) {
    textFieldLifted_ = false;
    moveTextFieldView(view()->bounds().height);
}

void VLPreferencesListViewController::scrollViewDidScroll(ui::ScrollView& scrollView) {
    double alpha = scrollView.contentOffset().y > kBlurOffset ? 1 : 0;
    auto blur = navBlurView_;
    if (blur) ui::View::animate(0.2, [blur, alpha] { blur->setAlpha(alpha); });
}

void VLPreferencesListViewController::didHighlightRowAtIndexPath(ui::TableView& table,
                                                                 ui::IndexPath indexPath) {
    if (VLPrefsRowType::forCellType(textOf(rowAt(indexPath), "CellType")).kind != Kind::TintedButton) return;
    auto cell = table.cellForRowAtIndexPath(indexPath);
    if (!cell) return;
    ui::View::animate(0.2, 0, ui::AnimationOptionCurveEaseOut, [cell] {
        cell->setTransform(gfx::AffineTransform::scale(0.97, 0.97));
        cell->setAlpha(0.5);
    });
}

void VLPreferencesListViewController::didUnhighlightRowAtIndexPath(ui::TableView& table,
                                                                   ui::IndexPath indexPath) {
    if (VLPrefsRowType::forCellType(textOf(rowAt(indexPath), "CellType")).kind != Kind::TintedButton) return;
    auto cell = table.cellForRowAtIndexPath(indexPath);
    if (!cell) return;
    ui::View::animate(0.6, 0, ui::AnimationOptionCurveEaseOut, [cell] {
        cell->setTransform(gfx::AffineTransform::identity());
        cell->setAlpha(1);
    });
}

// ---- Table ----

int VLPreferencesListViewController::numberOfSections(ui::TableView&) {
    return static_cast<int>(
        std::min<std::size_t>(settingsTableSections_.size(), std::numeric_limits<int>::max()));
}

int VLPreferencesListViewController::numberOfRowsInSection(ui::TableView&, int section) {
    if (section < 0 || static_cast<std::size_t>(section) >= settingsTableData_.size()) return 0;
    return static_cast<int>(std::min<std::size_t>(
        settingsTableData_[static_cast<std::size_t>(section)].size(), std::numeric_limits<int>::max()));
}

std::optional<double> VLPreferencesListViewController::heightForRowAtIndexPath(ui::TableView&,
                                                                               ui::IndexPath indexPath) {
    return VLPrefsRowType::forCellType(textOf(rowAt(indexPath), "CellType")).height;
}

std::optional<double> VLPreferencesListViewController::heightForHeaderInSection(ui::TableView&, int) {
    return kSectionHeaderHeight;
}

std::shared_ptr<ui::View> VLPreferencesListViewController::viewForHeaderInSection(ui::TableView& table,
                                                                                  int section) {
    if (section < 0 || static_cast<std::size_t>(section) >= settingsTableSections_.size()) return nullptr;
    const auto& model = *settingsTableSections_[static_cast<std::size_t>(section)];
    gfx::Color colour =
        model.accent ? VLColourString::colorWithListString(*model.accent) : gfx::Color::tertiaryLabel();
    auto container = ui::View::create();
    container->setFrame({0, 0, table.bounds().width, kSectionHeaderHeight});
    container->setClipsToBounds(true);
    auto label = ui::Label::create(model.title);
    label->setTextAlignment(gfx::TextAlignment::Left);
    label->setFont(gfx::Font::system(16, gfx::FontWeight::Semibold));
    label->setTextColor(colour);
    constexpr double kEdge = 23;
    constexpr double kBelowCentre = 5;
    if (model.showIcon) {
        auto icon = symbolView(model.icon, colour, {20, 20});
        container->addSubview(icon);
        extension::y(*icon, container->centerYAnchor(), kBelowCentre);
        extension::leading(*icon, container->leadingAnchor(), kEdge);
        container->addSubview(label);
        extension::leading(*label, icon->trailingAnchor(), 10);
    } else {
        container->addSubview(label);
        extension::leading(*label, container->leadingAnchor(), kEdge);
    }
    extension::y(*label, container->centerYAnchor(), kBelowCentre);
    extension::trailing(*label, container->trailingAnchor(), -kEdge);
    return container;
}

std::shared_ptr<ui::TableViewCell> VLPreferencesListViewController::cellForRowAtIndexPath(
    ui::TableView& table, ui::IndexPath indexPath) {
    const auto& row = rowAt(indexPath);
    const auto& type = VLPrefsRowType::forCellType(textOf(row, "CellType"));
    auto cell = table.dequeueReusableCell(std::string(type.reuseIdentifier));
    if (type.kind != Kind::Plain) configureCell(*cell, row, type);
    return cell;
}

void VLPreferencesListViewController::configureCell(ui::TableViewCell& cell, const base::Value& row,
                                                    const VLPrefsRowType& type) {
    cell.setBackgroundColor(gfx::Color::clear());
    cell.setSelectionStyle(ui::TableViewCellSelectionStyle::None);
    gfx::Color accent = rowAccent(row, accentColour_);
    gfx::Color tile = accent.withAlphaComponent(0.4);
    auto key = textOf(row, "Key");
    auto bundleID = textOf(row, "BID");
    auto id = prefsID(key, bundleID);

    if (auto* iconCell = dynamic_cast<VLPrefsIconCardCell*>(&cell)) {
        iconCell->iconView()->setBackgroundColor(tile);
        iconCell->icon()->setTintColor(accent);
        std::string symbol =
            row["Icon"].asString() ? *row["Icon"].asString() : std::string(type.defaultSymbol);
        showSymbol(*iconCell->icon(), symbol);
    }
    if (auto* card = dynamic_cast<VLPrefsCardCell*>(&cell)) card->titleLabel()->setText(textOf(row, "Title"));
    if (auto* subtitled = dynamic_cast<VLPrefsSubtitleCardCell*>(&cell)) {
        subtitled->subtitleLabel()->setText(textOf(row, "Subtitle"));
    }

    switch (type.kind) {
        case Kind::ColourPicker: {
            auto colour = store().objectForKey(key, base::Value(textOf(row, "DefaultColour")), id);
            as<VLPrefsColourPickerCell>(&cell)->colourView()->setBackgroundColor(
                VLColourString::colorWithListString(colour.asString() ? *colour.asString() : std::string()));
            break;
        }
        case Kind::Switch: {
            auto& toggle = *as<VLPrefsSwitchCell>(&cell)->toggleSwitch();
            toggle.setOnTintColor(accent);
            attachControl(cell, toggle, "switchChangedState");
            toggle.setOn(store().boolForKey(key, row["DefaultValue"].boolValue(), id), false);
            break;
        }
        case Kind::TintedButton: {
            auto& button = *as<VLPrefsTintedButtonCell>(&cell);
            button.baseView()->setBackgroundColor(tile);
            button.titleLabel()->setTextColor(accent);
            break;
        }
        case Kind::FontPicker:
            as<VLPrefsFontPickerCell>(&cell)->fontLabel()->setFont(
                store().fontForKey(key, kFontSampleSize, id));
            break;
        case Kind::TextField: {
            auto text = store().objectForKey(key, base::Value(textOf(row, "DefaultText")), id);
            as<VLPrefsTextFieldCell>(&cell)->textFieldLabel()->setText(text.asString() ? *text.asString()
                                                                                       : "");
            break;
        }
        case Kind::ImagePicker:
            as<VLPrefsImagePickerCell>(&cell)->preview()->setImage(
                store().thumbnailImageForKey(key, textOf(row, "DefaultImage"), id));
            break;
        case Kind::AvatarPicker:
            as<VLPrefsAvatarPickerCell>(&cell)->preview()->setImage(
                store().thumbnailImageForKey(key, textOf(row, "DefaultImage"), id));
            break;
        case Kind::Slider: {
            auto& slider = *as<VLPrefsSliderCell>(&cell);
            std::int64_t value =
                store().floatForKey(key, truncateToWhole(row["DefaultValue"].floatValue()), id);
            slider.valueLabel()->setText(lowBitsText(value));
            slider.slider()->setMinimumValue(row["MinValue"].floatValue());
            slider.slider()->setMaximumValue(row["MaxValue"].floatValue());
            slider.slider()->setValue(static_cast<float>(value));
            slider.slider()->setTintColor(accentColour_);
            attachControl(cell, *slider.slider(), "sliderValueChangedAction");
            break;
        }
        case Kind::Segment: {
            auto& segment = *as<VLPrefsSegmentCell>(&cell);
            segment.setSegments(titlesOf(row));
            segment.segment()->setSelectedSegmentTintColor(accentColour_);
            ui::SegmentedControl::appearance().setTitleTextAttributes(
                ui::TextAttributes{std::nullopt, gfx::Color::white(1)}, ui::ControlStateSelected);
            attachControl(cell, *segment.segment(), "segmentControlChanged");
            std::int64_t index = currentIndex(row);
            bool inRange = index >= 0 && index < segment.segment()->numberOfSegments();
            segment.segment()->setSelectedSegmentIndex(inRange ? static_cast<int>(index)
                                                               : ui::SegmentedControl::kNoSegment);
            break;
        }
        case Kind::Stepper: {
            auto& stepper = *as<VLPrefsStepperCell>(&cell);
            stepper.stepper()->setMinimumValue(static_cast<double>(row["MinValue"].longLongValue()));
            stepper.stepper()->setMaximumValue(static_cast<double>(row["MaxValue"].longLongValue()));
            stepper.stepper()->setStepValue(static_cast<double>(row["PlusValue"].longLongValue()));
            std::int64_t value = store().integerForKey(key, row["DefaultValue"].longLongValue(), id);
            stepper.stepper()->setValue(static_cast<double>(value));
            stepper.valueLabel()->setText(std::to_string(value));
            attachControl(cell, *stepper.stepper(), "stepperValueChanged");
            break;
        }
        case Kind::DatePicker: {
            auto& date = *as<VLPrefsDatePickerCell>(&cell);
            attachControl(cell, *date.datePicker(), "datePickerChanged");
            date.datePicker()->setTintColor(accentColour_);
            auto stored = store().objectForKey(key, id);
            base::Date shown = stored.asDate() ? *stored.asDate() : base::Clock::current()->currentDate();
            date.datePicker()->setDate(shown, false);
            date.valueLabel()->setText(formattedDate(shown));
            break;
        }
        case Kind::AppList:
            showApplications(*as<VLPrefsAppListCell>(&cell), store().objectForKey(key, id));
            break;
        case Kind::SingleSelection:
            as<VLPrefsSingleSelectionCell>(&cell)->valueLabel()->setText(
                titleAt(titlesOf(row), currentIndex(row)));
            break;
        case Kind::Hyperlink:
        case Kind::AppLink:
        case Kind::Button:
        case Kind::Plain:
            break;
    }
}

// The cell is the control's target: its action, registered once per cell, hands the control
// to the screen's handler, so a reused cell still reaches the handler once per change.
void VLPreferencesListViewController::attachControl(ui::TableViewCell& cell, ui::Control& control,
                                                    const std::string& action) {
    std::weak_ptr<ui::ViewController> weakSelf = sharedController();
    std::weak_ptr<ui::Control> weakControl =
        std::static_pointer_cast<ui::Control>(control.shared_from_this());
    cell.registerAction(action, [weakSelf, weakControl, action] {
        auto self = std::static_pointer_cast<VLPreferencesListViewController>(weakSelf.lock());
        auto sender = weakControl.lock();
        if (!self || !sender) return;
        if (auto* toggle = dynamic_cast<ui::Switch*>(sender.get())) self->switchChangedState(*toggle);
        if (auto* slider = dynamic_cast<ui::Slider*>(sender.get())) {
            self->sliderValueChangedAction(*slider, slider->currentTouchPhase());
        }
        if (auto* segment = dynamic_cast<ui::SegmentedControl*>(sender.get()))
            self->segmentControlChanged(*segment);
        if (auto* stepper = dynamic_cast<ui::Stepper*>(sender.get())) self->stepperValueChanged(*stepper);
        if (auto* date = dynamic_cast<ui::DatePicker*>(sender.get())) self->datePickerChanged(*date);
    });
    control.addTarget(cell.shared_from_this(), action, ui::ControlEventValueChanged);
}

// ---- Selection ----

void VLPreferencesListViewController::rememberRow(const base::Value& row, ui::IndexPath indexPath) {
    prefsIndexPathSection_ = indexPath.section;
    prefsIndexPathRow_ = indexPath.row;
    prefsKey_ = textOf(row, "Key");
    prefsBundleID_ = textOf(row, "BID");
    textFieldDefaultText_ = textOf(row, "DefaultText");
}

void VLPreferencesListViewController::didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) {
    const auto& row = rowAt(indexPath);
    rememberRow(row, indexPath);
    switch (VLPrefsRowType::forCellType(textOf(row, "CellType")).kind) {
        case Kind::ColourPicker:
            presentColourPicker(row);
            break;
        case Kind::TintedButton:
        case Kind::Button:
            sendRowAction(row);
            break;
        case Kind::FontPicker:
            presentFontPicker();
            break;
        case Kind::TextField: {
            auto text = store().objectForKey(prefsKey_, base::Value(textFieldDefaultText_),
                                             prefsID(prefsKey_, prefsBundleID_));
            presentTextFieldWithPlaceholder(textOf(row, "PlaceholderText"),
                                            text.asString() ? *text.asString() : "");
            break;
        }
        case Kind::Hyperlink:
            ui::Application::shared().openURL(textOf(row, "URL"));
            break;
        case Kind::AppLink:
            ui::Application::shared().openApplication(textOf(row, "URL"));
            break;
        case Kind::ImagePicker:
            presentImagePicker();
            break;
        case Kind::SingleSelection:
            presentSingleSelection(row);
            break;
        case Kind::AppList:
            presentApplicationPicker(row);
            break;
        case Kind::AvatarPicker:
            presentAvatarPicker();
            break;
        case Kind::Switch:
        case Kind::Slider:
        case Kind::Segment:
        case Kind::Stepper:
        case Kind::DatePicker:
        case Kind::Plain:
            break;
    }
}

// Deferred to the next pass of the main run loop, as the tap's own handling finishes first.
void VLPreferencesListViewController::sendRowAction(const base::Value& row) {
    auto action = textOf(row, "Action");
    if (!respondsToAction(action)) {
        base::Log::line("VLPreferencesListViewController: no action named \"" + action + "\"; ignored");
        return;
    }
    performAfterDelay(action, Duration::zero());
}

void VLPreferencesListViewController::presentColourPicker(const base::Value& row) {
    auto stored = store().objectForKey(prefsKey_, base::Value(textOf(row, "DefaultColour")),
                                       prefsID(prefsKey_, prefsBundleID_));
    auto picker = ui::ColorPickerViewController::create();
    picker->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
    picker->setSelectedColor(
        VLColourString::colorWithListString(stored.asString() ? *stored.asString() : ""));
    picker->setTitle("Vellium Colour Picker");
    picker->view()->setTintColor(accentColour_);
    present(picker, true);
}

void VLPreferencesListViewController::presentFontPicker() {
    auto picker =
        ui::FontPickerViewController::create({.includeFaces = true, .displayUsingSystemFont = true});
    picker->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
    picker->view()->setTintColor(accentColour_);
    present(picker, true);
}

void VLPreferencesListViewController::presentImagePicker() {
    auto picker = ui::ImagePickerController::create();
    picker->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
    picker->setSourceType(ui::ImagePickerController::SourceType::PhotoLibrary);
    present(picker, true);
}

void VLPreferencesListViewController::presentApplicationPicker(const base::Value& row) {
    auto picker = VLAppListViewController::initWithKey(prefsKey_, prefsBundleID_, row["LimitApp"].boolValue(),
                                                       row["MaximumApp"].longLongValue());
    picker->setAppsArray(appsListArray_);
    picker->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
    present(picker, true);
}

void VLPreferencesListViewController::presentAvatarPicker() {
    auto picker =
        VLAvatarIdentityPickerViewController::initWithTitle("Avatar", true, gfx::Image(), accentColour_);
    picker->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
    present(picker, true);
}

void VLPreferencesListViewController::presentSingleSelection(const base::Value& row) {
    auto picker = VLPrefsSingleSelectionViewController::create(prefsKey_, prefsBundleID_, titlesOf(row),
                                                               currentIndex(row), textOf(row, "NavTitle"));
    picker->setDelegate(std::static_pointer_cast<VLPreferencesListViewController>(sharedController()));
    present(picker, true);
}

// ---- Picker results ----

std::shared_ptr<ui::TableViewCell> VLPreferencesListViewController::rememberedCell() const {
    if (!tableView_) return nullptr;
    if (prefsIndexPathSection_ < 0 || prefsIndexPathRow_ < 0 ||
        prefsIndexPathSection_ > std::numeric_limits<int>::max() ||
        prefsIndexPathRow_ > std::numeric_limits<int>::max()) {
        return nullptr;
    }
    return tableView_->cellForRowAtIndexPath(
        ui::IndexPath{static_cast<int>(prefsIndexPathSection_), static_cast<int>(prefsIndexPathRow_)});
}

void VLPreferencesListViewController::storeColour(const gfx::Color& colour) {
    if (auto* cell = as<VLPrefsColourPickerCell>(rememberedCell().get()))
        cell->colourView()->setBackgroundColor(colour);
    store().setObject(base::Value(VLColourString::hexStringFromColor(colour)), prefsKey_,
                      prefsID(prefsKey_, prefsBundleID_));
    preferencesDidChangedNotification(prefsBundleID_);
}

void VLPreferencesListViewController::colorPickerViewControllerDidSelectColor(
    ui::ColorPickerViewController& picker) {
    storeColour(picker.selectedColor());
}

void VLPreferencesListViewController::colorPickerViewControllerDidFinish(
    ui::ColorPickerViewController& picker) {
    storeColour(picker.selectedColor());
}

void VLPreferencesListViewController::fontPickerViewControllerDidPickFont(
    ui::FontPickerViewController& picker) {
    auto id = prefsID(prefsKey_, prefsBundleID_);
    if (const auto& descriptor = picker.selectedFontDescriptor())
        store().setObject(*descriptor, prefsKey_, id);
    if (auto* cell = as<VLPrefsFontPickerCell>(rememberedCell().get())) {
        cell->fontLabel()->setFont(store().fontForKey(prefsKey_, kFontSampleSize, id));
    }
    picker.dismiss(true);
    preferencesDidChangedNotification(prefsBundleID_);
}

void VLPreferencesListViewController::storeImage(const gfx::Image& image) {
    auto cell = rememberedCell();
    if (auto* picker = as<VLPrefsImagePickerCell>(cell.get())) picker->preview()->setImage(image);
    if (auto* avatar = as<VLPrefsAvatarPickerCell>(cell.get())) avatar->preview()->setImage(image);
    auto id = prefsID(prefsKey_, prefsBundleID_);
    store().setImage(image, prefsKey_, id);
    store().setThumbnailImage(image, prefsKey_, id);
    preferencesDidChangedNotification(prefsBundleID_);
}

void VLPreferencesListViewController::imagePickerControllerDidFinishPickingMediaWithInfo(
    ui::ImagePickerController& picker, const ui::ImagePickerInfo& info) {
    storeImage(info.originalImage);
    picker.dismiss(true);
}

void VLPreferencesListViewController::imagePickerControllerDidCancel(ui::ImagePickerController& picker) {
    picker.dismiss(true);
}

void VLPreferencesListViewController::didCreatedAvatar(const gfx::Image& image) { storeImage(image); }

void VLPreferencesListViewController::didDismissedAvatarPicker() {
    base::Log::line("Avatar picker dismissed");
}

void VLPreferencesListViewController::appPickerDidSelectedApps() {
    auto chosen = store().objectForKey(prefsKey_, prefsID(prefsKey_, prefsBundleID_));
    if (auto* cell = as<VLPrefsAppListCell>(rememberedCell().get())) showApplications(*cell, chosen);
    preferencesDidChangedNotification(prefsBundleID_);
}

void VLPreferencesListViewController::singleSelectionDidSelectedOptions(std::int64_t index) {
    ui::IndexPath position{static_cast<int>(prefsIndexPathSection_), static_cast<int>(prefsIndexPathRow_)};
    if (auto* cell = as<VLPrefsSingleSelectionCell>(rememberedCell().get())) {
        cell->valueLabel()->setText(titleAt(titlesOf(rowAt(position)), index));
    }
    preferencesDidChangedNotification(prefsBundleID_);
}

// ---- Control handlers ----

const base::Value& VLPreferencesListViewController::rowOfControl(const ui::View& control) const {
    for (auto view = control.superview(); view; view = view->superview()) {
        if (auto* cell = dynamic_cast<ui::TableViewCell*>(view.get())) {
            auto position = tableView_ ? tableView_->indexPathForCell(*cell) : std::nullopt;
            return position ? rowAt(*position) : base::Value::absent();
        }
    }
    return base::Value::absent();
}

void VLPreferencesListViewController::switchChangedState(ui::Switch& sender) {
    const auto& row = rowOfControl(sender);
    auto key = textOf(row, "Key");
    auto bundleID = textOf(row, "BID");
    store().setBool(sender.isOn(), key, prefsID(key, bundleID));
    preferencesDidChangedNotification(bundleID);
}

void VLPreferencesListViewController::sliderValueChangedAction(ui::Slider& sender,
                                                               std::optional<ui::TouchPhase> phase) {
    std::int64_t value = truncateToWhole(sender.value());
    const auto& row = rowOfControl(sender);
    if (phase == ui::TouchPhase::Moved) {
        for (auto view = sender.superview(); view; view = view->superview()) {
            if (auto* cell = dynamic_cast<VLPrefsSliderCell*>(view.get())) {
                cell->valueLabel()->setText(lowBitsText(value));
                break;
            }
        }
    } else if (phase == ui::TouchPhase::Ended) {
        auto key = textOf(row, "Key");
        auto bundleID = textOf(row, "BID");
        store().setFloat(value, key, prefsID(key, bundleID));
        preferencesDidChangedNotification(bundleID);
    }
}

void VLPreferencesListViewController::segmentControlChanged(ui::SegmentedControl& sender) {
    const auto& row = rowOfControl(sender);
    auto key = textOf(row, "Key");
    auto bundleID = textOf(row, "BID");
    store().setInteger(sender.selectedSegmentIndex(), key, prefsID(key, bundleID));
    preferencesDidChangedNotification(bundleID);
}

void VLPreferencesListViewController::stepperValueChanged(ui::Stepper& sender) {
    std::int64_t value = truncateToWhole(sender.value());
    for (auto view = sender.superview(); view; view = view->superview()) {
        if (auto* cell = dynamic_cast<VLPrefsStepperCell*>(view.get())) {
            cell->valueLabel()->setText(lowBitsText(value));
            break;
        }
    }
    const auto& row = rowOfControl(sender);
    auto key = textOf(row, "Key");
    auto bundleID = textOf(row, "BID");
    store().setInteger(value, key, prefsID(key, bundleID));
    preferencesDidChangedNotification(bundleID);
}

// Dates are not announced: a tweak reads them when it needs them.
void VLPreferencesListViewController::datePickerChanged(ui::DatePicker& sender) {
    for (auto view = sender.superview(); view; view = view->superview()) {
        if (auto* cell = dynamic_cast<VLPrefsDatePickerCell*>(view.get())) {
            cell->valueLabel()->setText(formattedDate(sender.date()));
            break;
        }
    }
    const auto& row = rowOfControl(sender);
    auto key = textOf(row, "Key");
    auto bundleID = textOf(row, "BID");
    store().setObject(base::Value(sender.date()), key, prefsID(key, bundleID));
}

// ---- Notices and haptics ----

void VLPreferencesListViewController::preferencesDidChangedNotification(const std::string& bundleID) {
    if (bundleID.empty()) return;
    base::DistributedNotificationCenter::defaultCenter().post(bundleID + "/PrefsChanged");
}

void VLPreferencesListViewController::beginHapticFeedback() {
    haptic_ = sys::ImpactFeedbackGenerator::create(sys::ImpactFeedbackGenerator::Style::Light);
    haptic_->impactOccurred();
}
