#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/Image.h"
#include "support/ChildProcess.h"
#include "support/TemporaryDirectory.h"

namespace {

struct Outcome {
    int status;
    std::string errors;
    std::string output;
};

Outcome preview(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VK_VELLIUM_PREVIEW);
    testsupport::ChildProcess child(std::move(arguments));
    std::string output = child.readAllOutput();
    std::string errors = child.readAllErrors();
    return {child.wait(), errors, output};
}

// How many distinct colours a coarse sample of the image holds: a blank frame has one.
int distinctColours(const gfx::Image& image) {
    std::vector<std::uint32_t> seen;
    for (int y = 0; y < image.pixelHeight(); y += 7) {
        for (int x = 0; x < image.pixelWidth(); x += 7) {
            std::uint32_t pixel = image.data()[y * image.pixelWidth() + x];
            if (std::find(seen.begin(), seen.end(), pixel) == seen.end()) seen.push_back(pixel);
        }
    }
    return static_cast<int>(seen.size());
}

TEST(GalleryProgram, ScreenshotsHaveTheWindowsPixelSizeAndShowTheGallery) {
    testsupport::TemporaryDirectory directory;
    auto light = directory.path() / "light.png";
    auto dark = directory.path() / "dark.png";
    auto page = directory.path() / "controls.png";
    ASSERT_EQ(preview({"--gallery", "--screenshot", light.string()}).status, 0);
    ASSERT_EQ(
        preview({"--gallery", "--dark", "--size", "320x568", "--scale=1", "--screenshot", dark.string()})
            .status,
        0);
    ASSERT_EQ(preview({"--gallery", "--page", "Controls", "--screenshot", page.string(), "--after-ms", "500"})
                  .status,
              0);
    auto picker = (directory.path() / "picker.png").string();
    for (const char* title :
         {"Colour picker", "Font picker", "Photo picker", "Application picker", "Avatar picker"})
        EXPECT_EQ(preview({"--gallery", "--page", title, "--screenshot", picker}).status, 0) << title;

    auto lightImage = gfx::Image::fromFile(light);
    auto darkImage = gfx::Image::fromFile(dark);
    auto pageImage = gfx::Image::fromFile(page);
    ASSERT_TRUE(lightImage.ok() && darkImage.ok() && pageImage.ok());
    EXPECT_EQ(lightImage.value().pixelWidth(), 780);
    EXPECT_EQ(lightImage.value().pixelHeight(), 1688);
    EXPECT_EQ(darkImage.value().pixelWidth(), 320);
    EXPECT_EQ(darkImage.value().pixelHeight(), 568);
    EXPECT_GT(distinctColours(lightImage.value()), 4);  // text and table, not a blank frame
    EXPECT_GT(distinctColours(pageImage.value()), 4);
    // The corner below the status area is the background: white in light, black in dark.
    EXPECT_GT(lightImage.value().colorAt(4, 200).red(), 0.9);
    EXPECT_LT(darkImage.value().colorAt(4, 100).red(), 0.1);
}

TEST(GalleryProgram, UsageErrorsExitWithStatusTwo) {
    testsupport::TemporaryDirectory directory;
    auto file = (directory.path() / "never.png").string();
    const std::vector<std::vector<std::string>> mistakes = {
        {"--gallery", "--bundle", "ExampleTweak", "--screenshot", file},
        {"--gallery", "--loud"},
        {"--gallery", "extra"},
        {"--gallery", "--size", "0x10", "--screenshot", file},
        {"--gallery", "--size", "390", "--screenshot", file},
        {"--gallery", "--scale", "abc", "--screenshot", file},
        {"--gallery", "--scale", "nan", "--screenshot", file},
        {"--gallery", "--after-ms", "10"},
        {"--gallery", "--after-ms", "-1", "--screenshot", file},
        {"--gallery", "--page", "Nowhere", "--screenshot", file},
        {"--gallery", "--dark=yes", "--screenshot", file},
        {"--gallery", "--screenshot"},
    };
    for (const auto& arguments : mistakes) {
        Outcome run = preview(arguments);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments);
        EXPECT_NE(run.errors.find("usage: vellium-preview"), std::string::npos) << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(file));

    Outcome help = preview({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: vellium-preview"), std::string::npos) << help.output;
}

}  // namespace
