#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "ui/Control.h"
#include "ui/TapGestureRecognizer.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace {

using ui::Control;
using ui::Touch;
using ui::TouchPhase;

class Target : public ui::Responder {
public:
    static std::shared_ptr<Target> create(std::vector<std::string>& log) {
        std::shared_ptr<Target> target(new Target());
        for (const char* name : {"tapped", "pressed", "changed"}) {
            target->registerAction(name, [&log, name] { log.push_back(name); });
        }
        return target;
    }
};

TEST(Control, TheSameTargetAndActionRegisterOnce) {
    std::vector<std::string> log;
    auto control = Control::create();
    auto target = Target::create(log);
    control->addTarget(target, "tapped", ui::ControlEventTouchUpInside);
    control->addTarget(target, "tapped", ui::ControlEventTouchUpInside);
    control->addTarget(target, "tapped", ui::ControlEventValueChanged);  // joins the same registration
    control->addTarget(target, "pressed", ui::ControlEventTouchDown);

    control->sendActionsForControlEvents(ui::ControlEventTouchUpInside | ui::ControlEventValueChanged);
    EXPECT_EQ(log, (std::vector<std::string>{"tapped"}));
    EXPECT_EQ(control->eventsForTarget(target, "tapped"),
              ui::ControlEventTouchUpInside | ui::ControlEventValueChanged);

    log.clear();
    control->removeTarget(target, "tapped", ui::ControlEventTouchUpInside);
    control->sendActionsForControlEvents(ui::ControlEventTouchUpInside);
    control->sendActionsForControlEvents(ui::ControlEventValueChanged);
    EXPECT_EQ(log, (std::vector<std::string>{"tapped"}));

    log.clear();
    control->removeTarget(target, "", ui::ControlEventAllEvents);
    control->sendActionsForControlEvents(ui::ControlEventAllEvents);
    EXPECT_TRUE(log.empty());
}

TEST(Control, TargetsAreWeakAndANullTargetUsesTheResponderChain) {
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto control = Control::create();
    window->addSubview(control);
    window->registerAction("changed", [&] { log.push_back("window changed"); });
    auto target = Target::create(log);
    control->addTarget(target, "tapped", ui::ControlEventValueChanged);
    control->addTarget({}, "changed", ui::ControlEventValueChanged);

    target.reset();
    control->sendActionsForControlEvents(ui::ControlEventValueChanged);
    EXPECT_EQ(log, (std::vector<std::string>{"window changed"}));
}

TEST(Control, TouchesBecomeTouchDownAndTouchUpInsideOrOutside) {
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto control = Control::create();
    control->setFrame({{20, 20}, {100, 44}});
    window->addSubview(control);
    auto target = Target::create(log);
    control->addTarget(target, "pressed", ui::ControlEventTouchDown);
    control->addTarget(target, "tapped",
                       ui::ControlEventTouchUpInside | ui::ControlEventPrimaryActionTriggered);
    control->addTarget(target, "changed", ui::ControlEventTouchUpOutside);

    window->sendTouch(Touch(1, TouchPhase::Began, {30, 30}));
    EXPECT_TRUE(control->isHighlighted());
    EXPECT_EQ(control->state(), ui::ControlStateHighlighted);
    window->sendTouch(Touch(1, TouchPhase::Moved, {200, 200}));
    EXPECT_FALSE(control->isHighlighted());
    window->sendTouch(Touch(1, TouchPhase::Moved, {40, 40}));
    EXPECT_TRUE(control->isHighlighted());
    window->sendTouch(Touch(1, TouchPhase::Ended, {40, 40}));
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_EQ(log, (std::vector<std::string>{"pressed", "tapped"}));

    log.clear();
    window->sendTouch(Touch(2, TouchPhase::Began, {30, 30}));
    window->sendTouch(Touch(2, TouchPhase::Ended, {300, 30}));
    EXPECT_EQ(log, (std::vector<std::string>{"pressed", "changed"}));
    EXPECT_FALSE(control->isTracking());
}

TEST(Control, ADisabledControlSendsNothing) {
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto control = Control::create();
    control->setFrame({{0, 0}, {100, 44}});
    window->addSubview(control);
    auto target = Target::create(log);
    control->addTarget(target, "pressed", ui::ControlEventAllEvents);
    control->setEnabled(false);
    control->setSelected(true);
    EXPECT_EQ(control->state(), ui::ControlStateDisabled | ui::ControlStateSelected);

    window->sendTouch(Touch(1, TouchPhase::Began, {10, 10}));
    window->sendTouch(Touch(1, TouchPhase::Ended, {10, 10}));
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(control->isHighlighted());
}

TEST(Control, AnActionMayDropTheLastReferenceToTheControl) {
    std::vector<std::string> log;
    auto control = Control::create();
    std::weak_ptr<Control> weak = control;
    auto target = Target::create(log);
    target->registerAction("tapped", [&] {
        control.reset();
        log.push_back(weak.expired() ? "gone" : "alive");
    });
    control->addTarget(target, "tapped", ui::ControlEventTouchUpInside);
    control->addTarget(target, "pressed", ui::ControlEventTouchUpInside);
    Control* raw = control.get();
    raw->sendActionsForControlEvents(ui::ControlEventTouchUpInside);
    EXPECT_EQ(log, (std::vector<std::string>{"alive", "pressed"}));
    EXPECT_TRUE(weak.expired());
}

// Screen-local wiring: two buttons of one screen with the same kind of handler, a handler added
// twice, a token removed from inside a send, a token that outlives its control.
TEST(Control, HandlersAreEachTheirOwnAndTokensTakeThemOff) {
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto screen = ui::ViewController::create();
    window->setRootViewController(screen);
    auto left = Control::create(), right = Control::create();
    left->setFrame({0, 0, 100, 50});
    right->setFrame({200, 0, 100, 50});
    screen->view()->addSubview(left);
    screen->view()->addSubview(right);
    left->addAction(ui::ControlEventTouchUpInside, [&] { log.push_back("left"); });
    right->addAction(ui::ControlEventTouchUpInside, [&] { log.push_back("right"); });
    right->addAction(ui::ControlEventTouchUpInside, [&] { log.push_back("right again"); });
    auto tap = [&](gfx::Point at) {
        window->sendTouch(Touch(1, TouchPhase::Began, at));
        window->sendTouch(Touch(1, TouchPhase::Ended, at));
    };
    tap({50, 25});
    tap({250, 25});
    EXPECT_EQ(log, (std::vector<std::string>{"left", "right", "right again"}));

    // A handler that takes a later one off: that one does not run, even in the same send.
    log.clear();
    ui::ActionToken later, once;
    right->addAction(ui::ControlEventTouchUpInside, [&] { later.remove(); });
    later = right->addAction(ui::ControlEventTouchUpInside, [&] { log.push_back("taken off"); });
    once = left->addAction(ui::ControlEventTouchUpInside, [&] {
        log.push_back("once");
        once.remove();
    });
    tap({250, 25});
    tap({50, 25});
    tap({50, 25});
    EXPECT_EQ(log, (std::vector<std::string>{"right", "right again", "left", "once", "left"}));
    EXPECT_FALSE(later.isActive());
    EXPECT_FALSE(once.isActive());

    ui::ActionToken orphan = left->addAction(ui::ControlEventValueChanged, [] {});
    EXPECT_TRUE(orphan.isActive());
    screen->view()->removeFromSuperview();
    screen.reset();
    window->setRootViewController(nullptr);
    left.reset();
    EXPECT_FALSE(orphan.isActive());
    orphan.remove();  // the control is gone: nothing to do
}

TEST(Control, GestureHandlersHearEachStateChange) {
    auto window = ui::Window::create({320, 480});
    auto view = ui::View::create();
    view->setFrame({0, 0, 100, 100});
    window->addSubview(view);
    auto tap = ui::TapGestureRecognizer::create();
    view->addGestureRecognizer(tap);
    int taps = 0;
    ui::ActionToken token =
        tap->addAction([&] { taps += tap->state() == ui::GestureRecognizer::Recognized; });
    for (int round = 0; round < 2; ++round) {
        window->sendTouch(Touch(round + 1, TouchPhase::Began, {10, 10}));
        window->sendTouch(Touch(round + 1, TouchPhase::Ended, {10, 10}));
        token.remove();
    }
    EXPECT_EQ(taps, 1);
}

}  // namespace
