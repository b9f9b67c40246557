#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "ui/Touch.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace testsupport {

using Calls = std::vector<std::string>;

// A controller that writes "name.event" into a shared list for every life-cycle call.
class RecordingController : public ui::ViewController {
public:
    static std::shared_ptr<RecordingController> create(std::string name, Calls& calls) {
        auto controller = std::shared_ptr<RecordingController>(new RecordingController(calls));
        controller->setTitle(std::move(name));
        return controller;
    }

protected:
    explicit RecordingController(Calls& calls) : calls_(calls) {}
    void viewDidLoad() override { note("didLoad"); }
    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }

private:
    void note(const char* event) { calls_.push_back(title() + "." + event); }
    Calls& calls_;
};

// A phone-sized window on a manual clock.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override { base::Clock::setCurrent(clock); }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(5));
        base::Clock::setCurrent(nullptr);
    }
    // Lets animations run to their end (and completions run).
    void settle() { base::RunLoop::main().runFor(std::chrono::milliseconds(600)); }
    // Returns the calls recorded so far and starts a fresh list.
    Calls take() { return std::exchange(calls, {}); }

    // A finger dragged from `from` to `to` in `steps` moves, 16 ms apart.
    void drag(gfx::Point from, gfx::Point to, int steps) {
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, from));
        gfx::Point at = from;
        for (int step = 1; step <= steps; ++step) {
            clock->advance(std::chrono::milliseconds(16));
            at = {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
            window->sendTouch(ui::Touch(1, ui::TouchPhase::Moved, at));
        }
        // Held still before lifting: the release carries no speed.
        clock->advance(std::chrono::milliseconds(200));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Moved, at));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, at));
    }
    void tapAt(gfx::Point point) {
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, point));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, point));
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    Calls calls;
};

}  // namespace testsupport
