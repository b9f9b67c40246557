#include "sys/ImpactFeedbackGenerator.h"

#include <mutex>

namespace sys {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

ImpactFeedbackGenerator::Sink& currentSink() {
    static ImpactFeedbackGenerator::Sink sink;
    return sink;
}

}  // namespace

std::shared_ptr<ImpactFeedbackGenerator> ImpactFeedbackGenerator::create(Style style) {
    return std::shared_ptr<ImpactFeedbackGenerator>(new ImpactFeedbackGenerator(style));
}

void ImpactFeedbackGenerator::impactOccurred() const {
    Sink sink;
    {
        std::lock_guard lock(sinkMutex());
        sink = currentSink();
    }
    if (sink) sink(style_);
}

void ImpactFeedbackGenerator::setSink(Sink sink) {
    std::lock_guard lock(sinkMutex());
    currentSink() = std::move(sink);
}

}  // namespace sys
