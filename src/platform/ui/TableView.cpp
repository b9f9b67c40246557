#include "ui/TableView.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ranges>

#include "base/Log.h"
#include "gfx/CornerStyle.h"
#include "gfx/Font.h"
#include "gfx/SystemColor.h"
#include "ui/Label.h"
#include "ui/PanGestureRecognizer.h"
#include "ui/TableIndexStrip.h"
#include "ui/TableSeparatorView.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {

namespace {

constexpr double kTitleHeaderHeight = 38;
constexpr double kPlainTitleHeaderHeight = 28;
constexpr double kGroupedGap = 18;
constexpr double kHeaderTextInset = 20;
constexpr auto kFrameInterval = std::chrono::nanoseconds(16'666'667);
}  // namespace

std::shared_ptr<TableView> TableView::create(Style style) {
    std::shared_ptr<TableView> table(new TableView(style));
    table->addGestureRecognizer(table->panGestureRecognizer());
    return table;
}

TableView::TableView(Style style) : style_(style) { setAlwaysBounceVertical(true); }

TableView::~TableView() {
    if (fadeTimer_) base::RunLoop::main().cancel(fadeTimer_);
}

ListCallbackGate::Scope TableView::busyScope() { return {gate_, shared_from_this()}; }

bool TableView::applyDeferredReloads() {
    if (pendingReloadAll_) {
        pendingReloadAll_ = false;
        pendingSections_.clear();
        reloadData();
        return true;
    }
    if (pendingSections_.empty()) return false;
    reloadSections(std::exchange(pendingSections_, {}), pendingAnimation_);
    return true;
}

void TableView::setDataSource(const std::weak_ptr<TableViewDataSource>& dataSource) {
    dataSource_ = dataSource;
    reloadData();
}

void TableView::setDelegate(const std::weak_ptr<TableViewDelegate>& delegate) {
    delegate_ = delegate;
    ScrollView::setDelegate(std::weak_ptr<ScrollViewDelegate>(delegate.lock()));
    reloadData();
}

void TableView::setRowHeight(double height) {
    rowHeight_ =
        height == kAutomaticDimension || (height >= 0 && std::isfinite(height)) ? height : kDefaultRowHeight;
    reloadData();
}

void TableView::setEstimatedRowHeight(double height) {
    estimatedRowHeight_ = height > 0 && std::isfinite(height) ? height : kDefaultRowHeight;
    modelValid_ = false;
    setNeedsLayout();
}

void TableView::setSeparatorStyle(SeparatorStyle style) {
    separatorStyle_ = style;
    setNeedsLayout();
}

void TableView::setSeparatorInset(const EdgeInsets& inset) {
    auto valid = [](double value) { return std::isfinite(value) ? std::max(0.0, value) : 0.0; };
    separatorInset_ = {valid(inset.top), valid(inset.left), valid(inset.bottom), valid(inset.right)};
    setNeedsLayout();
}

void TableView::setSectionIndexColor(std::optional<gfx::Color> color) {
    sectionIndexColor_ = std::move(color);
    if (indexStrip_) indexStrip_->setTextColor(sectionIndexColor_);
}

void TableView::setSectionIndexBackgroundColor(const gfx::Color& color) {
    sectionIndexBackgroundColor_ = color;
    if (indexStrip_) indexStrip_->setBackgroundColor(color);
}

void TableView::setTableHeaderView(const std::shared_ptr<View>& view) {
    if (tableHeaderView_) tableHeaderView_->removeFromSuperview();
    tableHeaderView_ = view;
    if (view) addSubview(view);
    modelValid_ = false;
    setNeedsLayout();
}

void TableView::registerCell(const std::string& identifier, CellFactory factory) {
    pool_.registerFactory(identifier, std::move(factory));
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(const std::string& identifier) {
    return pool_.dequeue(identifier);
}

// ---- The model: sections, row heights and their positions ----

void TableView::reloadData() {
    if (gate_.busy()) {
        pendingReloadAll_ = true;
        return;
    }
    auto busy = busyScope();
    unhighlight();
    for (const auto& [indexPath, cell] : std::map(visible_)) recycle(cell);
    visible_.clear();
    selected_.reset();
    modelValid_ = false;
    setNeedsLayout();
    if (window()) tile();
}

void TableView::reloadSections(const std::set<int>& sections, RowAnimation animation) {
    if (gate_.busy()) {
        pendingSections_.insert(sections.begin(), sections.end());
        pendingAnimation_ = animation;
        return;
    }
    auto busy = busyScope();
    ensureModel();
    std::set<int> reloaded;
    for (int section : sections) {
        if (section >= 0 && section < static_cast<int>(sections_.size())) reloaded.insert(section);
    }
    if (reloaded.empty()) return;
    unhighlight();
    if (selected_ && reloaded.count(selected_->section)) selected_.reset();
    std::vector<std::shared_ptr<TableViewCell>> outgoing;
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (!reloaded.count(it->first.section)) {
            ++it;
            continue;
        }
        if (animation == RowAnimation::None) {
            recycle(it->second);
        } else {
            outgoing.push_back(it->second);
        }
        it = visible_.erase(it);
    }
    if (fadeTimer_) finishFade();
    rebuildModel(reloaded, false);
    tile();
    if (animation != RowAnimation::None) startFade(std::move(outgoing), reloaded);
}

void TableView::ensureModel() {
    if (bounds().width != modelWidth_) {
        // Measured heights depend on the width.
        for (const auto& [indexPath, cell] : std::map(visible_)) recycle(cell);
        visible_.clear();
        modelValid_ = false;
    }
    if (!modelValid_ && !building_) rebuildModel({}, false);
}

// Rebuilds every section, keeping the heights already measured in the sections that were not
// reloaded (when `keepAll`, or when listed in neither set) as long as their row counts match.
void TableView::rebuildModel(const std::set<int>& reloaded, bool keepAll) {
    auto busy = busyScope();
    auto dataSource = dataSource_.lock();
    std::vector<Section> old = modelValid_ ? std::move(sections_) : std::vector<Section>{};
    sections_.clear();
    indexTitles_.clear();
    modelWidth_ = bounds().width;
    modelValid_ = false;
    if (!dataSource) {
        modelValid_ = true;
        recomputeOffsets();
        return;
    }
    // A data source that asks the table about itself meanwhile sees the sections built so far.
    building_ = true;
    int count = std::max(0, dataSource->numberOfSections(*this));
    sections_.resize(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        Section& section = sections_[static_cast<std::size_t>(index)];
        buildSection(index, section);
        bool keep = keepAll || (!reloaded.empty() && !reloaded.count(index));
        if (keep && static_cast<std::size_t>(index) < old.size() &&
            old[static_cast<std::size_t>(index)].rowHeights.size() == section.rowHeights.size()) {
            const Section& previous = old[static_cast<std::size_t>(index)];
            section.rowHeights = previous.rowHeights;
            section.measured = previous.measured;
            section.header = previous.header;
            section.askedForHeader = previous.askedForHeader;
        }
    }
    indexTitles_ = dataSource->sectionIndexTitles(*this);
    building_ = false;
    modelValid_ = true;
    recomputeOffsets();
}

void TableView::buildSection(int index, Section& section) {
    auto dataSource = dataSource_.lock();
    auto delegate = delegate_.lock();
    int rows = std::max(0, dataSource->numberOfRowsInSection(*this, index));
    section.rowHeights.assign(static_cast<std::size_t>(rows), 0);
    section.measured.assign(static_cast<std::size_t>(rows), false);
    section.automatic.assign(static_cast<std::size_t>(rows), false);
    for (int row = 0; row < rows; ++row) {
        std::optional<double> asked =
            delegate ? delegate->heightForRowAtIndexPath(*this, {index, row}) : std::nullopt;
        double height = asked.value_or(rowHeight_);
        auto r = static_cast<std::size_t>(row);
        if (height == kAutomaticDimension) {
            section.automatic[r] = true;
            height = estimatedRowHeight_;
        }
        section.rowHeights[r] = std::isfinite(height) && height >= 0 ? height : kDefaultRowHeight;
    }
    section.title = dataSource->titleForHeaderInSection(*this, index);
    section.headerHeight = headerHeightFor(index, section);
}

double TableView::headerHeightFor(int index, Section& section) {
    auto delegate = delegate_.lock();
    if (delegate) {
        if (auto height = delegate->heightForHeaderInSection(*this, index); height && *height >= 0)
            return *height;
    }
    if (auto header = headerFor(index, section); header && !section.title) {
        double fitting = header->systemLayoutSizeFitting({bounds().width, 0}).height;
        return fitting > 0 ? fitting : header->frame().height;
    }
    if (section.title) return style_ == Style::Plain ? kPlainTitleHeaderHeight : kTitleHeaderHeight;
    return style_ == Style::Plain ? 0 : kGroupedGap;
}

// The delegate's header view, else a label for the data source's title.
std::shared_ptr<View> TableView::headerFor(int index, Section& section) {
    if (section.askedForHeader) return section.header;
    section.askedForHeader = true;
    if (auto delegate = delegate_.lock()) section.header = delegate->viewForHeaderInSection(*this, index);
    if (section.header) {
        section.title.reset();
    } else if (section.title) {
        auto label = Label::create(*section.title);
        label->setFont(gfx::Font::system(13));
        label->setTextColor(gfx::Color::system(gfx::SystemColor::SecondaryLabel));
        section.header = label;
        if (style_ == Style::Plain) {
            // Rows pass under a pinned plain header, so its band is opaque across the width.
            auto band = View::create();
            band->setBackgroundColor(gfx::Color::secondarySystemBackground());
            double width = bounds().width, height = kPlainTitleHeaderHeight;
            band->setFrame({0, 0, width, height});
            label->setFrame({kHeaderTextInset, 0, std::max(0.0, width - 2 * kHeaderTextInset), height});
            label->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
            band->addSubview(label);
            section.header = band;
        }
    }
    return section.header;
}

void TableView::recomputeOffsets() {
    double y = tableHeaderView_ ? tableHeaderView_->frame().height : 0;
    for (Section& section : sections_) {
        section.headerTop = y;
        y += section.headerHeight;
        section.rowTops.resize(section.rowHeights.size());
        for (std::size_t row = 0; row < section.rowHeights.size(); ++row) {
            section.rowTops[row] = y;
            y += section.rowHeights[row];
        }
        section.bottom = y;
    }
    setContentSize({bounds().width, y});
}

// ---- Tiling: cells for the visible rows only ----

void TableView::layoutSubviews() {
    tile();
    ScrollView::layoutSubviews();
}

void TableView::contentOffsetDidChange() {
    ScrollView::contentOffsetDidChange();
    tile();
}

void TableView::tile() {
    if (tiling_) return;  // a data source that scrolls the table while it is asked for a cell
    tiling_ = true;
    auto busy = busyScope();
    ensureModel();
    gfx::Rect visible = bounds();
    if (tableHeaderView_) {
        gfx::Rect frame = tableHeaderView_->frame();
        tableHeaderView_->setFrame({0, 0, visible.width, frame.height});
    }
    recycleInvisible(visible);
    if (materialiseVisibleRows(visible)) {
        // Measuring moved the rows below: place them again and let go of what left the view.
        recomputeOffsets();
        recycleInvisible(visible);
        materialiseVisibleRows(visible);
    }
    for (const auto& [indexPath, cell] : visible_) placeCell(*cell, indexPath);
    placeHeaders(visible);
    placeIndexStrip();
    tiling_ = false;
}

void TableView::recycleInvisible(const gfx::Rect& visible) {
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (isValid(it->first) && !rectForRowAtIndexPath(it->first).intersection(visible).isEmpty()) {
            ++it;
            continue;
        }
        if (highlighted_ == it->first) unhighlight();
        auto cell = it->second;
        it = visible_.erase(it);
        recycle(cell);
    }
}

void TableView::recycle(const std::shared_ptr<TableViewCell>& cell) {
    cell->removeFromSuperview();
    cell->setHighlighted(false, false);
    cell->setSelected(false, false);
    cell->setAlpha(1);
    pool_.enqueue(cell, cell->reuseIdentifier());
}

// Walks the rows from the first one in sight to the last, making the missing cells. Returns
// whether a measured height differed from its estimate (rows below have moved).
bool TableView::materialiseVisibleRows(const gfx::Rect& visible) {
    auto first = firstRowAtOrBelow(visible.y);
    if (!first) return false;
    bool moved = false;
    double y = rectForRowAtIndexPath(*first).y;
    IndexPath at = *first;
    while (at.section < static_cast<int>(sections_.size()) && y < visible.maxY()) {
        Section& section = sections_[static_cast<std::size_t>(at.section)];
        if (at.row >= static_cast<int>(section.rowHeights.size())) {
            at = {at.section + 1, 0};
            if (at.section < static_cast<int>(sections_.size()))
                y += sections_[static_cast<std::size_t>(at.section)].headerHeight;
            continue;
        }
        auto r = static_cast<std::size_t>(at.row);
        if (!visible_.count(at)) {
            double before = section.rowHeights[r];
            auto cell = makeCell(at);
            visible_.emplace(at, cell);
            moved = moved || section.rowHeights[r] != before;
        }
        y += section.rowHeights[r];
        at.row += 1;
    }
    return moved;
}

std::shared_ptr<TableViewCell> TableView::makeCell(IndexPath indexPath) {
    auto dataSource = dataSource_.lock();
    auto cell = dataSource ? dataSource->cellForRowAtIndexPath(*this, indexPath) : nullptr;
    if (!cell) {
        base::Log::line("ui: a table's data source gave no cell for a row; showing an empty one");
        cell = TableViewCell::create(TableViewCellStyle::Default, {});
    }
    if (cell->superview()) cell->removeFromSuperview();  // a cell handed out twice
    measure(*cell, indexPath);
    cell->setSelected(selected_ == indexPath, false);
    if (fadingSections_.count(indexPath.section)) cell->setAlpha(0);
    placeCell(*cell, indexPath);
    insertSubview(cell, 0);
    gate_.sendWhenIdle([this, cell, indexPath] {
        if (auto delegate = delegate_.lock()) delegate->willDisplayCell(*this, *cell, indexPath);
    });
    return cell;
}

void TableView::measure(TableViewCell& cell, IndexPath indexPath) {
    Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
    auto row = static_cast<std::size_t>(indexPath.row);
    if (!section.automatic[row] || section.measured[row]) return;
    double width = contentWidthForRows();
    cell.setFrame({0, 0, width, section.rowHeights[row]});
    double height = cell.contentView()->systemLayoutSizeFitting({width, 0}).height;
    section.rowHeights[row] = height > 0 ? height : kDefaultRowHeight;
    section.measured[row] = true;
}

double TableView::contentWidthForRows() const {
    double width = bounds().width;
    return style_ == Style::InsetGrouped ? std::max(0.0, width - 2 * kInsetGroupedMargin) : width;
}

void TableView::placeCell(TableViewCell& cell, IndexPath indexPath) {
    gfx::Rect frame = rectForRowAtIndexPath(indexPath);
    cell.setFrame(frame);
    placeSeparator(cell, indexPath);
    if (style_ != Style::InsetGrouped) return;
    const Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
    unsigned corners = 0;
    if (indexPath.row == 0) corners |= gfx::TopLeftCorner | gfx::TopRightCorner;
    if (indexPath.row + 1 == static_cast<int>(section.rowHeights.size()))
        corners |= gfx::BottomLeftCorner | gfx::BottomRightCorner;
    cell.layer().setCornerRadius(corners ? kInsetGroupedCornerRadius : 0);
    cell.layer().setMaskedCorners(corners);
    cell.setClipsToBounds(corners != 0);
}

// Plain and grouped tables run the hairline along every row's bottom; grouped styles end a
// section without one.
void TableView::placeSeparator(TableViewCell& cell, IndexPath indexPath) {
    bool shown = separatorStyle_ == SeparatorStyle::SingleLine;
    if (shown && style_ != Style::Plain) {
        const Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
        shown = indexPath.row + 1 < static_cast<int>(section.rowHeights.size());
    }
    auto window = this->window();
    double hairline = 1 / (window && window->scale() > 0 ? window->scale() : 1.0);
    TableSeparatorView::update(cell, shown, separatorInset_, hairline);
}

// Where a section's header stands now. A plain header sticks to the top of the visible area
// (below the content inset) while its section passes, but never above its own place nor
// below the point where the next section's header pushes it up.
gfx::Rect TableView::headerFrameForSection(int index, const gfx::Rect& visible) {
    gfx::Rect rect = rectForHeaderInSection(index);
    if (style_ != Style::Plain || rect.height <= 0) return rect;
    double top = visible.y + adjustedContentInset().top;
    double pushedTo = sections_[static_cast<std::size_t>(index)].bottom - rect.height;
    rect.y = std::max(rect.y, std::min(top, pushedTo));
    return rect;
}

void TableView::placeHeaders(const gfx::Rect& visible) {
    for (int index = 0; index < static_cast<int>(sections_.size()); ++index) {
        Section& section = sections_[static_cast<std::size_t>(index)];
        gfx::Rect rect = headerFrameForSection(index, visible);
        bool inSight = !rect.intersection(visible).isEmpty();
        auto header = inSight ? headerFor(index, section) : section.header;
        if (!header) continue;
        if (!inSight) {
            if (header->superview().get() == this) header->removeFromSuperview();
            continue;
        }
        if (section.title && style_ != Style::Plain)
            rect = {rect.x + kHeaderTextInset, rect.y, rect.width - 2 * kHeaderTextInset, rect.height};
        header->setFrame(rect);
        if (header->superview().get() != this) addSubview(header);
    }
}

// ---- Geometry queries ----

bool TableView::isValid(IndexPath indexPath) const {
    return indexPath.section >= 0 && indexPath.section < static_cast<int>(sections_.size()) &&
           indexPath.row >= 0 &&
           indexPath.row <
               static_cast<int>(sections_[static_cast<std::size_t>(indexPath.section)].rowHeights.size());
}

int TableView::numberOfSections() {
    ensureModel();
    return static_cast<int>(sections_.size());
}

int TableView::numberOfRowsInSection(int section) {
    ensureModel();
    if (section < 0 || section >= static_cast<int>(sections_.size())) return 0;
    return static_cast<int>(sections_[static_cast<std::size_t>(section)].rowHeights.size());
}

gfx::Rect TableView::rectForRowAtIndexPath(IndexPath indexPath) {
    ensureModel();
    if (!isValid(indexPath)) return {};
    const Section& section = sections_[static_cast<std::size_t>(indexPath.section)];
    auto row = static_cast<std::size_t>(indexPath.row);
    double x = style_ == Style::InsetGrouped ? kInsetGroupedMargin : 0;
    return {x, section.rowTops[row], contentWidthForRows(), section.rowHeights[row]};
}

gfx::Rect TableView::rectForHeaderInSection(int section) {
    ensureModel();
    if (section < 0 || section >= static_cast<int>(sections_.size())) return {};
    const Section& s = sections_[static_cast<std::size_t>(section)];
    return {0, s.headerTop, bounds().width, s.headerHeight};
}

// The first row whose bottom lies below `y` (binary searches over sections, then rows).
std::optional<IndexPath> TableView::firstRowAtOrBelow(double y) const {
    auto section = std::find_if(sections_.begin(), sections_.end(),
                                [y](const Section& s) { return s.bottom > y && !s.rowHeights.empty(); });
    if (section == sections_.end()) return std::nullopt;
    std::size_t row = 0;
    auto bottomOf = [&](std::size_t r) { return section->rowTops[r] + section->rowHeights[r]; };
    std::size_t low = 0, high = section->rowTops.size() - 1;
    while (low < high) {
        std::size_t mid = (low + high) / 2;
        if (bottomOf(mid) > y) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    row = low;
    return IndexPath{static_cast<int>(section - sections_.begin()), static_cast<int>(row)};
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(gfx::Point point) {
    ensureModel();
    auto found = firstRowAtOrBelow(point.y);
    if (!found || !rectForRowAtIndexPath(*found).contains(point)) return std::nullopt;
    return found;
}

std::shared_ptr<TableViewCell> TableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    auto it = visible_.find(indexPath);
    return it == visible_.end() ? nullptr : it->second;
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell& cell) const {
    for (const auto& [indexPath, visibleCell] : visible_) {
        if (visibleCell.get() == &cell) return indexPath;
    }
    return std::nullopt;
}

std::vector<std::shared_ptr<TableViewCell>> TableView::visibleCells() const {
    auto cells = std::views::values(visible_);
    return {cells.begin(), cells.end()};
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
    auto paths = std::views::keys(visible_);
    return {paths.begin(), paths.end()};
}

std::shared_ptr<View> TableView::headerViewForSection(int section) const {
    if (section < 0 || section >= static_cast<int>(sections_.size())) return nullptr;
    const auto& header = sections_[static_cast<std::size_t>(section)].header;
    return header && header->superview().get() == this ? header : nullptr;
}

void TableView::scrollToRowAtIndexPath(IndexPath indexPath, bool animated) {
    gfx::Rect rect = rectForRowAtIndexPath(indexPath);
    if (rect.isEmpty()) return;
    scrollContentToTop(rect.y, animated);
}

// The top of the visible area is below the content inset, so content at `y` shows there when
// the offset is `y` less that inset.
void TableView::scrollContentToTop(double y, bool animated) {
    auto limits = offsetLimits();
    double offset = y - adjustedContentInset().top;
    setContentOffset({contentOffset().x, std::clamp(offset, limits.min.y, limits.max.y)}, animated);
}

void TableView::scrollToSectionIndexTitle(int index) {
    auto dataSource = dataSource_.lock();
    if (!dataSource || index < 0 || index >= static_cast<int>(indexTitles_.size())) return;
    int section =
        dataSource->sectionForSectionIndexTitle(*this, indexTitles_[static_cast<std::size_t>(index)], index);
    if (section < 0 || section >= static_cast<int>(sections_.size())) return;
    scrollContentToTop(rectForHeaderInSection(section).y, false);
}

// The strip floats over the visible area less the content inset, at the trailing edge, above
// the rows and headers; it exists only while there are titles.
void TableView::placeIndexStrip() {
    if (indexTitles_.empty()) {
        if (indexStrip_) indexStrip_->removeFromSuperview();
        indexStrip_.reset();
        return;
    }
    if (!indexStrip_) {
        indexStrip_ = TableIndexStrip::create();
        indexStrip_->setTextColor(sectionIndexColor_);
        indexStrip_->setBackgroundColor(sectionIndexBackgroundColor_);
        std::weak_ptr<View> weakSelf = weak_from_this();
        indexStrip_->setOnPick([weakSelf](int index) {
            if (auto self = std::static_pointer_cast<TableView>(weakSelf.lock()))
                self->scrollToSectionIndexTitle(index);
        });
    }
    if (indexStrip_->titles() != indexTitles_) indexStrip_->setTitles(indexTitles_);
    gfx::Rect visible = bounds();
    EdgeInsets inset = adjustedContentInset();
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    double width = TableIndexStrip::kWidth;
    indexStrip_->setFrame({rightToLeft ? visible.x : visible.maxX() - width, visible.y + inset.top, width,
                           std::max(0.0, visible.height - inset.top - inset.bottom)});
    if (indexStrip_->superview().get() != this || subviews().back() != indexStrip_) addSubview(indexStrip_);
}

// ---- Selection ----

void TableView::selectRowAtIndexPath(IndexPath indexPath, bool animated) {
    if (!isValid(indexPath)) return;
    if (selected_ && *selected_ != indexPath) deselectRowAtIndexPath(*selected_, animated);
    selected_ = indexPath;
    if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(true, animated);
}

void TableView::deselectRowAtIndexPath(IndexPath indexPath, bool animated) {
    if (selected_ != indexPath) return;
    selected_.reset();
    if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(false, animated);
}

// Headers (a pinned one above all) may cover rows: a touch on them is not for the row below.
bool TableView::touchIsOnHeader(gfx::Point point) const {
    for (const Section& section : sections_) {
        if (section.header && section.header->superview().get() == this &&
            section.header->frame().contains(point))
            return true;
    }
    return false;
}

void TableView::touchesBegan(const Touches& touches) {
    auto self = shared_from_this();
    gfx::Point point = touches.front().locationInView(this);
    unhighlight();
    if (touchIsOnHeader(point)) return;
    auto indexPath = indexPathForRowAtPoint(point);
    auto delegate = delegate_.lock();
    if (!indexPath || (delegate && !delegate->shouldHighlightRowAtIndexPath(*this, *indexPath))) return;
    highlighted_ = indexPath;
    if (auto cell = cellForRowAtIndexPath(*indexPath)) cell->setHighlighted(true, false);
    if (delegate) delegate->didHighlightRowAtIndexPath(*this, *indexPath);
}

// A finger that slides off its row lets go of it.
void TableView::touchesMoved(const Touches& touches) {
    if (!highlighted_) return;
    if (!rectForRowAtIndexPath(*highlighted_).contains(touches.front().locationInView(this))) unhighlight();
}

void TableView::touchesEnded(const Touches&) {
    if (!highlighted_) return;
    auto self = shared_from_this();
    IndexPath indexPath = *highlighted_;
    unhighlight();
    auto delegate = delegate_.lock();
    if (selected_ && *selected_ != indexPath) {
        IndexPath previous = *selected_;
        deselectRowAtIndexPath(previous, false);
        if (delegate) delegate->didDeselectRowAtIndexPath(*this, previous);
    }
    selectRowAtIndexPath(indexPath, false);
    if (delegate) delegate->didSelectRowAtIndexPath(*this, indexPath);
}

void TableView::touchesCancelled(const Touches&) { unhighlight(); }

void TableView::unhighlight() {
    if (!highlighted_) return;
    IndexPath indexPath = *highlighted_;
    highlighted_.reset();
    if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setHighlighted(false, false);
    gate_.sendWhenIdle([this, indexPath] {
        if (auto delegate = delegate_.lock()) delegate->didUnhighlightRowAtIndexPath(*this, indexPath);
    });
}

// ---- Cross-dissolve of reloaded sections ----

void TableView::startFade(std::vector<std::shared_ptr<TableViewCell>> outgoing,
                          const std::set<int>& sections) {
    fadingOut_ = std::move(outgoing);
    fadingSections_ = sections;
    for (const auto& [indexPath, cell] : visible_) {
        if (sections.count(indexPath.section)) cell->setAlpha(0);
    }
    auto& loop = base::RunLoop::main();
    fadeStart_ = loop.now();
    std::weak_ptr<View> weakSelf = weak_from_this();
    fadeTimer_ = loop.scheduleRepeating(kFrameInterval, [weakSelf] {
        if (auto self = std::static_pointer_cast<TableView>(weakSelf.lock())) self->stepFade();
    });
}

void TableView::stepFade() {
    double elapsed = std::chrono::duration<double>(base::RunLoop::main().now() - fadeStart_).count();
    double progress = std::min(elapsed / kFadeDuration, 1.0);
    for (const auto& cell : fadingOut_) cell->setAlpha(1 - progress);
    for (const auto& [indexPath, cell] : visible_) {
        if (fadingSections_.count(indexPath.section)) cell->setAlpha(progress);
    }
    if (progress >= 1) finishFade();
}

void TableView::finishFade() {
    if (fadeTimer_) base::RunLoop::main().cancel(fadeTimer_);
    fadeTimer_ = 0;
    for (const auto& [indexPath, cell] : visible_) {
        if (fadingSections_.count(indexPath.section)) cell->setAlpha(1);
    }
    auto outgoing = std::move(fadingOut_);
    fadingOut_.clear();
    fadingSections_.clear();
    for (const auto& cell : outgoing) recycle(cell);
}

}  // namespace ui
