#pragma once

#include <functional>
#include <string_view>

namespace base {

// The system log: one line per call, written to standard error. Tests capture the lines
// by installing a sink; `resetSink` restores standard error.
class Log {
public:
    using Sink = std::function<void(std::string_view line)>;

    static void line(std::string_view text);
    static void setSink(Sink sink);
    static void resetSink();
};

}  // namespace base
