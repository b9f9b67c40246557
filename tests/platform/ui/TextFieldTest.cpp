#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "ControlTouches.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/RunLoop.h"
#include "host/HeadlessHost.h"
#include "ui/Keyboard.h"
#include "ui/KeyboardNotifications.h"
#include "ui/TextField.h"
#include "ui/Window.h"

namespace {

using namespace std::chrono_literals;
using ui::TextField;

// A delegate whose answers the test sets, recording what it was asked.
class ScriptedDelegate : public ui::TextFieldDelegate {
public:
    bool allowChange = true, allowReturn = true;
    std::vector<std::pair<ui::Utf16Range, std::string>> changes;
    int returns = 0;
    bool shouldChangeCharactersInRange(TextField&, ui::Utf16Range range, const std::string& text) override {
        changes.emplace_back(range, text);
        return allowChange;
    }
    bool textFieldShouldReturn(TextField&) override {
        ++returns;
        return allowReturn;
    }
};

class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        window->addSubview(field);
        field->setFrame({20, 100, 300, 44});
        field->setDelegate(delegate);
        for (const char* name : {ui::kKeyboardWillShowNotification, ui::kKeyboardDidShowNotification,
                                 ui::kKeyboardWillHideNotification, ui::kKeyboardDidHideNotification})
            observations.push_back(base::NotificationCenter::defaultCenter().addObserver(
                name, [this](const base::Notification& note) { posted.push_back(note); }));
        for (auto [action, event] : {std::pair{"begin", ui::ControlEventEditingDidBegin},
                                     {"changed", ui::ControlEventEditingChanged},
                                     {"end", ui::ControlEventEditingDidEnd},
                                     {"primary", ui::ControlEventPrimaryActionTriggered}}) {
            std::string name = action;
            events->registerAction(name, [this, name] { sent.push_back(name); });
            field->addTarget(events, name, event);
        }
        window->layoutIfNeeded();
    }
    void TearDown() override {
        base::RunLoop::main().runFor(5s);
        base::Clock::setCurrent(nullptr);
    }
    void tapField() { testsupport::tap(*window, {40, 122}); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& note : posted) out.push_back(note.name);
        return out;
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<TextField> field = TextField::create();
    std::shared_ptr<ScriptedDelegate> delegate = std::make_shared<ScriptedDelegate>();
    std::shared_ptr<testsupport::ActionRecorder> events = testsupport::ActionRecorder::create([] {});
    std::vector<base::Observation> observations;
    std::vector<base::Notification> posted;
    std::vector<std::string> sent;
};

TEST_F(TextFieldTest, TapFocusesAndShowsTheKeyboardWithItsEndFrame) {
    tapField();
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_EQ(sent, std::vector<std::string>{"begin"});  // no primary action for a tap
    ASSERT_EQ(names(), std::vector<std::string>{ui::kKeyboardWillShowNotification});
    EXPECT_EQ(ui::keyboardEndFrame(posted[0]), (gfx::Rect{0, 844 - 336, 390, 336}));

    base::RunLoop::main().runFor(300ms);
    EXPECT_EQ(names().back(), ui::kKeyboardDidShowNotification);
    auto keyboard = ui::Keyboard::of(*window);
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(keyboard->frame(), (gfx::Rect{0, 508, 390, 336}));
    EXPECT_EQ(ui::Keyboard::heightForScreen({375, 667}), 291);

    // A tap on a key types into the field, and the caret is drawn after the letter in the tint.
    gfx::Rect q = keyboard->keys().front().rect;
    testsupport::tap(*window, {q.midX(), 508 + q.midY()});
    EXPECT_EQ(field->text(), "q");
    gfx::Rect caret = field->convertRect(field->caretRect(), nullptr);
    EXPECT_GT(caret.x, 25);
    gfx::Image image = host::HeadlessHost::render(*window, 1.0);
    gfx::PremultipliedPixel atCaret = image.pixelAt(int(caret.midX()), int(caret.midY()));
    EXPECT_GT(atCaret.blue, 200);  // the system blue
    EXPECT_LT(atCaret.red, 100);
    gfx::PremultipliedPixel panel = image.pixelAt(195, 510);  // above the first key row
    EXPECT_NEAR(panel.red, 0.82 * 255, 3);
}

TEST_F(TextFieldTest, TypingAndDeletingWorkOnWholeCharactersWithUtf16RangesForTheDelegate) {
    field->insertText("ignored");  // not being edited
    EXPECT_EQ(field->text(), "");
    tapField();
    field->insertText("a👍🏽");  // the thumbs-up with its skin tone is one character, four UTF-16 units
    field->insertText("b");
    EXPECT_EQ(field->caretIndex(), 3u);
    field->moveCaret(-1);
    field->deleteBackward();
    EXPECT_EQ(field->text(), "ab");
    EXPECT_EQ(delegate->changes.back().first, (ui::Utf16Range{1, 4}));
    EXPECT_EQ(delegate->changes[1].first, (ui::Utf16Range{5, 0}));

    delegate->allowChange = false;
    field->insertText("x");
    field->deleteBackward();
    EXPECT_EQ(field->text(), "ab");
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "changed"), 3);  // refusals send nothing

    field->moveCaret(-5);
    delegate->allowChange = true;
    field->deleteBackward();  // nothing before the caret: nothing asked
    EXPECT_EQ(delegate->changes.size(), 5u);
    field->insertText("x\ny");  // a line break inside text becomes a space
    EXPECT_EQ(field->text(), "x yab");
}

TEST_F(TextFieldTest, ReturnAsksTheDelegateAndClearEmptiesTheText) {
    tapField();
    field->insertText("\n");
    delegate->allowReturn = false;
    field->insertText("\n");
    EXPECT_EQ(delegate->returns, 2);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "primary"), 1);
    EXPECT_EQ(field->text(), "");

    field->setClearButtonMode(ui::TextFieldViewMode::WhileEditing);
    field->setText("hello");
    window->layoutIfNeeded();
    ASSERT_TRUE(field->isClearButtonVisible());
    gfx::Rect clear = field->convertRect(field->clearButtonRect(), nullptr);
    sent.clear();
    testsupport::tap(*window, {clear.midX(), clear.midY()});
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(sent, std::vector<std::string>{"changed"});
    EXPECT_FALSE(field->isClearButtonVisible());
}

TEST_F(TextFieldTest, ResigningHidesTheKeyboardBelowTheScreenAndRemovesIt) {
    tapField();
    base::RunLoop::main().runFor(300ms);
    posted.clear();
    EXPECT_TRUE(field->resignFirstResponder());
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(sent.back(), "end");
    ASSERT_EQ(names(), std::vector<std::string>{ui::kKeyboardWillHideNotification});
    EXPECT_EQ(ui::keyboardEndFrame(posted[0]), (gfx::Rect{0, 844, 390, 336}));
    base::RunLoop::main().runFor(300ms);
    EXPECT_EQ(names().back(), ui::kKeyboardDidHideNotification);
    EXPECT_FALSE(ui::Keyboard::of(*window));

    // A field leaving the window while edited ends editing and takes the keyboard down.
    tapField();
    posted.clear();
    field->removeFromSuperview();
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(names(), std::vector<std::string>{ui::kKeyboardWillHideNotification});
}

TEST(KeyboardNotifications, FrameValuesRoundTripAndBadOnesReadAsNothing) {
    gfx::Rect frame{0, 508, 390, 336};
    EXPECT_EQ(ui::keyboardFrameFromValue(ui::keyboardFrameValue(frame)), frame);
    EXPECT_FALSE(ui::keyboardFrameFromValue(base::Value::Dictionary{{"x", 0.0}, {"y", "a"}}));
    EXPECT_FALSE(ui::keyboardEndFrame(base::Notification{"n", nullptr, base::Value()}));
}

}  // namespace
