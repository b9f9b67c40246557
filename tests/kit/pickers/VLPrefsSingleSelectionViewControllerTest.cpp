#include <gtest/gtest.h>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "kit/store/PrefsTestRoot.h"
#include "pickers/singleselection/VLPrefsSingleSelectionViewController.h"
#include "pickers/singleselection/VLSingleSelectionCell.h"
#include "store/VLPrefsManager.h"
#include "ui/Window.h"

namespace {

constexpr const char* kKey = "textSize";
constexpr const char* kID = "com.example.tweak";

// Each report with what the store held and whether the sheet was already leaving.
struct RecordingDelegate : VLPrefsSingleSelectionDelegate {
    struct Report {
        std::int64_t index, storedIndex;
        bool sheetWasLeaving;
    };
    void singleSelectionDidSelectedOptions(std::int64_t index) override {
        reports.push_back(
            {index, VLPrefsManager::sharedInstance().integerForKey(kKey, kID), picker->isBeingDismissed()});
    }
    std::shared_ptr<VLPrefsSingleSelectionViewController> picker;
    std::vector<Report> reports;
};

// A picker presented over a screen of a phone-sized window on a manual clock, driven by touches.
class SingleSelectionTest : public PrefsTestRoot {
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

    // Three sizes, "Medium" by default.
    void open(std::vector<std::string> options = {"Small", "Medium", "Large"}) {
        picker = VLPrefsSingleSelectionViewController::create(kKey, kID, std::move(options), 1, "Text size");
        delegate->picker = picker;
        picker->setDelegate(delegate);
        home->present(picker, true);
        settle();
    }
    void settle() { base::RunLoop::main().runFor(std::chrono::milliseconds(600)); }

    gfx::Point centreOf(const ui::View& view) {
        window->layoutIfNeeded();
        return view.convertPoint({view.bounds().width / 2, view.bounds().height / 2}, nullptr);
    }
    void touch(ui::TouchPhase phase, gfx::Point at) { window->sendTouch(ui::Touch(1, phase, at)); }
    void tap(const ui::View& view) {
        gfx::Point at = centreOf(view);
        touch(ui::TouchPhase::Began, at);
        touch(ui::TouchPhase::Ended, at);
    }
    void tapRow(int row) { tap(*cell(row)); }
    void tapConfirm() { tap(*picker->headerView()->rightButton()); }
    void tapCancel() { tap(*picker->headerView()->leftButton()); }
    // A slow pull of the sheet by its title, most of the way down.
    void swipeDown() {
        gfx::Point at = centreOf(*picker->headerView()->titleLabel());
        touch(ui::TouchPhase::Began, at);
        for (int step = 0; step < 10; ++step) {
            clock->advance(std::chrono::milliseconds(50));
            touch(ui::TouchPhase::Moved, at = {at.x, at.y + 60});
        }
        touch(ui::TouchPhase::Ended, at);
        settle();
    }

    std::shared_ptr<VLSingleSelectionCell> cell(int row) {
        window->layoutIfNeeded();
        return std::static_pointer_cast<VLSingleSelectionCell>(
            picker->tableView()->cellForRowAtIndexPath(ui::IndexPath::forRow(row, 0)));
    }
    std::vector<int> markedRows() {
        std::vector<int> rows;
        for (int row = 0; row < picker->tableView()->numberOfRowsInSection(0); ++row) {
            if (cell(row)->checkmark()->alpha() > 0) rows.push_back(row);
        }
        return rows;
    }
    bool confirmShown() { return picker->headerView()->rightButton()->alpha() > 0; }
    bool stored() { return !fileContent(kID)[kKey].isAbsent(); }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<VLPrefsSingleSelectionViewController> picker;
};

TEST_F(SingleSelectionTest, OpensOnTheStoredIndexAndOnTheDefaultWhenZeroOrNothingIsStored) {
    open();
    EXPECT_EQ(markedRows(), std::vector<int>{1}) << "nothing stored: the default";
    picker->dismiss(false);

    VLPrefsManager::sharedInstance().setInteger(2, kKey, kID);
    open();
    EXPECT_EQ(markedRows(), std::vector<int>{2});
    EXPECT_EQ(cell(2)->titleLabel()->text(), "Large");
    picker->dismiss(false);

    // The store reads a stored 0 like a missing value.
    VLPrefsManager::sharedInstance().setInteger(0, kKey, kID);
    open();
    EXPECT_EQ(picker->selectedIndex(), 1);
    EXPECT_EQ(markedRows(), std::vector<int>{1});
    picker->dismiss(false);

    VLPrefsManager::sharedInstance().setInteger(7, kKey, kID);
    open();
    EXPECT_TRUE(markedRows().empty()) << "an index beyond the options marks no row";
    EXPECT_FALSE(confirmShown());
}

TEST_F(SingleSelectionTest, ATapEvenOnTheMarkedRowIsAChangeThatRevealsConfirmAndMakesTheSheetModal) {
    open();
    EXPECT_FALSE(confirmShown());
    tapConfirm();  // where the hidden button is: nothing happens
    EXPECT_EQ(home->presentedViewController(), picker);

    tapRow(1);
    EXPECT_EQ(markedRows(), std::vector<int>{1});
    EXPECT_TRUE(confirmShown());
    EXPECT_TRUE(picker->isModalInPresentation());
    tapRow(2);
    EXPECT_EQ(markedRows(), std::vector<int>{2});
    tapRow(0);
    EXPECT_EQ(markedRows(), std::vector<int>{0});

    swipeDown();
    ASSERT_EQ(home->presentedViewController(), picker) << "a changed sheet cannot be swiped away";
    EXPECT_FALSE(stored());
}

TEST_F(SingleSelectionTest, ConfirmStoresTheIndexThenReportsItOnceAsTheSheetLeaves) {
    writeFile(kID, base::Value(base::Value::Dictionary{{"other", "kept"}}));
    open();
    tapRow(2);
    tapConfirm();
    ASSERT_EQ(delegate->reports.size(), 1u);
    EXPECT_EQ(delegate->reports[0].index, 2) << "reported by index, not by title";
    EXPECT_EQ(delegate->reports[0].storedIndex, 2) << "stored before the report";
    EXPECT_TRUE(delegate->reports[0].sheetWasLeaving) << "reported after the dismissal began";

    // A second confirmation while the sheet slides away is ignored.
    EXPECT_TRUE(picker->performAction("applyChanges"));
    EXPECT_EQ(delegate->reports.size(), 1u);
    settle();
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_EQ(fileContent(kID)[kKey], base::Value(2));
    EXPECT_EQ(fileContent(kID)["other"], base::Value("kept"));
}

TEST_F(SingleSelectionTest, CancelAnUnchangedSwipeAndAnEmptyListStoreNothingAndTellNobody) {
    open();
    tapRow(2);
    tapCancel();
    settle();
    EXPECT_EQ(home->presentedViewController(), nullptr);

    open();
    swipeDown();
    EXPECT_EQ(home->presentedViewController(), nullptr) << "an unchanged sheet swipes away";

    open({});
    EXPECT_TRUE(picker->tableView()->visibleCells().empty());
    picker->performAction("applyChanges");  // as if the hidden button were reached anyway
    EXPECT_EQ(home->presentedViewController(), picker);

    EXPECT_TRUE(delegate->reports.empty());
    EXPECT_FALSE(stored());
}

}  // namespace
