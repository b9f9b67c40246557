#include "RenderOptions.h"

#include <charconv>
#include <cmath>

#include "Command.h"

namespace {

// Beyond these a phone screen's image would be absurd.
constexpr double kMaximumPoints = 4096;
constexpr double kMaximumScale = 4;

double number(std::string_view text, const std::string& option) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw UsageError(option + " needs a number, not \"" + std::string(text) + "\"");
    return value;
}

// "AxB" or "A,B" split at `separator` into two numbers.
std::pair<double, double> pair(const std::string& text, char separator, const std::string& option) {
    auto at = text.find(separator);
    if (at == std::string::npos)
        throw UsageError(option + " needs two numbers joined by '" + separator + "', not \"" + text + "\"");
    return {number(std::string_view(text).substr(0, at), option),
            number(std::string_view(text).substr(at + 1), option)};
}

gfx::Size parseSize(const std::string& text) {
    auto [width, height] = pair(text, 'x', "--size");
    if (width < 1 || height < 1 || width > kMaximumPoints || height > kMaximumPoints)
        throw UsageError("--size must be between 1x1 and 4096x4096 points");
    return {width, height};
}

}  // namespace

RenderOptions RenderOptions::parse(std::span<const std::string> arguments) {
    RenderOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= arguments.size()) throw UsageError(name + " needs a value");
            return arguments[++i];
        };
        if (name == "-o" || name == "--output") {
            options.output = value();
        } else if (name == "--json") {
            options.json = value();
        } else if (name == "--title") {
            options.title = value();
        } else if (name == "--size") {
            options.size = parseSize(value());
        } else if (name == "--scale") {
            options.scale = number(value(), name);
            if (options.scale <= 0 || options.scale > kMaximumScale)
                throw UsageError("--scale must be above 0 and at most 4");
        } else if (name == "--dark") {
            if (inlineValue) throw UsageError("--dark takes no value");
            options.dark = true;
        } else if (name == "--home") {
            if (inlineValue) throw UsageError("--home takes no value");
            options.home = true;
        } else if (name == "--repository") {
            options.repository = value();
        } else if (name == "--ca-file") {
            options.caFile = value();
        } else if (name == "--tap") {
            options.steps.push_back({StepKind::Tap, value(), {}});
        } else if (name == "--tap-at") {
            auto [x, y] = pair(value(), ',', name);
            options.steps.push_back({StepKind::TapAt, {}, {x, y}});
        } else if (name == "--type") {
            options.steps.push_back({StepKind::Type, value(), {}});
        } else if (name == "--scroll") {
            options.steps.push_back({StepKind::Scroll, {}, {0, number(value(), name)}});
        } else if (name == "--action") {
            options.steps.push_back({StepKind::Action, value(), {}});
        } else if (name.starts_with("-") && name.size() > 1) {
            throw UsageError("unknown option " + name);
        } else {
            positional.push_back(name);
        }
    }
    if (positional.empty()) throw UsageError("missing BUNDLE");
    if (positional.size() > 2) throw UsageError("unexpected argument " + positional[2]);
    if (options.output.empty()) throw UsageError("missing -o FILE.png");
    options.bundle = positional[0];
    if (positional.size() == 2) options.document = positional[1];
    if (options.home && positional.size() == 2) throw UsageError("--home opens a bundle, not a document");
    if (options.title.empty()) options.title = options.bundle;
    return options;
}
