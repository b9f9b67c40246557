#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/Image.h"
#include "gfx/ImageContext.h"
#include "support/PixelCounts.h"
#include "support/TemporaryDirectory.h"

namespace {

using gfx::Color;
using gfx::Image;
using testsupport::largestDifference;

// A 40 x 30 image with an opaque gradient on the left half and translucent red on the right.
Image testImage() {
    std::vector<std::uint32_t> pixels(40 * 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            std::uint32_t word;
            if (x < 20) {
                word = 0xff000000u | (std::uint32_t(x * 12) << 16) | (std::uint32_t(y * 8) << 8) | 0x40;
            } else {
                word = 0x80800000u;  // red at alpha 0.5, premultiplied
            }
            pixels[std::size_t(y) * 40 + x] = word;
        }
    }
    return Image(40, 30, std::move(pixels), 2.0);
}

TEST(Image, SizeIsInPointsAtItsScale) {
    Image image = testImage();
    EXPECT_EQ(image.size().width, 20);
    EXPECT_EQ(image.size().height, 15);
    EXPECT_EQ(image.withScale(1).size().width, 40);
    EXPECT_TRUE(Image().isNull());
    EXPECT_TRUE(Image(3, 3, std::vector<std::uint32_t>(4)).isNull());  // wrong pixel count
    EXPECT_EQ(image.pixelAt(25, 5), (gfx::PremultipliedPixel{0x80, 0, 0, 0x80}));
    EXPECT_TRUE(image.colorAt(25, 5).isApproximately({1, 0, 0, 0x80 / 255.0}, 1e-9));
}

TEST(Image, PngRoundTripKeepsEveryPixelIncludingAlpha) {
    Image image = testImage();
    auto png = image.encodePng();
    ASSERT_TRUE(png.ok());
    auto decoded = Image::decode(png.value(), 2.0);
    ASSERT_TRUE(decoded.ok()) << decoded.error().description;
    ASSERT_EQ(decoded.value().pixelWidth(), 40);
    ASSERT_EQ(decoded.value().pixelHeight(), 30);
    EXPECT_EQ(largestDifference(decoded.value(), image), 0);
}

TEST(Image, JpegRoundTripStaysWithinTolerance) {
    std::vector<std::uint32_t> pixels(64 * 48);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            pixels[std::size_t(y) * 64 + x] =
                0xff000000u | (std::uint32_t(x * 4) << 16) | (std::uint32_t(y * 5) << 8) | 0x80;
        }
    }
    Image image(64, 48, std::move(pixels));
    auto jpeg = image.encodeJpeg(0.7);
    ASSERT_TRUE(jpeg.ok());
    EXPECT_LT(jpeg.value().size(), 64u * 48 * 3);
    auto decoded = Image::decode(jpeg.value());
    ASSERT_TRUE(decoded.ok());
    ASSERT_EQ(decoded.value().pixelWidth(), 64);
    EXPECT_LE(largestDifference(decoded.value(), image), 12);
    EXPECT_EQ(testsupport::countPixels(decoded.value(), [](auto p) { return p.alpha != 255; }), 0);
    // Lower quality gives smaller data.
    EXPECT_LT(image.encodeJpeg(0.1).value().size(), image.encodeJpeg(1.0).value().size());
}

TEST(Image, BadDataIsAnErrorNotACrash) {
    EXPECT_FALSE(Image::decode(std::vector<std::uint8_t>{}).ok());
    EXPECT_FALSE(Image::decode(std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a'}).ok());
    auto png = testImage().encodePng().value();
    std::vector<std::uint8_t> truncated(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2));
    EXPECT_FALSE(Image::decode(truncated).ok());
    std::vector<std::uint8_t> jpegHeaderOnly{0xff, 0xd8, 0xff, 0xe0, 0, 0x10};
    EXPECT_FALSE(Image::decode(jpegHeaderOnly).ok());
    EXPECT_FALSE(Image::fromFile("/nonexistent/picture.png").ok());
    EXPECT_FALSE(Image().encodePng().ok());
}

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t length) {
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// A PNG whose header claims another size, with a correct checksum: the pixel data no longer
// matches, but a decoder that trusted the header would allocate for the claim first.
std::vector<std::uint8_t> pngClaiming(std::uint32_t width, std::uint32_t height) {
    auto png = testImage().encodePng().value();
    // Signature (8), chunk length (4), "IHDR" (4), then width and height, big-endian.
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = std::uint8_t(width >> (24 - 8 * i));
        png[20 + i] = std::uint8_t(height >> (24 - 8 * i));
    }
    std::uint32_t crc = crc32(&png[12], 17);
    for (int i = 0; i < 4; ++i) png[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    return png;
}

TEST(Image, OversizedHeadersAreRefusedBeforeDecoding) {
    for (auto [width, height] :
         {std::pair<std::uint32_t, std::uint32_t>{20000, 10}, {10, 20000}, {10000, 10000}}) {
        auto result = Image::decode(pngClaiming(width, height));
        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.error().description.find("dimensions"), std::string::npos) << width << "x" << height;
    }
    // The same patching to the true size still decodes: the check above is not a checksum failure.
    EXPECT_TRUE(Image::decode(pngClaiming(40, 30)).ok());
}

// A file bigger than any decodable image is refused by its size, before a byte is read: a
// sparse file starting with a valid PNG shows that the size alone decides.
TEST(Image, FilesLargerThanAnyImageAreNotRead) {
    auto path = std::filesystem::temp_directory_path() / ("vk-huge-" + std::to_string(::getpid()) + ".png");
    auto png = testImage().encodePng().value();
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    }
    EXPECT_TRUE(Image::fromFile(path).ok());
    std::filesystem::resize_file(path, Image::kMaximumFileBytes + 1);
    auto result = Image::fromFile(path);
    std::filesystem::remove(path);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().description.find("too large"), std::string::npos);
}

// A device would be read until memory runs out, a FIFO would wait for a writer.
TEST(Image, FilesThatAreNotRegularAreNotRead) {
    testsupport::TemporaryDirectory directory;
    const auto fifo = directory.path() / "fifo.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {std::filesystem::path("/dev/zero"), fifo, directory.path()})
        EXPECT_EQ(Image::fromFile(path).error().code, Image::kUnreadable) << path;
}

TEST(ImageContext, DrawsAtItsScaleAndReturnsAnImage) {
    gfx::ImageContext context({10, 5}, 3.0);
    context.painter().fillRect({0, 0, 5, 5}, Color::blackColor());
    Image image = context.image();
    EXPECT_EQ(image.pixelWidth(), 30);
    EXPECT_EQ(image.pixelHeight(), 15);
    EXPECT_EQ(image.scale(), 3.0);
    EXPECT_EQ(image.pixelAt(14, 7).alpha, 255);
    EXPECT_EQ(image.pixelAt(15, 7).alpha, 0);
}

}  // namespace
