#include <gtest/gtest.h>

#include "ui/LayerSnapshot.h"
#include "ui/View.h"

namespace {

// A 10-point green circle placed away from the origin, clipping a red band that overflows it.
struct ClippedCircle {
    ClippedCircle() {
        circle->setFrame({30, 40, 10, 10});
        circle->setBackgroundColor(gfx::Color(0, 1, 0, 1));
        circle->layer().setCornerRadius(5);
        circle->setClipsToBounds(true);
        overflow->setFrame({-5, -5, 20, 10});
        overflow->setBackgroundColor(gfx::Color(1, 0, 0, 1));
        circle->addSubview(overflow);
    }
    std::shared_ptr<ui::View> circle = ui::View::create();
    std::shared_ptr<ui::View> overflow = ui::View::create();
};

TEST(LayerSnapshot, RendersTheLayerAtItsOwnOriginWithItsClippingAndNoWindow) {
    ClippedCircle tree;
    struct Case {
        double scale;
        int side;
    };
    for (const Case& c : {Case{3, 30}, Case{0, 20}}) {
        gfx::Image image = ui::LayerSnapshot::render(*tree.circle, c.scale);
        ASSERT_EQ(image.pixelWidth(), c.side) << "scale " << c.scale;
        ASSERT_EQ(image.pixelHeight(), c.side);
        const int middle = c.side / 2;
        EXPECT_EQ(image.pixelAt(0, 0).alpha, 0) << "outside the circle nothing is drawn";
        EXPECT_EQ(image.colorAt(middle, middle / 2), gfx::Color(1, 0, 0, 1)) << "the child, clipped";
        EXPECT_EQ(image.colorAt(middle, c.side - 2), gfx::Color(0, 1, 0, 1)) << "the background";
    }
    tree.circle->setFrame({0, 0, 0, 10});
    EXPECT_TRUE(ui::LayerSnapshot::render(*tree.circle, 2).isNull());
}

}  // namespace
