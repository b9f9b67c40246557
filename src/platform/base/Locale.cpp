#include "base/Locale.h"

#include <cstdlib>

namespace base {
namespace {

constexpr const char* kPosixLocale = "en_US_POSIX";

bool isAsciiLetters(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

bool isTerritory(std::string_view text) {
    if (text.size() == 2) return isAsciiLetters(text);
    if (text.size() == 3) {  // UN M.49 region code, "419"
        for (char c : text) {
            if (c < '0' || c > '9') return false;
        }
        return true;
    }
    return false;
}

// glibc's script modifiers; other modifiers ("@euro") carry no meaning for formatting.
std::string_view scriptForModifier(std::string_view modifier) {
    if (modifier == "latin") return "Latn";
    if (modifier == "cyrillic") return "Cyrl";
    if (modifier == "devanagari") return "Deva";
    return {};
}

const char* variableForCategory(Locale::Category category) {
    switch (category) {
        case Locale::Category::Time:
            return "LC_TIME";
        case Locale::Category::Collation:
            return "LC_COLLATE";
        case Locale::Category::Characters:
            return "LC_CTYPE";
    }
    return "LC_TIME";
}

}  // namespace

Locale Locale::current(Category category) {
    for (const char* variable : {"LC_ALL", variableForCategory(category), "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return fromPosixName(value);
    }
    return Locale(kPosixLocale);
}

Locale Locale::fromPosixName(std::string_view posixName) {
    // language[_territory][.codeset][@modifier]
    std::string_view modifier;
    if (auto at = posixName.find('@'); at != std::string_view::npos) {
        modifier = posixName.substr(at + 1);
        posixName = posixName.substr(0, at);
    }
    if (auto dot = posixName.find('.'); dot != std::string_view::npos) posixName = posixName.substr(0, dot);
    if (posixName.empty() || posixName == "C" || posixName == "POSIX") return Locale(kPosixLocale);

    std::string_view language = posixName, territory;
    if (auto underscore = posixName.find('_'); underscore != std::string_view::npos) {
        language = posixName.substr(0, underscore);
        territory = posixName.substr(underscore + 1);
        if (!isTerritory(territory)) return Locale(kPosixLocale);
    }
    if (!isAsciiLetters(language) || language.size() < 2 || language.size() > 3) return Locale(kPosixLocale);

    std::string identifier(language);
    for (char& c : identifier) c = char(c | 0x20);
    if (auto script = scriptForModifier(modifier); !script.empty()) identifier.append("_").append(script);
    if (!territory.empty()) {
        identifier += '_';
        for (char c : territory) identifier += char(c >= 'a' && c <= 'z' ? c - 0x20 : c);
    }
    return Locale(std::move(identifier));
}

}  // namespace base
