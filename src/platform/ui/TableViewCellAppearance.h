#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "gfx/Color.h"

namespace ui {

class View;

// What every table cell of the process gets when it is created (`TableViewCell::appearance()`):
// the view shown behind a selected or highlighted cell. Pickers install theirs once; cells
// created before a change keep what they had. Main thread only.
class TableViewCellAppearance {
public:
    using ViewFactory = std::function<std::shared_ptr<View>()>;

    // A factory called once per new cell (a view cannot be shared between cells); an empty
    // factory removes the setting.
    void setSelectedBackgroundView(ViewFactory factory);
    // Shorthand for a factory of plain views in `color`; nothing removes the setting.
    void setSelectedBackgroundColor(std::optional<gfx::Color> color);
    // A new view from the setting, or null when nothing is set (the cell then uses its default).
    std::shared_ptr<View> makeSelectedBackgroundView() const;
    void reset() { factory_ = nullptr; }

private:
    ViewFactory factory_;
};

}  // namespace ui
