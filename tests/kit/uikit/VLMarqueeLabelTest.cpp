#include <gtest/gtest.h>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "ui/Application.h"
#include "ui/Window.h"
#include "uikit/VLMarqueeLabel.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kLongText = "A headline far too long to fit in the label";

// A 200 x 30 marquee in a window on a manual clock, its long text sized to about 300 points.
class MarqueeTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        marquee->setFont(gfx::Font::system(17));
        marquee->setText(kLongText);
        double measured = marquee->mainLabel()->frame().width;
        marquee->setFont(gfx::Font::system(17 * 300 / measured));
        window->addSubview(marquee);
    }
    void TearDown() override {
        marquee->removeFromSuperview();
        base::RunLoop::main().runFor(1s);
        base::Clock::setCurrent(nullptr);
    }
    void run(std::chrono::milliseconds time) { base::RunLoop::main().runFor(time); }
    double offset() const { return marquee->scrollView()->presentation().boundsOrigin.x; }
    double width() const { return marquee->mainLabel()->frame().width; }
    std::chrono::milliseconds passTime() const {
        return std::chrono::milliseconds(static_cast<long>(width() / 30 * 1000));
    }
    // The mask's stop locations; none without a mask.
    std::vector<double> mask() const {
        std::vector<double> locations;
        if (auto& gradient = marquee->layer().mask()) {
            for (const auto& stop : gradient->stops) locations.push_back(stop.location);
        }
        return locations;
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<VLMarqueeLabel> marquee = VLMarqueeLabel::create({20, 100, 200, 30});
};

TEST_F(MarqueeTest, TextThatFitsFillsTheViewWithItsAlignmentAndNeverMoves) {
    marquee->setTextAlignment(gfx::TextAlignment::Center);
    marquee->setText("Short");
    run(5s);
    EXPECT_EQ(marquee->mainLabel()->frame(), marquee->bounds());
    EXPECT_EQ(marquee->mainLabel()->textAlignment(), gfx::TextAlignment::Center);
    EXPECT_TRUE(marquee->labels()[1]->isHidden());
    EXPECT_TRUE(mask().empty());
    EXPECT_FALSE(marquee->scrollView()->layer().hasAnimations());
    EXPECT_EQ(offset(), 0);
}

TEST_F(MarqueeTest, EachPassRestsThenSlidesOneWidthPlusSpacingAtConstantSpeedAndRepeats) {
    ASSERT_NEAR(width(), 300, 6);
    const double travel = width() + 20, f = 7.0 / 200;
    run(1400ms);
    EXPECT_EQ(offset(), 0);
    EXPECT_FALSE(marquee->scrolling());
    EXPECT_EQ(mask(), (std::vector<double>{0, 0, 1 - f, 1})) << "at rest only the right edge fades";
    run(100ms);
    EXPECT_TRUE(marquee->scrolling());
    EXPECT_EQ(mask(), (std::vector<double>{0, f, 1 - f, 1})) << "during a pass both edges fade";
    run(passTime() / 2);
    EXPECT_NEAR(offset(), travel / 2, 1) << "linear: half the time, half the way";
    run(passTime() / 2 - 20ms);
    EXPECT_NEAR(offset(), travel, 1);
    run(40ms);
    EXPECT_EQ(offset(), 0) << "jumped back for the next pass";
    EXPECT_FALSE(marquee->scrolling());
    run(1500ms + passTime() / 2 - 20ms);
    EXPECT_NEAR(offset(), travel / 2, 1) << "the next pass runs the same way";
}

TEST_F(MarqueeTest, OnlyAChangeRestartsTheCycle) {
    run(1500ms + passTime() / 2);
    const double midway = offset();
    marquee->setText(kLongText);
    marquee->setFadeLength(marquee->fadeLength());
    EXPECT_EQ(offset(), midway) << "the same text and fade length change nothing";
    marquee->setText(std::string(kLongText) + "!");
    EXPECT_EQ(offset(), 0);
    run(1000ms);
    EXPECT_EQ(offset(), 0) << "resting again";
    run(1000ms);
    EXPECT_GT(offset(), 0);
}

TEST_F(MarqueeTest, DirectionZeroFadesNothingAtRestAndSlidesBack) {
    marquee->setScrollDirection(0);
    run(100ms);
    EXPECT_EQ(offset(), width() + 20) << "starts from the second copy";
    EXPECT_EQ(mask(), (std::vector<double>{0, 0, 1, 1}));
    run(1400ms + passTime() / 2);
    EXPECT_NEAR(offset(), (width() + 20) / 2, 1);
}

TEST_F(MarqueeTest, EmptyTextNeverScrollsAndAnInterruptedPassWaitsForTheApplicationToReturn) {
    marquee->observeApplicationNotifications();
    marquee->scrollView()->layer().removeAllAnimations();
    run(5s);
    EXPECT_FALSE(marquee->scrollView()->layer().hasAnimations()) << "an interrupted pass chains no other";
    ui::Application::shared().didRegainFocus();
    run(1500ms + passTime() / 2);
    EXPECT_NEAR(offset(), (width() + 20) / 2, 1);

    marquee->setText("");
    marquee->mainLabel()->setFrame({0, 0, 500, 30});
    marquee->scrollLabelIfNeeded();
    run(5s);
    EXPECT_FALSE(marquee->scrollView()->layer().hasAnimations());
}

}  // namespace
