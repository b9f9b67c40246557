#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/Clock.h"
#include "base/RunLoop.h"

namespace ui {

// The main thread's one frame clock. Everything that moves on screen (layer animations,
// scroll motion, a playing video) registers a callback that is stepped once per frame, in
// registration order, with the frame's time.
//
// Who ticks it. A host that draws a window drives the frames itself while it is attached:
// each of its ticks handles input, then runs the frame (`runFrame`), then lays out and draws,
// so motion and drawing share one clock and no step goes undrawn. Without a host, the
// scheduler's own timer on base::RunLoop::main() steps the callbacks at `kFrameInterval`
// (headless programs and tests, on whatever clock the main loop runs).
//
// Asking for a frame. `needsFrame` is what a host asks before drawing: something is
// registered, or `requestFrame` was called since the last frame (a view that changed how it
// draws). The wake handler lets a driving host that idles at a slower rate come back to the
// frame rate as soon as the first callback registers or a frame is asked for.
class FrameScheduler {
public:
    using TimePoint = base::Clock::TimePoint;
    using Duration = base::Clock::Duration;
    using Callback = std::function<void(TimePoint)>;
    using Token = std::uint64_t;  // 0 names nothing
    static constexpr Duration kFrameInterval = std::chrono::nanoseconds(16'666'667);

    static FrameScheduler& main();

    Token add(Callback callback);
    // Safe from inside a callback, including the one being removed.
    void remove(Token token);
    std::size_t clientCount() const { return clients_.size(); }

    void requestFrame();
    bool needsFrame() const { return frameRequested_ || !clients_.empty(); }
    // Steps every callback registered when the frame begins (and still registered) once, then
    // clears the frame request.
    void runFrame(TimePoint now);
    std::uint64_t framesRun() const { return framesRun_; }

    // A host drives the frames from `beginDriving` until `endDriving` with the token it got;
    // while any host drives, the own timer is off. `wakeHandler` runs when the first callback
    // registers or a frame is asked for.
    Token beginDriving(std::function<void()> wakeHandler);
    void endDriving(Token driver);
    bool isDriven() const { return !drivers_.empty(); }

private:
    FrameScheduler() = default;
    void updateTimer();
    void wakeDriver();

    struct Client {
        Token token;
        std::shared_ptr<Callback> callback;
    };
    std::vector<Client> clients_;
    Token nextToken_ = 1;
    bool frameRequested_ = false;
    std::vector<std::pair<Token, std::function<void()>>> drivers_;
    base::RunLoop::Token timer_ = 0;
    std::uint64_t framesRun_ = 0;
};

}  // namespace ui
