// A rounded clip is handed to Cairo only for drawing that reaches its corners, and rounded
// fills go through kept coverage masks; these tests check that what comes out is what plain
// clipping and filling give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "gfx/Font.h"
#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "support/PixelCounts.h"

namespace {

using gfx::Color;
using gfx::CornerStyle;
using gfx::Image;
using gfx::Painter;
using gfx::Rect;
using testsupport::largestDifference;

// `draw` under a rounded clip at (10.25, 5) points. Set under a mirroring transform, the same
// clip is one the painter cannot judge and hands to Cairo for every operation: the reference.
Image drawClipped(const std::function<void(Painter&)>& draw, double scale = 2, bool clipEverything = false) {
    Painter painter({80, 60}, scale);
    painter.save();
    if (clipEverything) {
        painter.translate(70.25, 5);
        painter.scaleBy(-1, 1);
        painter.clipToRoundedRect({0, 0, 60, 50}, CornerStyle::continuous(12));
        painter.scaleBy(-1, 1);
        painter.translate(-60, 0);
    } else {
        painter.translate(10.25, 5);  // the clip lands off the pixel grid too
        painter.clipToRoundedRect({0, 0, 60, 50}, CornerStyle::continuous(12));
    }
    draw(painter);
    painter.restore();
    return painter.makeImage();
}

// Small tiles, some well inside the clip, some across its corners and edges, must come out as
// they do when Cairo clips each of them: a tile wrongly judged clear of a corner would show.
TEST(PainterRoundedClip, DrawingComesOutAsIfEverythingWereClipped) {
    auto tiles = [](Painter& p) {
        for (double y = -5; y < 55; y += 2)
            for (double x = -5; x < 65; x += 2) p.fillRect({x, y, 2, 2}, Color(0.2, 0.4, 0.8));
    };
    for (double scale : {1.0, 2.0, 3.0}) {
        // Compositing through a fully covering mask may round one level differently; a tile
        // drawn unclipped into a corner would differ by its whole colour.
        EXPECT_LE(largestDifference(drawClipped(tiles, scale), drawClipped(tiles, scale, true)), 1)
            << "scale " << scale;
    }
}

Image drawUnclipped(const std::function<void(Painter&)>& draw) {
    Painter painter({80, 60}, 2);
    painter.translate(10.25, 5);
    draw(painter);
    return painter.makeImage();
}

// Every kind of drawing is clipped at a corner and left whole inside. The pixels compared
// are found in the unclipped drawing: opaque ones near the clip's top-left corner (where
// x + y < 2 points is outside the curve) and well inside it.
TEST(PainterRoundedClip, EveryOperationIsClippedAtTheCorners) {
    gfx::TextLayout text("IIII", gfx::Font::system(60));
    Image solid(4, 4, std::vector<std::uint32_t>(16, 0xff000000u));
    const std::function<void(Painter&)> operations[] = {
        [](Painter& p) {
            p.fillRoundedRect({-10, -10, 80, 70}, CornerStyle::circular(2), Color::blackColor());
        },
        [](Painter& p) {
            p.fillEllipse({-30, -30, 60, 60}, Color::blackColor());
        },
        [](Painter& p) {
            p.strokeRect({-20, -20, 100, 90}, Color::blackColor(), 40);
        },
        [&](Painter& p) {
            p.drawImage(solid, {-5, -5, 30, 30});
        },
        [&](Painter& p) {
            p.drawText(text, {-6, -20}, Color::blackColor());
        },
        [](Painter& p) { p.clear(Color::blackColor()); },
        [](Painter& p) {
            p.beginLayer();
            p.fillRect({-5, -5, 70, 60}, Color::blackColor());
            p.endLayer(1);
        }};
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        Image unclipped = drawUnclipped(operations[i]);
        Image clipped = drawClipped(operations[i]);
        int cornerPixels = 0, insidePixels = 0;
        for (int y = 0; y < unclipped.pixelHeight(); ++y) {
            for (int x = 0; x < unclipped.pixelWidth(); ++x) {
                if (unclipped.pixelAt(x, y).alpha < 255) continue;
                double u = (x + 1) / 2.0 - 10.25, v = (y + 1) / 2.0 - 5;  // far corner of the pixel
                if (u > 0.5 && v > 0.5 && u + v < 2) {
                    ++cornerPixels;
                    EXPECT_EQ(clipped.pixelAt(x, y).alpha, 0) << "operation " << i << " at " << x << "," << y;
                } else if (u > 15 && u < 45 && v > 15 && v < 35) {
                    ++insidePixels;
                    EXPECT_EQ(clipped.pixelAt(x, y).alpha, 255)
                        << "operation " << i << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(cornerPixels, 0) << "operation " << i << " does not reach the corner";
        EXPECT_GT(insidePixels, 0) << "operation " << i << " does not reach inside";
    }
}

// Clips end with the state they were set in: a restore, or the end of a layer. A layer is
// composited under the clips in force when it began.
TEST(PainterRoundedClip, ClipsFollowSaveRestoreAndLayers) {
    Painter painter({40, 40});
    painter.save();
    painter.clipToRoundedRect({0, 0, 40, 40}, CornerStyle::circular(15));
    painter.beginLayer();
    painter.clipToRoundedRect({20, 20, 20, 20}, CornerStyle::circular(10));
    painter.fillRect({0, 0, 40, 40}, Color(1, 0, 0));
    painter.endLayer(1);
    painter.fillRect({0, 0, 20, 20}, Color(0, 0, 1));  // the inner clip has ended
    painter.restore();
    painter.fillRect({36, 0, 4, 4}, Color(0, 1, 0));  // and so has the outer one
    Image image = painter.makeImage();
    EXPECT_EQ(image.pixelAt(0, 0).alpha, 0);  // outer corner
    EXPECT_EQ(image.pixelAt(10, 10).blue, 255);
    EXPECT_EQ(image.pixelAt(21, 21).alpha, 0);  // inner clip's corner
    EXPECT_EQ(image.pixelAt(30, 30).red, 255);
    EXPECT_EQ(image.pixelAt(39, 0).green, 255);
}

// Under a rotation the corners are no longer where the box test looks; drawing is still
// clipped.
TEST(PainterRoundedClip, RotatedClipsStillClip) {
    Painter painter({60, 60});
    painter.translate(30, 30);
    painter.rotate(M_PI / 4);
    painter.clipToRoundedRect({-20, -20, 40, 40}, CornerStyle::circular(20));  // a circle
    painter.rotate(-M_PI / 4);
    painter.fillRect({-30, -30, 60, 60}, Color::blackColor());
    Image image = painter.makeImage();
    EXPECT_EQ(image.pixelAt(30 + 17, 30 + 17).alpha, 0);  // beyond the radius on the diagonal
    EXPECT_EQ(image.pixelAt(30 + 12, 30 + 12).alpha, 255);
}

// Rounded fills reuse a coverage mask per shape. Each fill, first or repeated, wherever it
// falls within a pixel, must match the plain path fill the painter makes under a mirroring
// transform (symmetric shapes look the same mirrored).
TEST(PainterRoundedFill, RepeatedShapesMatchAPlainFill) {
    struct Shape {
        Rect rect;
        CornerStyle corners;
        Color color;
    };
    const Shape shapes[] = {
        {{3, 2, 45, 45}, CornerStyle::continuous(13), Color(0, 0, 0, 0.4)},
        {{10.25, 50.5, 60, 20},
         CornerStyle::circular(8, gfx::TopLeftCorner | gfx::TopRightCorner),
         Color(1, 0, 0)},
        {{52.75, 3.25, 40, 30}, CornerStyle::continuous(500), Color(0, 0.5, 1, 0.7)},
    };
    auto draw = [&](bool mirrored) {
        Painter painter({100, 80}, 2);
        for (int round = 0; round < 2; ++round) {  // the second round finds the masks kept
            for (const Shape& shape : shapes) {
                Rect rect = shape.rect.offsetBy(0, round * 0.25);
                painter.save();
                if (mirrored) {
                    painter.translate(2 * rect.midX(), 0);
                    painter.scaleBy(-1, 1);
                }
                painter.fillRoundedRect(rect, shape.corners, shape.color);
                painter.restore();
            }
        }
        return painter.makeImage();
    };
    EXPECT_LE(largestDifference(draw(false), draw(true)), 1);
}

}  // namespace
