#pragma once

#include "base/RunLoop.h"

// SIGINT and SIGTERM, blocked and delivered on a descriptor instead, so a watching command
// ends by returning from its run loop rather than inside a signal handler. Make one before
// any thread starts, so every thread keeps the signals blocked.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Stops `loop` when either signal arrives, for as long as this object lives.
    void stopOnArrival(base::RunLoop& loop);

private:
    int descriptor_;
    base::RunLoop* loop_ = nullptr;
    base::RunLoop::Token watch_ = 0;
};
