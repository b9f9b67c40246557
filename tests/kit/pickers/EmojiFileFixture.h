#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/FileSystemRoot.h"
#include "base/Log.h"
#include "base/PropertyList.h"
#include "pickers/emoji/VLEmojiFileReader.h"
#include "support/TemporaryDirectory.h"

// Emoji strings spelt out by code point, so the bytes under test are plain to see.
namespace emoji {
inline const std::string kGrinning = "\U0001F600";
inline const std::string kRedHeart = "\u2764\uFE0F";  // with the emoji variation selector
inline const std::string kFamily = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // joined by ZWJ
inline const std::string kRainbowFlag = "\U0001F3F3\uFE0F\u200D\U0001F308";
inline const std::string kDog = "\U0001F436";
inline const std::string kCat = "\U0001F431";
}  // namespace emoji

// A fresh filesystem root holding (or not) an emoji file, and the log lines of the test.
class EmojiFileFixture : public ::testing::Test {
protected:
    void SetUp() override {
        base::FileSystemRoot::set(directory_.path());
        base::Log::setSink([this](std::string_view line) { logLines_.emplace_back(line); });
    }
    void TearDown() override {
        base::Log::resetSink();
        base::FileSystemRoot::set("/");
    }

    // Four sections: titled with emoji (one entry not a string), titled without "Emojis",
    // emoji without "Title", and an element that is not a dictionary.
    static base::Value oddSections() {
        using emoji::kFamily, emoji::kGrinning, emoji::kRainbowFlag, emoji::kRedHeart;
        return base::Value(base::Value::Array{
            base::Value::Dictionary{
                {"Title", "Faces"},
                {"Emojis", base::Value::Array{kGrinning, kRedHeart, 7, kFamily, kRainbowFlag}}},
            base::Value::Dictionary{{"Title", "Nothing here"}},
            base::Value::Dictionary{{"Emojis", base::Value::Array{emoji::kDog, emoji::kCat}}},
            base::Value("not a section")});
    }
    void installEmojiFile(const base::Value& content,
                          base::PropertyList::Format format = base::PropertyList::Format::Xml) {
        auto path = base::FileSystemRoot::resolve(VLEmojiFileReader::kDevicePath);
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(base::PropertyList::writeFile(content, path, format).ok());
    }

    testsupport::TemporaryDirectory directory_;
    std::vector<std::string> logLines_;
};
