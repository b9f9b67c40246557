#include <gtest/gtest.h>

#include "HomeScreenFixture.h"
#include "home/VLChangelogViewController.h"
#include "home/VLFreePrefsHomeViewController.h"
#include "home/VLPrefsCategoriesCell.h"
#include "support/ChildProcess.h"
#include "ui/AlertController.h"

namespace {

using testsupport::ChildProcess;

class HomeTest : public HomeScreenFixture {
protected:
    std::shared_ptr<VLPrefsCategoriesCell> categoryCell(int item) {
        window->layoutIfNeeded();
        return std::static_pointer_cast<VLPrefsCategoriesCell>(
            home->collectionView()->cellForItemAtIndexPath(ui::IndexPath::forItem(item, 0)));
    }
    // The cover as drawn in the hero: a view's frame includes its layer's transform.
    gfx::Rect coverInHero() { return home->heroImage()->frame(); }
};

TEST_F(HomeTest, CategoriesAtRestMatchTheirGolden) {
    open(true);
    EXPECT_TRUE(matchesGolden("home-categories-at-rest"));
    scrollTo(261);
    EXPECT_TRUE(matchesGolden("home-categories-scrolled-261"));
}

TEST_F(HomeTest, SettingsRowAtRestMatchesItsGolden) {
    open(false);
    EXPECT_EQ(home->prefsView()->titleLabel()->text(), "Config Demo");
    EXPECT_EQ(home->prefsView()->subtitleLabel()->text(), "Make Demo yours");
    scrollTo(-100);
    EXPECT_TRUE(matchesGolden("home-settings-pulled-100"));
}

TEST_F(HomeTest, TheCoverStretchesFromItsBottomEdgeWhenPulled) {
    open();
    const gfx::Rect atRest = coverInHero();
    scrollTo(-100);
    const gfx::Rect pulled = coverInHero();
    EXPECT_NEAR(pulled.height, atRest.height * 1.5, 1e-6);
    EXPECT_NEAR(pulled.width, atRest.width * 1.5, 1e-6);
    EXPECT_NEAR(pulled.maxY(), atRest.maxY(), 1e-6);
    for (double y : {0.0, 50.0}) {
        scrollTo(y);
        EXPECT_TRUE(home->heroImage()->layer().transform() == ui::Transform3D::identity()) << y;
    }
}

TEST_F(HomeTest, PulledPastTwoHundredPointsTheContentSpringsBack) {
    open();
    scrollTo(-201);
    base::RunLoop::main().runFor(std::chrono::milliseconds(1500));
    EXPECT_EQ(home->scrollView()->contentOffset(), (gfx::Point{0, 0}));
    EXPECT_TRUE(home->scrollView()->isScrollEnabled());
}

TEST_F(HomeTest, TheHeaderBlursInAndThenShowsItsTitle) {
    open();
    struct Step {
        double y, blur, title;
    };
    for (const Step& step : {Step{231, 1, 0}, Step{261, 1, 1}, Step{230, 0, 0}}) {
        scrollTo(step.y);
        EXPECT_EQ(home->navBlurView()->alpha(), step.blur) << step.y;
        EXPECT_EQ(home->navTitle()->alpha(), step.title) << step.y;
    }
}

TEST_F(HomeTest, CategoriesOpenTheirClassOrAskTheHostForTheStylePicker) {
    ChildProcess watcher({VK_VELLIUM, "notify", "watch", "--count", "1",
                          VLFreePrefsHomeViewController::kStylePickerNotification});
    EXPECT_NE(watcher.readErrorLine().find("watching"), std::string::npos);
    open();
    tap(*categoryCell(1));
    EXPECT_EQ(navigation->topViewController(), home) << "the style picker opens nothing here";
    const std::string heard = watcher.readAllOutput();
    EXPECT_NE(heard.find("tweakName"), std::string::npos) << heard;
    EXPECT_NE(heard.find("Demo"), std::string::npos) << heard;
    EXPECT_NE(heard.find("Styles"), std::string::npos) << heard;

    tap(*categoryCell(0));
    auto pushed = navigation->topViewController();
    ASSERT_TRUE(std::dynamic_pointer_cast<DemoListScreen>(pushed));
    EXPECT_TRUE(pushed->hidesBottomBarWhenPushed());
}

TEST_F(HomeTest, CategoryCellsAreSizedByTheirTitlesAndTintedByTheirAccent) {
    open();
    EXPECT_DOUBLE_EQ(frameInWindow(*categoryCell(0)).width, VLPrefsCategoriesCell::widthForTitle("Display"));
    EXPECT_GT(VLPrefsCategoriesCell::widthForTitle("Display"), 25 + 40);
    EXPECT_DOUBLE_EQ(VLPrefsCategoriesCell::widthForTitle(""), 25);
    EXPECT_DOUBLE_EQ(frameInWindow(*categoryCell(0)).x, 20);
    EXPECT_EQ(categoryCell(0)->iconView()->backgroundColor(), home->accentColour().withAlphaComponent(0.4));
    EXPECT_EQ(categoryCell(1)->iconView()->backgroundColor(),
              gfx::Color::systemPink().withAlphaComponent(0.4));
    auto cell = categoryCell(1);
    cell->prepareForReuse();
    EXPECT_TRUE(cell->iconImage()->image().isNull());
    EXPECT_EQ(cell->titleLabel()->text(), "");
}

TEST_F(HomeTest, ReadTutorialCallsTheTweaksOwnScreen) {
    open();
    EXPECT_EQ(home->tutorialLabel()->text(), "Read Tutorial");
    EXPECT_EQ(home->tutorialIcon()->imageName(), "questionmark.circle.fill");
    tap(*home->heroTutorialView());
    EXPECT_EQ(home->tutorialsShown, 1);
}

TEST_F(HomeTest, TheSettingsRowAnswersTouchesAndPushesTheSettingsClass) {
    open(false);
    auto& row = *home->prefsView();
    for (ui::TouchPhase end : {ui::TouchPhase::Ended, ui::TouchPhase::Cancelled}) {
        const gfx::Point at = centreOf(row);
        touch(ui::TouchPhase::Began, at);
        settle();
        EXPECT_DOUBLE_EQ(row.alpha(), 0.8);
        EXPECT_DOUBLE_EQ(row.transform().a, 0.96);
        touch(end, {at.x + 200, at.y + 200});
        settle();
        EXPECT_DOUBLE_EQ(row.alpha(), 1);
        EXPECT_TRUE(row.transform().isIdentity());
    }
    EXPECT_EQ(navigation->topViewController(), home);
    tap(row);
    EXPECT_TRUE(std::dynamic_pointer_cast<DemoListScreen>(navigation->topViewController()));
}

TEST_F(HomeTest, WithoutAChangelogAnAlertSaysSo) {
    open();
    home->presentChangelogVC();
    settle();
    auto alert = std::dynamic_pointer_cast<ui::AlertController>(home->presentedViewController());
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "😕");
    EXPECT_EQ(
        alert->message(),
        "Couldn't load changelog at the moment, make sure you are connected to the internet and try again by "
        "terminate Vellium app then launch again.");
    ASSERT_EQ(alert->actions().size(), 1u);
    EXPECT_EQ(alert->actions()[0].title, "OK");
}

}  // namespace
