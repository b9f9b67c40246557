#include "ControllerTesting.h"
#include "ui/NavigationController.h"
#include "ui/TabBar.h"
#include "ui/TabBarController.h"
#include "ui/View.h"

namespace {

using testsupport::Calls;
using testsupport::RecordingController;

class TabBarControllerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        home->setTabBarItem({"Home", "house"});
        settings->setTabBarItem({"Settings", "gear"});
        tabs->setViewControllers({navigation, settings});
        window->setRootViewController(tabs);
        window->layoutIfNeeded();
        take();
    }
    std::shared_ptr<RecordingController> home = RecordingController::create("home", calls);
    std::shared_ptr<RecordingController> settings = RecordingController::create("settings", calls);
    std::shared_ptr<ui::NavigationController> navigation = ui::NavigationController::create(home);
    std::shared_ptr<ui::TabBarController> tabs = ui::TabBarController::create();
};

TEST_F(TabBarControllerTest, TappingATabSwitchesScreensWithTheirAppearanceCalls) {
    EXPECT_EQ(tabs->tabBar()->frame(), gfx::Rect(0, 844 - 49, 390, 49));
    EXPECT_EQ(navigation->view()->frame().height, 844 - 49);
    EXPECT_EQ(home->tabBarController(), tabs);

    tapAt({390 * 0.75, 844 - 20});
    EXPECT_EQ(tabs->selectedIndex(), 1u);
    EXPECT_EQ(take(), (Calls{"home.willDisappear", "settings.didLoad", "settings.willAppear",
                             "home.didDisappear", "settings.didAppear"}));
    EXPECT_EQ(navigation->view()->superview(), nullptr);

    tabs->setSelectedIndex(7);
    EXPECT_EQ(tabs->selectedIndex(), 1u);
}

TEST_F(TabBarControllerTest, APushedScreenThatAsksHidesTheBarUntilItIsPopped) {
    auto detail = RecordingController::create("detail", calls);
    detail->setHidesBottomBarWhenPushed(true);
    navigation->pushViewController(detail, false);
    window->layoutIfNeeded();
    EXPECT_TRUE(tabs->tabBar()->isHidden());
    EXPECT_EQ(navigation->view()->frame().height, 844);
    // The bar's slots are not hit while it is hidden: a tap there reaches the screen instead.
    tapAt({390 * 0.75, 844 - 20});
    EXPECT_EQ(tabs->selectedIndex(), 0u);

    // A screen pushed on top of it keeps the bar hidden.
    navigation->pushViewController(RecordingController::create("deeper", calls), false);
    EXPECT_TRUE(tabs->isTabBarHidden());

    navigation->popToRootViewController(false);
    window->layoutIfNeeded();
    EXPECT_FALSE(tabs->tabBar()->isHidden());
    EXPECT_EQ(navigation->view()->frame().height, 844 - 49);
}

}  // namespace
