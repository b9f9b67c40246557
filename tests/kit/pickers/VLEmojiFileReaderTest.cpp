#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "EmojiFileFixture.h"

namespace {

using Sections = std::vector<VLEmojiSection>;

class EmojiFileReaderTest : public EmojiFileFixture {};

TEST_F(EmojiFileReaderTest, KeepsEverySectionAndEveryStringAsWrittenInEitherFormat) {
    const Sections expected = {
        {"Faces", {emoji::kGrinning, emoji::kRedHeart, emoji::kFamily, emoji::kRainbowFlag}},
        {"Nothing here", {}},
        {"", {emoji::kDog, emoji::kCat}},
        {"", {}}};
    for (auto format : {base::PropertyList::Format::Xml, base::PropertyList::Format::Binary}) {
        installEmojiFile(oddSections(), format);
        auto read = VLEmojiFileReader::readInstalled();
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value(), expected);
    }
}

TEST_F(EmojiFileReaderTest, AMissingBrokenOrWronglyShapedFileIsAnError) {
    EXPECT_EQ(VLEmojiFileReader::readInstalled().error().code, base::PropertyList::kUnreadable);

    struct Case {
        std::string_view bytes;
        std::string domain;
        long code;
    };
    const Case cases[] = {
        {"", base::PropertyList::kErrorDomain, base::PropertyList::kMalformed},
        {"<plist><array><dict><key>Title</key>", base::PropertyList::kErrorDomain,
         base::PropertyList::kMalformed},
        {"<plist><dict><key>Title</key><string>A</string></dict></plist>", VLEmojiFileReader::kErrorDomain,
         VLEmojiFileReader::kRootNotAnArray},
        {"<plist><string>\xF0\x9F\x98\x80</string></plist>", VLEmojiFileReader::kErrorDomain,
         VLEmojiFileReader::kRootNotAnArray},
    };
    for (const auto& c : cases) {
        auto read = VLEmojiFileReader::parse(
            std::span(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()));
        ASSERT_FALSE(read.ok()) << c.bytes;
        EXPECT_EQ(read.error().domain, c.domain) << c.bytes;
        EXPECT_EQ(read.error().code, c.code) << c.bytes;
    }
}

// The file the build generates from Unicode's list: its groups in order without "Component",
// fully-qualified forms only.
TEST_F(EmojiFileReaderTest, TheGeneratedFileHoldsUnicodesGroupsOfFullyQualifiedEmoji) {
    auto read = VLEmojiFileReader::readFile(VK_EMOJI_FILE);
    ASSERT_TRUE(read.ok()) << VK_EMOJI_FILE;
    std::vector<std::string> titles;
    std::size_t total = 0;
    for (const auto& section : read.value()) {
        titles.push_back(section.title);
        total += section.emojis.size();
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Smileys & Emotion", "People & Body", "Animals & Nature",
                                                "Food & Drink", "Travel & Places", "Activities", "Objects",
                                                "Symbols", "Flags"}));
    EXPECT_GT(total, 3000u);
    EXPECT_EQ(read.value().front().emojis.front(), emoji::kGrinning);

    auto listed = [&read](const std::string& emoji) {
        for (const auto& section : read.value()) {
            if (std::find(section.emojis.begin(), section.emojis.end(), emoji) != section.emojis.end())
                return true;
        }
        return false;
    };
    EXPECT_TRUE(listed(emoji::kRedHeart));
    EXPECT_TRUE(listed(emoji::kFamily));
    EXPECT_TRUE(listed("\U0001F1EF\U0001F1F5")) << "a flag: two regional indicators";
    EXPECT_FALSE(listed("\u2764")) << "the unqualified heart";
    EXPECT_FALSE(listed("\U0001F3FB")) << "a skin tone on its own";
}

}  // namespace
