#include <gtest/gtest.h>

#include "Backdrop.h"
#include "host/HeadlessHost.h"
#include "support/GoldenImage.h"
#include "ui/Window.h"
#include "uikit/VLBlurView.h"
#include "uikit/VLDynamicBlurView.h"

namespace {

struct BlurScene {
    std::shared_ptr<ui::Window> window = ui::Window::create({120, 80}, 1);
    BlurScene() { window->addSubview(makeCheckerBackdrop({120, 80})); }

    gfx::Image renderWith(const std::shared_ptr<ui::View>& blur) {
        window->addSubview(blur);
        gfx::Image image = host::HeadlessHost::render(*window, 1);
        blur->removeFromSuperview();
        return image;
    }
};

TEST(VLBlurView, StylesZeroToTwoDrawDistinctMaterialsAndOthersNothing) {
    BlurScene scene;
    gfx::Image backdrop = host::HeadlessHost::render(*scene.window, 1);
    gfx::Rect everywhere{0, 0, 120, 80};

    auto unknown = VLBlurView::create(everywhere, 3);
    EXPECT_FALSE(unknown->blurEffectView()->effect().has_value());
    EXPECT_EQ(GoldenImage::mismatchShare(scene.renderWith(unknown), backdrop), 0);

    gfx::Image light = scene.renderWith(VLBlurView::create(everywhere, 0));
    gfx::Image dark = scene.renderWith(VLBlurView::create(everywhere, 1));
    gfx::Image material = scene.renderWith(VLBlurView::create(everywhere, 2));
    for (const gfx::Image* blurred : {&light, &dark, &material}) {
        EXPECT_GT(GoldenImage::mismatchShare(*blurred, backdrop), 0.9);
    }
    EXPECT_GT(GoldenImage::mismatchShare(light, dark), 0.9);
    EXPECT_GT(GoldenImage::mismatchShare(light, material), 0.5);
    EXPECT_GT(GoldenImage::mismatchShare(dark, material), 0.9);
    EXPECT_GT(light.colorAt(60, 40).red() + light.colorAt(60, 40).blue(),
              dark.colorAt(60, 40).red() + dark.colorAt(60, 40).blue());
}

TEST(VLDynamicBlurView, FlipsWithTheAppearanceWithoutRecreatingTheEffectView) {
    BlurScene scene;
    scene.window->setTraitCollection(gfx::TraitCollection::dark());
    auto blur = VLDynamicBlurView::create({10, 10, 100, 60});
    scene.window->addSubview(blur);
    auto effectView = blur->blurEffectView();
    EXPECT_EQ(blur->subviews().front(), effectView);
    EXPECT_EQ(effectView->effect()->style(), ui::BlurEffectStyle::Dark);
    gfx::Image dark = host::HeadlessHost::render(*scene.window, 1);

    scene.window->setTraitCollection(gfx::TraitCollection::light());
    EXPECT_EQ(blur->blurEffectView(), effectView);
    EXPECT_EQ(effectView->effect()->style(), ui::BlurEffectStyle::Light);
    gfx::Image light = host::HeadlessHost::render(*scene.window, 1);

    // The effect view covers the blur view: its whole rectangle changed, nothing outside it.
    EXPECT_EQ(effectView->convertRect(effectView->bounds(), nullptr), (gfx::Rect{10, 10, 100, 60}));
    EXPECT_GT(light.colorAt(60, 40).green(), dark.colorAt(60, 40).green() + 0.3);
    EXPECT_EQ(light.pixelAt(5, 5), dark.pixelAt(5, 5));
}

}  // namespace
