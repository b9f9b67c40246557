#include <gtest/gtest.h>

#include <string>

#include "Backdrop.h"
#include "host/HeadlessHost.h"
#include "support/GoldenImage.h"
#include "ui/Window.h"
#include "uikit/VLDynamicBlurView.h"
#include "uikit/VLHeaderView.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

using gfx::UserInterfaceStyle;

const char* appearanceName(UserInterfaceStyle style) {
    return style == UserInterfaceStyle::Dark ? "dark" : "light";
}

::testing::AssertionResult matchesGolden(const gfx::Image& image, const std::string& name) {
    return GoldenImage::matches(image, std::filesystem::path(VK_GOLDEN_DIR) / (name + ".png"),
                                VK_GOLDEN_ACTUAL_DIR);
}

class HeaderAndBlurGolden : public ::testing::TestWithParam<UserInterfaceStyle> {};

// A two-button sheet header over a checkerboard, at scale 2.
TEST_P(HeaderAndBlurGolden, Header) {
    auto window = ui::Window::create({390, 65}, 2);
    window->setTraitCollection({GetParam()});
    window->addSubview(makeCheckerBackdrop({390, 65}));
    auto header = VLHeaderView::create("Applications", VLPrefsAppearance::velliumAccentColour(), "xmark",
                                       "dismiss", "checkmark", "apply");
    window->addSubview(header);
    extension::fill(*header);
    EXPECT_TRUE(matchesGolden(host::HeadlessHost::render(*window, 2),
                              std::string("header-") + appearanceName(GetParam())));
}

// A dynamic blur inset over a checkerboard, at scale 1: sharp squares around, frosted inside.
TEST_P(HeaderAndBlurGolden, DynamicBlur) {
    auto window = ui::Window::create({200, 120}, 1);
    window->setTraitCollection({GetParam()});
    window->addSubview(makeCheckerBackdrop({200, 120}));
    window->addSubview(VLDynamicBlurView::create({30, 20, 140, 80}));
    EXPECT_TRUE(matchesGolden(host::HeadlessHost::render(*window, 1),
                              std::string("blur-") + appearanceName(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Appearances, HeaderAndBlurGolden,
                         ::testing::Values(UserInterfaceStyle::Light, UserInterfaceStyle::Dark),
                         [](const auto& info) { return std::string(appearanceName(info.param)); });

}  // namespace
