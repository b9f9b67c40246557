#include <gtest/gtest.h>

#include "PrefsListScreen.h"
#include "base/Calendar.h"
#include "base/DistributedNotificationCenter.h"
#include "base/NotificationCenter.h"
#include "host/ViewTreeJson.h"
#include "pickers/applist/VLAppListViewController.h"
#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"
#include "pickers/singleselection/VLPrefsSingleSelectionViewController.h"
#include "prefslist/cells/VLPrefsAvatarPickerCell.h"
#include "prefslist/cells/VLPrefsDatePickerCell.h"
#include "prefslist/cells/VLPrefsSliderCell.h"
#include "prefslist/cells/VLPrefsSwitchCell.h"
#include "prefslist/cells/VLPrefsTextFieldCell.h"
#include "store/VLPrefsManager.h"
#include "support/ChildProcess.h"
#include "support/GoldenText.h"
#include "ui/ColorPickerViewController.h"
#include "ui/KeyboardNotifications.h"

namespace {

using testsupport::ChildProcess;

const char* kHeader = "VLPrefsSectionHeaderCell";

class PrefsListTest : public PrefsListScreen {
protected:
    base::Value header(const char* title) { return row({{"CellType", kHeader}, {"Title", title}}); }
    base::Value valueRow(const char* type, const char* key, const char* title) {
        return row({{"CellType", type}, {"Title", title}, {"Key", key}, {"BID", kID}});
    }
    std::vector<std::size_t> rowCounts() {
        std::vector<std::size_t> counts;
        for (const auto& rows : screen->settingsTableData()) counts.push_back(rows.size());
        return counts;
    }
    ::testing::AssertionResult matchesGolden(const char* name) {
        return GoldenText::matches(host::ViewTreeJson::describe(*window) + "\n",
                                   std::filesystem::path(VK_LIST_GOLDEN_DIR) / (std::string(name) + ".json"));
    }
    template <class Cell>
    Cell& cellAt(int section, int row) {
        auto cell = screen->tableView()->cellForRowAtIndexPath({section, row});
        return dynamic_cast<Cell&>(*cell);
    }
};

TEST_F(PrefsListTest, SectionsFollowTheHeaders) {
    base::Value other = row({{"CellType", "VLPrefsButtonCell"}});
    struct Case {
        const char* name;
        base::Value::Array rows;
        std::vector<std::size_t> counts;
        std::size_t logLines;
    };
    const Case cases[] = {
        {"header, two rows, header, header, one row",
         {header("A"), other, other, header("B"), header("C"), other},
         {2, 0, 1},
         0},
        {"rows before the first header open an untitled section", {other, header("A"), other}, {1, 1}, 0},
        {"an entry that is not a dictionary is skipped", {header("A"), base::Value("text"), other}, {1}, 1},
    };
    navigation->pushViewController(screen, false);
    settle();
    for (const auto& c : cases) {
        writeDocument(c.rows);
        logLines_.clear();
        configure("Demo");
        EXPECT_EQ(rowCounts(), c.counts) << c.name;
        EXPECT_EQ(logLines_.size(), c.logLines) << c.name;
    }
    // A second document replaces the first.
    writeDocument({header("Only"), other}, "Second");
    configure("Second");
    EXPECT_EQ(rowCounts(), std::vector<std::size_t>{1});
    EXPECT_EQ(screen->settingsTableSections()[0]->title, "Only");
}

// Every row type once, with the headings' colour variants, at rest.
TEST_F(PrefsListTest, ListAtRestMatchesItsGolden) {
    auto& store = VLPrefsManager::sharedInstance();
    store.setFloat(0, "blur", kID);  // a stored 0 shows the default
    store.setInteger(2, "quality", kID);
    store.setObject(base::Value(base::Value::Array{"a.one", "a.two", "a.three", "a.four", "a.five"}), "apps",
                    kID);
    store.setObject(base::Value(base::Value::Array{"b.one", "b.two", "b.three"}), "fewApps", kID);
    store.setObject(base::Value(base::Calendar::date({2024, 3, 5, 14, 7, 0, 1}, base::TimeZone::local())),
                    "when", kID);
    base::Value slider = valueRow("VLPrefsSliderCell", "blur", "Blur");
    slider.set("DefaultValue", 3.7);
    slider.set("MinValue", 0.0);
    slider.set("MaxValue", 10.0);
    base::Value stepper = valueRow("VLPrefsStepperCell", "columns", "Columns");
    stepper.set("DefaultValue", 4);
    stepper.set("MaxValue", 6);
    stepper.set("PlusValue", 1);
    base::Value quality = valueRow("VLPrefsSingleSelectionCell", "quality", "Quality");
    quality.set("ValidTitles", base::Value::Array{"Low", "Medium", "High"});
    base::Value segment = valueRow("VLPrefsSegmentCell", "style", "Style");
    segment.set("ValidTitles", base::Value::Array{"One", "Two"});
    segment.set("DefaultValue", 5);  // outside the titles: no segment marked
    base::Value pink = valueRow("VLPrefsSwitchCell", "on", "Enabled");
    pink.set("AccentColour", "pink");
    base::Value screenAccent = valueRow("VLPrefsFontPickerCell", "font", "Font");
    screenAccent.set("AccentColour", "");
    base::Value iconHeader = row({{"CellType", kHeader},
                                  {"Title", "Teal"},
                                  {"AccentColour", "teal"},
                                  {"ShowIcon", true},
                                  {"Icon", "paintpalette.fill"}});
    writeDocument(
        {row({{"CellType", kHeader}, {"Title", "Plain"}}), pink, slider, stepper, segment,
         row({{"CellType", kHeader}, {"Title", "Empty"}, {"AccentColour", ""}}), screenAccent,
         valueRow("VLPrefsDatePickerCell", "when", "When"), iconHeader, quality,
         valueRow("VLPrefsAppListCell", "apps", "Five Apps"),
         valueRow("VLPrefsAppListCell", "fewApps", "Three Apps"),
         row({{"CellType", kHeader}, {"Title", "Green hex"}, {"AccentColour", "#00FF00"}}),
         row({{"CellType", "VLPrefsMysteryCell"}, {"Title", "Unknown"}}),
         row({{"CellType", "VLPrefsTintedButtonCell"}, {"Title", "Reset"}, {"AccentColour", "red"}})});
    open();
    EXPECT_TRUE(matchesGolden("list-at-rest"));
    screen->tableView()->setContentOffset({0, 600});
    settle();
    EXPECT_TRUE(matchesGolden("list-scrolled"));
}

TEST_F(PrefsListTest, HeaderBlurFollowsTheOffset) {
    writeDocument({header("A")});
    open();
    struct Case {
        double offset, alpha;
    };
    for (auto [offset, alpha] : {Case{-100, 0}, Case{-89, 1}, Case{-90, 0}, Case{200, 1}}) {
        screen->tableView()->setContentOffset({0, offset});
        settle();
        EXPECT_EQ(screen->navBlurView()->alpha(), alpha) << offset;
    }
}

TEST_F(PrefsListTest, SliderStoresOnReleaseOnly) {
    base::Value slider = valueRow("VLPrefsSliderCell", "blur", "Blur");
    slider.set("DefaultValue", 3.2);
    slider.set("MaxValue", 10.0);
    writeDocument({header("A"), slider});
    open();
    auto& cell = cellAt<VLPrefsSliderCell>(0, 0);
    auto& control = *cell.slider();
    auto trackPoint = [&](double value) {
        auto thumb = control.thumbRect();
        double travel = control.bounds().width - thumb.width;
        return control.convertPoint({thumb.width / 2 + travel * value / 10, thumb.y + thumb.height / 2},
                                    nullptr);
    };
    std::vector<std::string> shown;
    touch(ui::TouchPhase::Began, trackPoint(3.2));
    for (double value = 3.2; value < 7.95; value += 0.5) {
        clock->advance(std::chrono::milliseconds(16));
        touch(ui::TouchPhase::Moved, trackPoint(std::min(value, 7.9)));
        if (shown.empty() || shown.back() != cell.valueLabel()->text())
            shown.push_back(cell.valueLabel()->text());
    }
    EXPECT_TRUE(fileContent(kID).isAbsent()) << "nothing stored while moving";
    touch(ui::TouchPhase::Ended, trackPoint(7.9));
    EXPECT_EQ(shown, (std::vector<std::string>{"3", "4", "5", "6", "7"}));
    EXPECT_EQ(fileContent(kID)["blur"], base::Value(7));

    touch(ui::TouchPhase::Began, trackPoint(7.9));
    touch(ui::TouchPhase::Moved, trackPoint(2));
    touch(ui::TouchPhase::Cancelled, trackPoint(2));
    EXPECT_EQ(fileContent(kID)["blur"], base::Value(7)) << "a cancelled drag stores nothing";
}

// Switch changes are announced once each; date and text changes are not; a row without a key
// writes nothing.
TEST_F(PrefsListTest, AnotherProcessHearsSwitchNoticesOnly) {
    base::Value text = valueRow("VLPrefsTextFieldCell", "greeting", "Greeting");
    text.set("DefaultText", "Hello");
    base::Value keyless = row({{"CellType", "VLPrefsSwitchCell"}, {"BID", "com.example.keyless"}});
    writeDocument({header("A"), valueRow("VLPrefsSwitchCell", "on", "Enabled"),
                   valueRow("VLPrefsDatePickerCell", "when", "When"), text, keyless});
    open();
    const std::string notice = std::string(kID) + "/PrefsChanged";
    ChildProcess watcher({VK_NOTICE_WATCHER, notice, "test.stop"}, ChildProcess::Errors::Inherit);
    ASSERT_EQ(watcher.readOutputLine(), "ready");

    auto& toggle = *cellAt<VLPrefsSwitchCell>(0, 0).toggleSwitch();
    tap(toggle);
    tap(toggle);
    auto& date = *cellAt<VLPrefsDatePickerCell>(0, 1).datePicker();
    date.userDidPickDate(base::Calendar::date({2025, 1, 2, 8, 30, 0, 1}, base::TimeZone::local()));
    tapText("Hello");
    screen->textField()->insertText(" there");
    tap(*screen->textFieldDismissButton());
    tap(*cellAt<VLPrefsSwitchCell>(0, 3).toggleSwitch());
    base::DistributedNotificationCenter::defaultCenter().post("test.stop");

    EXPECT_EQ(watcher.readAllOutput(), notice + "\n" + notice + "\n");
    EXPECT_EQ(watcher.wait(), 0);
    auto file = fileContent(kID);
    EXPECT_EQ(file["on"], base::Value(false));
    EXPECT_TRUE(file["when"].asDate());
    EXPECT_EQ(file["greeting"], base::Value("Hello there"));
    EXPECT_FALSE(std::filesystem::exists(preferenceFile("com.example.keyless")));
}

TEST_F(PrefsListTest, TextPanelDimsTheTableAndRestsOnTheKeyboard) {
    window = ui::Window::create({390, 800});
    window->setRootViewController(navigation);
    base::Value text = valueRow("VLPrefsTextFieldCell", "greeting", "Greeting");
    text.set("DefaultText", "Hello");
    base::Value bare = valueRow("VLPrefsTextFieldCell", "name", "Name");
    writeDocument({header("A"), text, bare});
    VLPrefsManager::sharedInstance().setObject(base::Value("Typed"), "greeting", kID);
    VLPrefsManager::sharedInstance().setObject(base::Value("Someone"), "name", kID);
    open();
    tapText("Typed");
    EXPECT_EQ(screen->tableView()->alpha(), 0.3);
    EXPECT_FALSE(screen->tableView()->isUserInteractionEnabled());
    base::Value info;
    info.set(ui::kKeyboardFrameEndUserInfoKey, ui::keyboardFrameValue({0, 500, 390, 300}));
    base::NotificationCenter::defaultCenter().post(ui::kKeyboardWillShowNotification, nullptr, info);
    settle();
    EXPECT_EQ(screen->textFieldView()->frame().y, 435);
    EXPECT_TRUE(matchesGolden("text-panel-open"));

    // Cleared and confirmed: the default text comes back.
    for (int i = 0; i < 5; ++i) screen->textField()->deleteBackward();
    tap(*screen->textFieldDismissButton());
    EXPECT_EQ(screen->tableView()->alpha(), 1);
    EXPECT_EQ(cellAt<VLPrefsTextFieldCell>(0, 0).textFieldLabel()->text(), "Hello");
    EXPECT_EQ(fileContent(kID)["greeting"], base::Value("Hello"));

    // Without a default text an empty entry removes the value.
    tapText("Someone");
    for (int i = 0; i < 7; ++i) screen->textField()->deleteBackward();
    tap(*screen->textFieldDismissButton());
    EXPECT_TRUE(fileContent(kID)["name"].isAbsent());
    EXPECT_EQ(cellAt<VLPrefsTextFieldCell>(0, 1).textFieldLabel()->text(), "");
}

TEST_F(PrefsListTest, ColourPickerStoresWhatItShows) {
    base::Value colour = valueRow("VLPrefsColourPickerCell", "tint", "Tint");
    colour.set("DefaultColour", "00FF00");
    writeDocument({header("A"), colour});
    open();
    tapText("Tint");
    auto picker = std::dynamic_pointer_cast<ui::ColorPickerViewController>(screen->presentedViewController());
    ASSERT_TRUE(picker);
    tap(*picker->closeButton());
    EXPECT_EQ(fileContent(kID)["tint"], base::Value("00FF00")) << "closing stores the colour shown";

    tapText("Tint");
    picker = std::dynamic_pointer_cast<ui::ColorPickerViewController>(screen->presentedViewController());
    ASSERT_TRUE(picker);
    picker->setSelectedColor({1, 0.5, 0, 0.5});
    tap(*picker->closeButton());
    EXPECT_EQ(fileContent(kID)["tint"], base::Value("FF8000"));
}

TEST_F(PrefsListTest, SingleSelectionOpensOnTheCurrentIndex) {
    base::Value quality = valueRow("VLPrefsSingleSelectionCell", "quality", "Quality");
    quality.set("ValidTitles", base::Value::Array{"Low", "Medium", "High"});
    quality.set("DefaultValue", 1);
    writeDocument({header("A"), quality});
    open();
    for (auto [stored, marked] : {std::pair<int, int>{-1, 1}, {2, 2}}) {
        if (stored >= 0) VLPrefsManager::sharedInstance().setInteger(stored, "quality", kID);
        tapText("Quality");
        auto picker = std::dynamic_pointer_cast<VLPrefsSingleSelectionViewController>(
            screen->presentedViewController());
        ASSERT_TRUE(picker);
        EXPECT_EQ(picker->selectedIndex(), marked);
        picker->dismissVC();
        settle();
    }
}

TEST_F(PrefsListTest, ApplicationRowsOpenTheApplicationPickerReportingToTheScreen) {
    base::Value apps = valueRow("VLPrefsAppListCell", "apps", "Favourite Apps");
    apps.set("LimitApp", true);
    apps.set("MaximumApp", 3);
    writeDocument({header("A"), apps});
    open();
    tapText("Favourite Apps");
    auto picker = std::dynamic_pointer_cast<VLAppListViewController>(screen->presentedViewController());
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->appsArray(), screen->appsListArray());
    EXPECT_EQ(picker->delegate().get(), static_cast<VLAppListPickerProtocol*>(screen.get()));
}

// The avatar row opens the picker on the default face in the list's accent; the confirmed
// image lands in the row, the preference file and the thumbnail file.
TEST_F(PrefsListTest, AvatarRowsOpenTheAvatarPickerAndStoreWhatItReturns) {
    writeDocument({header("A"), valueRow("VLPrefsAvatarPickerCell", "face", "Profile Picture")});
    open();
    tapText("Profile Picture");
    auto picker =
        std::dynamic_pointer_cast<VLAvatarIdentityPickerViewController>(screen->presentedViewController());
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->titleString(), "Avatar");
    EXPECT_TRUE(picker->useDefaultAvatarImage());
    EXPECT_EQ(picker->accentColour(), screen->accentColour());
    auto preset = picker->collectionView()->cellForItemAtIndexPath(
        ui::IndexPath::forItem(0, VLAvatarIdentityPickerViewController::kPresetsSection));
    ASSERT_TRUE(preset);
    tap(*preset);
    tap(*picker->headerView()->rightButton());
    auto stored = VLPrefsManager::sharedInstance().imageForKey("face", "", kID);
    ASSERT_FALSE(stored.isNull());
    EXPECT_EQ(stored.pixelWidth(), 220);
    EXPECT_FALSE(VLPrefsManager::sharedInstance().thumbnailImageForKey("face", "", kID).isNull());
    EXPECT_FALSE(cellAt<VLPrefsAvatarPickerCell>(0, 0).preview()->image().isNull());
}

TEST_F(PrefsListTest, TintedButtonsPressAndActionsRunByName) {
    int resets = 0;
    screen->registerAction("resetSettings", [&] { ++resets; });
    writeDocument(
        {header("A"),
         row({{"CellType", "VLPrefsTintedButtonCell"}, {"Title", "Reset"}, {"Action", "resetSettings"}}),
         row({{"CellType", "VLPrefsButtonCell"}, {"Title", "Nothing"}, {"Action", "noSuchAction"}})});
    open();
    struct Case {
        const char* title;
        double scale, alpha;
    };
    for (auto [title, scale, alpha] : {Case{"Reset", 0.97, 0.5}, Case{"Nothing", 1, 1}}) {
        auto cell = screen->tableView()->cellForRowAtIndexPath({0, std::string(title) == "Reset" ? 0 : 1});
        touch(ui::TouchPhase::Began, centreOf(*labelShowing(title)));
        settle();
        EXPECT_DOUBLE_EQ(cell->transform().a, scale) << title;
        EXPECT_DOUBLE_EQ(cell->alpha(), alpha) << title;
        logLines_.clear();
        touch(ui::TouchPhase::Ended, centreOf(*labelShowing(title)));
        settle();
        EXPECT_DOUBLE_EQ(cell->alpha(), 1);
    }
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(logLines_.size(), 1u) << "an unknown action is logged once";
}

TEST_F(PrefsListTest, BackButtonPops) {
    writeDocument({header("A")});
    open();
    EXPECT_EQ(screen->navTitle()->text(), "Demo Settings");
    tapAt({15 + 17.5, 90 - 12 - 17.5});
    EXPECT_EQ(navigation->topViewController(), home);
}

}  // namespace
