#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/IndexPath.h"

namespace ui {

class TableView;
class TableViewCell;

// Where a table's rows come from. Rows and cells are required; the rest is optional.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSections(TableView&) { return 1; }
    virtual int numberOfRowsInSection(TableView&, int section) = 0;
    // Usually a cell from `TableView::dequeueReusableCell`, filled for the row.
    virtual std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView&, IndexPath indexPath) = 0;
    // A section header made of a title, when the delegate gives no header view.
    virtual std::optional<std::string> titleForHeaderInSection(TableView&, int) { return std::nullopt; }
    // The titles of the index along the trailing edge, top to bottom (none: no index).
    virtual std::vector<std::string> sectionIndexTitles(TableView&) { return {}; }
    // The section an index title leads to (by default the section of the same number).
    virtual int sectionForSectionIndexTitle(TableView&, const std::string&, int index) { return index; }
};

}  // namespace ui
