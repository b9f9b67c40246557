#include "ui/FrameScheduler.h"

#include <algorithm>

namespace ui {

FrameScheduler& FrameScheduler::main() {
    static FrameScheduler scheduler;
    return scheduler;
}

FrameScheduler::Token FrameScheduler::add(Callback callback) {
    Token token = nextToken_++;
    bool wasIdle = clients_.empty();
    clients_.push_back({token, std::make_shared<Callback>(std::move(callback))});
    updateTimer();
    if (wasIdle) wakeDriver();
    return token;
}

void FrameScheduler::remove(Token token) {
    std::erase_if(clients_, [token](const Client& client) { return client.token == token; });
    updateTimer();
}

void FrameScheduler::requestFrame() {
    if (frameRequested_) return;
    frameRequested_ = true;
    wakeDriver();
}

void FrameScheduler::runFrame(TimePoint now) {
    ++framesRun_;
    frameRequested_ = false;
    // A callback may add or remove callbacks: step a snapshot, skipping those removed meanwhile.
    const auto clients = clients_;
    for (const Client& client : clients) {
        bool registered = std::any_of(clients_.begin(), clients_.end(),
                                      [&](const Client& c) { return c.token == client.token; });
        if (registered) (*client.callback)(now);
    }
}

FrameScheduler::Token FrameScheduler::beginDriving(std::function<void()> wakeHandler) {
    Token driver = nextToken_++;
    drivers_.emplace_back(driver, std::move(wakeHandler));
    updateTimer();
    return driver;
}

void FrameScheduler::endDriving(Token driver) {
    std::erase_if(drivers_, [driver](const auto& entry) { return entry.first == driver; });
    updateTimer();
}

void FrameScheduler::wakeDriver() {
    // A handler may end its host's driving: call from a copy.
    const auto drivers = drivers_;
    for (const auto& [driver, wake] : drivers) {
        if (wake) wake();
    }
}

void FrameScheduler::updateTimer() {
    auto& loop = base::RunLoop::main();
    bool wanted = drivers_.empty() && !clients_.empty();
    if (wanted && timer_ == 0) {
        timer_ = loop.scheduleRepeating(kFrameInterval, [this] { runFrame(base::RunLoop::main().now()); });
    } else if (!wanted && timer_ != 0) {
        loop.cancel(timer_);
        timer_ = 0;
    }
}

}  // namespace ui
