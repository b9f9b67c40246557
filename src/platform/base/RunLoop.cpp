#include "base/RunLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include "base/ManualClock.h"

namespace base {
namespace {

timespec toTimespec(RunLoop::Duration duration) {
    duration = std::max(duration, RunLoop::Duration::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

}  // namespace

RunLoop& RunLoop::main() {
    // Never destroyed: other threads may still post to it while the program exits.
    static RunLoop* const loop = new RunLoop();
    return *loop;
}

RunLoop::RunLoop(std::shared_ptr<Clock> clock) : fixedClock_(std::move(clock)) {
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

RunLoop::~RunLoop() { close(wakeFd_); }

RunLoop::Token RunLoop::post(Task task) {
    return schedule(Duration::zero(), Duration::zero(), std::move(task));
}

RunLoop::Token RunLoop::postDelayed(Duration delay, Task task) {
    return schedule(delay, Duration::zero(), std::move(task));
}

RunLoop::Token RunLoop::scheduleRepeating(Duration interval, Task task) {
    interval = std::max(interval, Duration(1));
    return schedule(interval, interval, std::move(task));
}

RunLoop::Token RunLoop::schedule(Duration delay, Duration interval, Task task) {
    Token token;
    bool mustWake;
    {
        std::lock_guard lock(mutex_);
        const TimePoint now = clockLocked()->now();
        token = nextToken_++;
        Timer& timer = timers_[token];
        timer.task = std::make_shared<Task>(std::move(task));
        timer.interval = interval;
        insertLocked(token, timer, now + std::max(delay, Duration::zero()));
        mustWake = sleeping_;
    }
    if (mustWake) wake();
    return token;
}

void RunLoop::insertLocked(Token token, Timer& timer, TimePoint due) {
    timer.due = due;
    timer.sequence = nextSequence_++;
    timer.scheduled = true;
    schedule_.emplace(ScheduleKey{due, timer.sequence}, token);
}

RunLoop::Token RunLoop::watchReadable(int fd, Task onReady) {
    Token token;
    bool mustWake;
    {
        std::lock_guard lock(mutex_);
        token = nextToken_++;
        watches_.emplace(token, std::pair{fd, std::make_shared<Task>(std::move(onReady))});
        mustWake = sleeping_;
    }
    if (mustWake) wake();  // so that the sleeping loop polls the new descriptor too
    return token;
}

void RunLoop::cancel(Token token) {
    std::lock_guard lock(mutex_);
    if (auto it = timers_.find(token); it != timers_.end()) {
        if (it->second.scheduled) schedule_.erase(ScheduleKey{it->second.due, it->second.sequence});
        timers_.erase(it);
        return;
    }
    watches_.erase(token);
}

void RunLoop::runUntilIdle() {
    for (;;) {
        const bool ranTimers = runDueTimers(false);
        const bool ranWatches = dispatchReadyWatches();
        if (!ranTimers && !ranWatches) return;
    }
}

void RunLoop::runFor(Duration duration) {
    TimePoint deadline;
    {
        std::lock_guard lock(mutex_);
        deadline = clockLocked()->now() + std::max(duration, Duration::zero());
    }
    runUntil(deadline);
}

void RunLoop::run() { runUntil(std::nullopt); }

void RunLoop::stop() {
    stopRequested_ = true;
    wake();
}

std::shared_ptr<Clock> RunLoop::clock() {
    std::lock_guard lock(mutex_);
    return clockLocked();
}

// One pass of the loop: run what is due; when nothing is, let time pass (manual clock) or
// sleep until the next due time, new work or a ready descriptor (real clock).
void RunLoop::runUntil(std::optional<TimePoint> deadline) {
    for (;;) {
        if (takeStopRequest()) return;
        if (runDueTimers(true)) {
            dispatchReadyWatches();  // descriptors are not starved by a busy queue
            continue;
        }
        std::shared_ptr<Clock> clock;
        std::optional<TimePoint> nextDue;
        {
            std::lock_guard lock(mutex_);
            clock = clockLocked();
            if (!schedule_.empty()) nextDue = schedule_.begin()->first.first;
        }
        const TimePoint now = clock->now();
        auto* manualClock = dynamic_cast<ManualClock*>(clock.get());
        if (nextDue && *nextDue <= now) continue;  // posted meanwhile
        if (deadline && now >= *deadline) return;
        std::optional<TimePoint> wakeTime = deadline;
        if (nextDue && (!wakeTime || *nextDue < *wakeTime)) wakeTime = nextDue;

        if (manualClock && wakeTime) {
            if (dispatchReadyWatches()) continue;
            manualClock->advanceTo(*wakeTime);
        } else {
            sleepUntil(wakeTime);
        }
    }
}

// Runs the timers due at the moment the pass starts, in due-time order; returns whether it
// ran any. Tasks they post for "now" are due no later than that moment and run too.
bool RunLoop::runDueTimers(bool honourStop) {
    TimePoint passTime;
    {
        std::lock_guard lock(mutex_);
        passTime = clockLocked()->now();
    }
    bool ranAny = false;
    for (;;) {
        if (honourStop && stopRequested_) return ranAny;
        Token token;
        std::shared_ptr<Task> task;
        {
            std::lock_guard lock(mutex_);
            if (schedule_.empty() || schedule_.begin()->first.first > passTime) return ranAny;
            token = schedule_.begin()->second;
            schedule_.erase(schedule_.begin());
            Timer& timer = timers_.at(token);
            task = timer.task;
            if (timer.interval == Duration::zero()) {
                timers_.erase(token);
            } else {
                timer.scheduled = false;
            }
        }
        ++callbacksRun_;
        (*task)();
        ranAny = true;
        rescheduleRepeating(token);
    }
}

void RunLoop::rescheduleRepeating(Token token) {
    std::lock_guard lock(mutex_);
    auto it = timers_.find(token);
    if (it == timers_.end() || it->second.scheduled) return;  // one-shot, or cancelled while running
    Timer& timer = it->second;
    const TimePoint now = clockLocked()->now();
    TimePoint next = timer.due + timer.interval;
    if (next <= now) {
        // Late by a whole interval or more: skip the missed firings, keep the phase.
        next += timer.interval * ((now - next) / timer.interval + 1);
    }
    insertLocked(token, timer, next);
}

bool RunLoop::dispatchReadyWatches() { return pollDescriptors(std::nullopt, false); }

void RunLoop::sleepUntil(std::optional<TimePoint> wakeTime) { pollDescriptors(wakeTime, true); }

// Polls the wake-up eventfd and the watched descriptors, then runs the callbacks of the
// ready watches; returns whether any ran. Without `sleeping` it does not wait. Sleeping, it
// waits until `wakeTime` (forever without one), unless work became due meanwhile; the
// check and `sleeping_` share one critical section so that no wake-up is lost.
bool RunLoop::pollDescriptors(std::optional<TimePoint> wakeTime, bool sleeping) {
    std::vector<pollfd> descriptors{{wakeFd_, POLLIN, 0}};
    std::vector<Token> tokens{0};
    std::optional<Duration> timeout = Duration::zero();
    {
        std::lock_guard lock(mutex_);
        if (!sleeping && watches_.empty()) return false;
        if (sleeping) {
            const TimePoint now = clockLocked()->now();
            if (stopRequested_ || (!schedule_.empty() && schedule_.begin()->first.first <= now)) return false;
            timeout = wakeTime ? std::optional(*wakeTime - now) : std::nullopt;
        }
        for (const auto& [token, watch] : watches_) {
            descriptors.push_back({watch.first, POLLIN, 0});
            tokens.push_back(token);
        }
        sleeping_ = sleeping;
    }
    const timespec limit = timeout ? toTimespec(*timeout) : timespec{};
    const int ready = ppoll(descriptors.data(), descriptors.size(), timeout ? &limit : nullptr, nullptr);
    {
        std::lock_guard lock(mutex_);
        sleeping_ = false;
    }
    if (ready <= 0) return false;
    if (descriptors[0].revents) {
        std::uint64_t count;
        [[maybe_unused]] ssize_t drained = read(wakeFd_, &count, sizeof count);
    }
    bool ranAny = false;
    for (std::size_t i = 1; i < descriptors.size(); ++i) {
        if (!descriptors[i].revents) continue;
        std::shared_ptr<Task> onReady;
        {
            std::lock_guard lock(mutex_);
            auto it = watches_.find(tokens[i]);
            if (it == watches_.end()) continue;  // cancelled by an earlier callback
            if (descriptors[i].revents & POLLNVAL) {
                watches_.erase(it);  // closed without cancelling: it can never become ready
                continue;
            }
            onReady = it->second.second;
        }
        ++callbacksRun_;
        (*onReady)();
        ranAny = true;
    }
    return ranAny;
}

void RunLoop::wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(wakeFd_, &one, sizeof one);
}

// The clock due times are measured on. When the loop follows the current clock and a new
// one has been installed, pending timers move to it with their remaining delays.
std::shared_ptr<Clock> RunLoop::clockLocked() {
    std::shared_ptr<Clock> wanted = fixedClock_ ? fixedClock_ : Clock::current();
    if (wanted == clock_) return clock_;
    if (clock_) {
        const TimePoint oldNow = clock_->now();
        const TimePoint newNow = wanted->now();
        schedule_.clear();
        for (auto& [token, timer] : timers_) {
            timer.due = newNow + std::max(timer.due - oldNow, Duration::zero());
            if (timer.scheduled) schedule_.emplace(ScheduleKey{timer.due, timer.sequence}, token);
        }
    }
    clock_ = std::move(wanted);
    return clock_;
}

bool RunLoop::takeStopRequest() { return stopRequested_.exchange(false); }

}  // namespace base
