#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/TableViewCell.h"

namespace testsupport {

// One preference cell class: how to make one, its row height, and the subviews whose content
// survives prepareForReuse.
struct PrefsCellCase {
    const char* name;
    double rowHeight;
    bool hasIconTile;
    std::function<std::shared_ptr<ui::TableViewCell>()> make;
    std::function<std::vector<std::shared_ptr<ui::View>>(ui::TableViewCell&)> keptOnReuse;
};

const std::vector<PrefsCellCase>& allPrefsCells();

}  // namespace testsupport
