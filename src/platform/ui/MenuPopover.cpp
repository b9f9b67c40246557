#include "ui/MenuPopover.h"

#include <algorithm>

#include "gfx/Color.h"
#include "ui/Button.h"
#include "ui/Window.h"

namespace ui {

namespace {}  // namespace

std::shared_ptr<MenuPopover> MenuPopover::show(const Menu& menu, const View& anchor) {
    auto window = anchor.window();
    if (!window) return nullptr;
    std::shared_ptr<MenuPopover> popover(new MenuPopover());
    popover->menu_ = menu;
    popover->build(menu, anchor.convertRect(anchor.bounds(), nullptr), window->screenSize());
    window->pushOverlay(popover);
    return popover;
}

void MenuPopover::build(const Menu& menu, const gfx::Rect& anchorFrame, gfx::Size windowSize) {
    setFrame({0, 0, windowSize.width, windowSize.height});
    setBackgroundColor(gfx::Color::clear());
    double height = kRowHeight * static_cast<double>(menu.children.size());
    double x = std::clamp(anchorFrame.x + anchorFrame.width - kCardWidth, kGap,
                          std::max(kGap, windowSize.width - kCardWidth - kGap));
    double below = anchorFrame.y + anchorFrame.height + kGap;
    double y = below + height <= windowSize.height ? below : std::max(kGap, anchorFrame.y - kGap - height);
    card_ = View::create();
    card_->setFrame({x, y, kCardWidth, height});
    card_->setBackgroundColor(gfx::Color::secondarySystemBackground());
    card_->setClipsToBounds(true);
    card_->layer().setCornerRadius(13);
    addSubview(card_);
    for (std::size_t index = 0; index < menu.children.size(); ++index) {
        const Action& action = menu.children[index];
        auto row = Button::create();
        row->setFrame({0, kRowHeight * static_cast<double>(index), kCardWidth, kRowHeight});
        row->setTitle(action.title);
        row->setTitleColor(gfx::Color::label());
        if (!action.symbolName.empty()) row->setSymbolImage(action.symbolName);
        row->addAction(ControlEventTouchUpInside, [this, index] { pick(index); });
        card_->addSubview(row);
    }
}

void MenuPopover::close() {
    if (auto window = this->window()) window->removeOverlay(shared_from_this());
}

void MenuPopover::touchesEnded(const Touches&) { close(); }

void MenuPopover::pick(std::size_t index) {
    auto keepAlive = shared_from_this();
    auto handler = menu_.children[index].handler;
    close();
    if (handler) handler();
}

}  // namespace ui
