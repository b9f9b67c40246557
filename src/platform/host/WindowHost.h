#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "base/Result.h"
#include "base/RunLoop.h"
#include "gfx/Geometry.h"

namespace ui {
class Window;
}

namespace host {

// How a window host opens: its title and where screenshots go. The size in points and the
// scale are the ui::Window's own (`ui::Window::create(screenSize, scale)`).
struct WindowHostOptions {
    std::string title = "Vellium";
    std::filesystem::path screenshotDirectory = ".";
    bool visible = true;  // tests may keep the window unmapped
};

// Shows a ui::Window in an SDL2 desktop window: the interactive backend beside HeadlessHost.
//
// Drawing. The tree is rendered with HeadlessHost into an image at the window's scale and
// copied into a streaming texture only when something may have changed: input was handled,
// an animation is running, `setNeedsDisplay` was called, or less than `kSettleTime` has passed
// since the last input (scroll deceleration, keyboard slides and delayed actions run on their
// own timers and settle within it). An idle host draws nothing.
//
// The run loop. `attach` schedules one repeating timer on base::RunLoop::main(): every tick
// reads all queued SDL events and then draws if needed. It ticks at the display rate
// (`kFrameInterval`) while the window is busy and every `kIdleInterval` when idle, so the loop
// sleeps in between. (SDL exposes no descriptor for every video driver, so a timer is the
// portable integration.)
//
// Input. Window pixels are mapped onto points through the window's current size, so a
// resized window still hits the right views. The left mouse button is one finger: press,
// drag and release become touches began, moved and ended; losing the focus mid-press cancels
// the touch (the release would go elsewhere). The wheel scrolls the scroll view
// under the pointer by `kWheelStep` points a notch. Typed text, Return, Backspace and the
// left and right arrows go to the first responder when it is a text input (as the on-screen
// keyboard does). F2 or Ctrl+D toggles light and dark; F12 writes a screenshot PNG into the
// screenshot directory, with its view-tree JSON beside it. Escape dismisses what is presented, or quits when
// nothing is; closing the window quits.
//
// Under xvfb-run SDL uses its X11 driver and the software renderer, so tests drive the real
// thing; the `inject` calls push events through SDL's own queue, as the window system would.
class WindowHost {
public:
    using Duration = base::RunLoop::Duration;
    static constexpr Duration kFrameInterval = std::chrono::microseconds(16667);
    static constexpr Duration kIdleInterval = std::chrono::milliseconds(50);
    static constexpr Duration kSettleTime = std::chrono::milliseconds(1500);
    static constexpr double kWheelStep = 40;  // points per wheel notch

    enum class Key { Return, Backspace, Left, Right, Escape, F2, F12, D };

    // Opens an SDL window of the window's screen size times its scale in pixels. Fails when
    // SDL cannot make a window or renderer.
    static base::Result<std::unique_ptr<WindowHost>> open(std::shared_ptr<ui::Window> window,
                                                          WindowHostOptions options = {});
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // Ticks on base::RunLoop::main() until the user quits, then returns.
    void run();
    // Starts or stops the ticking timer without running the loop (for programs that run it).
    void attach();
    void detach();

    // One tick: handles every queued event, then draws if needed. False once quit.
    bool tick();
    // Handles every queued event; returns how many were handled.
    int processEvents();
    // Draws when something may have changed; returns whether it drew.
    bool drawIfNeeded();
    void setNeedsDisplay() { dirty_ = true; }

    bool quitRequested() const { return quit_; }
    int framesDrawn() const { return framesDrawn_; }
    // The path of the last screenshot written by F12 (empty when none).
    const std::filesystem::path& lastScreenshot() const { return lastScreenshot_; }
    // The window's size in pixels now.
    gfx::Size pixelSize() const;
    ui::Window& window() { return *window_; }

    // Test hooks: push events into SDL's queue as the window system would. Positions are in
    // window pixels.
    void injectMouseButton(gfx::Point pixel, bool pressed);
    void injectMouseMotion(gfx::Point pixel, bool buttonHeld);
    void injectWheel(gfx::Point pixel, int notches);
    void injectText(const std::string& text);
    void injectKey(Key key, bool control = false);
    void injectFocusLost();
    void injectClose();

private:
    struct Sdl;
    WindowHost(std::shared_ptr<ui::Window> window, WindowHostOptions options, std::unique_ptr<Sdl> sdl);

    void handleEvent(const void* event);
    void handleMouseButton(gfx::Point point, bool pressed);
    void handleMouseMotion(gfx::Point point);
    void cancelTouch();
    void handleWheel(gfx::Point point, double notches);
    void handleText(const char* text);
    void handleKey(int keycode, bool control);
    void toggleAppearance();
    void saveScreenshot();
    void escape();
    gfx::Point toPoints(double pixelX, double pixelY) const;
    bool isBusy() const;
    void reschedule(Duration interval);

    std::shared_ptr<ui::Window> window_;
    WindowHostOptions options_;
    std::unique_ptr<Sdl> sdl_;
    bool dirty_ = true;
    bool quit_ = false;
    bool fingerDown_ = false;
    int touchIdentifier_ = 0;
    int framesDrawn_ = 0;
    int screenshotCount_ = 0;
    std::filesystem::path lastScreenshot_;
    base::Clock::TimePoint lastInput_{};
    base::RunLoop::Token ticker_ = 0;
    Duration tickInterval_{};
};

}  // namespace host
