#pragma once

#include <memory>

#include "ui/EdgeInsets.h"
#include "ui/View.h"

namespace ui {

class TableViewCell;

// The hairline a table draws along the bottom of a row: one device pixel high, in the system
// separator colour, inset from the row's leading and trailing edges. It lives in the cell, on
// top of its content, so it scrolls, fades and clips with the row.
class TableSeparatorView : public View {
public:
    static std::shared_ptr<TableSeparatorView> create();
    const char* className() const override { return "TableSeparatorView"; }

    // The cell's separator, if it has one.
    static std::shared_ptr<TableSeparatorView> of(const TableViewCell& cell);
    // Gives `cell` a separator placed for `inset` (left = the leading side) at `hairline`
    // points thick, or takes it away when `shown` is false.
    static void update(TableViewCell& cell, bool shown, const EdgeInsets& inset, double hairline);

protected:
    TableSeparatorView();
};

}  // namespace ui
