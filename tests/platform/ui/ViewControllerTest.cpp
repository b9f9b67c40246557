#include <string>

#include "ControllerTesting.h"
#include "base/Log.h"
#include "ui/Button.h"
#include "ui/NavigationController.h"
#include "ui/PresentationController.h"

namespace {

using testsupport::Calls;
using testsupport::RecordingController;

class ViewControllerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        base::Log::setSink([this](std::string_view line) { log.emplace_back(line); });
        window->setRootViewController(navigation);
        take();
    }
    void TearDown() override {
        base::Log::resetSink();
        ControllerTest::TearDown();
    }

    std::shared_ptr<RecordingController> home = RecordingController::create("home", calls);
    std::shared_ptr<ui::NavigationController> navigation = ui::NavigationController::create(home);
    std::shared_ptr<RecordingController> sheet = RecordingController::create("sheet", calls);
    std::vector<std::string> log;
};

// Records the sheet delegate's calls.
class SheetDelegate : public ui::PresentationControllerDelegate {
public:
    void presentationControllerDidAttemptToDismiss(ui::PresentationController&) override { ++attempts; }
    void presentationControllerDidDismiss(ui::PresentationController&) override { ++dismissals; }
    int attempts = 0;
    int dismissals = 0;
};

TEST_F(ViewControllerTest, ViewLoadsOnceOnFirstAccessAndTheRootAppears) {
    auto fresh = RecordingController::create("fresh", calls);
    EXPECT_FALSE(fresh->isViewLoaded());
    auto view = fresh->view();
    EXPECT_EQ(fresh->view(), view);
    EXPECT_EQ(take(), (Calls{"fresh.didLoad"}));

    window->setRootViewController(fresh);
    EXPECT_EQ(take(),
              (Calls{"home.willDisappear", "home.didDisappear", "fresh.willAppear", "fresh.didAppear"}));
    EXPECT_EQ(view->frame().size(), window->screenSize());
}

TEST_F(ViewControllerTest, SheetSlidesUpOverADimmedParentAndDismissesWithOnlyItsOwnCalls) {
    bool presented = false, dismissed = false;
    home->present(sheet, true, [&] { presented = true; });
    EXPECT_EQ(home->presentedViewController(), sheet);
    EXPECT_EQ(sheet->presentingViewController(), navigation) << "the outermost container presents";
    EXPECT_EQ(take(), (Calls{"sheet.didLoad", "sheet.willAppear"}));
    EXPECT_FALSE(presented);

    settle();
    EXPECT_EQ(take(), (Calls{"sheet.didAppear"})) << "the parent is not told it disappears";
    EXPECT_TRUE(presented);
    auto card = sheet->presentationController()->containerView();
    EXPECT_EQ(card->frame(), gfx::Rect(0, 57, 390, 787));
    EXPECT_EQ(window->overlays().size(), 2u);

    // A second presentation is refused while one is shown.
    auto other = RecordingController::create("other", calls);
    home->present(other, false);
    EXPECT_EQ(other->presentingViewController(), nullptr);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find("already presenting"), std::string::npos);

    home->dismiss(true, [&] { dismissed = true; });
    EXPECT_EQ(take(), (Calls{"sheet.willDisappear"}));
    settle();
    EXPECT_EQ(take(), (Calls{"sheet.didDisappear"}));
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_TRUE(window->overlays().empty());
}

TEST_F(ViewControllerTest, DismissingThePresenterTakesAwayEverythingAboveAndBadRequestsAreRefused) {
    auto second = RecordingController::create("second", calls);
    auto detached = RecordingController::create("detached", calls);
    detached->present(second, false);  // its view is in no window
    EXPECT_EQ(second->presentingViewController(), nullptr);
    home->present(home, false);  // a controller already on screen
    EXPECT_EQ(home->presentedViewController(), nullptr);

    home->present(sheet, false);
    sheet->present(second, false);
    take();
    home->dismiss(false);
    EXPECT_EQ(take(), (Calls{"second.willDisappear", "second.didDisappear", "sheet.willDisappear",
                             "sheet.didDisappear"}));
    EXPECT_EQ(sheet->presentedViewController(), nullptr);
    EXPECT_TRUE(window->overlays().empty());
}

TEST_F(ViewControllerTest, SwipingASheetDownDismissesItUnlessItIsModal) {
    auto delegate = std::make_shared<SheetDelegate>();
    sheet->presentationController()->setDelegate(delegate);

    // A short slow pull springs back.
    home->present(sheet, false);
    drag({195, 300}, {195, 400}, 10);
    settle();
    EXPECT_EQ(home->presentedViewController(), sheet);
    EXPECT_EQ(sheet->presentationController()->containerView()->frame().y, 57);

    // Past a third of the card it goes.
    drag({195, 300}, {195, 700}, 10);
    settle();
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_EQ(delegate->dismissals, 1);

    // A modal sheet follows reluctantly, springs back and the delegate hears the attempt.
    sheet->setModalInPresentation(true);
    home->present(sheet, false);
    take();
    window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, {195, 300}));
    clock->advance(std::chrono::milliseconds(16));
    window->sendTouch(ui::Touch(1, ui::TouchPhase::Moved, {195, 700}));
    double pulledTo = sheet->presentationController()->containerView()->frame().y;
    EXPECT_GT(pulledTo, 57);
    EXPECT_LT(pulledTo, 57 + 200);
    window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, {195, 700}));
    settle();
    EXPECT_EQ(home->presentedViewController(), sheet);
    EXPECT_EQ(sheet->presentationController()->containerView()->frame().y, 57);
    EXPECT_EQ(delegate->attempts, 1);
    EXPECT_EQ(delegate->dismissals, 1);
    EXPECT_TRUE(take().empty()) << "no life-cycle calls for a refused swipe";
}

TEST_F(ViewControllerTest, ButtonActionsClimbFromTheViewToItsControllerAndFromASheetToItsPresenter) {
    int closes = 0, saves = 0;
    home->registerAction("close", [&] { ++closes; });
    navigation->registerAction("save", [&] { ++saves; });
    auto button = ui::Button::create();
    button->setFrame({100, 100, 80, 44});
    button->addTarget({}, "close", ui::ControlEventTouchUpInside);
    home->view()->addSubview(button);
    tapAt({140, 120});
    EXPECT_EQ(closes, 1);

    auto save = ui::Button::create();
    save->setFrame({0, 0, 80, 44});
    save->addTarget({}, "save", ui::ControlEventTouchUpInside);
    sheet->view()->addSubview(save);
    home->present(sheet, false);
    tapAt({40, 57 + 22});
    EXPECT_EQ(saves, 1);
}

}  // namespace
