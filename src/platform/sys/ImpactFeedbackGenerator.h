#pragma once

#include <functional>
#include <memory>

namespace sys {

// A short haptic tap of a given strength. This machine has no vibration motor, so taps go
// to a feedback sink: by default it does nothing; a host with some other way of signalling
// (or a test recording taps) installs its own.
class ImpactFeedbackGenerator {
public:
    enum class Style { Light = 0, Medium = 1, Heavy = 2, Soft = 3, Rigid = 4 };
    using Sink = std::function<void(Style)>;

    static std::shared_ptr<ImpactFeedbackGenerator> create(Style style);
    Style style() const { return style_; }
    void impactOccurred() const;

    // An empty sink restores the silent default.
    static void setSink(Sink sink);

private:
    explicit ImpactFeedbackGenerator(Style style) : style_(style) {}
    Style style_;
};

}  // namespace sys
