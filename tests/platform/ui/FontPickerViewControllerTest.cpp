#include <algorithm>
#include <string>
#include <vector>

#include "ControllerTesting.h"
#include "gfx/Font.h"
#include "ui/Button.h"
#include "ui/FontPickerViewController.h"
#include "ui/FontPickerViewControllerDelegate.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/View.h"

namespace {

using ui::FontPickerViewController;

class RecordingDelegate : public ui::FontPickerViewControllerDelegate {
public:
    void fontPickerViewControllerDidPickFont(FontPickerViewController& picker) override {
        picked.push_back(picker.selectedFontDescriptor());
    }
    void fontPickerViewControllerDidCancel(FontPickerViewController&) override { ++cancels; }
    std::vector<std::optional<gfx::FontDescriptor>> picked;
    int cancels = 0;
};

class FontPickerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        window->setRootViewController(screen);
        picker->setDelegate(delegate);
        screen->present(picker, true);
        settle();
    }
    int rowOf(const std::string& family, const std::string& face) {
        const auto& rows = picker->rows();
        auto found = std::find_if(rows.begin(), rows.end(),
                                  [&](const auto& row) { return row.family == family && row.face == face; });
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }
    // Scrolls the row into view and taps it where it is drawn.
    std::shared_ptr<ui::TableViewCell> tapRow(int row) {
        auto table = picker->tableView();
        auto path = ui::IndexPath::forRow(row, 0);
        table->scrollToRowAtIndexPath(path, false);
        window->layoutIfNeeded();
        auto cell = table->cellForRowAtIndexPath(path);
        if (!cell) return nullptr;
        gfx::Rect rect = cell->convertRect(cell->bounds(), nullptr);
        tapAt({rect.x + rect.width / 2, rect.y + rect.height / 2});
        return cell;
    }
    std::shared_ptr<testsupport::RecordingController> screen =
        testsupport::RecordingController::create("screen", calls);
    std::shared_ptr<FontPickerViewController> picker =
        FontPickerViewController::create({.includeFaces = true, .displayUsingSystemFont = false});
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(FontPickerTest, ListsTheInstalledFamiliesWithFacesAndMakesOnlyVisibleRows) {
    const auto families = gfx::Font::familyNames();
    for (const auto& family : families) EXPECT_GE(rowOf(family, ""), 0) << family;
    ASSERT_GE(rowOf("Inter", ""), 0);
    EXPECT_GE(rowOf("Inter", "Bold"), 0);
    EXPECT_GT(picker->rows().size(), families.size());
    auto table = picker->tableView();
    EXPECT_LT(table->visibleCells().size(), picker->rows().size());
}

TEST_F(FontPickerTest, TappedFaceIsReportedAsADescriptorThatSurvivesTheArchive) {
    auto cell = tapRow(rowOf("Inter", "Bold"));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->textLabel()->font().face(), "Bold") << "names are drawn in their own face";
    ASSERT_EQ(delegate->picked.size(), 1u);
    ASSERT_TRUE(delegate->picked[0]);
    const gfx::FontDescriptor picked = *delegate->picked[0];
    EXPECT_EQ(picked.family(), "Inter");
    EXPECT_EQ(picked.face(), "Bold");
    auto archive = picked.archive();
    ASSERT_TRUE(archive);
    auto back = gfx::FontDescriptor::unarchive(archive.value());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, picked);
    EXPECT_TRUE(back->fontWithSize(12));

    // The delegate dismisses after a pick: that is not a cancel.
    picker->dismiss(true);
    settle();
    EXPECT_EQ(delegate->cancels, 0);
}

TEST_F(FontPickerTest, CancelClosesTheSheetAndTellsCancelOnce) {
    auto cancel = picker->cancelButton();
    gfx::Rect rect = cancel->convertRect(cancel->bounds(), nullptr);
    tapAt({rect.x + rect.width / 2, rect.y + rect.height / 2});
    settle();
    EXPECT_EQ(delegate->cancels, 1);
    EXPECT_TRUE(delegate->picked.empty());
    EXPECT_FALSE(screen->presentedViewController());
}

TEST(FontPickerConfigurationTest, SystemFontDisplayAndFamiliesOnly) {
    auto picker = FontPickerViewController::create({.includeFaces = false, .displayUsingSystemFont = true});
    auto window = ui::Window::create({390, 844});
    window->setRootViewController(picker);
    window->layoutIfNeeded();
    EXPECT_EQ(picker->rows().size(), gfx::Font::familyNames().size());
    auto cells = picker->tableView()->visibleCells();
    ASSERT_FALSE(cells.empty());
    for (const auto& cell : cells) EXPECT_EQ(cell->textLabel()->font(), gfx::Font::system(17));
}

}  // namespace
