#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "gfx/Font.h"

namespace gfx {

// Text as a list of runs, each with an optional font and colour of its own; a run without
// one uses the font or colour of whoever draws the text (a label's, for example).
class AttributedString {
public:
    struct Run {
        std::string text;
        std::optional<Font> font;
        std::optional<Color> color;
    };

    AttributedString() = default;
    explicit AttributedString(std::vector<Run> runs) : runs_(std::move(runs)) {}

    AttributedString& append(std::string text, std::optional<Font> font = std::nullopt,
                             std::optional<Color> color = std::nullopt) {
        runs_.push_back({std::move(text), std::move(font), std::move(color)});
        return *this;
    }

    const std::vector<Run>& runs() const { return runs_; }
    // The plain text: every run's text in order.
    std::string string() const {
        std::string out;
        for (const auto& run : runs_) out += run.text;
        return out;
    }
    bool hasColors() const {
        for (const auto& run : runs_)
            if (run.color) return true;
        return false;
    }

private:
    std::vector<Run> runs_;
};

}  // namespace gfx
