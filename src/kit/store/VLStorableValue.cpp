#include "store/VLStorableValue.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kMaximumDepth = 256;  // deeper nesting is no preference value; it also bounds recursion

// Length of the UTF-8 sequence starting at `text[i]`, or 0 when it is malformed (overlong
// forms, surrogates and code points above U+10FFFF included).
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    std::uint8_t lead = byte(i);
    std::size_t length;
    std::uint32_t codePoint;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

bool isStorableAt(const base::Value& value, int depth) {
    if (depth > kMaximumDepth) return false;
    switch (value.type()) {
        case base::Value::Type::Absent:
            return false;
        case base::Value::Type::Boolean:
        case base::Value::Type::Integer:
        case base::Value::Type::Data:
            return true;
        case base::Value::Type::Real:
            return std::isfinite(value.doubleValue());
        case base::Value::Type::Date:
            return std::isfinite(value.asDate()->timeIntervalSinceReferenceDate());
        case base::Value::Type::String:
            return VLStorableValue::isStorableString(*value.asString());
        case base::Value::Type::Array:
            for (const base::Value& element : *value.asArray()) {
                if (!isStorableAt(element, depth + 1)) return false;
            }
            return true;
        case base::Value::Type::Dictionary:
            for (const auto& [key, element] : *value.asDictionary()) {
                if (!VLStorableValue::isStorableString(key) || !isStorableAt(element, depth + 1))
                    return false;
            }
            return true;
    }
    return false;
}

}  // namespace

bool VLStorableValue::isStorable(const base::Value& value) { return isStorableAt(value, 0); }

bool VLStorableValue::isStorableString(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<std::uint8_t>(text[i]);
        // XML 1.0 has no form, not even a character reference, for these controls.
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') return false;
        std::size_t length = sequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}
