#pragma once

#include <memory>

#include "ui/Menu.h"
#include "ui/View.h"

namespace ui {

class Window;

// A menu shown as a card in a window's overlay, anchored below (or, without room, above) a
// view. It covers the whole window: a tap on an item closes the card and runs the item's
// handler, a tap anywhere else only closes it.
class MenuPopover : public View {
public:
    static constexpr double kRowHeight = 44;
    static constexpr double kCardWidth = 250;
    static constexpr double kGap = 8;

    // Opens `menu` over `anchor`'s window; null when the anchor is in no window.
    static std::shared_ptr<MenuPopover> show(const Menu& menu, const View& anchor);
    const char* className() const override { return "MenuPopover"; }

    const std::shared_ptr<View>& card() const { return card_; }
    void close();

    void touchesBegan(const Touches&) override {}
    void touchesMoved(const Touches&) override {}
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches&) override {}

private:
    MenuPopover() = default;
    void build(const Menu& menu, const gfx::Rect& anchorFrame, gfx::Size windowSize);
    void pick(std::size_t index);

    Menu menu_;
    std::shared_ptr<View> card_;
};

}  // namespace ui
