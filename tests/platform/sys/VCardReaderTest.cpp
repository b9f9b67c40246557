#include <gtest/gtest.h>

#include "base/LikePattern.h"
#include "gfx/ImageContext.h"
#include "support/TemporaryDirectory.h"
#include "sys/ContactStore.h"
#include "sys/VCardReader.h"

namespace {

std::string base64(const std::vector<std::uint8_t>& bytes) {
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned chunk = unsigned(bytes[i]) << 16;
        if (i + 1 < bytes.size()) chunk |= unsigned(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) chunk |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= bytes.size() - i ? alphabet[(chunk >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::vector<std::uint8_t> tinyPng() {
    gfx::ImageContext context({4, 4});
    context.painter().fillRect({0, 0, 4, 4}, gfx::Color::systemRed());
    return context.image().encodePng().value();
}

// Folded at 20 characters with a leading space, as exporters fold at 75 octets.
std::string folded(const std::string& line) {
    std::string out;
    for (std::size_t at = 0; at < line.size(); at += 20) out += (at ? "\r\n " : "") + line.substr(at, 20);
    return out + "\r\n";
}

TEST(VCardReaderTest, ReadsTheShapesExportersWrite) {
    const std::string png = base64(tinyPng());
    const std::string text =
        "BEGIN:VCARD\r\nVERSION:3.0\r\n" + folded("N:Lovelace;Ada;Augusta;Countess;") +
        "FN:Ada Lovelace\r\nitem1.TEL;TYPE=CELL:+44 20 7946 0000\r\n"
        "TEL;TYPE=\"HOME:VOICE\":(020) 7946-0001\r\nEMAIL:ada@example.org\r\n"
        "EMAIL;TYPE=WORK:countess@example.org\r\nNOTE:Poet\\, mathematician\r\n" +
        folded("PHOTO;ENCODING=b;TYPE=PNG:" + png) + "UID:ada-1\r\nEND:VCARD\r\n" +
        "BEGIN:VCARD\nVERSION:4.0\nFN:Grace Hopper\nNICKNAME:Amazing Grace\\, RADM,Grandma\n"
        "TEL;VALUE=uri:tel:+1-555-0100\nPHOTO:data:image/png;base64," +
        png + "\nEND:VCARD\n" +
        "BEGIN:VCARD\nN:O\\;Brien;Conan\\, Jr.\nPHOTO;ENCODING=b:@@not base64@@\nEND:VCARD\n";
    auto contacts = sys::VCardReader::read(text, "people.vcf");
    ASSERT_EQ(contacts.size(), 3u);

    EXPECT_EQ(contacts[0].givenName, "Ada");
    EXPECT_EQ(contacts[0].familyName, "Lovelace");
    EXPECT_EQ(contacts[0].phoneNumbers, (std::vector<std::string>{"+44 20 7946 0000", "(020) 7946-0001"}));
    EXPECT_EQ(contacts[0].emailAddresses.back(), "countess@example.org");
    EXPECT_EQ(contacts[0].identifier, "ada-1");
    EXPECT_EQ(contacts[0].imageData, tinyPng()) << "the folded base64 photo decodes whole";

    EXPECT_EQ(contacts[1].givenName, "Grace Hopper") << "a card without N is named by FN";
    EXPECT_EQ(contacts[1].familyName, std::nullopt);
    EXPECT_EQ(contacts[1].nickname, "Amazing Grace, RADM");
    EXPECT_EQ(contacts[1].phoneNumbers, std::vector<std::string>{"+1-555-0100"});
    EXPECT_EQ(contacts[1].imageData, tinyPng());
    EXPECT_EQ(contacts[1].identifier, "people.vcf#1") << "no UID: the file and the position";

    EXPECT_EQ(contacts[2].familyName, "O;Brien");
    EXPECT_EQ(contacts[2].givenName, "Conan, Jr.");
    EXPECT_TRUE(contacts[2].imageData.empty()) << "an undecodable photo is left out, the card kept";
}

TEST(VCardReaderTest, SkipsBrokenCardsAndKeepsTheRest) {
    const std::string text =
        "garbage\nBEGIN:VCARD\nN:Unclosed;Una\nBEGIN:VCARD\nN:Kept;Kim\n:no name\nEND:VCARD\n"
        "END:VCARD\nBEGIN:VCARD\nN:Last;Lou\n";
    auto contacts = sys::VCardReader::read(text, "broken.vcf");
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0].givenName, "Kim");
    EXPECT_TRUE(sys::VCardReader::read("", "empty.vcf").empty());
}

TEST(VCardReaderTest, TheStoreReadsEveryCardFileSortedByGivenNameAndHonoursTheAccessDecision) {
    testsupport::TemporaryDirectory directory;
    directory.write("b.vcf", "BEGIN:VCARD\nN:;Zoe\nEND:VCARD\nBEGIN:VCARD\nN:Only Family;\nEND:VCARD\n");
    directory.write("a.vcf", "BEGIN:VCARD\nN:;Bea\nEND:VCARD\n");
    directory.write("notes.txt", "BEGIN:VCARD\nN:;Ignored\nEND:VCARD\n");
    sys::ContactStore::setDirectory(directory.path());
    auto store = sys::ContactStore::create();
    std::vector<std::string> names;
    for (const auto& contact : store->enumerateContacts()) names.push_back(contact.givenName.value_or("-"));
    EXPECT_EQ(names, (std::vector<std::string>{"Bea", "Zoe", "-"}));

    sys::ContactStore::setAccessGranted(false);
    std::optional<bool> answer;
    store->requestAccess([&](bool granted) { answer = granted; });
    store->waitUntilIdle();
    EXPECT_EQ(answer, false);
    EXPECT_TRUE(store->enumerateContacts().empty());
    sys::ContactStore::setAccessGranted(true);
    sys::ContactStore::setDirectory({});
}

TEST(LikePatternTest, WildcardsAndExactCharacters) {
    struct Case {
        const char *text, *pattern;
        bool matches;
    } cases[] = {{"A", "A", true},       {"A", "a", false},        {"ÉCOLE", "É*", true},
                 {"É", "?", true},       {"", "*", true},          {"", "?", false},
                 {"ab", "a*b*", true},   {"ab", "*c", false},      {"*", "\\*", true},
                 {"A", "\\*", false},    {"A", "\\", false},       {"aXbXc", "a*b?c", true},
                 {"\xC3", "\xC3", true}, {"\xC3", "\xC3?", false}, {"É", "E", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(base::LikePattern::matches(c.text, c.pattern), c.matches)
            << c.text << " LIKE " << c.pattern;
    }
}

}  // namespace
