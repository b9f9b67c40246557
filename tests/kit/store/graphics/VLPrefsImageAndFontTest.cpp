// Images (inside the file and as image files) and fonts through the store.
#include <gmock/gmock.h>

#include <fstream>

#include "../PrefsTestRoot.h"
#include "base/Files.h"
#include "gfx/SymbolImage.h"
#include "store/VLPrefsManager.h"

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr const char* kID = "com.example.images";

// A small opaque image of one colour.
gfx::Image solidImage(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    std::uint32_t pixel = 0xFF000000u | (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | blue;
    return gfx::Image(width, height, std::vector<std::uint32_t>(std::size_t(width) * height, pixel));
}

class VLPrefsImageAndFontTest : public PrefsTestRoot {
protected:
    std::filesystem::path thumbnail(const std::string& key) const {
        return thumbnailDirectory() / (std::string(kID) + "_" + key + ".png");
    }
    VLPrefsManager prefs_;
};

TEST_F(VLPrefsImageAndFontTest, ImagesAreStoredAsJpegDataAndReadBack) {
    prefs_.setImage(solidImage(8, 6, 250, 10, 10), "cover", kID);
    base::Value file = fileContent(kID);
    const base::Data* stored = file["cover"].asData();
    ASSERT_TRUE(stored);
    ASSERT_GT(stored->size(), 3u);
    EXPECT_EQ((*stored)[0], 0xFF);  // JPEG start-of-image marker
    EXPECT_EQ((*stored)[1], 0xD8);
    gfx::Image image = prefs_.imageForKey("cover", "paintpalette.fill", kID);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelWidth(), 8);
    EXPECT_TRUE(
        image.colorAt(4, 3).isApproximately(gfx::Color(250 / 255.0, 10 / 255.0, 10 / 255.0, 1), 0.06));
}

TEST_F(VLPrefsImageAndFontTest, MissingImagesGiveTheSymbolAndBadDataGivesNoImage) {
    gfx::Image symbol = prefs_.imageForKey("cover", "paintpalette.fill", kID);
    EXPECT_FALSE(symbol.isNull());
    EXPECT_TRUE(symbol.isTemplate());
    EXPECT_TRUE(prefs_.imageForKey("cover", "no.such.symbol", kID).isNull());
    prefs_.setObject(base::Data{1, 2, 3}, "cover", kID);
    EXPECT_TRUE(prefs_.imageForKey("cover", "paintpalette.fill", kID).isNull());
    prefs_.setImage(gfx::Image(), "cover", kID);  // nothing to store: the old entry stays
    EXPECT_EQ(fileContent(kID)["cover"], base::Value(base::Data{1, 2, 3}));
}

TEST_F(VLPrefsImageAndFontTest, TwoThumbnailWritesLeaveOneFileWithTheSecondImageAndNoDeadWritersFile) {
    EXPECT_FALSE(prefs_.thumbnailImageForKey("icon", "paintpalette.fill", kID).isNull());  // the symbol
    // What a killed writer left (its process is gone) goes; a live writer's file (pid 1) stays.
    const std::string temporary = std::string(".") + kID + "_icon.png.";
    const pid_t dead = testsupport::forkChild([] { return 0; });
    testsupport::waitForExit(dead);
    std::ofstream(thumbnailDirectory() / (temporary + std::to_string(dead) + ".0.7.tmp")) << "part";
    std::ofstream(thumbnailDirectory() / (temporary + "1.0.7.tmp")) << "part";
    prefs_.setThumbnailImage(solidImage(40, 30, 255, 0, 0), "icon", kID);
    prefs_.setThumbnailImage(solidImage(20, 10, 0, 0, 255), "icon", kID);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(thumbnailDirectory()))
        files.push_back(entry.path().filename());
    EXPECT_THAT(files,
                ::testing::UnorderedElementsAre(std::string(kID) + "_icon.png", temporary + "1.0.7.tmp"));
    gfx::Image image = prefs_.thumbnailImageForKey("icon", "paintpalette.fill", kID);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelWidth(), 20);  // full size, not scaled
    EXPECT_EQ(image.pixelHeight(), 10);
    EXPECT_EQ(image.colorAt(5, 5), gfx::Color(0, 0, 1, 1));
    EXPECT_THAT(directoryEntries(), IsEmpty()) << "image files never touch the preference file";
}

TEST_F(VLPrefsImageAndFontTest, ThumbnailNamesThatLeaveTheDirectoryAreRefused) {
    gfx::Image image = solidImage(2, 2, 1, 2, 3);
    prefs_.setThumbnailImage(image, "../../escape", kID);
    prefs_.setThumbnailImage(image, "a/b", kID);
    prefs_.setThumbnailImage(image, "", kID);
    prefs_.setThumbnailImage(image, "icon", "../x");
    prefs_.setThumbnailImage(image, "icon", std::nullopt);
    EXPECT_THAT(logLines_, SizeIs(5));
    EXPECT_TRUE(std::filesystem::is_empty(thumbnailDirectory()));
    EXPECT_FALSE(std::filesystem::exists(root_ / "var/QZN/escape.png"));
    std::ofstream(root_ / "var/QZN/Vellium/secret.png") << "x";
    EXPECT_FALSE(prefs_.thumbnailImageForKey("../secret", "paintpalette.fill", "x").isNull()) << "the symbol";
}

TEST_F(VLPrefsImageAndFontTest, UndecodableThumbnailIsNoImage) {
    std::ofstream(thumbnail("icon")) << "not a png";
    EXPECT_TRUE(prefs_.thumbnailImageForKey("icon", "paintpalette.fill", kID).isNull());
}

TEST_F(VLPrefsImageAndFontTest, FontsRoundTripThroughTheirArchiveAtTheAskedSize) {
    gfx::FontDescriptor bold(gfx::Font::kSystemFamily, {}, gfx::FontWeight::Bold);
    prefs_.setObject(bold, "font", kID);
    EXPECT_EQ(fileContent(kID)["font"].type(), base::Value::Type::Data);
    gfx::Font font = prefs_.fontForKey("font", 21, kID);
    EXPECT_EQ(font.family(), gfx::Font::kSystemFamily);
    EXPECT_EQ(font.weight(), gfx::FontWeight::Bold);
    EXPECT_EQ(font.pointSize(), 21.0);
}

TEST_F(VLPrefsImageAndFontTest, AnythingButADescriptorArchiveGivesTheSystemFont) {
    EXPECT_EQ(prefs_.fontForKey("font", 15, kID), gfx::Font::system(15));
    for (const base::Value& stored :
         {base::Value("Helvetica"), base::Value(base::Data{'b', 'p', 'l', 'i', 's', 't'})}) {
        prefs_.setObject(stored, "font", kID);
        EXPECT_EQ(prefs_.fontForKey("font", 15, kID), gfx::Font::system(15)) << stored;
    }
    prefs_.setObject(gfx::FontDescriptor("No Such Family"), "font", kID);
    EXPECT_EQ(prefs_.fontForKey("font", 12, kID), gfx::Font::system(12));
}

}  // namespace
