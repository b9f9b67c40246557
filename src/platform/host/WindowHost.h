#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "base/Result.h"
#include "base/RunLoop.h"
#include "gfx/Geometry.h"
#include "gfx/Image.h"

namespace gfx {
class Painter;
}
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
// Frames. While attached the host drives the window's frame clock (ui::FrameScheduler): each
// tick handles every queued event, then, when a frame is needed, runs the window's frame
// (motion, then layout), renders the tree with HeadlessHost into an image at the window's
// scale and copies it into a streaming texture. A frame is needed when input was handled, a
// finger is down, something is on the frame clock (an animation, a scroll deceleration, a
// playing video), a view asked for one (`View::setNeedsDisplay`), or anything else ran on
// the main run loop since the last tick (a delayed action, a download arriving). An idle
// host draws nothing.
//
// The run loop. `attach` schedules one repeating timer on base::RunLoop::main(). It ticks at
// the display rate (`kFrameInterval`) while frames are needed and every `kIdleInterval`
// otherwise, so the loop sleeps in between; the frame clock wakes an idle host at once when
// something starts to move. (SDL exposes no descriptor for every video driver, so a timer is
// the portable integration.) The real time of every frame drawn is kept (`frameTimes`), so
// a program can report its frame rate.
//
// Input. Window pixels are mapped onto points through the window's current size, so a
// resized window still hits the right views. The left mouse button is one finger: press,
// drag and release become touches began, moved and ended; losing the focus mid-press cancels
// the touch (the release would go elsewhere). The wheel scrolls the scroll view
// under the pointer by `kWheelStep` points a notch. Typed text goes to the first responder
// when it is a text input (as the on-screen keyboard does). Other keys (Return, Backspace, the
// arrows, Space, Tab, Escape) are presses sent to the first responder and up the chain
// (`ui::Window::sendPress`); an Escape nobody takes quits. F2 or Ctrl+D toggles light and dark
// and F12 writes a screenshot PNG into the screenshot directory, with its view-tree JSON
// beside it: those are the host's own. Closing the window quits.
//
// Under xvfb-run SDL uses its X11 driver and the software renderer, so tests drive the real
// thing; the `inject` calls push events through SDL's own queue, as the window system would.
class WindowHost {
public:
    using Duration = base::RunLoop::Duration;
    static constexpr Duration kFrameInterval = std::chrono::microseconds(16667);
    static constexpr Duration kIdleInterval = std::chrono::milliseconds(50);
    static constexpr double kWheelStep = 40;  // points per wheel notch

    enum class Key { Return, Backspace, Left, Right, Up, Down, Space, Tab, Escape, F2, F12, D };

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
    using FrameTime = std::chrono::steady_clock::time_point;
    // When the last frames were drawn (real time, at most `kFrameTimesKept`, oldest first).
    static constexpr std::size_t kFrameTimesKept = 1024;
    const std::deque<FrameTime>& frameTimes() const { return frameTimes_; }
    void clearFrameTimes() { frameTimes_.clear(); }
    // The interval the host ticks at now (`kFrameInterval` while frames are needed).
    Duration tickInterval() const { return tickInterval_; }
    // The path of the last screenshot written by F12 (empty when none).
    const std::filesystem::path& lastScreenshot() const { return lastScreenshot_; }
    // The window's size in pixels now.
    gfx::Size pixelSize() const;
    // Test hook: what the window shows now, read back from SDL's renderer (null when it cannot).
    gfx::Image shownImage() const;
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
    gfx::Point toPoints(double pixelX, double pixelY) const;
    bool isBusy() const;
    std::uint64_t foreignCallbacks() const;
    void reschedule(Duration interval);

    std::shared_ptr<ui::Window> window_;
    WindowHostOptions options_;
    std::unique_ptr<Sdl> sdl_;
    std::unique_ptr<gfx::Painter> canvas_;  // every frame is drawn on this one, cleared
    bool dirty_ = true;
    bool quit_ = false;
    bool fingerDown_ = false;
    int touchIdentifier_ = 0;
    int framesDrawn_ = 0;
    int screenshotCount_ = 0;
    std::filesystem::path lastScreenshot_;
    std::deque<FrameTime> frameTimes_;
    std::uint64_t ownCallbacks_ = 0;  // the host's own ticks run on the main loop
    std::uint64_t foreignSeen_ = 0;   // other callbacks run by the end of the last tick
    base::RunLoop::Token ticker_ = 0;
    std::uint64_t driver_ = 0;  // this host's turn at driving the frame clock
    Duration tickInterval_{};
};

}  // namespace host
