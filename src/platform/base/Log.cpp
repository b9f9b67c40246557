#include "base/Log.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace base {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

Log::Sink& currentSink() {
    static Log::Sink sink;
    return sink;
}

}  // namespace

void Log::line(std::string_view text) {
    std::lock_guard lock(sinkMutex());
    if (currentSink()) {
        currentSink()(text);
        return;
    }
    std::string buffer(text);
    buffer.push_back('\n');
    std::fwrite(buffer.data(), 1, buffer.size(), stderr);
}

void Log::setSink(Sink sink) {
    std::lock_guard lock(sinkMutex());
    currentSink() = std::move(sink);
}

void Log::resetSink() { setSink(nullptr); }

}  // namespace base
