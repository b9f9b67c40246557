#include <gtest/gtest.h>

#include "gfx/Color.h"
#include "host/HeadlessHost.h"
#include "ui/Window.h"

namespace {

std::shared_ptr<ui::View> filled(gfx::Rect frame, gfx::Color color) {
    auto view = ui::View::create();
    view->setFrame(frame);
    view->setBackgroundColor(color);
    return view;
}

// Red, green or blue: which channel dominates the pixel at a point (scale 1).
char colourAt(ui::Window& window, int x, int y) {
    auto pixel = host::HeadlessHost::render(window, 1.0).pixelAt(x, y);
    if (pixel.red > 200 && pixel.green < 50 && pixel.blue < 50) return 'r';
    if (pixel.green > 200 && pixel.red < 50 && pixel.blue < 50) return 'g';
    if (pixel.blue > 200 && pixel.red < 50 && pixel.green < 50) return 'b';
    return '?';
}

TEST(Overlay, OverlaysStayAboveTheWindowsContentForDrawingAndHitting) {
    auto window = ui::Window::create({200, 200});
    auto content = filled({0, 0, 200, 200}, {1, 0, 0});
    window->addSubview(content);
    auto popover = filled({50, 50, 100, 100}, {0, 0, 1});
    auto sheet = filled({0, 120, 200, 80}, {0, 1, 0});
    window->pushOverlay(popover);
    window->pushOverlay(sheet);

    // Ordinary subviews added or brought forward later stay below the overlays.
    auto late = filled({0, 0, 200, 200}, {1, 0, 0});
    window->addSubview(late);
    window->bringSubviewToFront(content);
    EXPECT_EQ(window->subviews(), (std::vector<std::shared_ptr<ui::View>>{late, content, popover, sheet}));
    EXPECT_EQ(window->overlays(), (std::vector<std::shared_ptr<ui::View>>{popover, sheet}));

    EXPECT_EQ(window->hitTest({100, 100}), popover);
    EXPECT_EQ(window->hitTest({100, 130}), sheet);  // the later overlay is on top
    EXPECT_EQ(window->hitTest({10, 10}), content);
    EXPECT_EQ(colourAt(*window, 100, 100), 'b');
    EXPECT_EQ(colourAt(*window, 100, 170), 'g');
    EXPECT_EQ(colourAt(*window, 10, 10), 'r');

    // Pushing again moves an overlay to the top; a removed one is gone and an ordinary view
    // added back is no overlay.
    window->pushOverlay(popover);
    EXPECT_EQ(window->hitTest({100, 130}), popover);
    window->removeOverlay(popover);
    EXPECT_EQ(popover->superview(), nullptr);
    sheet->removeFromSuperview();
    window->addSubview(sheet);
    EXPECT_TRUE(window->overlays().empty());
    EXPECT_EQ(colourAt(*window, 100, 100), 'r');
}

}  // namespace
