#include "OptionReader.h"

#include <charconv>
#include <cmath>

namespace {

// Beyond these a phone screen's image would be absurd.
constexpr double kMaximumPoints = 4096;
constexpr double kMaximumScale = 4;

}  // namespace

bool OptionReader::next() {
    if (started_) ++index_;
    started_ = true;
    if (index_ >= arguments_.size()) return false;
    name_ = arguments_[index_];
    inlineValue_.reset();
    if (auto equals = name_.find('='); name_.starts_with("--") && equals != std::string::npos) {
        inlineValue_ = name_.substr(equals + 1);
        name_.resize(equals);
    }
    return true;
}

std::string OptionReader::value() {
    if (inlineValue_) return *inlineValue_;
    if (index_ + 1 >= arguments_.size()) throw UsageError(name_ + " needs a value");
    return arguments_[++index_];
}

void OptionReader::noValue() const {
    if (inlineValue_) throw UsageError(name_ + " takes no value");
}

double OptionReader::number(std::string_view text, const std::string& option) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw UsageError(option + " needs a number, not \"" + std::string(text) + "\"");
    return value;
}

std::pair<double, double> OptionReader::pair(char separator) {
    const std::string text = value();
    auto at = text.find(separator);
    if (at == std::string::npos)
        throw UsageError(name_ + " needs two numbers joined by '" + separator + "', not \"" + text + "\"");
    return {number(std::string_view(text).substr(0, at), name_),
            number(std::string_view(text).substr(at + 1), name_)};
}

gfx::Size OptionReader::size() {
    auto [width, height] = pair('x');
    if (width < 1 || height < 1 || width > kMaximumPoints || height > kMaximumPoints)
        throw UsageError(name_ + " must be between 1x1 and 4096x4096 points");
    return {width, height};
}

double OptionReader::scale() {
    double scale = number();
    if (scale <= 0 || scale > kMaximumScale) throw UsageError(name_ + " must be above 0 and at most 4");
    return scale;
}
