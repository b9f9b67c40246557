#include <gtest/gtest.h>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "kit/store/PrefsTestRoot.h"
#include "pickers/applist/VLAppIconCache.h"
#include "pickers/applist/VLAppListCell.h"
#include "pickers/applist/VLAppListViewController.h"
#include "store/VLPrefsManager.h"
#include "ui/AlertController.h"
#include "ui/MenuPopover.h"
#include "ui/Window.h"
#include "uikit/VLPrefsAppearance.h"

namespace {

using base::Value;
using Ids = std::vector<std::string>;

constexpr const char* kKey = "enabledApps";
constexpr const char* kID = "com.example.tweak";

struct CountingDelegate : VLAppListPickerProtocol {
    void appPickerDidSelectedApps() override { storedAtReport.push_back(storedValue()); }
    static Value storedValue() { return VLPrefsManager::sharedInstance().objectForKey(kKey, kID); }
    std::vector<Value> storedAtReport;
};

Value record(const std::string& bundleID, const std::string& name) {
    return Value(Value::Dictionary{{"bundleID", bundleID}, {"name", name}});
}

// Sorted by name, as the application list hands them over.
Value::Array applications() {
    return {record("org.example.apricot", "Apricot"),
            record("org.example.banana", "banana"),
            record("org.example.cherry", "Cherry"),
            record("org.example.grape", "Grape"),
            record("org.example.Nameless", "org.example.Nameless"),
            record("com.snap.maps", "Snap Maps")};
}

Value storedIds(const Ids& ids) { return Value(Value::Array(ids.begin(), ids.end())); }

// A picker presented over a screen of a phone-sized window on a manual clock, driven by
// touches and typing.
class AppListTest : public PrefsTestRoot {
protected:
    void SetUp() override {
        PrefsTestRoot::SetUp();
        base::Clock::setCurrent(clock);
        window->setRootViewController(home);
    }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(5));
        base::Clock::setCurrent(nullptr);
        PrefsTestRoot::TearDown();
    }

    void open(bool isLimit = false, std::int64_t limit = 0, Value::Array apps = applications()) {
        picker = VLAppListViewController::initWithKey(kKey, kID, isLimit, limit);
        picker->setAppsArray(std::move(apps));
        picker->setDelegate(delegate);
        home->present(picker, true);
        settle();
    }
    void settle() { base::RunLoop::main().runFor(std::chrono::milliseconds(800)); }

    gfx::Point centreOf(const ui::View& view) {
        window->layoutIfNeeded();
        return view.convertPoint({view.bounds().width / 2, view.bounds().height / 2}, nullptr);
    }
    void tapAt(gfx::Point at) {
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, at));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, at));
        settle();
    }
    void tap(const ui::View& view) { tapAt(centreOf(view)); }
    // Taps the row showing `name`.
    void tapApp(const std::string& name) {
        for (int row = 0; row < picker->tableView()->numberOfRowsInSection(0); ++row) {
            if (cell(row)->titleLabel()->text() == name) return tap(*cell(row));
        }
        ADD_FAILURE() << "no row shows " << name;
    }
    void type(const std::string& text) {
        tap(*picker->searchTextField());
        picker->searchTextField()->insertText(text);
        settle();
    }
    std::shared_ptr<VLAppListCell> cell(int row) {
        window->layoutIfNeeded();
        return std::static_pointer_cast<VLAppListCell>(
            picker->tableView()->cellForRowAtIndexPath(ui::IndexPath::forRow(row, 0)));
    }
    std::vector<std::string> shownNames() {
        std::vector<std::string> names;
        for (const auto& app : picker->appsArray()) names.push_back(*app["name"].asString());
        return names;
    }
    Ids checkedNames() {
        Ids names;
        for (int row = 0; row < picker->tableView()->numberOfRowsInSection(0); ++row) {
            if (cell(row)->checkmark()->alpha() > 0) names.push_back(cell(row)->titleLabel()->text());
        }
        return names;
    }
    std::shared_ptr<ui::AlertController> alert() {
        return std::dynamic_pointer_cast<ui::AlertController>(picker->presentedViewController());
    }
    std::shared_ptr<ui::MenuPopover> popover() {
        for (const auto& overlay : window->overlays()) {
            if (auto menu = std::dynamic_pointer_cast<ui::MenuPopover>(overlay)) return menu;
        }
        return nullptr;
    }
    Ids menuTitles() {
        Ids titles;
        for (const auto& item : popover()->card()->subviews())
            titles.push_back(*std::static_pointer_cast<ui::Button>(item)->currentTitle());
        return titles;
    }
    void chooseFromMenu(const std::string& title) {
        tap(*picker->moreButton());
        ASSERT_TRUE(popover());
        for (const auto& item : popover()->card()->subviews()) {
            if (std::static_pointer_cast<ui::Button>(item)->currentTitle() == title) return tap(*item);
        }
        ADD_FAILURE() << "no menu item " << title;
    }
    bool confirmShown() { return picker->headerView()->rightButton()->alpha() > 0; }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<CountingDelegate> delegate = std::make_shared<CountingDelegate>();
    std::shared_ptr<VLAppListViewController> picker;
};

// Each case opens on a stored selection, taps applications by name in turn and expects,
// after each tap, the selection and whether the limit alert came up.
TEST_F(AppListTest, TapsToggleInTapOrderAndTheLimitOnlyLetsAFullSelectionShrink) {
    struct Step {
        std::string tapped;
        Ids selection;
        bool alerted;
    };
    struct Case {
        const char* name;
        std::int64_t limit;  // 0: no limit
        Ids stored;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"unlimited keeps tap order",
         0,
         {},
         {{"Grape", {"org.example.grape"}, false},
          {"Apricot", {"org.example.grape", "org.example.apricot"}, false},
          {"Grape", {"org.example.apricot"}, false}}},
        {"a fourth tap at a limit of three",
         3,
         {"org.example.apricot", "org.example.banana", "org.example.cherry"},
         {{"Grape", {"org.example.apricot", "org.example.banana", "org.example.cherry"}, true},
          {"banana", {"org.example.apricot", "org.example.cherry"}, false},
          {"Grape", {"org.example.apricot", "org.example.cherry", "org.example.grape"}, false}}},
        {"a stored selection above the limit",
         2,
         {"org.example.apricot", "org.example.banana", "org.example.cherry"},
         {{"Grape", {"org.example.apricot", "org.example.banana", "org.example.cherry"}, true},
          {"Apricot", {"org.example.banana", "org.example.cherry"}, false},
          {"Grape", {"org.example.banana", "org.example.cherry"}, true},
          {"Cherry", {"org.example.banana"}, false},
          {"Grape", {"org.example.banana", "org.example.grape"}, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VLPrefsManager::sharedInstance().setObject(storedIds(c.stored), kKey, kID);
        open(c.limit > 0, c.limit);
        EXPECT_FALSE(confirmShown());
        for (const auto& step : c.steps) {
            SCOPED_TRACE(step.tapped);
            tapApp(step.tapped);
            EXPECT_EQ(picker->selectedAppsArray(), step.selection);
            EXPECT_EQ(alert() != nullptr, step.alerted);
            // Even a refused tap counts as a change.
            EXPECT_TRUE(confirmShown());
            EXPECT_TRUE(picker->isModalInPresentation());
            if (auto shown = alert()) {
                EXPECT_EQ(shown->title(), "\U0001F615");
                EXPECT_EQ(shown->message(),
                          "Sorry you can only select up to " + std::to_string(c.limit) + " apps...");
                tap(*shown->actionButtons().at(0));
                EXPECT_FALSE(alert());
            }
        }
        picker->dismiss(false);
        settle();
    }
}

TEST_F(AppListTest, SearchMatchesNamesOnlyAndSelectAllTakesTheWholeList) {
    open();
    type("AP");
    // "Snap Maps" by its name; "org.example.apricot" is not found for "example" below.
    EXPECT_EQ(shownNames(), (Ids{"Apricot", "Grape", "Snap Maps"}));
    picker->searchTextField()->clear();
    type("example");
    EXPECT_EQ(shownNames(), (Ids{"org.example.Nameless"}));
    tap(*picker->dismissKeyboardButton());
    chooseFromMenu("Select All");
    EXPECT_FALSE(popover());
    EXPECT_EQ(checkedNames(), (Ids{"org.example.Nameless"}));
    tap(*picker->headerView()->rightButton());
    EXPECT_EQ(fileContent(kID)[kKey],
              storedIds({"org.example.apricot", "org.example.banana", "org.example.cherry",
                         "org.example.grape", "org.example.Nameless", "com.snap.maps"}));
    ASSERT_EQ(delegate->storedAtReport.size(), 1u);
    EXPECT_EQ(delegate->storedAtReport[0], fileContent(kID)[kKey]) << "reported after storing";
}

TEST_F(AppListTest, TheLimitedMenuOnlyDeselectsAndATapOutsideClosesIt) {
    VLPrefsManager::sharedInstance().setObject(storedIds({"org.example.banana"}), kKey, kID);
    open(true, 3);
    tap(*picker->moreButton());
    ASSERT_TRUE(popover());
    EXPECT_EQ(menuTitles(), Ids{"Deselect All"});
    tapAt({5, 5});
    EXPECT_FALSE(popover());
    EXPECT_EQ(picker->selectedAppsArray(), Ids{"org.example.banana"});
    EXPECT_FALSE(confirmShown());
    chooseFromMenu("Deselect All");
    EXPECT_EQ(checkedNames(), Ids{});
    EXPECT_TRUE(confirmShown());
}

TEST_F(AppListTest, ConfirmKeepsIdentifiersNotListedAndCancelStoresNothing) {
    const Ids stored = {"com.gone.app", "org.example.cherry"};
    VLPrefsManager::sharedInstance().setObject(storedIds(stored), kKey, kID);
    open();
    tapApp("Apricot");
    tap(*picker->headerView()->leftButton());
    EXPECT_EQ(fileContent(kID)[kKey], storedIds(stored));
    EXPECT_TRUE(delegate->storedAtReport.empty());

    open();
    tapApp("Apricot");
    tap(*picker->headerView()->rightButton());
    EXPECT_EQ(fileContent(kID)[kKey],
              storedIds({"com.gone.app", "org.example.cherry", "org.example.apricot"}));
    EXPECT_EQ(delegate->storedAtReport.size(), 1u);
}

TEST_F(AppListTest, TheToolBarRidesOnTheKeyboardAndItsRoundButtonsCrossFade) {
    open();
    const auto& bar = *picker->toolView();
    const double height = picker->view()->bounds().height;
    const gfx::Rect resting{45, height - 75, 300, 55};
    const gfx::Rect buttonPlace{255, 10, 35, 35};
    EXPECT_EQ(bar.frame(), resting);
    EXPECT_EQ(picker->moreButton()->frame(), buttonPlace);

    tap(*picker->searchTextField());
    // The bar sits 10 points above the 336-point keyboard.
    EXPECT_EQ(bar.frame(), (gfx::Rect{10, height - 336 - 65, 370, 55}));
    EXPECT_EQ(picker->dismissKeyboardButton()->frame(), (gfx::Rect{325, 10, 35, 35}));
    EXPECT_EQ(picker->tableView()->contentInset().bottom, height - 336 - 65);
    EXPECT_EQ(picker->moreButton()->alpha(), 0);
    EXPECT_EQ(picker->dismissKeyboardButton()->alpha(), 1);

    tap(*picker->dismissKeyboardButton());
    EXPECT_FALSE(picker->searchTextField()->isFirstResponder());
    EXPECT_EQ(bar.frame(), resting);
    EXPECT_EQ(picker->moreButton()->frame(), buttonPlace);
    EXPECT_EQ(picker->tableView()->contentInset().bottom, 85);
    EXPECT_EQ(picker->moreButton()->alpha(), 1);
    EXPECT_EQ(picker->dismissKeyboardButton()->alpha(), 0);
}

// 200 applications, none with an icon: only the rows on screen ask for one, and each shows
// the neutral tile.
TEST_F(AppListTest, IconsAreLoadedOnlyForRowsShownAndMissingOnesShowATile) {
    VLAppIconCache::sharedInstance().removeAll();
    Value::Array many;
    for (int index = 0; index < 200; ++index)
        many.push_back(
            record("org.fixture.app" + std::to_string(1000 + index), "App " + std::to_string(1000 + index)));
    open(false, 0, many);
    EXPECT_GT(VLAppIconCache::sharedInstance().loadCount(), 0u);
    EXPECT_LT(VLAppIconCache::sharedInstance().loadCount(), 20u);
    EXPECT_TRUE(cell(0)->icon()->image().isNull());
    EXPECT_EQ(cell(0)->icon()->backgroundColor().description(),
              VLPrefsAppearance::tertiaryColour().description());
}

}  // namespace
