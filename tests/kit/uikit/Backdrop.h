#pragma once

#include <array>
#include <memory>

#include "gfx/Color.h"
#include "ui/View.h"

// A busy, colourful backdrop for blur tests: a checkerboard of 20-point squares in four strong
// colours, so that a blur visibly mixes them and a tint visibly shifts them.
inline std::shared_ptr<ui::View> makeCheckerBackdrop(gfx::Size size) {
    static const std::array<gfx::Color, 4> colours{gfx::Color(0.9, 0.1, 0.1), gfx::Color(0.1, 0.3, 0.9),
                                                   gfx::Color(0.95, 0.8, 0.1), gfx::Color(0.1, 0.6, 0.3)};
    constexpr double side = 20;
    auto backdrop = ui::View::create();
    backdrop->setFrame({0, 0, size.width, size.height});
    for (int row = 0; row * side < size.height; ++row) {
        for (int column = 0; column * side < size.width; ++column) {
            auto square = ui::View::create();
            square->setFrame({column * side, row * side, side, side});
            square->setBackgroundColor(colours[(row + 2 * column) % colours.size()]);
            backdrop->addSubview(square);
        }
    }
    return backdrop;
}
