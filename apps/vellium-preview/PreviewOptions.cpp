#include "PreviewOptions.h"

#include <charconv>
#include <cmath>

namespace {

// Sizes and scales a phone-sized preview can use; beyond them the image would be absurd.
constexpr double kMaximumPoints = 4096;
constexpr double kMaximumScale = 4;

double number(const std::string& text, const std::string& option) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw UsageError(option + " needs a number, not \"" + text + "\"");
    return value;
}

gfx::Size parseSize(const std::string& text) {
    auto cross = text.find('x');
    if (cross == std::string::npos) throw UsageError("--size needs WIDTHxHEIGHT, not \"" + text + "\"");
    gfx::Size size{number(text.substr(0, cross), "--size"), number(text.substr(cross + 1), "--size")};
    if (size.width < 1 || size.height < 1 || size.width > kMaximumPoints || size.height > kMaximumPoints)
        throw UsageError("--size must be between 1x1 and 4096x4096 points");
    return size;
}

}  // namespace

PreviewOptions PreviewOptions::parse(const std::vector<std::string>& arguments) {
    PreviewOptions options;
    bool afterGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= arguments.size()) throw UsageError(name + " needs a value");
            return arguments[++i];
        };
        auto flag = [&] {
            if (inlineValue) throw UsageError(name + " takes no value");
        };
        if (name == "--gallery") {
            flag();
            options.gallery = true;
        } else if (name == "--help" || name == "-h") {
            flag();
            options.help = true;
        } else if (name == "--dark") {
            flag();
            options.dark = true;
        } else if (name == "--size") {
            options.size = parseSize(value());
        } else if (name == "--scale") {
            options.scale = number(value(), name);
            if (options.scale <= 0 || options.scale > kMaximumScale)
                throw UsageError("--scale must be above 0 and at most 4");
        } else if (name == "--page") {
            options.page = value();
        } else if (name == "--bundle") {
            options.bundle = value();
        } else if (name == "--document") {
            options.document = value();
        } else if (name == "--title") {
            options.title = value();
        } else if (name == "--screenshot") {
            options.screenshot = value();
        } else if (name == "--after-ms") {
            double ms = number(value(), name);
            if (ms < 0 || ms > 600000 || ms != std::floor(ms))
                throw UsageError("--after-ms needs whole milliseconds up to 600000");
            options.afterMilliseconds = static_cast<int>(ms);
            afterGiven = true;
        } else if (name == "--screenshot-dir") {
            options.screenshotDirectory = value();
        } else if (name == "--root") {
            options.root = value();
        } else if (name == "--contacts") {
            options.contacts = value();
        } else if (name == "--deny-contacts") {
            flag();
            options.denyContacts = true;
        } else {
            throw UsageError(name.starts_with("-") ? "unknown option " + name
                                                   : "unexpected argument " + name);
        }
    }
    if (afterGiven && !options.screenshot) throw UsageError("--after-ms only applies with --screenshot");
    if (options.help) return options;
    if (options.gallery == options.bundle.has_value())
        throw UsageError("give either --gallery or --bundle NAME");
    if (options.page && !options.gallery) throw UsageError("--page only applies with --gallery");
    if ((!options.document.empty() || !options.title.empty()) && !options.bundle)
        throw UsageError("--document and --title only apply with --bundle");
    return options;
}
