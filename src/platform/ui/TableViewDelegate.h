#pragma once

#include <memory>
#include <optional>

#include "ui/IndexPath.h"
#include "ui/ScrollViewDelegate.h"

namespace ui {

class TableView;
class TableViewCell;
class View;

// What a table asks and tells its owner about rows: sizes, headers and selection. Every
// method is optional; it also hears the scroll view's calls.
class TableViewDelegate : public ScrollViewDelegate {
public:
    // A row's height, or `TableView::kAutomaticDimension` to measure the cell's constraints;
    // none means the table's `rowHeight`.
    virtual std::optional<double> heightForRowAtIndexPath(TableView&, IndexPath) { return std::nullopt; }
    virtual std::shared_ptr<View> viewForHeaderInSection(TableView&, int) { return nullptr; }
    // None: the header view's fitting height, else the height for a title, else the style's gap.
    virtual std::optional<double> heightForHeaderInSection(TableView&, int) { return std::nullopt; }
    virtual void willDisplayCell(TableView&, TableViewCell&, IndexPath) {}

    virtual bool shouldHighlightRowAtIndexPath(TableView&, IndexPath) { return true; }
    virtual void didHighlightRowAtIndexPath(TableView&, IndexPath) {}
    virtual void didUnhighlightRowAtIndexPath(TableView&, IndexPath) {}
    virtual void didSelectRowAtIndexPath(TableView&, IndexPath) {}
    virtual void didDeselectRowAtIndexPath(TableView&, IndexPath) {}
};

}  // namespace ui
