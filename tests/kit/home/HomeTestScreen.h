#pragma once

#include <string>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/ViewTreeJson.h"
#include "kit/store/PrefsTestRoot.h"
#include "support/GoldenText.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Touch.h"
#include "ui/Window.h"

// A phone-sized window on a manual clock under a fresh filesystem root, with a navigation
// controller to push home screens on, driven by touches.
class HomeTestScreen : public PrefsTestRoot {
protected:
    void SetUp() override {
        PrefsTestRoot::SetUp();
        base::Clock::setCurrent(clock);
        window->setRootViewController(navigation);
    }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(5));
        base::Clock::setCurrent(nullptr);
        PrefsTestRoot::TearDown();
    }

    void settle() {
        base::RunLoop::main().runFor(std::chrono::milliseconds(700));
        window->layoutIfNeeded();
    }
    gfx::Rect frameInWindow(const ui::View& view) {
        window->layoutIfNeeded();
        return view.convertRect(view.bounds(), nullptr);
    }
    gfx::Point centreOf(const ui::View& view) {
        const gfx::Rect frame = frameInWindow(view);
        return {frame.x + frame.width / 2, frame.y + frame.height / 2};
    }
    void touch(ui::TouchPhase phase, gfx::Point at) { window->sendTouch(ui::Touch(1, phase, at)); }
    void tapAt(gfx::Point at) {
        touch(ui::TouchPhase::Began, at);
        touch(ui::TouchPhase::Ended, at);
        settle();
    }
    void tap(const ui::View& view) { tapAt(centreOf(view)); }
    // The visible label showing `text`, searched front to back.
    std::shared_ptr<ui::Label> labelShowing(const std::string& text) { return find(*window, text); }
    void tapText(const std::string& text) {
        auto label = labelShowing(text);
        ASSERT_TRUE(label) << "no label shows " << text;
        tap(*label);
    }
    ::testing::AssertionResult matchesGolden(const char* name) {
        return GoldenText::matches(host::ViewTreeJson::describe(*window) + "\n",
                                   std::filesystem::path(VK_HOME_GOLDEN_DIR) / (std::string(name) + ".json"));
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> root = ui::ViewController::create();
    std::shared_ptr<ui::NavigationController> navigation = ui::NavigationController::create(root);

private:
    static std::shared_ptr<ui::Label> find(ui::View& view, const std::string& text) {
        if (view.isHidden() || view.alpha() == 0) return nullptr;
        const auto& children = view.subviews();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (auto found = find(**it, text)) return found;
        }
        auto* label = dynamic_cast<ui::Label*>(&view);
        if (label && label->text() == text)
            return std::static_pointer_cast<ui::Label>(label->shared_from_this());
        return nullptr;
    }
};
