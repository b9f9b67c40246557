#include "ui/ListCallbackGate.h"

#include <utility>

#include "base/Log.h"

namespace ui {

namespace {
constexpr int kMaxRounds = 8;
}

ListCallbackGate::ListCallbackGate(std::function<bool()> applyDeferredReloads)
    : applyDeferredReloads_(std::move(applyDeferredReloads)) {}

ListCallbackGate::Scope::Scope(ListCallbackGate& gate, std::shared_ptr<const void> keepAlive)
    : gate_(gate), keepAlive_(std::move(keepAlive)) {
    ++gate_.depth_;
}

ListCallbackGate::Scope::~Scope() {
    if (--gate_.depth_ == 0) gate_.flush();
}

void ListCallbackGate::sendWhenIdle(std::function<void()> notice) {
    if (busy()) {
        notices_.push_back(std::move(notice));
    } else {
        notice();
    }
}

void ListCallbackGate::flush() {
    for (int round = 0; round < kMaxRounds; ++round) {
        // A reload asked for from a notice waits for the rest of the notices, as they describe
        // the state the view was in.
        auto notices = std::exchange(notices_, {});
        ++depth_;
        for (const auto& notice : notices) notice();
        --depth_;
        bool reloaded = applyDeferredReloads_();
        if (!reloaded && notices_.empty()) return;
    }
    // What is still noted waits for the view's next walk; the notices of this one are dropped.
    base::Log::line("ui: a list kept reloading from its own callbacks; stopping for this pass");
    notices_.clear();
}

}  // namespace ui
