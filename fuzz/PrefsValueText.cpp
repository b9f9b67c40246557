// The value parsers of `vellium prefs` read command-line text: none may crash, and a
// parsed date or datum must format without crashing.
#include "../apps/vellium/PrefsValueText.cpp"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (auto date = PrefsValueText::parseDate(text, error)) (void)PrefsValueText::formatDate(*date);
    if (auto bytes = PrefsValueText::parseHex(text, error)) (void)PrefsValueText::format(base::Value(*bytes));
    if (auto value = PrefsValueText::parseJson(text, error)) (void)PrefsValueText::toJson(*value, true);
    (void)PrefsValueText::parseBool(text, error);
    (void)PrefsValueText::parseWholeNumber(text, error);
    (void)PrefsValueText::parseInteger(text, -5, 5, error);
    return 0;
}
