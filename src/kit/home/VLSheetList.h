#pragma once

#include <memory>

#include "ui/TableView.h"
#include "ui/TextView.h"

// The parts the changelog and tutorial sheets share: a clear list of self-sizing rows, and the
// read-only paragraph whose height sizes each row.
class VLSheetList {
public:
    // No separators, no scroll indicator, rows sized by their content (estimated at 60).
    static std::shared_ptr<ui::TableView> makeTable();
    // An 18-point paragraph that neither scrolls, edits nor takes touches.
    static std::shared_ptr<ui::TextView> makeMessageView();
};
