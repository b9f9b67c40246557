#include <gtest/gtest.h>

#include "HomeTestScreen.h"
#include "base/AtomicFile.h"
#include "base/FileSystemRoot.h"
#include "base/Files.h"
#include "home/VLTutorialCell.h"
#include "home/VLTutorialViewController.h"
#include "ui/Application.h"

namespace {

const std::vector<VLTutorialData> kSteps = {
    {"Turn the tweak on.", "power"},
    {"A step long enough to wrap onto a second line of the narrow sheet, and then a third.", "sparkles"},
    {"A step whose symbol nobody knows.", "no.such.symbol"},
};

// The written tutorial presented over the window's root screen, as a tweak presents it.
class TutorialTest : public HomeTestScreen {
protected:
    void open(std::string name, std::string subtitle, std::vector<VLTutorialData> steps) {
        sheet = VLTutorialViewController::create(std::move(name), std::move(subtitle), std::move(steps));
        root->present(sheet, true);
        settle();
    }
    std::shared_ptr<VLTutorialCell> step(int row) {
        window->layoutIfNeeded();
        return std::static_pointer_cast<VLTutorialCell>(
            sheet->tableView()->cellForRowAtIndexPath(ui::IndexPath::forRow(row, 0)));
    }
    double blurAlpha() { return sheet->headerView()->blurEffectView()->alpha(); }
    // A finger drags the list by `distance` points (negative scrolls down) and holds still.
    void dragList(double distance) {
        const gfx::Point from = centreOf(*sheet->tableView());
        touch(ui::TouchPhase::Began, from);
        for (int moved = 1; moved <= 10; ++moved) {
            clock->advance(std::chrono::milliseconds(16));
            touch(ui::TouchPhase::Moved, {from.x, from.y + distance * moved / 10});
        }
        clock->advance(std::chrono::milliseconds(400));
        touch(ui::TouchPhase::Ended, {from.x, from.y + distance});
        settle();
    }

    std::shared_ptr<VLTutorialViewController> sheet;
};

TEST_F(TutorialTest, StepsShowTheirSymbolAndTextBelowTheHeader) {
    open("Demo", "Everything Demo does, in three steps.", kSteps);
    EXPECT_TRUE(matchesGolden("tutorial-steps"));
    EXPECT_EQ(sheet->tutorialData().descriptionString, kSteps.back().descriptionString);
    EXPECT_EQ(step(0)->iconImage()->tintColor(), sheet->accentColour());
    // An unknown symbol name leaves its step without a symbol.
    EXPECT_FALSE(step(2)->iconImage()->image());
    EXPECT_GT(frameInWindow(*step(1)).height, frameInWindow(*step(0)).height + 18);
}

TEST_F(TutorialTest, AnEmptyTutorialShowsOnlyItsHeader) {
    open("Demo", "Nothing to learn.", {});
    EXPECT_EQ(sheet->tableView()->numberOfRowsInSection(0), 0);
    EXPECT_TRUE(sheet->tableView()->visibleCells().empty());
    EXPECT_TRUE(labelShowing("Demo"));
    EXPECT_TRUE(labelShowing("Nothing to learn."));
    EXPECT_TRUE(sheet->tutorialData().descriptionString.empty());
}

TEST_F(TutorialTest, ALongSubtitleIsCutToTwoLines) {
    open("Demo", "Short.", {});
    const double oneLine = frameInWindow(*sheet->subtitleLabel()).height;
    sheet->dismiss(false);
    std::string story;
    for (int sentence = 0; sentence < 12; ++sentence) story += "A sentence that goes on. ";
    open("Demo", story, {});
    const gfx::Rect cut = frameInWindow(*sheet->subtitleLabel());
    EXPECT_NEAR(cut.height, 2 * oneLine, 2);
    EXPECT_DOUBLE_EQ(cut.width, 390 - 40);
}

TEST_F(TutorialTest, TheGrabbersBlurFadesInOnceTheListHasScrolledPastFivePoints) {
    std::vector<VLTutorialData> many(20, {"A step.", "power"});
    open("Demo", "Many steps.", many);
    struct Case {
        double offset, alpha;
    };
    for (const Case& c : {Case{6, 1}, Case{5, 0}, Case{40, 1}, Case{0, 0}}) {
        sheet->tableView()->setContentOffset({0, c.offset});
        EXPECT_LT(std::abs(blurAlpha() - c.alpha), 1.0) << c.offset;  // fading over 0.3 s
        settle();
        EXPECT_DOUBLE_EQ(blurAlpha(), c.alpha) << c.offset;
    }
    dragList(-120);
    EXPECT_GT(sheet->tableView()->contentOffset().y, 5);
    EXPECT_DOUBLE_EQ(blurAlpha(), 1);
}

TEST_F(TutorialTest, SymbolsTakeTheProgramsAccentUntilTheRowIsFilled) {
    const gfx::Color accent = gfx::Color::systemOrange();
    ui::Application::shared().setNamedColor(VLTutorialCell::kAccentColorName, accent);
    EXPECT_EQ(VLTutorialCell::create()->iconImage()->tintColor(), accent);
    ui::Application::shared().setNamedColor(VLTutorialCell::kAccentColorName, std::nullopt);
    EXPECT_EQ(VLTutorialCell::create()->iconImage()->tintColor(), ui::View::create()->tintColor());
}

TEST_F(TutorialTest, TheIconIsReadUnderTheNameAsWrittenAndDismissVCCloses) {
    const gfx::Image icon(2, 2, std::vector<std::uint32_t>(4, 0xFF336699u));
    const auto path = base::FileSystemRoot::resolve(
        "/var/QZN/Vellium/Preferences/MixedCasePrefs.bundle/Assets/Images/icon.png");
    ASSERT_TRUE(base::Files::createDirectories(path.parent_path()));
    ASSERT_TRUE(base::AtomicFile::write(path, icon.encodePng().value()));
    open("MixedCase", "", {});
    EXPECT_EQ(sheet->iconImage()->image().pixelWidth(), 2);
    sheet->dismissVC();
    settle();
    EXPECT_FALSE(root->presentedViewController());
}

}  // namespace
