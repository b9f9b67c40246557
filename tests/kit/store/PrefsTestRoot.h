#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/FileSystemRoot.h"
#include "base/Log.h"
#include "base/PropertyList.h"
#include "support/ChildProcess.h"
#include "support/TemporaryDirectory.h"

// A fresh filesystem root with the preference and thumbnail directories, and the log lines
// written while the test runs.
class PrefsTestRoot : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(preferenceDirectory());
        std::filesystem::create_directories(thumbnailDirectory());
        base::FileSystemRoot::set(root_);
        base::Log::setSink([this](std::string_view line) { logLines_.emplace_back(line); });
    }
    void TearDown() override {
        base::Log::resetSink();
        base::FileSystemRoot::set("/");
    }

    std::filesystem::path preferenceDirectory() const { return root_ / "var/mobile/Library/Preferences"; }
    std::filesystem::path thumbnailDirectory() const { return root_ / "var/QZN/Vellium/Thumbnails"; }
    std::filesystem::path preferenceFile(const std::string& id) const {
        return preferenceDirectory() / (id + ".plist");
    }

    // The file as another program sees it: parsed afresh, absent when it does not parse.
    base::Value fileContent(const std::string& id) const {
        auto parsed = base::PropertyList::readFile(preferenceFile(id));
        return parsed ? parsed.value() : base::Value();
    }
    void writeFile(const std::string& id, const base::Value& content) const {
        ASSERT_TRUE(base::PropertyList::writeFile(content, preferenceFile(id)).ok());
    }
    std::vector<std::string> directoryEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(preferenceDirectory())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    testsupport::TemporaryDirectory directory_;
    const std::filesystem::path& root_ = directory_.path();
    std::vector<std::string> logLines_;
};
