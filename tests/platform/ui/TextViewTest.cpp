#include <gtest/gtest.h>

#include "ui/LayoutConstraint.h"
#include "ui/TextView.h"
#include "ui/Window.h"

namespace {

using ui::TextView;

TEST(TextView, HeightFollowsTheLinesAtAWidthAndDrivesASelfSizingContainer) {
    auto view = TextView::create();
    view->setFont(gfx::Font::system(17));
    const double empty = view->sizeThatFits({200, 0}).height;
    view->setText("one");
    const double oneLine = view->sizeThatFits({200, 0}).height;
    EXPECT_NEAR(empty, oneLine, 1);  // an empty view is one line high
    EXPECT_GT(oneLine, 16);          // 8 above and below the text
    view->setText("one\ntwo\nthree");
    const double threeLines = view->sizeThatFits({200, 0}).height;
    EXPECT_NEAR(threeLines - 16, 3 * (oneLine - 16), 3);
    // The same words wrap into more lines in a narrower width.
    view->setText("the quick brown fox jumps over the lazy dog again and again");
    EXPECT_GT(view->sizeThatFits({120, 0}).height, view->sizeThatFits({400, 0}).height);

    // A container pinned to the view's edges takes its height from the text at its width.
    auto window = ui::Window::create({390, 844});
    auto cell = ui::View::create();
    window->addSubview(cell);
    cell->setTranslatesAutoresizingMaskIntoConstraints(false);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    cell->addSubview(view);
    ui::LayoutConstraint::activate(
        {cell->topAnchor().equalTo(window->topAnchor()),
         cell->leadingAnchor().equalTo(window->leadingAnchor()), cell->widthAnchor().equalToConstant(120),
         view->topAnchor().equalTo(cell->topAnchor()), view->bottomAnchor().equalTo(cell->bottomAnchor()),
         view->leadingAnchor().equalTo(cell->leadingAnchor()),
         view->trailingAnchor().equalTo(cell->trailingAnchor())});
    window->layoutIfNeeded();
    EXPECT_NEAR(cell->frame().height, view->sizeThatFits({120, 0}).height, 1);
}

TEST(TextView, EditingFollowsEditableAndDeletesWholeCharacters) {
    auto window = ui::Window::create({390, 844});
    auto view = TextView::create();
    view->setFrame({0, 0, 300, 200});
    window->addSubview(view);
    view->setEditable(false);
    EXPECT_FALSE(view->becomeFirstResponder());
    view->setEditable(true);
    ASSERT_TRUE(view->becomeFirstResponder());
    int changes = 0;
    view->setOnChange([&](TextView&) { ++changes; });
    view->insertText("line\n🇫🇷");
    view->deleteBackward();  // the flag is one character
    EXPECT_EQ(view->text(), "line\n");
    EXPECT_EQ(changes, 2);
    view->setEditable(false);  // a view made read-only stops editing
    EXPECT_FALSE(view->isFirstResponder());
}

}  // namespace
