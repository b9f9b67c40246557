#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/TabBarItem.h"
#include "ui/View.h"

namespace ui {

class TapGestureRecognizer;

// The strip of tabs at the bottom of a tab bar controller: one equal-width slot per item, a
// symbol over its title, the selected one in the tint colour and the others grey. A tap on a
// slot calls `onSelect` with its index. The bar is 49 points high and adds nothing for a home
// indicator area: the desktop window has none.
class TabBar : public View {
public:
    static constexpr double kHeight = 49;

    static std::shared_ptr<TabBar> create();
    const char* className() const override { return "TabBar"; }

    void setItems(const std::vector<TabBarItem>& items);
    std::size_t itemCount() const { return slots_.size(); }
    void setSelectedIndex(std::size_t index);
    std::size_t selectedIndex() const { return selected_; }
    void setOnSelect(std::function<void(std::size_t)> onSelect) { onSelect_ = std::move(onSelect); }
    // The slot of `index` in the bar's coordinates.
    gfx::Rect slotRect(std::size_t index) const;

    void layoutSubviews() override;
    void tintColorDidChange() override { restyle(); }

private:
    TabBar() = default;
    void restyle();
    void handleTap();

    std::vector<std::shared_ptr<View>> slots_;
    std::size_t selected_ = 0;
    std::function<void(std::size_t)> onSelect_;
    std::shared_ptr<TapGestureRecognizer> tap_;
};

}  // namespace ui
