#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/Value.h"

// How `vellium prefs` turns command-line text into preference values and back. Every
// parser returns nothing for text it does not accept, with the reason in `error`.
namespace PrefsValueText {

// true/false, yes/no, 1/0 (any letter case).
std::optional<bool> parseBool(std::string_view text, std::string& error);
// A decimal whole number in [minimum, maximum].
std::optional<long long> parseInteger(std::string_view text, long long minimum, long long maximum,
                                      std::string& error);
// A decimal number without a fractional part ("3", "3.0", "-2e3"), as a whole number.
std::optional<long long> parseWholeNumber(std::string_view text, std::string& error);
// ISO 8601: "2024-05-01", "2024-05-01T12:30:00Z", "2024-05-01T12:30:00.25+02:00"; a time
// without zone designator is UTC.
std::optional<base::Date> parseDate(std::string_view text, std::string& error);
// Hexadecimal digits, two per byte, optionally with a "0x" prefix.
std::optional<base::Data> parseHex(std::string_view text, std::string& error);
// A JSON value made of objects, arrays, strings, numbers and booleans (no null).
std::optional<base::Value> parseJson(std::string_view text, std::string& error);

// One line for a value: strings as they are, booleans true/false, numbers in decimal,
// dates in ISO 8601 (UTC), data in lower-case hexadecimal, arrays and dictionaries as JSON.
std::string format(const base::Value& value);
// JSON with dates as ISO 8601 strings and data as hexadecimal strings.
std::string toJson(const base::Value& value, bool pretty);
std::string formatDate(base::Date date);

}  // namespace PrefsValueText
