#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "ui/Press.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace {

// A text-field-like view that records when it resigns, and can refuse to.
class Field : public ui::View {
public:
    static std::shared_ptr<Field> create(std::vector<std::string>& log, std::string name) {
        std::shared_ptr<Field> field(new Field(log, std::move(name)));
        return field;
    }
    bool canBecomeFirstResponder() const override { return true; }
    bool canResignFirstResponder() const override { return willResign; }
    bool resignFirstResponder() override {
        bool wasFirst = isFirstResponder();
        bool resigned = View::resignFirstResponder();
        if (wasFirst && resigned) log_.push_back(name_ + " resigned");
        return resigned;
    }
    bool willResign = true;

private:
    Field(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(FirstResponder, BecomingOneResignsThePreviousUnlessItRefuses) {
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto name = Field::create(log, "name"), email = Field::create(log, "email");
    auto plain = ui::View::create();
    for (const auto& view : std::vector<std::shared_ptr<ui::View>>{name, email, plain})
        window->addSubview(view);

    EXPECT_FALSE(plain->becomeFirstResponder());
    EXPECT_TRUE(name->becomeFirstResponder());
    EXPECT_TRUE(name->becomeFirstResponder());  // already is: nothing happens
    EXPECT_TRUE(email->becomeFirstResponder());
    EXPECT_EQ(log, (std::vector<std::string>{"name resigned"}));
    EXPECT_FALSE(name->isFirstResponder());
    EXPECT_EQ(window->firstResponder(), email);

    email->willResign = false;
    EXPECT_FALSE(name->becomeFirstResponder());
    EXPECT_FALSE(email->resignFirstResponder());
    EXPECT_TRUE(email->isFirstResponder());
    EXPECT_TRUE(name->resignFirstResponder());  // not the first responder: nothing to resign
}

TEST(FirstResponder, OnlyAViewInAWindowCanBeOneAndLeavingResigns) {
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto container = ui::View::create();
    auto field = Field::create(log, "field");
    container->addSubview(field);
    EXPECT_FALSE(field->becomeFirstResponder());

    window->addSubview(container);
    ASSERT_TRUE(field->becomeFirstResponder());
    container->removeFromSuperview();  // the field is told, as if it resigned itself
    EXPECT_EQ(log, (std::vector<std::string>{"field resigned"}));
    EXPECT_EQ(window->firstResponder(), nullptr);

    window->addSubview(container);
    ASSERT_TRUE(field->becomeFirstResponder());
    field->willResign = false;  // leaving the window resigns all the same
    container->removeFromSuperview();
    EXPECT_EQ(window->firstResponder(), nullptr);
    EXPECT_FALSE(field->isFirstResponder());
}

// A view that takes the arrow keys and logs every press it sees; the rest go on up.
class KeyView : public ui::View {
public:
    static std::shared_ptr<KeyView> create(std::vector<std::string>& log) {
        return std::shared_ptr<KeyView>(new KeyView(log));
    }
    bool canBecomeFirstResponder() const override { return true; }
    bool pressesBegan(const ui::Press& press) override {
        bool arrow = press.key == ui::Press::Key::Up || press.key == ui::Press::Key::Down;
        log_.push_back(arrow ? "view took an arrow" : "view passed a key on");
        return arrow || View::pressesBegan(press);
    }

private:
    explicit KeyView(std::vector<std::string>& log) : log_(log) {}
    std::vector<std::string>& log_;
};

TEST(FirstResponder, PressesGoToItAndUpTheChainAndEscapeDismisses) {
    using Key = ui::Press::Key;
    base::Clock::setCurrent(std::make_shared<base::ManualClock>());
    std::vector<std::string> log;
    auto window = ui::Window::create({320, 480});
    auto root = ui::ViewController::create();
    window->setRootViewController(root);
    auto keys = KeyView::create(log);
    root->view()->addSubview(keys);

    // Nothing presented, no first responder: nobody takes Escape (a host may quit).
    EXPECT_FALSE(window->sendPress({Key::Escape}));
    ASSERT_TRUE(keys->becomeFirstResponder());
    EXPECT_TRUE(window->sendPress({Key::Up}));
    EXPECT_FALSE(window->sendPress({Key::Space}));
    EXPECT_EQ(log, (std::vector<std::string>{"view took an arrow", "view passed a key on"}));

    // With a sheet up, Escape reaches the window from the first responder and closes it; a
    // modal one stays, though the key is used up.
    keys->resignFirstResponder();
    auto sheet = ui::ViewController::create();
    sheet->setModalInPresentation(true);
    root->present(sheet, false);
    EXPECT_TRUE(window->sendPress({Key::Escape}));
    EXPECT_EQ(root->presentedViewController(), sheet);
    sheet->setModalInPresentation(false);
    EXPECT_TRUE(window->sendPress({Key::Escape}));
    base::RunLoop::main().runFor(std::chrono::seconds(1));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    base::Clock::setCurrent(nullptr);
}

}  // namespace
