#include <gtest/gtest.h>

#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/Window.h"

namespace {

const std::string kSentence = "The quick brown fox jumps over the lazy dog near the river bank";

std::shared_ptr<ui::Label> constrainedLabel(ui::View& parent, const std::string& text) {
    auto label = ui::Label::create(text);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent.addSubview(label);
    return label;
}

TEST(Label, MultiLineLabelTakesTheHeightOfItsTextWrappedAtItsConstrainedWidth) {
    auto window = ui::Window::create({390, 844}, 2);
    auto label = constrainedLabel(*window, kSentence);
    label->setNumberOfLines(0);
    auto trailing = label->trailingAnchor().equalTo(window->leadingAnchor(), 166);
    ui::LayoutConstraint::activate({label->leadingAnchor().equalTo(window->leadingAnchor(), 16), trailing,
                                    label->topAnchor().equalTo(window->topAnchor(), 20)});
    window->layoutIfNeeded();

    double oneLine = ui::Label::create("The")->intrinsicContentSize().height;
    EXPECT_EQ(label->frame().width, 150);
    EXPECT_EQ(label->frame().height, label->sizeThatFits({150, 0}).height);
    EXPECT_GE(label->frame().height, 3 * oneLine - 1);

    // Wider: fewer lines, measured again without being asked.
    trailing->setConstant(366);
    window->layoutIfNeeded();
    EXPECT_EQ(label->frame().height, label->sizeThatFits({350, 0}).height);
    EXPECT_LT(label->frame().height, 3 * oneLine - 1);

    // A line limit caps the height.
    trailing->setConstant(166);
    label->setNumberOfLines(2);
    window->layoutIfNeeded();
    EXPECT_NEAR(label->frame().height, 2 * oneLine, 1.0);
}

TEST(Label, PreferredMaxLayoutWidthWrapsTheIntrinsicSize) {
    auto label = ui::Label::create(kSentence);
    gfx::Size oneLine = label->intrinsicContentSize();
    label->setPreferredMaxLayoutWidth(120);
    EXPECT_EQ(label->intrinsicContentSize(), oneLine);  // one line ignores it
    label->setNumberOfLines(0);
    gfx::Size wrapped = label->intrinsicContentSize();
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GE(wrapped.height, 3 * oneLine.height - 1);
    EXPECT_FALSE(label->intrinsicContentSizeDependsOnWidth());

    // A single line takes its whole text as its width, with its own constraints or none.
    auto window = ui::Window::create({390, 844}, 2);
    auto single = constrainedLabel(*window, "Settings");
    ui::LayoutConstraint::activate({single->leadingAnchor().equalTo(window->leadingAnchor(), 16),
                                    single->topAnchor().equalTo(window->topAnchor(), 20)});
    window->layoutIfNeeded();
    EXPECT_EQ(single->frame().size(), single->intrinsicContentSize());
    EXPECT_GT(single->frame().width, 40);
}

}  // namespace
