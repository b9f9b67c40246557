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

// Every icon is 60 points wide. Vector icons are drawn at that size; bitmaps keep the pixels of
// the best-fitting directory: 60 pixels fit neither exactly (48 ± 2 or 128), so the nearer one
// wins, and at scale 2 (120 pixels) that is the 128-pixel one.
TEST_F(ApplicationIconsTest, IconsAreDrawnOrPickedForTheirSizeAndScale) {
    struct Case {
        const char* id;
        double scale;
        int pixels;
        gfx::PremultipliedPixel centre;
    };
    const Case cases[] = {{"org.example.Vector", 2.0, 120, {0, 255, 0, 255}},
                          {"org.example.OwnFile", 1.0, 60, {255, 255, 255, 255}},
                          {"org.example.Bitmap", 1.0, 48, {0, 0, 255, 255}},
                          {"org.example.Bitmap", 2.0, 128, {255, 0, 0, 255}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " at " + std::to_string(c.scale));
        const auto icon = ApplicationIcons::iconFor(c.id, 2, c.scale);
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon.pixelWidth(), c.pixels);
        EXPECT_DOUBLE_EQ(icon.size().width, 60);
        EXPECT_EQ(icon.pixelAt(c.pixels / 2, c.pixels / 2), c.centre);
    }
}

TEST_F(ApplicationIconsTest, MissingIconsGiveNoImage) {
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.Iconless", 2, 2.0));
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.Alpha", 2, 2.0));  // no Icon key
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.NotInstalled", 2, 2.0));
    EXPECT_FALSE(ApplicationIcons::iconFor("../escape", 2, 2.0));
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.DeviceIcon", 2, 2.0));  // not read
    EXPECT_FALSE(ApplicationIcons::iconFor("org.example.FifoIcon", 2, 2.0));
}

}  // namespace
