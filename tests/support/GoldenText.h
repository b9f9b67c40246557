#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/AtomicFile.h"
#include "base/Files.h"

// Compares a text (a view-tree JSON dump) with a reference file kept in the source tree, byte
// for byte. With VK_UPDATE_GOLDENS=1 in the environment the reference is rewritten instead
// (scripts/update-goldens does that); review the diff before committing it.
class GoldenText {
public:
    static ::testing::AssertionResult matches(const std::string& actual,
                                              const std::filesystem::path& golden) {
        const char* update = std::getenv("VK_UPDATE_GOLDENS");
        if (update && std::string(update) == "1") {
            if (base::Files::createDirectories(golden.parent_path()) &&
                base::AtomicFile::write(golden, actual)) {
                return ::testing::AssertionSuccess();
            }
            return ::testing::AssertionFailure() << "cannot write " << golden;
        }
        auto expected = base::Files::readFile(golden);
        if (!expected) {
            return ::testing::AssertionFailure()
                   << "cannot read " << golden << "; run scripts/update-goldens";
        }
        if (std::string(expected.value().begin(), expected.value().end()) == actual)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << golden.filename() << " differs; actual:\n" << actual;
    }
};
