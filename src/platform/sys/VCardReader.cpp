#include "sys/VCardReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "base/Log.h"
#include "base/Utf8.h"

namespace sys {

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && upper(text.substr(0, prefix.size())) == upper(prefix);
}

// Pass 1: physical lines, with the line break (CRLF or LF) taken off.
std::vector<std::string_view> physicalLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

// Pass 2: logical lines; a line that starts with a space or tab continues the one before.
std::vector<std::string> unfoldedLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : physicalLines(text)) {
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty()) {
            lines.back().append(line.substr(1));
        } else if (!line.empty()) {
            lines.emplace_back(line);
        }
    }
    return lines;
}

struct Property {
    std::string name;                                             // upper-cased, without its group
    std::vector<std::pair<std::string, std::string>> parameters;  // names upper-cased
    std::string value;                                            // still escaped

    // ENCODING=b (3.0), ENCODING=BASE64 or a bare BASE64 (2.1).
    bool isInlineBase64() const {
        for (const auto& [key, value] : parameters) {
            if (key == "ENCODING" && (upper(value) == "B" || upper(value) == "BASE64")) return true;
            if (key == "BASE64" && value.empty()) return true;
        }
        return false;
    }
};

// Splits at `separator` outside double quotes.
std::vector<std::string_view> splitOutsideQuotes(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == separator && !quoted) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<Property> parseProperty(std::string_view line) {
    bool quoted = false;
    std::size_t colon = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    Property property;
    property.value = std::string(line.substr(colon + 1));
    auto head = splitOutsideQuotes(line.substr(0, colon), ';');
    std::string_view name = head.front();
    if (auto dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    property.name = upper(name);
    for (std::size_t i = 1; i < head.size(); ++i) {
        std::string_view parameter = head[i];
        auto equals = parameter.find('=');
        std::string key = upper(parameter.substr(0, equals));
        std::string value = equals == std::string_view::npos ? "" : std::string(parameter.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        property.parameters.emplace_back(std::move(key), std::move(value));
    }
    return property;
}

// The components of a structured value, split at unescaped `separator`, each unescaped.
std::vector<std::string> components(std::string_view value, char separator) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            char next = value[++i];
            parts.back().push_back(next == 'n' || next == 'N' ? '\n' : next);
        } else if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    return parts;
}

std::string unescaped(std::string_view value) { return components(value, '\0').front(); }

std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text) {
    static const auto table = [] {
        std::array<int, 256> t{};
        t.fill(-1);
        const std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (std::size_t i = 0; i < alphabet.size(); ++i) t[static_cast<unsigned char>(alphabet[i])] = int(i);
        t[static_cast<unsigned char>('-')] = 62;  // the URL-safe alphabet some exporters use
        t[static_cast<unsigned char>('_')] = 63;
        return t;
    }();
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 3 / 4);
    unsigned buffer = 0;
    int bits = 0;
    for (unsigned char c : text) {
        if (c == '=') break;
        if (std::isspace(c)) continue;
        int digit = table[c];
        if (digit < 0) return std::nullopt;
        buffer = (buffer << 6) | unsigned(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<std::uint8_t>((buffer >> bits) & 0xFF));
        }
    }
    if (out.empty()) return std::nullopt;
    return out;
}

// Inline photo bytes: vCard 3.0's ENCODING=b (or 2.1's BASE64), or 4.0's data URI.
std::optional<std::vector<std::uint8_t>> photoBytes(const Property& property) {
    std::string_view value = property.value;
    if (startsWithNoCase(value, "data:")) {
        auto comma = value.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        if (upper(value.substr(0, comma)).find(";BASE64") == std::string::npos) return std::nullopt;
        return decodeBase64(value.substr(comma + 1));
    }
    if (property.isInlineBase64()) return decodeBase64(value);
    return std::nullopt;  // a link to a photo elsewhere is not fetched
}

// One card being read.
struct CardBuilder {
    Contact contact;
    std::optional<std::string> formattedName;
    bool hasUid = false;
    std::size_t bytes = 0;

    void add(const Property& property, const std::string& source) {
        const std::string& name = property.name;
        if (name == "N") {
            auto parts = components(property.value, ';');
            // An empty component is no value, so a card with only a family name is named by it.
            if (!parts[0].empty()) contact.familyName = parts[0];
            if (parts.size() > 1 && !parts[1].empty()) contact.givenName = parts[1];
        } else if (name == "FN") {
            formattedName = unescaped(property.value);
        } else if (name == "NICKNAME" && !contact.nickname) {
            contact.nickname = components(property.value, ',').front();
        } else if (name == "TEL") {
            std::string number = unescaped(property.value);
            if (startsWithNoCase(number, "tel:")) number.erase(0, 4);
            contact.phoneNumbers.push_back(std::move(number));
        } else if (name == "EMAIL") {
            contact.emailAddresses.push_back(unescaped(property.value));
        } else if (name == "UID" && !hasUid) {
            contact.identifier = unescaped(property.value);
            hasUid = !contact.identifier.empty();
        } else if (name == "PHOTO" && contact.imageData.empty()) {
            if (auto bytes = photoBytes(property)) {
                contact.imageData = std::move(*bytes);
            } else if (startsWithNoCase(property.value, "data:") || !property.parameters.empty()) {
                base::Log::line("VCardReader: " + source + ": a photo that cannot be decoded is left out");
            }
        }
    }

    Contact finish(const std::string& source, std::size_t position) {
        if (!contact.givenName && !contact.familyName && formattedName) contact.givenName = formattedName;
        if (!hasUid) contact.identifier = source + "#" + std::to_string(position);
        return std::move(contact);
    }
};

}  // namespace

std::vector<Contact> VCardReader::read(std::string_view text, const std::string& sourceName) {
    std::vector<Contact> contacts;
    std::optional<CardBuilder> card;
    std::size_t position = 0;
    auto skip = [&](const std::string& why) {
        base::Log::line("VCardReader: " + sourceName + ": card " + std::to_string(position) +
                        " skipped: " + why);
        card.reset();
    };
    for (const std::string& rawLine : unfoldedLines(text)) {
        std::string line = base::Utf8::isValid(rawLine) ? rawLine : base::Utf8::repaired(rawLine);
        auto property = parseProperty(line);
        if (!property) continue;  // not a property: ignored, as readers of the format do
        if (property->name == "BEGIN" && upper(property->value) == "VCARD") {
            if (card) skip("not closed before the next card");
            card.emplace();
            ++position;
            continue;
        }
        if (!card) continue;
        if (property->name == "END" && upper(property->value) == "VCARD") {
            contacts.push_back(card->finish(sourceName, position - 1));
            card.reset();
            continue;
        }
        card->bytes += line.size();
        if (card->bytes > kMaximumCardBytes) {
            skip("larger than " + std::to_string(kMaximumCardBytes) + " bytes");
            continue;
        }
        card->add(*property, sourceName);
    }
    if (card) skip("not closed");
    return contacts;
}

}  // namespace sys
