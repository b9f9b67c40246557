#include "ui/TabBar.h"

#include "gfx/Font.h"
#include "gfx/Painter.h"
#include "gfx/SymbolImage.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TapGestureRecognizer.h"

namespace ui {

namespace {
constexpr const char* kTapAction = "tabBarTapped";
constexpr double kSymbolTop = 5;
constexpr double kSymbolHeight = 25;
constexpr double kTitleHeight = 14;
}  // namespace

std::shared_ptr<TabBar> TabBar::create() {
    auto bar = std::shared_ptr<TabBar>(new TabBar());
    bar->setBackgroundColor(gfx::Color::secondarySystemBackground());
    bar->tap_ = TapGestureRecognizer::create();
    bar->tap_->addTarget(bar->weak_from_this(), kTapAction);
    std::weak_ptr<TabBar> weak = bar;
    bar->registerAction(kTapAction, [weak] {
        if (auto self = weak.lock()) self->handleTap();
    });
    bar->addGestureRecognizer(bar->tap_);
    return bar;
}

void TabBar::setItems(const std::vector<TabBarItem>& items) {
    for (const auto& slot : slots_) slot->removeFromSuperview();
    slots_.clear();
    for (const auto& item : items) {
        auto slot = View::create();
        auto symbol = ImageView::create(gfx::SymbolImage::named(item.symbolName, 22), item.symbolName);
        symbol->setContentMode(gfx::ContentMode::Center);
        auto title = Label::create(item.title);
        title->setFont(gfx::Font::system(10, gfx::FontWeight::Medium));
        title->setTextAlignment(gfx::TextAlignment::Center);
        slot->addSubview(symbol);
        slot->addSubview(title);
        addSubview(slot);
        slots_.push_back(slot);
    }
    if (selected_ >= slots_.size()) selected_ = 0;
    setNeedsLayout();
    restyle();
}

void TabBar::setSelectedIndex(std::size_t index) {
    if (index >= slots_.size()) return;
    selected_ = index;
    restyle();
}

gfx::Rect TabBar::slotRect(std::size_t index) const {
    if (slots_.empty()) return {};
    double width = bounds().width / static_cast<double>(slots_.size());
    return {width * static_cast<double>(index), 0, width, kHeight};
}

void TabBar::layoutSubviews() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        gfx::Rect rect = slotRect(i);
        slots_[i]->setFrame(rect);
        const auto& parts = slots_[i]->subviews();
        parts[0]->setFrame({0, kSymbolTop, rect.width, kSymbolHeight});
        parts[1]->setFrame({0, kSymbolTop + kSymbolHeight, rect.width, kTitleHeight});
    }
}

void TabBar::restyle() {
    gfx::Color tint = tintColor();
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        gfx::Color color = i == selected_ ? tint : gfx::Color::gray();
        const auto& parts = slots_[i]->subviews();
        parts[0]->setTintColor(color);
        std::static_pointer_cast<Label>(parts[1])->setTextColor(color);
    }
}

void TabBar::handleTap() {
    if (slots_.empty() || bounds().width <= 0) return;
    double x = tap_->locationInView(this).x;
    auto index =
        static_cast<std::size_t>(std::max(0.0, x) / (bounds().width / static_cast<double>(slots_.size())));
    if (index >= slots_.size()) return;
    if (onSelect_) onSelect_(index);
}

}  // namespace ui
