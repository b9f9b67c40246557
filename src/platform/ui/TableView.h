#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/EdgeInsets.h"
#include "ui/IndexPath.h"
#include "ui/ListCallbackGate.h"
#include "ui/ListModel.h"
#include "ui/ListTiler.h"
#include "ui/ListTouchTracker.h"
#include "ui/ReusePool.h"
#include "ui/ScrollView.h"
#include "ui/TableViewCell.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"

namespace ui {

class Label;
class TableIndexStrip;

// A vertical list of rows in sections, filled by a data source and steered by a delegate
// (both weak).
//
// Only the rows in sight have cells: as the content offset moves, cells that leave the
// visible area go back to a reuse pool by identifier, and the data source fills the rows that
// come into view, usually with `dequeueReusableCell`, which hands out a pooled cell (after
// `prepareForReuse`) or makes one with the factory registered for the identifier.
//
// Row heights: the delegate's height, else `rowHeight`. `kAutomaticDimension` measures the
// cell: its content view is laid out at the row's width and its constraints give the height
// (`View::systemLayoutSizeFitting`). Rows not yet seen count at `estimatedRowHeight` until
// they come into view and are measured, so the content size settles as the table scrolls.
//
// Touches: a finger that comes down on a row highlights it; lifting it without a scroll
// selects it (the previous selection is deselected); a drag scrolls and the row's touch is
// cancelled by the pan, so it is not selected. A touch on a section header selects nothing.
//
// Index strip: when the data source gives index titles, a `TableIndexStrip` floats along the
// trailing edge of the visible area (less the content inset) above the rows, which keep their
// width. Touching or dragging along it asks the data source for the section of each title the
// finger reaches and scrolls that section's header to the top of the visible area, at once.
//
// Styles: plain and grouped rows span the width; inset-grouped rows are inset 20 points from
// each side and each section's first and last rows round their outer corners. Plain section
// headers stick to the top of the visible area while their rows pass under them, until the
// next header pushes them up; grouped headers scroll with the rows.
//
// Separators (`SeparatorStyle::SingleLine`, the default): a hairline at the bottom of each row
// (see `TableSeparatorView`), inset by `separatorInset`; grouped styles leave it out under a
// section's last row.
class TableView : public ScrollView {
public:
    enum class Style { Plain, Grouped, InsetGrouped };
    enum class SeparatorStyle { None, SingleLine };
    enum class RowAnimation { None, Fade, Automatic };
    static constexpr double kAutomaticDimension = -1;
    static constexpr double kDefaultRowHeight = 44;
    static constexpr double kFadeDuration = 0.25;  // seconds, a reload's cross-dissolve
    static constexpr double kInsetGroupedMargin = 20;
    static constexpr double kInsetGroupedCornerRadius = 10;
    static constexpr double kDefaultSeparatorLeadingInset = 16;
    using CellFactory = ReusePool<TableViewCell>::Factory;

    static std::shared_ptr<TableView> create(Style style = Style::Plain);
    const char* className() const override { return "TableView"; }
    Style style() const { return style_; }

    std::shared_ptr<TableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::weak_ptr<TableViewDataSource>& dataSource);
    std::shared_ptr<TableViewDelegate> tableDelegate() const { return delegate_.lock(); }
    // Also the scroll view's delegate.
    void setDelegate(const std::weak_ptr<TableViewDelegate>& delegate);

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);
    double estimatedRowHeight() const { return estimatedRowHeight_; }
    void setEstimatedRowHeight(double height);
    SeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(SeparatorStyle style);
    // Left is the leading side (mirrored in right-to-left layouts); negative insets count as 0.
    const EdgeInsets& separatorInset() const { return separatorInset_; }
    void setSeparatorInset(const EdgeInsets& inset);
    // The index strip's text colour; empty: the tint colour.
    const std::optional<gfx::Color>& sectionIndexColor() const { return sectionIndexColor_; }
    void setSectionIndexColor(std::optional<gfx::Color> color);
    const gfx::Color& sectionIndexBackgroundColor() const { return sectionIndexBackgroundColor_; }
    void setSectionIndexBackgroundColor(const gfx::Color& color);
    // Above the first section, as tall as its frame, as wide as the table.
    const std::shared_ptr<View>& tableHeaderView() const { return tableHeaderView_; }
    void setTableHeaderView(const std::shared_ptr<View>& view);

    // Cells.
    void registerCell(const std::string& identifier, CellFactory factory);
    std::shared_ptr<TableViewCell> dequeueReusableCell(const std::string& identifier);
    // Forgets every row and measurement and asks the data source again.
    void reloadData();
    // Asks again for the rows of `sections` only; with an animation the old cells fade out
    // while the new ones fade in. Sections that do not exist are ignored.
    void reloadSections(const std::set<int>& sections, RowAnimation animation);

    int numberOfSections();
    int numberOfRowsInSection(int section);
    // In the table's content coordinates; empty for a row that does not exist.
    gfx::Rect rectForRowAtIndexPath(IndexPath indexPath);
    gfx::Rect rectForHeaderInSection(int section);
    std::optional<IndexPath> indexPathForRowAtPoint(gfx::Point point);
    // Visible rows only.
    std::shared_ptr<TableViewCell> cellForRowAtIndexPath(IndexPath indexPath) const;
    std::optional<IndexPath> indexPathForCell(const TableViewCell& cell) const;
    std::vector<std::shared_ptr<TableViewCell>> visibleCells() const;
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    // The header view shown for a section (the delegate's, or a label for a title), if visible.
    std::shared_ptr<View> headerViewForSection(int section) const;
    // Scrolls so the row's top is at the top of the visible area, below the content inset
    // (within the offset's range).
    void scrollToRowAtIndexPath(IndexPath indexPath, bool animated);

    // Selection (single); set in code, the delegate is not told.
    std::optional<IndexPath> indexPathForSelectedRow() const { return touches_.selected(); }
    void selectRowAtIndexPath(IndexPath indexPath, bool animated);
    void deselectRowAtIndexPath(IndexPath indexPath, bool animated);

    // The data source's index titles as of the last reload, and the jump one of them makes.
    const std::vector<std::string>& sectionIndexTitles() const { return indexTitles_; }
    // Scrolls the section the data source names for the title to the top, without animation.
    void scrollToSectionIndexTitle(int index);
    // The strip showing the titles; none while there are no titles.
    const std::shared_ptr<TableIndexStrip>& sectionIndexStrip() const { return indexStrip_; }

    std::size_t reusableCellCount() const { return tiler_.pooledCount(); }

protected:
    explicit TableView(Style style);
    void layoutSubviews() override;
    void contentOffsetDidChange() override;
    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

private:
    // What the table keeps of a section besides its geometry (which `model_` holds).
    struct Section {
        std::shared_ptr<View> header;  // the delegate's view or a title label, made on demand
        std::optional<std::string> title;
        bool askedForHeader = false;
        std::vector<bool> measured;  // for automatic rows: measured since the last reload
        std::vector<bool> automatic;
    };

    // Asks the data source for every section; measured heights survive in sections not listed in
    // `reloaded` whose row counts are unchanged, unless `keepMeasured` is false.
    void rebuildModel(const std::set<int>& reloaded, bool keepMeasured);
    Section buildSection(int index, ListModel& model);
    double headerHeightFor(int index, Section& section);
    std::shared_ptr<View> headerFor(int index, Section& section);
    void updateContentSize();
    void tile();
    bool materialiseVisibleRows(const gfx::Rect& visible);
    std::shared_ptr<TableViewCell> makeCell(IndexPath indexPath);
    void measure(TableViewCell& cell, IndexPath indexPath);
    void placeCell(TableViewCell& cell, IndexPath indexPath);
    void recycleInvisible(const gfx::Rect& visible);
    static void putBack(TableViewCell& cell);
    void placeHeaders(const gfx::Rect& visible);
    gfx::Rect headerFrameForSection(int index, const gfx::Rect& visible);
    void placeSeparator(TableViewCell& cell, IndexPath indexPath);
    void placeIndexStrip();
    void scrollContentToTop(double y, bool animated);
    bool touchIsOnHeader(gfx::Point point) const;
    void ensureModel();
    double contentWidthForRows() const;
    bool isValid(IndexPath indexPath) const { return model_.contains(indexPath); }
    // Cross-dissolve of reloaded sections, as one view animation.
    void startFade(std::vector<std::shared_ptr<TableViewCell>> outgoing, const std::set<int>& sections);
    void finishFade();
    ListTouchTracker::Hooks touchHooks();
    // Application code is never called back while the table walks its own state: reloads asked
    // for meanwhile wait for the walk to end, and notices are sent after it.
    ListCallbackGate::Scope busyScope();
    bool applyDeferredReloads();

    Style style_;
    std::weak_ptr<TableViewDataSource> dataSource_;
    std::weak_ptr<TableViewDelegate> delegate_;
    double rowHeight_ = kDefaultRowHeight;
    double estimatedRowHeight_ = kDefaultRowHeight;
    SeparatorStyle separatorStyle_ = SeparatorStyle::SingleLine;
    EdgeInsets separatorInset_{0, kDefaultSeparatorLeadingInset, 0, 0};
    std::optional<gfx::Color> sectionIndexColor_;
    gfx::Color sectionIndexBackgroundColor_ = gfx::Color::clear();
    std::shared_ptr<TableIndexStrip> indexStrip_;
    std::shared_ptr<View> tableHeaderView_;

    ListTiler<TableViewCell> tiler_{&TableView::putBack};
    ListModel model_;
    std::vector<Section> sections_;
    std::vector<std::string> indexTitles_;
    bool modelValid_ = false;
    bool forgetMeasured_ = true;  // the next rebuild measures every row again
    double modelWidth_ = -1;
    bool tiling_ = false;
    bool building_ = false;
    ListCallbackGate gate_{[this] { return applyDeferredReloads(); }};
    bool pendingReloadAll_ = false;
    std::set<int> pendingSections_;
    RowAnimation pendingAnimation_ = RowAnimation::None;
    ListTouchTracker touches_{gate_, touchHooks()};

    std::vector<std::shared_ptr<TableViewCell>> fadingOut_;
    std::set<int> fadingSections_;
    unsigned fadeGeneration_ = 0;
};

}  // namespace ui
