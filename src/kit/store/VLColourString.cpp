#include "store/VLColourString.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// UTF-8 to UTF-16 code units: the rule counts characters as the platform's strings do.
std::optional<std::u16string> utf16(std::string_view text) {
    std::u16string units;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size()) return std::nullopt;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint > 0x10FFFF) return std::nullopt;
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            units += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            units += static_cast<char16_t>(codePoint);
        }
        i += length;
    }
    return units;
}

// White space and line breaks: the ASCII ones and Unicode's space separators.
bool isWhiteSpaceOrLineBreak(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

int hexValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A pair's leading hexadecimal digits; nothing when it does not begin with one.
std::optional<int> pairValue(char16_t first, char16_t second) {
    int high = hexValue(first);
    if (high < 0) return std::nullopt;
    int low = hexValue(second);
    return low < 0 ? high : high * 16 + low;
}

double component(int value) { return static_cast<double>(static_cast<float>(value) / 255.0f); }

long scaled(double value) {
    double clamped = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    return std::lround(static_cast<float>(clamped * 255.0));  // halves away from zero
}

}  // namespace

std::optional<gfx::Color> VLColourString::parseHexString(std::string_view text) {
    // 1. Trim and upper-case.
    auto units = utf16(text);
    if (!units) return std::nullopt;
    std::size_t start = 0, end = units->size();
    while (start < end && isWhiteSpaceOrLineBreak((*units)[start])) ++start;
    while (end > start && isWhiteSpaceOrLineBreak((*units)[end - 1])) --end;
    std::u16string digits = units->substr(start, end - start);
    for (char16_t& c : digits) {
        if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 'a' + 'A');
    }
    // 2. Too short, 3. the prefix, 4. exactly six characters in three pairs.
    if (digits.size() <= 5) return std::nullopt;
    if (digits.starts_with(u"0X")) digits.erase(0, 2);
    if (digits.size() != 6) return std::nullopt;
    auto red = pairValue(digits[0], digits[1]);
    auto green = pairValue(digits[2], digits[3]);
    auto blue = pairValue(digits[4], digits[5]);
    if (!red || !green || !blue) return std::nullopt;
    return gfx::Color(component(*red), component(*green), component(*blue), 1.0);
}

gfx::Color VLColourString::colorWithHexString(std::string_view text) {
    return parseHexString(text).value_or(gfx::Color::gray());
}

gfx::Color VLColourString::colorWithListString(std::string_view text) {
    static const std::pair<std::string_view, gfx::Color (*)()> kWords[] = {
        {"red", gfx::Color::systemRed},          {"orange", gfx::Color::systemOrange},
        {"yellow", gfx::Color::systemYellow},    {"green", gfx::Color::systemGreen},
        {"blue", gfx::Color::systemBlue},        {"teal", gfx::Color::systemTeal},
        {"indigo", gfx::Color::systemIndigo},    {"purple", gfx::Color::systemPurple},
        {"pink", gfx::Color::systemPink},        {"default", gfx::Color::label},
        {"tertiary", gfx::Color::tertiaryLabel},
    };
    for (const auto& [word, colour] : kWords) {
        if (text == word) return colour();
    }
    return colorWithHexString(text);
}

std::string VLColourString::hexStringFromColor(const gfx::Color& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02lX%02lX%02lX", scaled(colour.red()), scaled(colour.green()),
                  scaled(colour.blue()));
    return text;
}
