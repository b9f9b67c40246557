#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "UsageError.h"
#include "gfx/Geometry.h"

// Walks a program's arguments one option at a time, taking "--name value" and "--name=value"
// alike, and reads the values both programs share. Every fault is a UsageError naming the
// option.
class OptionReader {
public:
    explicit OptionReader(std::span<const std::string> arguments) : arguments_(arguments) {}

    // Moves to the next argument; false after the last.
    bool next();
    // The argument without any "=value" part.
    const std::string& name() const { return name_; }
    // The option's value: after its '=' or the next argument.
    std::string value();
    // For options that are flags: fails when one was given a value.
    void noValue() const;

    double number() { return number(value(), name_); }
    // "--size WxH" in points, 1 to 4096 each.
    gfx::Size size();
    // "--scale N", above 0 and at most 4.
    double scale();
    // Two numbers joined by `separator` ("3x4", "10,20").
    std::pair<double, double> pair(char separator);

    static double number(std::string_view text, const std::string& option);

private:
    std::span<const std::string> arguments_;
    std::size_t index_ = 0;
    bool started_ = false;
    std::string name_;
    std::optional<std::string> inlineValue_;
};
