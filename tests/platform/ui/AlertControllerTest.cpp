#include "ControllerTesting.h"
#include "gfx/TraitCollection.h"
#include "ui/AlertController.h"
#include "ui/Button.h"
#include "ui/PresentationController.h"
#include "ui/View.h"

namespace {

using testsupport::RecordingController;
using ui::AlertAction;

class AlertControllerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        window->setRootViewController(screen);
    }
    gfx::Point centreOf(const std::shared_ptr<ui::View>& view) {
        gfx::Rect rect = view->convertRect(view->bounds(), nullptr);
        return {rect.x + rect.width / 2, rect.y + rect.height / 2};
    }
    std::shared_ptr<RecordingController> screen = RecordingController::create("screen", calls);
};

TEST_F(AlertControllerTest, ActionHandlerRunsOnceAfterTheAlertIsGone) {
    auto alert = ui::AlertController::create("😕", "Couldn't load changelog at the moment.");
    int runs = 0;
    bool stillPresentedDuringHandler = true;
    alert->addAction({"OK", AlertAction::Style::Default, [&](const AlertAction& action) {
                          ++runs;
                          EXPECT_EQ(action.title, "OK");
                          stillPresentedDuringHandler = screen->presentedViewController() != nullptr;
                      }});
    screen->present(alert, true);
    settle();
    gfx::Rect card = alert->presentationController()->containerView()->frame();
    EXPECT_NEAR(card.x + card.width / 2, 195, 0.5);
    EXPECT_NEAR(card.y + card.height / 2, 422, 0.5);

    auto ok = centreOf(alert->actionButtons().at(0));
    tapAt(ok);
    EXPECT_EQ(runs, 0) << "not while the alert is still shown";
    tapAt(ok);
    settle();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(stillPresentedDuringHandler);
    EXPECT_TRUE(window->overlays().empty());
}

TEST_F(AlertControllerTest, TwoButtonsSideBySideCancelFirstMoreAreStackedCancelLast) {
    auto pair = ui::AlertController::create("Reset", "All settings return to their defaults.");
    pair->addAction({"Reset", AlertAction::Style::Destructive, {}});
    pair->addAction({"Cancel", AlertAction::Style::Cancel, {}});
    pair->view();
    const auto& two = pair->actionButtons();
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0]->currentTitle(), "Cancel");
    EXPECT_EQ(two[0]->frame().y, two[1]->frame().y);
    EXPECT_LT(two[0]->frame().x, two[1]->frame().x);
    const auto light = gfx::TraitCollection::light();
    EXPECT_EQ(two[1]->titleColor(ui::ControlStateNormal).resolved(light),
              gfx::Color::systemRed().resolved(light));

    auto three = ui::AlertController::create("Share", "");
    three->addAction({"Cancel", AlertAction::Style::Cancel, {}});
    three->addAction({"Copy", AlertAction::Style::Default, {}});
    three->addAction({"Mail", AlertAction::Style::Default, {}});
    three->view();
    const auto& column = three->actionButtons();
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[2]->currentTitle(), "Cancel");
    EXPECT_LT(column[0]->frame().maxY(), column[1]->frame().y + 1);
    EXPECT_EQ(three->preferredContentSize().height, column[2]->frame().maxY());
}

}  // namespace
