#include <gtest/gtest.h>

#include "DesktopEntryFixture.h"
#include "sys/ApplicationIcons.h"

namespace {

using sys::ApplicationIcons;

std::string svgSquare(const char* colour) {
    return std::string(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" viewBox=\"0 0 16 "
               "16\">") +
           "<rect width=\"16\" height=\"16\" fill=\"" + colour + "\"/></svg>";
}

std::string pngOfSize(int pixels, std::uint32_t word) {
    const auto png =
        gfx::Image(pixels, pixels, std::vector<std::uint32_t>(pixels * pixels, word)).encodePng();
    return std::string(png.value().begin(), png.value().end());
}

// An icon theme with a 48-pixel and a 128-pixel bitmap directory and a scalable one.
class ApplicationIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto& d = desktopEntryFixture();
        d.write("icons/hicolor/index.theme",
                "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps,128x128/apps,scalable/apps\n\n"
                "[48x48/apps]\nSize=48\nType=Threshold\n\n[128x128/apps]\nSize=128\nType=Fixed\n\n"
                "[scalable/apps]\nSize=128\nMinSize=8\nMaxSize=512\nType=Scalable\n");
        d.write("icons/hicolor/48x48/apps/example-bitmap.png", pngOfSize(48, 0xFF0000FFu));
        d.write("icons/hicolor/128x128/apps/example-bitmap.png", pngOfSize(128, 0xFFFF0000u));
        d.write("icons/hicolor/scalable/apps/example-vector.svg", svgSquare("#00ff00"));
        d.write("icons/own.svg", svgSquare("#ffffff"));
        ApplicationIcons::setSearchDirectories({d.path() / "icons"});
    }
    void TearDown() override { ApplicationIcons::setSearchDirectories({}); }
};

TEST_F(ApplicationIconsTest, SvgIconsAreDrawnAtTheIconSize) {
    const auto icon = ApplicationIcons::iconFor("org.example.Vector", 2, 2.0);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon.pixelWidth(), 120);
    EXPECT_EQ(icon.scale(), 2.0);
    EXPECT_EQ(icon.pixelAt(60, 60), (gfx::PremultipliedPixel{0, 255, 0, 255}));

    const auto own = ApplicationIcons::iconFor("org.example.OwnFile", 2, 1.0);
    ASSERT_TRUE(own);
    EXPECT_EQ(own.pixelWidth(), 60);
    EXPECT_EQ(own.pixelAt(0, 0), (gfx::PremultipliedPixel{255, 255, 255, 255}));
}

TEST_F(ApplicationIconsTest, BitmapsComeFromTheBestFittingSize) {
    // 60 pixels fit neither directory exactly (48 ± 2 or 128): the nearer one wins. At
    // scale 2 (120 pixels) that is the 128-pixel one.
    const auto small = ApplicationIcons::iconFor("org.example.Bitmap", 2, 1.0);
    ASSERT_TRUE(small);
    EXPECT_EQ(small.pixelWidth(), 48);
    EXPECT_DOUBLE_EQ(small.size().width, 60);

    const auto large = ApplicationIcons::iconFor("org.example.Bitmap", 2, 2.0);
    ASSERT_TRUE(large);
    EXPECT_EQ(large.pixelWidth(), 128);
    EXPECT_EQ(large.pixelAt(0, 0), (gfx::PremultipliedPixel{255, 0, 0, 255}));
    EXPECT_DOUBLE_EQ(large.size().width, 60);
}

TEST_F(ApplicationIconsTest, MissingIconsGiveNoImage) {
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.Iconless", 2, 2.0));
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.Alpha", 2, 2.0));  // no Icon key
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.NotInstalled", 2, 2.0));
    EXPECT_FALSE(ApplicationIcons::iconFor("../escape", 2, 2.0));
}

}  // namespace
