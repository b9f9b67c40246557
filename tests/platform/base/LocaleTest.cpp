#include <gtest/gtest.h>

#include "base/Locale.h"
#include "support/ScopedEnvironment.h"

namespace {

using base::Locale;

TEST(Locale, MapsPosixNamesOntoIcuIdentifiers) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "de_DE"}, {"fr_CA", "fr_CA"}, {"pt_BR.utf8@euro", "pt_BR"},
        {"sr_RS@latin", "sr_Latn_RS"}, {"ja", "ja"}, {"es_419.UTF-8", "es_419"}, {"C", "en_US_POSIX"},
        {"POSIX", "en_US_POSIX"}, {"C.UTF-8", "en_US_POSIX"}, {"", "en_US_POSIX"}, {"EN_us", "en_US"}};
    // clang-format on
    for (auto [posix, identifier] : cases)
        EXPECT_EQ(Locale::fromPosixName(posix).identifier(), identifier) << posix;
}

TEST(Locale, NamesThatAreNotLocalesFallBackToPosix) {
    for (const char* name : {"../../etc/passwd", "de_DEU", "x", "de_D1", "1234", "de-DE", "\xFF\xFE"})
        EXPECT_EQ(Locale::fromPosixName(name).identifier(), "en_US_POSIX") << name;
}

TEST(Locale, CurrentFollowsTheCLibraryPrecedence) {
    {
        ScopedEnvironment env{{"LC_ALL", "fr_FR.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}, {"LANG", "it_IT.UTF-8"}};
        EXPECT_EQ(Locale::current().identifier(), "fr_FR");
    }
    {
        ScopedEnvironment env{{"LC_ALL", ""},
                              {"LC_TIME", "de_DE.UTF-8"},
                              {"LC_COLLATE", std::nullopt},
                              {"LANG", "it_IT.UTF-8"}};
        EXPECT_EQ(Locale::current(Locale::Category::Time).identifier(), "de_DE");
        EXPECT_EQ(Locale::current(Locale::Category::Collation).identifier(), "it_IT");
    }
    {
        ScopedEnvironment env{{"LC_ALL", std::nullopt}, {"LC_TIME", std::nullopt}, {"LANG", std::nullopt}};
        EXPECT_EQ(Locale::current().identifier(), "en_US_POSIX");
    }
}

}  // namespace
