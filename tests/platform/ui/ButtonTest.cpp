#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/HeadlessHost.h"
#include "ui/Button.h"

namespace {

using ui::Button;

TEST(Button, TitlesImagesAndColoursFallBackToTheNormalState) {
    auto button = Button::create();
    button->setTitle("Save");
    button->setTitle("Saving", ui::ControlStateHighlighted);
    button->setTitleColor(gfx::Color(1, 0, 0));
    EXPECT_EQ(button->currentTitle(), "Save");
    button->setHighlighted(true);
    EXPECT_EQ(button->currentTitle(), "Saving");
    EXPECT_EQ(button->title(ui::ControlStateDisabled), "Save");
    EXPECT_EQ(button->titleColor(ui::ControlStateSelected), gfx::Color(1, 0, 0));

    button->setSymbolImage("checkmark");
    EXPECT_TRUE(button->currentImage().isTemplate());
    EXPECT_EQ(button->imageName(ui::ControlStateHighlighted), "checkmark");
    button->setImage({});
    EXPECT_TRUE(button->currentImage().isNull());
}

TEST(Button, IntrinsicSizeFollowsTheContentAndInsets) {
    auto button = Button::create();
    button->setTitle("OK");
    gfx::Size shortTitle = button->intrinsicContentSize();
    EXPECT_GT(shortTitle.width, 0);
    EXPECT_GT(shortTitle.height, 0);

    button->setTitle("A much longer title");
    gfx::Size longTitle = button->intrinsicContentSize();
    EXPECT_GT(longTitle.width, shortTitle.width);
    EXPECT_EQ(longTitle.height, shortTitle.height);

    button->setContentEdgeInsets({4, 10, 6, 12});
    EXPECT_EQ(button->intrinsicContentSize(), (gfx::Size{longTitle.width + 22, longTitle.height + 10}));

    button->setImage(gfx::Image(30, 80, std::vector<std::uint32_t>(30 * 80), 2.0));  // 15 x 40 points
    EXPECT_EQ(button->intrinsicContentSize(), (gfx::Size{longTitle.width + 22 + 15, 40 + 10}));
}

TEST(Button, DrawsItsTitleCentred) {
    auto button = Button::create();
    button->setFrame({{0, 0}, {200, 60}});
    button->setBackgroundColor(gfx::Color::white(1));
    button->setTitle("Tap here");
    button->setTitleColor(gfx::Color(0, 0, 0));

    gfx::Image image = host::HeadlessHost::render(*button, 1.0);
    ASSERT_EQ(image.pixelWidth(), 200);
    int left = image.pixelWidth(), right = -1, top = image.pixelHeight(), bottom = -1;
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) {
            if (image.pixelAt(x, y).red > 100) continue;  // background
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "no title drawn";
    double textWidth = button->intrinsicContentSize().width;
    EXPECT_GT(right - left, textWidth / 2);
    EXPECT_NEAR((left + right) / 2.0, 100, 4);
    EXPECT_NEAR((top + bottom) / 2.0, 30, 6);
}

}  // namespace
