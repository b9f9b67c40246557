#include "prefslist/cells/VLColourWheelImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <vector>

namespace {

constexpr double kDiameterInPoints = 35;

struct Rgb {
    double red, green, blue;
};

// Hue in [0, 1), full brightness.
Rgb colourOfHue(double hue, double saturation) {
    double sector = hue * 6;
    double fraction = sector - std::floor(sector);
    double p = 1 - saturation, q = 1 - saturation * fraction, t = 1 - saturation * (1 - fraction);
    switch (static_cast<int>(sector) % 6) {
        case 0:
            return {1, t, p};
        case 1:
            return {q, 1, p};
        case 2:
            return {p, 1, t};
        case 3:
            return {p, q, 1};
        case 4:
            return {t, p, 1};
        default:
            return {1, p, q};
    }
}

std::uint32_t premultipliedWord(Rgb colour, double alpha) {
    auto channel = [alpha](double value) {
        return static_cast<std::uint32_t>(std::lround(value * alpha * 255));
    };
    return channel(1) << 24 | channel(colour.red) << 16 | channel(colour.green) << 8 | channel(colour.blue);
}

gfx::Image drawWheel(double scale) {
    int size = std::max(1, static_cast<int>(std::lround(kDiameterInPoints * scale)));
    double radius = size / 2.0;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - radius, dy = y + 0.5 - radius;
            double distance = std::hypot(dx, dy);
            // One pixel of soft edge keeps the rim smooth.
            double coverage = std::clamp(radius - distance + 0.5, 0.0, 1.0);
            if (coverage <= 0) continue;
            double hue = std::atan2(-dy, dx) / (2 * std::numbers::pi);
            if (hue < 0) hue += 1;
            Rgb colour = colourOfHue(hue, std::min(1.0, distance / radius));
            pixels[static_cast<std::size_t>(y) * size + x] = premultipliedWord(colour, coverage);
        }
    }
    return gfx::Image(size, size, std::move(pixels), scale);
}

}  // namespace

gfx::Image VLColourWheelImage(double scale) {
    if (!(scale > 0) || scale > 16) scale = 4.0;
    // Main thread only, like every view: the cache needs no lock.
    static std::map<double, gfx::Image> wheels;
    auto found = wheels.find(scale);
    if (found == wheels.end()) found = wheels.emplace(scale, drawWheel(scale)).first;
    return found->second;
}
