#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Window.h"

namespace {

using ui::Touch;
using ui::TouchPhase;
using ui::View;

// Records the touches it gets; swallows them only when asked to.
class RecordingView : public View {
public:
    static std::shared_ptr<RecordingView> create(const gfx::Rect& frame, bool handles = true) {
        std::shared_ptr<RecordingView> view(new RecordingView());
        view->setFrame(frame);
        view->handles = handles;
        return view;
    }
    void touchesBegan(const Touches& touches) override { record("began", touches); }
    void touchesMoved(const Touches& touches) override { record("moved", touches); }
    void touchesEnded(const Touches& touches) override { record("ended", touches); }
    void touchesCancelled(const Touches& touches) override { record("cancelled", touches); }

    bool handles = true;
    std::vector<std::string> phases;
    std::vector<gfx::Point> locations;

private:
    void record(const char* phase, const Touches& touches) {
        if (!handles) {
            if (phase == std::string("began")) View::touchesBegan(touches);
            if (phase == std::string("ended")) View::touchesEnded(touches);
            return;
        }
        phases.push_back(phase);
        locations.push_back(touches.front().locationInView(this));
    }
};

TEST(Touch, ASequenceGoesToTheViewHitWhenItBegan) {
    auto window = ui::Window::create({320, 480});
    auto left = RecordingView::create({{0, 0}, {100, 100}});
    auto right = RecordingView::create({{100, 0}, {100, 100}});
    auto inner = RecordingView::create({{10, 20}, {50, 50}});
    window->addSubview(left);
    window->addSubview(right);
    right->addSubview(inner);

    EXPECT_EQ(window->sendTouch(Touch(1, TouchPhase::Began, {115, 25})), inner);
    // Moving out of the view and over another keeps the sequence with the first view.
    EXPECT_EQ(window->sendTouch(Touch(1, TouchPhase::Moved, {20, 30})), inner);
    window->sendTouch(Touch(1, TouchPhase::Stationary, {20, 30}));
    EXPECT_EQ(window->sendTouch(Touch(1, TouchPhase::Ended, {20, 30})), inner);
    EXPECT_EQ(inner->phases, (std::vector<std::string>{"began", "moved", "ended"}));
    ASSERT_EQ(inner->locations.size(), 3u);
    EXPECT_EQ(inner->locations[0], (gfx::Point{5, 5}));
    EXPECT_EQ(inner->locations[1], (gfx::Point{-90, 10}));
    EXPECT_TRUE(left->phases.empty());
    EXPECT_TRUE(right->phases.empty());

    // After the end, the identifier names no sequence.
    EXPECT_EQ(window->sendTouch(Touch(1, TouchPhase::Moved, {20, 30})), nullptr);
}

TEST(Touch, TwoFingersAreTrackedApartAndCancelEndsASequence) {
    auto window = ui::Window::create({320, 480});
    auto a = RecordingView::create({{0, 0}, {100, 100}});
    auto b = RecordingView::create({{0, 200}, {100, 100}});
    window->addSubview(a);
    window->addSubview(b);

    window->sendTouch(Touch(1, TouchPhase::Began, {10, 10}));
    window->sendTouch(Touch(2, TouchPhase::Began, {10, 210}));
    window->sendTouch(Touch(2, TouchPhase::Moved, {10, 10}));
    window->sendTouch(Touch(1, TouchPhase::Cancelled, {10, 10}));
    EXPECT_EQ(a->phases, (std::vector<std::string>{"began", "cancelled"}));
    EXPECT_EQ(b->phases, (std::vector<std::string>{"began", "moved"}));
    EXPECT_EQ(window->sendTouch(Touch(1, TouchPhase::Ended, {10, 10})), nullptr);
}

TEST(Touch, UnhandledTouchesGoUpTheResponderChain) {
    auto window = ui::Window::create({320, 480});
    auto container = RecordingView::create({{0, 0}, {200, 200}});
    auto passive = RecordingView::create({{10, 10}, {50, 50}}, false);
    window->addSubview(container);
    container->addSubview(passive);

    window->sendTouch(Touch(7, TouchPhase::Began, {20, 20}));
    window->sendTouch(Touch(7, TouchPhase::Ended, {20, 20}));
    EXPECT_EQ(container->phases, (std::vector<std::string>{"began", "ended"}));
    EXPECT_EQ(container->locations.front(), (gfx::Point{20, 20}));
}

TEST(Touch, ADestroyedTargetEndsDeliveryQuietly) {
    auto window = ui::Window::create({320, 480});
    auto view = RecordingView::create({{0, 0}, {100, 100}});
    window->addSubview(view);
    window->sendTouch(Touch(1, TouchPhase::Began, {10, 10}));
    view->removeFromSuperview();
    view.reset();
    EXPECT_EQ(window->sendTouch(Touch(1, TouchPhase::Ended, {10, 10})), nullptr);
}

}  // namespace
