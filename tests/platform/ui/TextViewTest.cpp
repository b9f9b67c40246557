#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ControlTouches.h"
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

namespace {

// Records what a text view tells its delegate; refuses what it is told to refuse.
class RecordingDelegate : public ui::TextViewDelegate {
public:
    bool textViewShouldBeginEditing(TextView&) override { return record("should-begin", allowBegin); }
    void textViewDidBeginEditing(TextView&) override { calls.push_back("did-begin"); }
    bool textViewShouldEndEditing(TextView&) override { return record("should-end", allowEnd); }
    void textViewDidEndEditing(TextView&) override { calls.push_back("did-end"); }
    bool shouldChangeTextInRange(TextView&, ui::Utf16Range range, const std::string& text) override {
        ranges.push_back(range);
        return text != refusedText;
    }
    void textViewDidChange(TextView& view) override { calls.push_back("change:" + view.text()); }

    bool record(const std::string& call, bool answer) {
        calls.push_back(call);
        return answer;
    }
    bool allowBegin = true;
    bool allowEnd = true;
    std::string refusedText = "refused";
    std::vector<std::string> calls;
    std::vector<ui::Utf16Range> ranges;
};

}  // namespace

TEST(TextView, EditingAsksAndTellsTheDelegateInWholeCharacters) {
    auto window = ui::Window::create({390, 844});
    auto view = TextView::create();
    view->setFrame({0, 0, 300, 200});
    window->addSubview(view);
    auto delegate = std::make_shared<RecordingDelegate>();
    view->setDelegate(delegate);
    view->setEditable(false);
    EXPECT_FALSE(view->becomeFirstResponder());
    view->setEditable(true);
    delegate->allowBegin = false;
    EXPECT_FALSE(view->becomeFirstResponder());
    delegate->allowBegin = true;
    ASSERT_TRUE(view->becomeFirstResponder());
    view->insertText("line\n🇫🇷");
    view->insertText("refused");
    view->deleteBackward();  // the flag is one character, four UTF-16 units
    EXPECT_EQ(view->text(), "line\n");
    EXPECT_EQ(delegate->ranges, (std::vector<ui::Utf16Range>{{0, 0}, {9, 0}, {5, 4}}));
    delegate->allowEnd = false;
    EXPECT_FALSE(view->resignFirstResponder());
    view->setEditable(false);  // a view made read-only stops editing whatever the delegate says
    EXPECT_FALSE(view->isFirstResponder());
    EXPECT_EQ(delegate->calls,
              (std::vector<std::string>{"should-begin", "should-begin", "did-begin", "change:line\n🇫🇷",
                                        "change:line\n", "should-end", "did-end"}));
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
    void doubleTap(gfx::Point point) {
        base::RunLoop::main().runFor(1s);  // well apart from any earlier tap
        testsupport::tap(*window, point);
        base::RunLoop::main().runFor(100ms);
        testsupport::tap(*window, point);
    }
    // A finger moving up by `dy` in 10 ms steps, then lifted and left to settle.
    void dragUp(double dy) {
        window->sendTouch(ui::Touch(1, TouchPhase::Began, {170, 290}));
        for (int step = 1; step <= 5; ++step) {
            base::RunLoop::main().runFor(10ms);
            window->sendTouch(ui::Touch(1, TouchPhase::Moved, {170, 290 - dy * step / 5}));
        }
        window->sendTouch(ui::Touch(1, TouchPhase::Ended, {170, 290 - dy}));
        base::RunLoop::main().runFor(10s);
    }
    // Just before character `index` on its line, in window coordinates.
    gfx::Point pointBefore(std::size_t index) {
        view->setSelectedRange({index, 0});
        gfx::Rect caret = view->convertRect(view->caretRect(), nullptr);
        view->setSelectedRange({});
        return {caret.x - 1, caret.midY()};
    }
    double maxOffset() const { return view->offsetLimits().max.y; }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<TextView> view = TextView::create();
};

TEST_F(TextViewTest, APanScrollsOnlyALongTextAndItSettlesAtItsEnd) {
    view->setText(std::string(40, '\n'));
    window->layoutIfNeeded();
    EXPECT_EQ(view->contentSize().height, view->sizeThatFits({300, 0}).height);
    dragUp(3000);  // far past the end: it bounces back onto the last line
    EXPECT_DOUBLE_EQ(view->contentOffset().y, maxOffset());
    EXPECT_GT(maxOffset(), 400);

    view->setScrollEnabled(false);  // back at the top, and it stays there
    EXPECT_EQ(view->contentOffset().y, 0);
    dragUp(150);
    EXPECT_EQ(view->contentOffset().y, 0);

    // A text that fits lets the drag scroll the list behind it.
    auto list = ui::ScrollView::create();
    list->setFrame({0, 0, 390, 844});
    list->setContentSize({390, 3000});
    window->addSubview(list);
    list->addSubview(view);
    view->setScrollEnabled(true);
    view->setText("Short");
    window->layoutIfNeeded();
    dragUp(150);
    EXPECT_EQ(view->contentOffset().y, 0);
    EXPECT_GT(list->contentOffset().y, 100);
}

TEST_F(TextViewTest, TypingKeepsTheCaretInViewAndDeletingTextBringsTheOffsetBack) {
    view->setText(std::string(40, '\n'));
    window->layoutIfNeeded();
    ASSERT_TRUE(view->becomeFirstResponder());  // the caret at the end, out of sight
    view->insertText("!");
    EXPECT_NEAR(view->contentOffset().y, maxOffset(), 1);  // the last line and the inset below
    EXPECT_TRUE(view->bounds().contains(view->caretRect().origin()));
    view->setSelectedRange({0, 0});
    view->insertText("x");
    EXPECT_EQ(view->contentOffset().y, 0);

    // Deleting a selection removes all of it; a text replaced while scrolled down leaves no
    // blank page.
    view->setContentOffset({0, maxOffset()});
    view->setSelectedRange({0, 10'000});
    view->deleteBackward();
    EXPECT_EQ(view->text(), "");
    view->setText(std::string(40, '\n'));
    view->setContentOffset({0, maxOffset()});
    view->setText("short");
    EXPECT_EQ(view->contentOffset().y, 0);
}

TEST_F(TextViewTest, ATapPlacesTheCaretAndADoubleTapSelectsTheWordThatTypingReplaces) {
    view->setText("alpha beta gamma");
    window->layoutIfNeeded();
    testsupport::tap(*window, pointBefore(8));  // between "be" and "ta"
    EXPECT_TRUE(view->isFirstResponder());
    EXPECT_EQ(view->selectedRange(), (CharacterRange{8, 0}));
    doubleTap(pointBefore(8));
    EXPECT_EQ(view->selectedRange(), (CharacterRange{6, 4}));

    // A tint highlight (blue at 0.2 over white) behind the text; "beta" has no descenders.
    gfx::Rect shown = view->convertRect(view->selectionRects().at(0), nullptr);
    gfx::Image image = host::HeadlessHost::render(*window, 1.0);
    gfx::PremultipliedPixel tinted = image.pixelAt(int(shown.midX()), int(shown.maxY() - 2));
    EXPECT_NEAR(tinted.red, 204, 8);
    EXPECT_GT(tinted.blue, 248);
    EXPECT_GT(image.pixelAt(int(shown.x - 3), int(shown.maxY() - 2)).red, 248);

    view->insertText("BETA");
    EXPECT_EQ(view->text(), "alpha BETA gamma");
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
    testsupport::tap(*window, pointBefore(2));  // drops the selection, still reaches the row
    EXPECT_EQ(view->selectedRange().length, 0u);
    EXPECT_EQ(row->ended, 4);
}

}  // namespace
