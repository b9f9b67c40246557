#include "PrefsValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <nlohmann/json.hpp>

namespace PrefsValueText {
namespace {

std::string lowercase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads exactly `count` decimal digits at `text[at]`.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<base::Value> fromJson(const nlohmann::json& json, int depth, std::string& error) {
    if (depth > 256) {
        error = "JSON nested too deeply";
        return std::nullopt;
    }
    switch (json.type()) {
        case nlohmann::json::value_t::boolean:
            return base::Value(json.get<bool>());
        case nlohmann::json::value_t::number_integer:
            return base::Value(json.get<long long>());
        case nlohmann::json::value_t::number_unsigned:
            if (json.get<unsigned long long>() > static_cast<unsigned long long>(LLONG_MAX)) break;
            return base::Value(static_cast<long long>(json.get<unsigned long long>()));
        case nlohmann::json::value_t::number_float:
            return base::Value(json.get<double>());
        case nlohmann::json::value_t::string:
            return base::Value(json.get<std::string>());
        case nlohmann::json::value_t::array: {
            base::Value::Array array;
            for (const auto& element : json) {
                auto value = fromJson(element, depth + 1, error);
                if (!value) return std::nullopt;
                array.push_back(std::move(*value));
            }
            return base::Value(std::move(array));
        }
        case nlohmann::json::value_t::object: {
            base::Value::Dictionary dictionary;
            for (const auto& [key, element] : json.items()) {
                auto value = fromJson(element, depth + 1, error);
                if (!value) return std::nullopt;
                dictionary.emplace(key, std::move(*value));
            }
            return base::Value(std::move(dictionary));
        }
        default:
            break;
    }
    error = "JSON value " + json.dump() + " cannot be stored";
    return std::nullopt;
}

nlohmann::json toJsonValue(const base::Value& value) {
    switch (value.type()) {
        case base::Value::Type::Absent:
            return nullptr;
        case base::Value::Type::Boolean:
            return *value.asBoolean();
        case base::Value::Type::Integer:
            if (value.isUnsignedInteger()) return value.unsignedIntegerValue();
            return value.longLongValue();
        case base::Value::Type::Real:
            return value.doubleValue();
        case base::Value::Type::String:
            return *value.asString();
        case base::Value::Type::Date:
            return formatDate(*value.asDate());
        case base::Value::Type::Data:
            return format(value);
        case base::Value::Type::Array: {
            nlohmann::json array = nlohmann::json::array();
            for (const base::Value& element : *value.asArray()) array.push_back(toJsonValue(element));
            return array;
        }
        case base::Value::Type::Dictionary: {
            nlohmann::json object = nlohmann::json::object();
            for (const auto& [key, element] : *value.asDictionary()) object[key] = toJsonValue(element);
            return object;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<bool> parseBool(std::string_view text, std::string& error) {
    std::string word = lowercase(text);
    if (word == "true" || word == "yes" || word == "1") return true;
    if (word == "false" || word == "no" || word == "0") return false;
    error = "not a boolean (true/false, yes/no, 1/0): " + std::string(text);
    return std::nullopt;
}

std::optional<long long> parseInteger(std::string_view text, long long minimum, long long maximum,
                                      std::string& error) {
    long long value = 0;
    std::string_view digitsText = text.starts_with('+') ? text.substr(1) : text;
    auto [end, status] = std::from_chars(digitsText.data(), digitsText.data() + digitsText.size(), value);
    if (status != std::errc() || end != digitsText.data() + digitsText.size() || digitsText.empty() ||
        value < minimum || value > maximum) {
        error = "not a whole number in [" + std::to_string(minimum) + ", " + std::to_string(maximum) +
                "]: " + std::string(text);
        return std::nullopt;
    }
    return value;
}

std::optional<long long> parseWholeNumber(std::string_view text, std::string& error) {
    std::string unused;
    if (auto integer = parseInteger(text, LLONG_MIN, LLONG_MAX, unused)) return integer;
    double value = 0;
    auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    // 2^63 itself is out of range; every double below it converts exactly.
    if (status != std::errc() || end != text.data() + text.size() || text.empty() || !std::isfinite(value) ||
        value != std::trunc(value) || value < -9223372036854775808.0 || value >= 9223372036854775808.0) {
        error = "not a whole number (float values are stored as whole numbers): " + std::string(text);
        return std::nullopt;
    }
    return static_cast<long long>(value);
}

std::optional<base::Date> parseDate(std::string_view text, std::string& error) {
    error = "not an ISO 8601 date (2024-05-01 or 2024-05-01T12:30:00Z): " + std::string(text);
    auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    if (!year || !month || !day || text[4] != '-' || text[7] != '-') return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    std::tm fields{};
    fields.tm_year = *year - 1900;
    fields.tm_mon = *month - 1;
    fields.tm_mday = *day;
    double fraction = 0;
    long offsetSeconds = 0;
    std::size_t at = 10;
    if (at < text.size()) {
        if (text[at] != 'T' && text[at] != 't' && text[at] != ' ') return std::nullopt;
        auto hour = digits(text, at + 1, 2), minute = digits(text, at + 4, 2),
             second = digits(text, at + 7, 2);
        if (!hour || !minute || !second || text[at + 3] != ':' || text[at + 6] != ':') return std::nullopt;
        if (*hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
        fields.tm_hour = *hour;
        fields.tm_min = *minute;
        fields.tm_sec = *second;
        at += 9;
        if (at < text.size() && text[at] == '.') {
            std::size_t start = at++;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
            if (at == start + 1) return std::nullopt;
            std::from_chars(text.data() + start, text.data() + at, fraction);
        }
        if (at < text.size() && (text[at] == 'Z' || text[at] == 'z')) {
            ++at;
        } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            auto offsetHours = digits(text, at + 1, 2);
            std::size_t minutesAt = at + 3 < text.size() && text[at + 3] == ':' ? at + 4 : at + 3;
            auto offsetMinutes = digits(text, minutesAt, 2);
            if (!offsetHours || !offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59)
                return std::nullopt;
            offsetSeconds = (text[at] == '-' ? -1 : 1) * (*offsetHours * 3600L + *offsetMinutes * 60L);
            at = minutesAt + 2;
        }
        if (at != text.size()) return std::nullopt;
    }
    std::tm normalised = fields;
    time_t unixTime = ::timegm(&normalised);
    if (normalised.tm_mday != fields.tm_mday) return std::nullopt;  // 2023-02-30 and the like
    return base::Date::fromUnixTime(double(unixTime - offsetSeconds) + fraction);
}

std::optional<base::Data> parseHex(std::string_view text, std::string& error) {
    if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
    base::Data bytes;
    if (text.size() % 2 != 0) {
        error = "hexadecimal data needs two digits per byte";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int high = hexDigit(text[i]), low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            error = "not hexadecimal data: " + std::string(text);
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::optional<base::Value> parseJson(std::string_view text, std::string& error) {
    nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded()) {
        error = "not valid JSON: " + std::string(text);
        return std::nullopt;
    }
    return fromJson(json, 0, error);
}

std::string formatDate(base::Date date) {
    double unixSeconds = date.unixTime();
    if (!std::isfinite(unixSeconds) || std::fabs(unixSeconds) > 1e15) return "invalid date";
    auto milliseconds = static_cast<long long>(std::llround(unixSeconds * 1000));
    long long wholeSeconds = milliseconds / 1000 - (milliseconds % 1000 < 0 ? 1 : 0);
    long long fraction = milliseconds - wholeSeconds * 1000;
    time_t seconds = static_cast<time_t>(wholeSeconds);
    std::tm fields{};
    if (!::gmtime_r(&seconds, &fields)) return "invalid date";
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &fields);
    std::string result = text;
    if (fraction != 0) {
        char digitsText[8];
        std::snprintf(digitsText, sizeof digitsText, ".%03lld", fraction);
        result += digitsText;
    }
    return result + "Z";
}

std::string format(const base::Value& value) {
    switch (value.type()) {
        case base::Value::Type::String:
            return *value.asString();
        case base::Value::Type::Boolean:
            return *value.asBoolean() ? "true" : "false";
        case base::Value::Type::Date:
            return formatDate(*value.asDate());
        case base::Value::Type::Data: {
            static constexpr char kDigits[] = "0123456789abcdef";
            std::string hex;
            for (std::uint8_t byte : *value.asData()) {
                hex += kDigits[byte >> 4];
                hex += kDigits[byte & 15];
            }
            return hex;
        }
        default:
            return toJson(value, false);
    }
}

std::string toJson(const base::Value& value, bool pretty) {
    // Invalid UTF-8 read from a foreign file is replaced rather than aborting the output.
    return toJsonValue(value).dump(pretty ? 2 : -1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace PrefsValueText
