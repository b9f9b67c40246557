#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Log.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "ui/View.h"

namespace {

using namespace std::chrono_literals;
using ui::View;

class Controller : public ui::Responder {
public:
    static std::shared_ptr<Controller> create() { return std::shared_ptr<Controller>(new Controller()); }
    std::shared_ptr<Responder> nextResponder() const override { return next.lock(); }
    std::weak_ptr<Responder> next;
};

class ResponderTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock_);
        base::Log::setSink([this](std::string_view line) { logLines.emplace_back(line); });
    }
    void TearDown() override {
        base::RunLoop::main().runUntilIdle();
        base::Log::resetSink();
        base::Clock::setCurrent(nullptr);
    }
    std::shared_ptr<base::ManualClock> clock_ = std::make_shared<base::ManualClock>();
    std::vector<std::string> logLines;
};

TEST_F(ResponderTest, SendActionReachesTheNearestHandlerUpTheChain) {
    auto root = View::create(), middle = View::create(), leaf = View::create();
    root->addSubview(middle);
    middle->addSubview(leaf);
    std::vector<std::string> calls;
    root->registerAction("refresh", [&] { calls.push_back("root"); });
    middle->registerAction("refresh", [&] { calls.push_back("middle"); });
    root->registerAction("close", [&] { calls.push_back("root close"); });

    EXPECT_TRUE(leaf->sendAction("refresh"));
    EXPECT_TRUE(leaf->sendAction("close"));
    EXPECT_EQ(calls, (std::vector<std::string>{"middle", "root close"}));
    EXPECT_FALSE(leaf->respondsToAction("refresh"));
    EXPECT_TRUE(logLines.empty());
}

TEST_F(ResponderTest, AnOwningResponderComesBeforeTheSuperview) {
    auto superview = View::create(), rootView = View::create();
    superview->addSubview(rootView);
    auto controller = Controller::create();
    controller->next = superview;
    rootView->setOwningResponder(controller);
    std::vector<std::string> calls;
    controller->registerAction("save", [&] { calls.push_back("controller"); });
    superview->registerAction("save", [&] { calls.push_back("superview"); });
    superview->registerAction("back", [&] { calls.push_back("superview back"); });

    EXPECT_EQ(rootView->nextResponder(), controller);
    EXPECT_TRUE(rootView->sendAction("save"));
    EXPECT_TRUE(rootView->sendAction("back"));  // through the controller to its next responder
    EXPECT_EQ(calls, (std::vector<std::string>{"controller", "superview back"}));

    controller.reset();  // a gone owner leaves the superview next
    EXPECT_EQ(rootView->nextResponder(), superview);
}

TEST_F(ResponderTest, UnknownActionsAreLoggedOncePerCallAndIgnored) {
    auto root = View::create(), leaf = View::create();
    root->addSubview(leaf);
    EXPECT_FALSE(leaf->sendAction("missing"));
    EXPECT_EQ(logLines.size(), 1u);
    EXPECT_FALSE(leaf->performAction("missing"));
    EXPECT_EQ(logLines.size(), 2u);
    EXPECT_NE(logLines.back().find("missing"), std::string::npos);
}

TEST_F(ResponderTest, AHandlerMayDropTheLastReferenceToItsResponder) {
    auto view = View::create();
    std::weak_ptr<View> weak = view;
    bool ran = false;
    view->registerAction("dismiss", [&] {
        view.reset();
        ran = !weak.expired();  // kept alive until the handler returns
    });
    EXPECT_TRUE(view->performAction("dismiss"));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(weak.expired());
}

TEST_F(ResponderTest, PerformAfterDelayFiresAtItsTimeAndCanBeCancelled) {
    auto view = View::create();
    int scrolls = 0, fades = 0;
    view->registerAction("scroll", [&] { ++scrolls; });
    view->registerAction("fade", [&] { ++fades; });
    view->performAfterDelay("scroll", 2s);
    view->performAfterDelay("scroll", 3s);
    view->performAfterDelay("fade", 2s);

    base::RunLoop::main().runFor(1s);
    EXPECT_EQ(scrolls, 0);
    base::RunLoop::main().runFor(1s);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(fades, 1);
    view->cancelPerformAfterDelay("scroll");
    base::RunLoop::main().runFor(5s);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(ResponderTest, DelayedCallsDoNothingOnceTheResponderIsGone) {
    int calls = 0;
    auto view = View::create();
    view->registerAction("tick", [&] { ++calls; });
    view->performAfterDelay("tick", 1s);
    view.reset();
    base::RunLoop::main().runFor(2s);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(logLines.empty());
}

}  // namespace
