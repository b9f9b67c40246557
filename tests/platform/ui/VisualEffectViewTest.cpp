#include <gtest/gtest.h>

#include "host/HeadlessHost.h"
#include "ui/VisualEffectView.h"
#include "ui/Window.h"

namespace {

using ui::BlurEffect;
using ui::BlurEffectStyle;

// Red and blue halves behind a 60 x 40 effect view spanning both.
struct Scene {
    std::shared_ptr<ui::Window> window = ui::Window::create({80, 40}, 1);
    std::shared_ptr<ui::VisualEffectView> effect = ui::VisualEffectView::create();
    Scene() {
        for (int half = 0; half < 2; ++half) {
            auto side = ui::View::create();
            side->setFrame({half * 40.0, 0, 40, 40});
            side->setBackgroundColor(half == 0 ? gfx::Color(1, 0, 0) : gfx::Color(0, 0, 1));
            window->addSubview(side);
        }
        effect->setFrame({10, 0, 60, 40});
        window->addSubview(effect);
    }
    gfx::Color centreWith(std::optional<BlurEffect> blur) {
        effect->setEffect(blur);
        return host::HeadlessHost::render(*window, 1).colorAt(40, 20);
    }
};

// The dark material dims what lies behind; the system material follows the appearance.
TEST(VisualEffectView, MaterialsBlurWhatLiesBehind) {
    Scene scene;
    gfx::Color dark = scene.centreWith(BlurEffect::effectWithStyle(BlurEffectStyle::Dark));
    EXPECT_GT(dark.red(), 0.1);  // red and blue mix across the seam
    EXPECT_GT(dark.blue(), 0.1);
    EXPECT_LT(dark.red() + dark.green() + dark.blue(), 0.7);

    gfx::Color materialLight = scene.centreWith(BlurEffect::effectWithStyle(BlurEffectStyle::SystemMaterial));
    scene.window->setTraitCollection(gfx::TraitCollection::dark());
    gfx::Color materialDark = scene.centreWith(BlurEffect::effectWithStyle(BlurEffectStyle::SystemMaterial));
    EXPECT_GT(materialLight.green(), 0.7);
    EXPECT_LT(materialDark.green(), 0.3);
}

// A fading blur (a header that blurs in as content scrolls under it) still blurs the backdrop,
// and shows it through at the view's alpha.
TEST(VisualEffectView, TranslucentBlurMixesWithTheBackdrop) {
    Scene scene;
    gfx::Color opaque = scene.centreWith(BlurEffect::effectWithStyle(BlurEffectStyle::Dark));
    scene.effect->setAlpha(0.5);
    gfx::Image image = host::HeadlessHost::render(*scene.window, 1);
    gfx::Color faded = image.colorAt(40, 20);
    EXPECT_NEAR(faded.red(), (opaque.red() + 0) / 2, 0.03);  // the backdrop is blue at x = 40
    EXPECT_NEAR(faded.blue(), (opaque.blue() + 1) / 2, 0.03);
}

}  // namespace
