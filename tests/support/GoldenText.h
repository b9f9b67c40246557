#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// Compares text (a view-tree JSON dump) with a reviewed reference file in the source tree.
// With VK_UPDATE_GOLDENS=1 in the environment the reference is rewritten instead
// (scripts/update-goldens does that); review the diff before committing it.
class GoldenText {
public:
    static ::testing::AssertionResult matches(const std::string& actual,
                                              const std::filesystem::path& golden) {
        const char* update = std::getenv("VK_UPDATE_GOLDENS");
        if (update && std::string(update) == "1") {
            std::filesystem::create_directories(golden.parent_path());
            std::ofstream(golden, std::ios::binary | std::ios::trunc) << actual;
            return ::testing::AssertionSuccess();
        }
        std::ifstream file(golden, std::ios::binary);
        if (!file)
            return ::testing::AssertionFailure()
                   << "cannot read " << golden << "; run scripts/update-goldens";
        std::stringstream expected;
        expected << file.rdbuf();
        if (expected.str() == actual) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << golden.filename() << " differs; the actual text follows\n"
                                             << actual;
    }
};
