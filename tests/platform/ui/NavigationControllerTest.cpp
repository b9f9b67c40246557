#include "ControllerTesting.h"
#include "ui/NavigationController.h"
#include "ui/ScreenEdgePanGestureRecognizer.h"
#include "ui/View.h"

namespace {

using testsupport::Calls;
using testsupport::RecordingController;

// Records what the navigation delegate hears.
class ShowRecorder : public ui::NavigationControllerDelegate {
public:
    explicit ShowRecorder(Calls& calls) : calls_(calls) {}
    void willShowViewController(ui::NavigationController&, ui::ViewController& shown, bool) override {
        calls_.push_back("delegate.willShow " + shown.title());
    }
    void didShowViewController(ui::NavigationController&, ui::ViewController& shown, bool) override {
        calls_.push_back("delegate.didShow " + shown.title());
    }

private:
    Calls& calls_;
};

class NavigationControllerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        window->setRootViewController(navigation);
        take();
    }
    std::shared_ptr<RecordingController> home = RecordingController::create("home", calls);
    std::shared_ptr<RecordingController> detail = RecordingController::create("detail", calls);
    std::shared_ptr<ui::NavigationController> navigation = ui::NavigationController::create(home);
};

TEST_F(NavigationControllerTest, PushAndPopSlideAndCallTheScreensInThePlatformsOrder) {
    auto delegate = std::make_shared<ShowRecorder>(calls);
    navigation->setDelegate(delegate);
    EXPECT_TRUE(navigation->isNavigationBarHidden());

    navigation->pushViewController(detail, true);
    EXPECT_EQ(take(), (Calls{"delegate.willShow detail", "home.willDisappear", "detail.didLoad",
                             "detail.willAppear"}));
    EXPECT_EQ(detail->view()->presentation().center.x, 390 + 195)
        << "the new screen starts beyond the trailing edge";
    navigation->pushViewController(RecordingController::create("early", calls), true);
    EXPECT_EQ(navigation->viewControllers().size(), 2u) << "a push during a push is refused";

    settle();
    EXPECT_EQ(take(), (Calls{"home.didDisappear", "detail.didAppear", "delegate.didShow detail"}));
    EXPECT_EQ(detail->view()->frame().x, 0);
    EXPECT_EQ(home->view()->superview(), nullptr);
    EXPECT_EQ(detail->navigationController(), navigation);

    EXPECT_EQ(navigation->popViewController(true), detail);
    settle();
    EXPECT_EQ(take(), (Calls{"delegate.willShow home", "detail.willDisappear", "home.willAppear",
                             "detail.didDisappear", "home.didAppear", "delegate.didShow home"}));
    EXPECT_EQ(detail->navigationController(), nullptr);
    EXPECT_EQ(navigation->popViewController(true), nullptr) << "the root stays";
}

TEST_F(NavigationControllerTest, PopToRootTellsOnlyTheScreensOnScreen) {
    auto middle = RecordingController::create("middle", calls);
    navigation->pushViewController(middle, false);
    navigation->pushViewController(detail, false);
    take();
    auto popped = navigation->popToRootViewController(false);
    EXPECT_EQ(popped.size(), 2u);
    EXPECT_EQ(take(),
              (Calls{"detail.willDisappear", "home.willAppear", "detail.didDisappear", "home.didAppear"}));
    EXPECT_EQ(middle->parent(), nullptr);
}

TEST_F(NavigationControllerTest, EdgeSwipePopsPastHalfwayAndIsUndoneShortOfIt) {
    // Swiping on the root screen does nothing.
    drag({5, 400}, {300, 400}, 10);
    settle();
    EXPECT_TRUE(take().empty());

    navigation->pushViewController(detail, false);
    take();
    drag({5, 400}, {100, 400}, 10);
    settle();
    EXPECT_EQ(navigation->topViewController(), detail);
    EXPECT_EQ(take(), (Calls{"detail.willDisappear", "home.willAppear", "home.willDisappear",
                             "detail.willAppear", "home.didDisappear", "detail.didAppear"}));
    EXPECT_EQ(detail->view()->frame().x, 0);
    EXPECT_EQ(home->view()->superview(), nullptr);

    // A swipe that starts away from the edge is no pop.
    drag({100, 400}, {380, 400}, 10);
    settle();
    EXPECT_EQ(navigation->topViewController(), detail);

    drag({5, 400}, {300, 400}, 10);
    settle();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(take(),
              (Calls{"detail.willDisappear", "home.willAppear", "detail.didDisappear", "home.didAppear"}));
    EXPECT_EQ(home->view()->frame().x, 0);
}

}  // namespace
