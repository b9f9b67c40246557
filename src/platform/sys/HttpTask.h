#pragma once

#include <atomic>

namespace sys {

// A download in flight, for its starter to cancel. A cancelled download stops within about a
// second (libcurl's progress interval) and its completion is never called.
class HttpTask {
public:
    void cancel() { cancelled_ = true; }
    bool isCancelled() const { return cancelled_; }

private:
    std::atomic<bool> cancelled_{false};
};

}  // namespace sys
