#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "base/Clock.h"

namespace base {

// An event loop: the main queue of a program. Tasks, delayed tasks, repeating timers and
// file-descriptor watches are run one at a time on the thread that runs the loop.
//
// Ordering. Every task and timer has a due time on the loop's clock; they run in order of
// due time, and those due at the same time in the order they were posted. `post` makes a
// task due now, so posted tasks run first-in first-out, after any timer that was already due.
//
// Threads. Posting, scheduling, cancelling and `stop` are safe from any thread; they wake a
// loop that is sleeping. `RunLoop::main()` is run by the program's main thread.
//
// Time. With a real clock the loop sleeps (in ppoll, on an eventfd and the watched
// descriptors) until the next timer is due or work arrives. With a `ManualClock` the loop
// never sleeps on time: where it would wait for a timer it moves the clock forward to that
// timer's due time instead, so `runFor(10s)` fires every timer of those ten seconds in
// order, at its own due time, without any real waiting. Tests step the loop that way;
// to drive `RunLoop::main()` they install one with `Clock::setCurrent`. (With nothing
// scheduled, `run` on a manual clock waits for work posted from other threads.)
//
// Repeating timers fire every interval after they were scheduled (no drift). When a firing
// comes so late that the next one is already due (a stalled program, or a manual clock moved
// by `ManualClock::advance` instead of by `runFor`) the missed firings are skipped: the timer
// fires once and keeps its phase.
class RunLoop {
public:
    using Task = std::function<void()>;
    using Duration = Clock::Duration;
    using TimePoint = Clock::TimePoint;
    // Names a posted task, a timer or a watch for `cancel`. Tokens are never reused; 0
    // names nothing.
    using Token = std::uint64_t;

    static RunLoop& main();

    // A loop on `clock`; without one it follows `Clock::current()`, picking up a newly
    // installed clock on its next use (pending timers keep their remaining delays).
    explicit RunLoop(std::shared_ptr<Clock> clock = nullptr);
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    Token post(Task task);
    Token postDelayed(Duration delay, Task task);
    // Runs `task` every `interval` (at least one nanosecond), first after one interval,
    // until cancelled. Cancelling from inside the task stops it.
    Token scheduleRepeating(Duration interval, Task task);
    // Runs `onReady` on the loop whenever `fd` is readable or has hung up or failed; the
    // callback must read (or cancel the watch) or it is called again at once.
    Token watchReadable(int fd, Task onReady);
    // Cancels a task or timer that has not run yet, a repeating timer or a watch. Unknown
    // or finished tokens are ignored.
    void cancel(Token token);

    // Runs everything that is due now, including what those tasks post for now, and
    // reads ready descriptors; returns when nothing due is left. Time does not move.
    void runUntilIdle();
    // Runs the loop for `duration` of clock time (see Time above), or until `stop`.
    void runFor(Duration duration);
    // Runs the loop until `stop`.
    void run();
    // Makes the current (or, when none is running, the next) `run`/`runFor` return after
    // the task in progress. Safe from any thread.
    void stop();

    std::shared_ptr<Clock> clock();
    TimePoint now() { return clock()->now(); }
    // How many tasks, timer firings and watch callbacks have run so far (a host compares it
    // between its own ticks to learn whether anything else ran that may have changed views).
    std::uint64_t callbacksRun() const { return callbacksRun_; }

private:
    struct Timer {
        std::shared_ptr<Task> task;
        Duration interval{};  // zero for a one-shot task
        TimePoint due{};
        std::uint64_t sequence = 0;
        bool scheduled = false;  // false while a repeating timer is running
    };
    using ScheduleKey = std::pair<TimePoint, std::uint64_t>;

    Token schedule(Duration delay, Duration interval, Task task);
    void insertLocked(Token token, Timer& timer, TimePoint due);
    void runUntil(std::optional<TimePoint> deadline);
    bool runDueTimers(bool honourStop);
    void rescheduleRepeating(Token token);
    bool dispatchReadyWatches();
    void sleepUntil(std::optional<TimePoint> wakeTime);
    bool pollDescriptors(std::optional<TimePoint> wakeTime, bool sleeping);
    void wake();
    std::shared_ptr<Clock> clockLocked();
    bool takeStopRequest();

    std::shared_ptr<Clock> fixedClock_;
    std::shared_ptr<Clock> clock_;  // the clock the due times were computed on

    std::mutex mutex_;
    std::unordered_map<Token, Timer> timers_;
    std::map<ScheduleKey, Token> schedule_;
    std::map<Token, std::pair<int, std::shared_ptr<Task>>> watches_;
    Token nextToken_ = 1;
    std::uint64_t nextSequence_ = 0;
    bool sleeping_ = false;
    std::atomic<bool> stopRequested_{false};
    std::atomic<std::uint64_t> callbacksRun_{0};
    int wakeFd_ = -1;
};

}  // namespace base
