#pragma once

#include <string>
#include <string_view>

namespace base {

// A locale named by its ICU/CLDR identifier ("en_US_POSIX", "de_DE", "sr_Latn_RS"). The
// user's locale comes from the process environment the way a C program's setlocale(…, "")
// reads it: LC_ALL, then the category's own variable, then LANG; the first non-empty one wins.
class Locale {
public:
    enum class Category { Time, Collation, Characters };  // LC_TIME, LC_COLLATE, LC_CTYPE

    explicit Locale(std::string identifier) : identifier_(std::move(identifier)) {}

    // The user's locale for one category; "C", "POSIX" or nothing set gives en_US_POSIX.
    static Locale current(Category category = Category::Time);
    // The locale for a POSIX locale name: "de_DE.UTF-8" → "de_DE", "sr_RS@latin" →
    // "sr_Latn_RS", "C"/"POSIX"/"" → "en_US_POSIX". A name that is not one gives en_US_POSIX.
    static Locale fromPosixName(std::string_view posixName);

    const std::string& identifier() const { return identifier_; }
    bool operator==(const Locale&) const = default;

private:
    std::string identifier_;
};

}  // namespace base
