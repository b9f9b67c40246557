#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "ui/LayoutConstraint.h"
#include "ui/TextView.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace {

using namespace std::chrono_literals;
using ui::CharacterRange;
using ui::TextView;
using ui::TouchPhase;

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

    // A container pinned to a view that does not scroll takes its height from the text.
    auto window = ui::Window::create({390, 844});
    auto cell = ui::View::create();
    window->addSubview(cell);
    cell->setTranslatesAutoresizingMaskIntoConstraints(false);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    view->setScrollEnabled(false);
    cell->addSubview(view);
    ui::LayoutConstraint::activate(
        {cell->topAnchor().equalTo(window->topAnchor()),
         cell->leadingAnchor().equalTo(window->leadingAnchor()), cell->widthAnchor().equalToConstant(120),
         view->topAnchor().equalTo(cell->topAnchor()), view->bottomAnchor().equalTo(cell->bottomAnchor()),
         view->leadingAnchor().equalTo(cell->leadingAnchor()),
         view->trailingAnchor().equalTo(cell->trailingAnchor())});
    window->layoutIfNeeded();
    EXPECT_NEAR(cell->frame().height, view->sizeThatFits({120, 0}).height, 1);
    // A scrolling one has no height of its own, as on the platform.
    view->setScrollEnabled(true);
    EXPECT_EQ(view->intrinsicContentSize().height, ui::View::kNoIntrinsicMetric);
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

// Touches on a manual clock, a 300 x 200 text view at (20, 100) in the window.
class TextViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        view->setFont(gfx::Font::system(17));
        view->setFrame({20, 100, 300, 200});
        window->addSubview(view);
    }
    void TearDown() override {
        base::RunLoop::main().runUntilIdle();
        base::Clock::setCurrent(nullptr);
    }
    static std::string lines(int count) {
        std::string text;
        for (int line = 1; line <= count; ++line) text += "Line " + std::to_string(line) + "\n";
        return text;
    }
    void tap(gfx::Point point) {
        window->sendTouch(ui::Touch(1, TouchPhase::Began, point));
        window->sendTouch(ui::Touch(1, TouchPhase::Ended, point));
    }
    void doubleTap(gfx::Point point) {
        base::RunLoop::main().runFor(1s);  // well apart from any earlier tap
        tap(point);
        base::RunLoop::main().runFor(100ms);
        tap(point);
    }
    // A finger moving by `dy` in 10 ms steps; lifted unless `lift` is false.
    void drag(gfx::Point from, double dy, int steps, bool lift = true) {
        window->sendTouch(ui::Touch(1, TouchPhase::Began, from));
        for (int step = 1; step <= steps; ++step) {
            base::RunLoop::main().runFor(10ms);
            window->sendTouch(ui::Touch(1, TouchPhase::Moved, {from.x, from.y + dy * step / steps}));
        }
        if (lift) window->sendTouch(ui::Touch(1, TouchPhase::Ended, {from.x, from.y + dy}));
    }
    // Just left of the caret position before character `index`, in window coordinates.
    gfx::Point pointBefore(std::size_t index) {
        auto saved = view->selectedRange();
        view->setSelectedRange({index, 0});
        gfx::Rect caret = view->convertRect(view->caretRect(), nullptr);
        view->setSelectedRange(saved);
        return {caret.x - 1, caret.midY()};
    }
    double maxOffset() const { return view->offsetLimits().max.y; }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<TextView> view = TextView::create();
};

TEST_F(TextViewTest, APanScrollsALongTextWithAnIndicatorAndSettlesAtItsEnd) {
    view->setText(lines(40));
    window->layoutIfNeeded();
    EXPECT_EQ(view->contentSize().height, view->sizeThatFits({300, 0}).height);
    ASSERT_GT(maxOffset(), 400);

    drag({170, 280}, -150, 5, false);
    EXPECT_GT(view->contentOffset().y, 100);
    ASSERT_TRUE(view->verticalScrollIndicator());
    EXPECT_FALSE(view->verticalScrollIndicator()->isHidden());
    EXPECT_FALSE(view->horizontalScrollIndicator() && !view->horizontalScrollIndicator()->isHidden());
    window->sendTouch(ui::Touch(1, TouchPhase::Ended, {170, 130}));
    base::RunLoop::main().runFor(10s);
    EXPECT_GE(view->contentOffset().y, 100);
    EXPECT_LE(view->contentOffset().y, maxOffset());
    EXPECT_TRUE(view->verticalScrollIndicator()->isHidden());

    // Dragged far past the end, it bounces back to rest on the last line.
    drag({170, 290}, -3000, 10);
    base::RunLoop::main().runFor(10s);
    EXPECT_DOUBLE_EQ(view->contentOffset().y, maxOffset());
    EXPECT_FALSE(view->isFirstResponder());  // a drag does not begin editing

    // Turning scrolling off puts the text back at the top and keeps it there.
    view->setScrollEnabled(false);
    EXPECT_EQ(view->contentOffset().y, 0);
    drag({170, 280}, -150, 5);
    base::RunLoop::main().runFor(1s);
    EXPECT_EQ(view->contentOffset().y, 0);
}

TEST_F(TextViewTest, ADragOnATextThatFitsScrollsTheListBehindIt) {
    auto list = ui::ScrollView::create();
    list->setFrame({0, 0, 390, 844});
    list->setContentSize({390, 3000});
    window->addSubview(list);
    view->removeFromSuperview();
    list->addSubview(view);
    view->setText("Short");
    window->layoutIfNeeded();
    drag({170, 280}, -150, 5);
    EXPECT_EQ(view->contentOffset().y, 0);
    EXPECT_GT(list->contentOffset().y, 100);
}

TEST_F(TextViewTest, TypingKeepsTheCaretInViewAndDeletingTextBringsTheOffsetBack) {
    view->setText(lines(40));
    window->layoutIfNeeded();
    ASSERT_TRUE(view->becomeFirstResponder());  // the caret at the end, out of sight
    view->insertText("!");
    EXPECT_NEAR(view->contentOffset().y, maxOffset(), 1);  // the last line and the inset below
    EXPECT_TRUE(view->bounds().contains(view->caretRect().origin()));

    view->setSelectedRange({0, 0});
    view->insertText("x");
    EXPECT_EQ(view->contentOffset().y, 0);

    // Deleting all of a selected text while scrolled down leaves no blank page.
    view->setContentOffset({0, maxOffset()});
    view->setSelectedRange({0, 10'000});
    view->deleteBackward();
    EXPECT_EQ(view->text(), "");
    EXPECT_EQ(view->contentOffset().y, 0);
    EXPECT_LT(view->contentSize().height, 200);
}

TEST_F(TextViewTest, ATapPlacesTheCaretAndADoubleTapSelectsTheWordThatTypingReplaces) {
    view->setText("alpha beta gamma");
    window->layoutIfNeeded();
    tap(pointBefore(8));  // between "be" and "ta"
    EXPECT_TRUE(view->isFirstResponder());
    EXPECT_EQ(view->selectedRange(), (CharacterRange{8, 0}));

    doubleTap(pointBefore(8));
    EXPECT_EQ(view->selectedRange(), (CharacterRange{6, 4}));

    // The selection is a tint highlight (blue at 0.2 over white) behind the text.
    auto highlight = view->selectionRects();
    ASSERT_EQ(highlight.size(), 1u);
    gfx::Rect shown = view->convertRect(highlight.front(), nullptr);
    gfx::Image image = host::HeadlessHost::render(*window, 1.0);
    int belowBaseline = int(shown.maxY() - 2);  // "beta" has no descenders
    gfx::PremultipliedPixel tinted = image.pixelAt(int(shown.midX()), belowBaseline);
    EXPECT_NEAR(tinted.red, 204, 8);
    EXPECT_GT(tinted.blue, 248);
    EXPECT_GT(image.pixelAt(int(shown.x - 3), belowBaseline).red, 248);  // the space before it

    view->insertText("BETA");
    EXPECT_EQ(view->text(), "alpha BETA gamma");
    EXPECT_EQ(view->selectedRange(), (CharacterRange{10, 0}));
}

TEST_F(TextViewTest, ReadOnlyViewsPassTapsOnAndSelectOnlyWhenSelectable) {
    class TouchCounter : public ui::View {
    public:
        int ended = 0;
        void touchesEnded(const Touches&) override { ++ended; }
    };
    auto row = std::make_shared<TouchCounter>();
    row->setFrame({0, 0, 390, 400});
    window->addSubview(row);
    view->removeFromSuperview();
    row->addSubview(view);
    view->setText("alpha beta\ngamma");
    view->setEditable(false);
    view->setSelectable(false);
    window->layoutIfNeeded();

    doubleTap(pointBefore(8));
    EXPECT_EQ(row->ended, 2);  // both taps reach the row; nothing is selected
    EXPECT_EQ(view->selectedRange().length, 0u);

    view->setSelectable(true);
    doubleTap(pointBefore(8));
    EXPECT_EQ(view->selectedRange(), (CharacterRange{6, 4}));
    EXPECT_FALSE(view->isFirstResponder());
    base::RunLoop::main().runFor(1s);
    tap(pointBefore(2));  // a single tap drops the selection and still reaches the row
    EXPECT_EQ(view->selectedRange().length, 0u);
    EXPECT_EQ(row->ended, 4);

    // A selection across the line break highlights the rest of the first line, then the next.
    view->setSelectedRange({8, 5});
    auto rects = view->selectionRects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_NEAR(rects[0].maxX(), view->textContainerRect().maxX() - TextView::kLineFragmentPadding, 0.5);
    EXPECT_NEAR(rects[1].x, TextView::kLineFragmentPadding, 0.5);
    EXPECT_GT(rects[1].y, rects[0].y);
    view->setSelectedRange({100, 5});  // beyond the text: the caret at the end
    EXPECT_EQ(view->selectedRange(), (CharacterRange{16, 0}));
}

}  // namespace
