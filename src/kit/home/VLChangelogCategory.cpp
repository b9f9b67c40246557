#include "home/VLChangelogCategory.h"

std::optional<VLChangelogCategory> VLChangelogCategory::forCode(std::int32_t code) {
    switch (code) {
        case 0:
            return VLChangelogCategory{"Initial Release", gfx::Color::systemYellow(), "shippingbox.fill"};
        case 1:
            return VLChangelogCategory{"Bug Fixes", gfx::Color::systemRed(), "ant.fill"};
        case 2:
            return VLChangelogCategory{"Improvements", gfx::Color::systemTeal(), "wand.and.stars"};
        case 3:
            return VLChangelogCategory{"New Features", gfx::Color::systemGreen(), "hands.sparkles.fill"};
        case 4:
            return VLChangelogCategory{"Transition", gfx::Color::systemOrange(), "shippingbox.fill"};
        default:
            return std::nullopt;
    }
}
