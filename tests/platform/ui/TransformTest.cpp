#include <gtest/gtest.h>

#include <cmath>

#include "gfx/Gradient.h"
#include "host/HeadlessHost.h"
#include "ui/Transform3D.h"
#include "ui/View.h"
#include "ui/Window.h"

namespace {

using ui::View;

// A cover 400 points tall pulled down by 100: moved up 100, scaled 1.5 about its centre.
TEST(TransformTest, StretchedCoverKeepsItsBottomEdgeAndGrowsUpwards) {
    auto window = ui::Window::create({390, 400}, 1.0);
    auto cover = View::create();
    cover->setFrame({0, 0, 390, 400});
    cover->setBackgroundColor(gfx::Color::blackColor());
    window->setBackgroundColor(gfx::Color::whiteColor());
    window->addSubview(cover);
    auto child = View::create();
    child->setFrame({0, 390, 10, 10});
    cover->addSubview(child);
    cover->layer().setTransform(ui::Transform3D::identity().translated(0, -100, 0).scaled(1.5, 1.5, 0));

    EXPECT_EQ(cover->convertPoint({195, 400}, nullptr), (gfx::Point{195, 400}));
    EXPECT_EQ(cover->convertPoint({0, 0}, nullptr), (gfx::Point{-97.5, -200}));
    EXPECT_EQ(cover->frame(), gfx::Rect(-97.5, -200, 585, 600));
    EXPECT_EQ(cover->layoutFrame(), gfx::Rect(0, 0, 390, 400));
    EXPECT_NEAR(cover->convertPointFrom({195, 100}, nullptr).y, 200, 1e-9);
    // The child's 10 points became 15: (0, 390) lands at (-97.5, 385), left of the window.
    EXPECT_EQ(window->hitTest({2, 397}), cover);
    window->setBounds({-100, 0, 390, 400});
    EXPECT_EQ(window->hitTest({-90, 390}), child);
    window->setBounds({0, 0, 390, 400});

    gfx::Image image = host::HeadlessHost::render(*window, 1.0);
    EXPECT_EQ(image.pixelAt(5, 395).red, 0) << "the bottom edge is still covered";
    cover->setTransform(gfx::AffineTransform::scale(0.5, 0.5));
    image = host::HeadlessHost::render(*window, 1.0);
    EXPECT_EQ(image.pixelAt(5, 5).red, 255) << "shrunk about its centre";
    EXPECT_EQ(image.pixelAt(195, 200).red, 0);
}

TEST(TransformTest, ViewSquashedToNothingIsNeverHitAndConvertsToFiniteValues) {
    auto window = ui::Window::create({100, 100});
    auto view = View::create();
    view->setFrame({0, 0, 100, 100});
    window->addSubview(view);
    view->setTransform(gfx::AffineTransform::scale(0, 0));
    EXPECT_EQ(window->hitTest({50, 50}), window);
    gfx::Point p = view->convertPointFrom({10, 10}, nullptr);
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST(TransformTest, MaskFadesTheViewByItsGradientAlpha) {
    auto view = View::create();
    view->setFrame({0, 0, 100, 10});
    view->setBackgroundColor(gfx::Color::blackColor());
    view->layer().setMask(
        gfx::LinearGradient{{0, 0}, {100, 0}, {{0, gfx::Color::clear()}, {1, gfx::Color::blackColor()}}});
    gfx::Image image = host::HeadlessHost::render(*view, 1.0);
    EXPECT_LT(image.pixelAt(0, 5).alpha, 5);
    EXPECT_NEAR(image.pixelAt(50, 5).alpha, 128, 4);
    EXPECT_GT(image.pixelAt(99, 5).alpha, 250);
}

}  // namespace
