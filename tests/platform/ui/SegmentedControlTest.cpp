#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ControlTouches.h"
#include "host/HeadlessHost.h"
#include "ui/SegmentedControl.h"

namespace {

using testsupport::tap;
using ui::SegmentedControl;

std::vector<std::string> titles(const SegmentedControl& control) {
    std::vector<std::string> result;
    for (int i = 0; i < control.numberOfSegments(); ++i) result.push_back(*control.titleForSegmentAtIndex(i));
    return result;
}

// Leaves the process-wide appearance as it found it (empty).
struct AppearanceReset {
    ~AppearanceReset() { SegmentedControl::appearance().reset(); }
};

TEST(SegmentedControl, InsertsAtClampedIndicesAndKeepsTheSelectedSegment) {
    auto control = SegmentedControl::create();
    control->insertSegmentWithTitle("B", 0, false);
    control->insertSegmentWithTitle("A", -5, false);
    control->insertSegmentWithTitle("D", 99, true);
    control->setSelectedSegmentIndex(1);  // B
    control->insertSegmentWithTitle("C", 2, false);
    control->insertSegmentWithTitle("0", 0, false);
    EXPECT_EQ(titles(*control), (std::vector<std::string>{"0", "A", "B", "C", "D"}));
    EXPECT_EQ(control->selectedSegmentIndex(), 2);
    EXPECT_EQ(control->titleForSegmentAtIndex(5), std::nullopt);
    EXPECT_EQ(control->titleForSegmentAtIndex(-1), std::nullopt);

    control->setSelectedSegmentIndex(5);
    EXPECT_EQ(control->selectedSegmentIndex(), SegmentedControl::kNoSegment);
    control->setSelectedSegmentIndex(0);
    control->removeAllSegments();
    EXPECT_EQ(control->numberOfSegments(), 0);
    EXPECT_EQ(control->selectedSegmentIndex(), SegmentedControl::kNoSegment);
}

TEST(SegmentedControl, ATapSelectsItsSegmentAndSendsOnlyOnChange) {
    auto window = ui::Window::create({320, 480});
    auto control = SegmentedControl::create();
    for (const char* title : {"Low", "Medium", "High"}) {
        control->insertSegmentWithTitle(title, control->numberOfSegments(), false);
    }
    control->setFrame({{10, 100}, {300, SegmentedControl::kHeight}});
    window->addSubview(control);
    std::vector<int> sent;
    auto target =
        testsupport::ActionRecorder::create([&] { sent.push_back(control->selectedSegmentIndex()); });
    control->addTarget(target, "changed", ui::ControlEventValueChanged);

    tap(*window, {260, 116});
    tap(*window, {260, 116});
    tap(*window, {20, 116});
    control->setSelectedSegmentIndex(1);
    EXPECT_EQ(sent, (std::vector<int>{2, 0}));

    window->setLayoutDirection(ui::LayoutDirection::RightToLeft);  // the first segment on the right
    tap(*window, {260, 116});
    EXPECT_EQ(sent, (std::vector<int>{2, 0, 0}));
}

TEST(SegmentedControl, TitleAttributesFallBackToTheAppearanceThenTheNormalState) {
    AppearanceReset reset;
    const gfx::Color white = gfx::Color::whiteColor(), red(1, 0, 0), blue(0, 0, 1);
    auto control = SegmentedControl::create();
    auto other = SegmentedControl::create();
    SegmentedControl::appearance().setTitleTextAttributes(ui::TextAttributes{std::nullopt, white},
                                                          ui::ControlStateSelected);
    control->setTitleTextAttributes(ui::TextAttributes{gfx::Font::system(20), blue}, ui::ControlStateNormal);

    auto selected = control->effectiveTitleTextAttributes(ui::ControlStateSelected);
    EXPECT_EQ(selected.foregroundColor, white);
    EXPECT_EQ(selected.font->pointSize(), 20);
    EXPECT_EQ(control->effectiveTitleTextAttributes(ui::ControlStateNormal).foregroundColor, blue);
    EXPECT_EQ(other->effectiveTitleTextAttributes(ui::ControlStateSelected).foregroundColor, white);
    EXPECT_TRUE(
        other->effectiveTitleTextAttributes(ui::ControlStateNormal)
            .foregroundColor->isApproximately(gfx::Color::label(), 1e-6, gfx::TraitCollection::dark()));

    control->setTitleTextAttributes(ui::TextAttributes{std::nullopt, red}, ui::ControlStateSelected);
    EXPECT_EQ(control->effectiveTitleTextAttributes(ui::ControlStateSelected).foregroundColor, red);
}

TEST(SegmentedControl, TheSelectedSegmentShowsInPixels) {
    auto control = SegmentedControl::create();
    control->insertSegmentWithTitle("One", 0, false);
    control->insertSegmentWithTitle("Two", 1, false);
    control->setFrame({{0, 0}, {200, SegmentedControl::kHeight}});
    control->setSelectedSegmentTintColor(gfx::Color(0, 1, 0));

    auto pixel = [&](int x) { return host::HeadlessHost::render(*control, 1.0).colorAt(x, 6); };
    control->setSelectedSegmentIndex(1);
    EXPECT_GT(pixel(150).green(), 0.9);
    EXPECT_LT(pixel(50).alpha(), 0.5);
    control->setSelectedSegmentIndex(0);
    EXPECT_GT(pixel(50).green(), 0.9);
    EXPECT_LT(pixel(150).alpha(), 0.5);
}

}  // namespace
