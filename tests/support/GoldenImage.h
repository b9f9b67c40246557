#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "base/AtomicFile.h"
#include "base/Files.h"
#include "gfx/Image.h"

// Compares a rendered image with a reference PNG kept in the source tree.
//
// Renders differ slightly between machines (font hinting, rounding in the blur), so images
// match when at least 99.5 % of their pixels have every channel within 8/255 of the
// reference. On a mismatch the actual image is written to `actualDir` for inspection. With
// VK_UPDATE_GOLDENS=1 in the environment the reference is rewritten instead of compared
// (scripts/update-goldens does that).
class GoldenImage {
public:
    static constexpr int kChannelTolerance = 8;
    static constexpr double kRequiredMatchShare = 0.995;

    // The share of pixels (0..1) that differ by more than the tolerance in any channel; 1 when
    // the sizes differ.
    static double mismatchShare(const gfx::Image& actual, const gfx::Image& expected) {
        if (actual.pixelWidth() != expected.pixelWidth() || actual.pixelHeight() != expected.pixelHeight() ||
            actual.pixelWidth() == 0 || actual.pixelHeight() == 0) {
            return 1;
        }
        long long mismatches = 0;
        for (int y = 0; y < actual.pixelHeight(); ++y) {
            for (int x = 0; x < actual.pixelWidth(); ++x) {
                if (!pixelsMatch(actual.pixelAt(x, y), expected.pixelAt(x, y))) ++mismatches;
            }
        }
        return double(mismatches) / (double(actual.pixelWidth()) * actual.pixelHeight());
    }

    static ::testing::AssertionResult matches(const gfx::Image& actual, const std::filesystem::path& golden,
                                              const std::filesystem::path& actualDir) {
        if (actual.isNull()) return ::testing::AssertionFailure() << "nothing was rendered";
        if (updating()) return write(actual, golden);
        auto expected = gfx::Image::fromFile(golden, actual.scale());
        if (!expected) {
            auto written = write(actual, actualDir / golden.filename());
            return ::testing::AssertionFailure()
                   << "cannot read " << golden << "; run scripts/update-goldens to create it"
                   << (written ? "" : " (and the actual image could not be written)");
        }
        double share = mismatchShare(actual, expected.value());
        if (share <= 1 - kRequiredMatchShare) return ::testing::AssertionSuccess();
        std::filesystem::path actualPath = actualDir / golden.filename();
        write(actual, actualPath);
        std::ostringstream message;
        message.precision(3);
        message << golden.filename() << ": " << share * 100 << " % of pixels differ by more than "
                << kChannelTolerance << "/255 (" << actual.pixelWidth() << "x" << actual.pixelHeight()
                << " against " << expected.value().pixelWidth() << "x" << expected.value().pixelHeight()
                << "); actual image written to " << actualPath;
        return ::testing::AssertionFailure() << message.str();
    }

private:
    static bool updating() {
        const char* value = std::getenv("VK_UPDATE_GOLDENS");
        return value && std::string(value) == "1";
    }

    static bool pixelsMatch(const gfx::PremultipliedPixel& a, const gfx::PremultipliedPixel& b) {
        auto near = [](int p, int q) { return std::abs(p - q) <= kChannelTolerance; };
        return near(a.red, b.red) && near(a.green, b.green) && near(a.blue, b.blue) && near(a.alpha, b.alpha);
    }

    static ::testing::AssertionResult write(const gfx::Image& image, const std::filesystem::path& path) {
        auto png = image.encodePng();
        if (!png) return ::testing::AssertionFailure() << "cannot encode " << path;
        if (!base::Files::createDirectories(path.parent_path()) ||
            !base::AtomicFile::write(path, png.value())) {
            return ::testing::AssertionFailure() << "cannot write " << path;
        }
        return ::testing::AssertionSuccess();
    }
};
