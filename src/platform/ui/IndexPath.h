#pragma once

#include <compare>

namespace ui {

// A position in a sectioned list: the section, then the row (tables) or item (collections).
// Ordered by section, then row.
struct IndexPath {
    int section = 0;
    int row = 0;

    static IndexPath forRow(int row, int section) { return {section, row}; }
    static IndexPath forItem(int item, int section) { return {section, item}; }
    int item() const { return row; }
    auto operator<=>(const IndexPath&) const = default;
};

}  // namespace ui
