#include "ui/TableView.h"

#include <algorithm>
#include <cmath>

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
}  // namespace

std::shared_ptr<TableView> TableView::create(Style style) {
    std::shared_ptr<TableView> table(new TableView(style));
    table->addGestureRecognizer(table->panGestureRecognizer());
    return table;
}

TableView::TableView(Style style) : style_(style) { setAlwaysBounceVertical(true); }

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

ListTouchTracker::Hooks TableView::touchHooks() {
    ListTouchTracker::Hooks hooks;
    hooks.itemAt = [this](gfx::Point point) -> std::optional<IndexPath> {
        if (touchIsOnHeader(point)) return std::nullopt;
        return indexPathForRowAtPoint(point);
    };
    hooks.shouldHighlight = [this](IndexPath indexPath) {
        auto delegate = delegate_.lock();
        return !delegate || delegate->shouldHighlightRowAtIndexPath(*this, indexPath);
    };
    hooks.showHighlight = [this](IndexPath indexPath, bool highlighted) {
        if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setHighlighted(highlighted, false);
    };
    hooks.showSelection = [this](IndexPath indexPath, bool selected, bool animated) {
        if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(selected, animated);
    };
    auto tell = [this](void (TableViewDelegate::*notice)(TableView&, IndexPath)) {
        return [this, notice](IndexPath indexPath) {
            if (auto delegate = delegate_.lock()) ((*delegate).*notice)(*this, indexPath);
        };
    };
    hooks.didHighlight = tell(&TableViewDelegate::didHighlightRowAtIndexPath);
    hooks.didUnhighlight = tell(&TableViewDelegate::didUnhighlightRowAtIndexPath);
    hooks.didSelect = tell(&TableViewDelegate::didSelectRowAtIndexPath);
    hooks.didDeselect = tell(&TableViewDelegate::didDeselectRowAtIndexPath);
    hooks.keepAlive = [this] { return std::shared_ptr<const void>(shared_from_this()); };
    return hooks;
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
    tiler_.registerFactory(identifier, std::move(factory));
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(const std::string& identifier) {
    return tiler_.dequeue(identifier);
}

// ---- The model: sections, row heights and their positions ----

void TableView::reloadData() {
    if (gate_.busy()) {
        pendingReloadAll_ = true;
        return;
    }
    auto busy = busyScope();
    touches_.unhighlight();
    finishFade();
    tiler_.recycleAll();
    touches_.forgetSelection();
    modelValid_ = false;
    forgetMeasured_ = true;
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
        if (section >= 0 && section < model_.sectionCount()) reloaded.insert(section);
    }
    if (reloaded.empty()) return;
    touches_.unhighlight();
    if (auto selected = touches_.selected(); selected && reloaded.count(selected->section))
        touches_.forgetSelection();
    finishFade();
    auto outgoing =
        tiler_.takeUnless([&](const IndexPath& indexPath) { return !reloaded.count(indexPath.section); });
    if (animation == RowAnimation::None) tiler_.recycle(std::exchange(outgoing, {}));
    rebuildModel(reloaded, true);
    tile();
    if (animation != RowAnimation::None) startFade(std::move(outgoing), reloaded);
}

// The model is rebuilt when asked for and stale, but never while the table walks its rows:
// the walk holds positions in the model, and the next layout pass rebuilds it.
void TableView::ensureModel() {
    if (tiling_ || building_) return;
    if (bounds().width != modelWidth_) {
        // Measured heights depend on the width.
        tiler_.recycleAll();
        modelValid_ = false;
        forgetMeasured_ = true;
    }
    if (!modelValid_) rebuildModel({}, !std::exchange(forgetMeasured_, false));
}

// The new sections are built aside and swapped in at the end: a data source that asks the
// table about itself meanwhile sees the previous, whole model.
void TableView::rebuildModel(const std::set<int>& reloaded, bool keepMeasured) {
    auto busy = busyScope();
    auto dataSource = dataSource_.lock();
    building_ = true;
    // Marked valid first: a change made while the data source is asked (a new estimate, a table
    // header) marks it stale again for the next pass.
    modelValid_ = true;
    modelWidth_ = bounds().width;
    ListModel model;
    std::vector<Section> sections;
    std::vector<std::string> titles;
    model.setLeadingExtent(tableHeaderView_ ? tableHeaderView_->frame().height : 0);
    int count = dataSource ? std::max(0, dataSource->numberOfSections(*this)) : 0;
    for (int index = 0; index < count; ++index) {
        sections.push_back(buildSection(index, model));
        bool keep = keepMeasured && !reloaded.count(index) && index < model_.sectionCount() &&
                    model_.itemCount(index) == model.itemCount(index) &&
                    static_cast<std::size_t>(index) < sections_.size();
        if (!keep) continue;
        Section& section = sections.back();
        const Section& previous = sections_[static_cast<std::size_t>(index)];
        for (int row = 0; row < model.itemCount(index); ++row) {
            if (!previous.measured[static_cast<std::size_t>(row)]) continue;
            section.measured[static_cast<std::size_t>(row)] = true;
            model.setItemExtent({index, row}, model_.itemExtent({index, row}));
        }
        section.header = previous.header;
        section.askedForHeader = previous.askedForHeader;
    }
    if (dataSource) titles = dataSource->sectionIndexTitles(*this);
    building_ = false;
    model_ = std::move(model);
    for (const Section& previous : std::exchange(sections_, std::move(sections))) {
        bool carried = std::any_of(sections_.begin(), sections_.end(),
                                   [&](const Section& section) { return section.header == previous.header; });
        if (previous.header && !carried && previous.header->superview().get() == this)
            previous.header->removeFromSuperview();
    }
    indexTitles_ = std::move(titles);
    updateContentSize();
}

TableView::Section TableView::buildSection(int index, ListModel& model) {
    auto dataSource = dataSource_.lock();
    auto delegate = delegate_.lock();
    Section section;
    int rows = dataSource ? std::max(0, dataSource->numberOfRowsInSection(*this, index)) : 0;
    section.title = dataSource ? dataSource->titleForHeaderInSection(*this, index) : std::nullopt;
    model.addSection(headerHeightFor(index, section));
    section.measured.assign(static_cast<std::size_t>(rows), false);
    section.automatic.assign(static_cast<std::size_t>(rows), false);
    for (int row = 0; row < rows; ++row) {
        std::optional<double> asked =
            delegate ? delegate->heightForRowAtIndexPath(*this, {index, row}) : std::nullopt;
        double height = asked.value_or(rowHeight_);
        if (height == kAutomaticDimension) {
            section.automatic[static_cast<std::size_t>(row)] = true;
            height = estimatedRowHeight_;
        }
        model.addItem(std::isfinite(height) && height >= 0 ? height : kDefaultRowHeight);
    }
    return section;
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

void TableView::updateContentSize() {
    gfx::Size size{bounds().width, model_.totalExtent()};
    if (contentSize() != size) setContentSize(size);
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

// 1. Let go of the rows that left the visible area; 2. make cells for the rows that came into
// it (measuring self-sizing ones, which moves the rows below, so this repeats a few times until
// the rows in sight stand still); 3. place rows, headers and the index strip.
void TableView::tile() {
    if (tiling_) return;  // a data source that scrolls the table while it is asked for a cell
    auto busy = busyScope();
    ensureModel();
    tiling_ = true;
    gfx::Rect visible = bounds();
    if (tableHeaderView_) {
        gfx::Rect frame = tableHeaderView_->frame();
        tableHeaderView_->setFrame({0, 0, visible.width, frame.height});
    }
    constexpr int kMeasurePasses = 4;
    for (int pass = 0; pass < kMeasurePasses; ++pass) {
        recycleInvisible(visible);
        if (!materialiseVisibleRows(visible)) break;
    }
    recycleInvisible(visible);
    for (const auto& [indexPath, cell] : tiler_.shown()) placeCell(*cell, indexPath);
    placeHeaders(visible);
    placeIndexStrip();
    tiling_ = false;
    updateContentSize();
}

void TableView::recycleInvisible(const gfx::Rect& visible) {
    if (auto highlighted = touches_.highlighted();
        highlighted && !model_.itemIsInBand(*highlighted, visible.y, visible.maxY()))
        touches_.unhighlight();
    tiler_.recycleUnless([&](const IndexPath& indexPath) {
        return model_.itemIsInBand(indexPath, visible.y, visible.maxY());
    });
}

void TableView::putBack(TableViewCell& cell) {
    cell.removeFromSuperview();
    cell.setHighlighted(false, false);
    cell.setSelected(false, false);
    cell.setAlpha(1);
}

// Makes the missing cells of the rows in sight. Returns whether a measured height differed
// from its estimate (rows below have moved).
bool TableView::materialiseVisibleRows(const gfx::Rect& visible) {
    bool moved = false;
    for (IndexPath indexPath : model_.itemsInBand(visible.y, visible.maxY())) {
        if (tiler_.isShown(indexPath)) continue;
        double before = model_.itemExtent(indexPath);
        auto cell = makeCell(indexPath);
        tiler_.show(indexPath, cell);
        moved = moved || model_.itemExtent(indexPath) != before;
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
    if (auto shownAt = tiler_.keyOf(*cell))
        tiler_.takeUnless([&](const IndexPath& at) { return at != *shownAt; });
    measure(*cell, indexPath);
    cell->setSelected(touches_.selected() == indexPath, false);
    placeCell(*cell, indexPath);
    insertSubview(cell, 0);
    gate_.sendWhenIdle([this, cell, indexPath] {
        if (auto delegate = delegate_.lock()) delegate->willDisplayCell(*this, *cell, indexPath);
    });
    return cell;
}

void TableView::measure(TableViewCell& cell, IndexPath indexPath) {
    auto section = static_cast<std::size_t>(indexPath.section);
    auto row = static_cast<std::size_t>(indexPath.row);
    if (!sections_[section].automatic[row] || sections_[section].measured[row]) return;
    double width = contentWidthForRows();
    cell.setFrame({0, 0, width, model_.itemExtent(indexPath)});
    double height = cell.contentView()->systemLayoutSizeFitting({width, 0}).height;
    // The cell's own layout code may have run meanwhile; the model it reads is unchanged, as a
    // rebuild waits for the walk to end.
    model_.setItemExtent(indexPath, height > 0 ? height : kDefaultRowHeight);
    sections_[section].measured[row] = true;
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
    unsigned corners = 0;
    if (indexPath.row == 0) corners |= gfx::TopLeftCorner | gfx::TopRightCorner;
    if (indexPath.row + 1 == model_.itemCount(indexPath.section))
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
        shown = indexPath.row + 1 < model_.itemCount(indexPath.section);
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
    double pushedTo = model_.sectionEnd(index) - rect.height;
    rect.y = std::max(rect.y, std::min(top, pushedTo));
    return rect;
}

void TableView::placeHeaders(const gfx::Rect& visible) {
    for (int index = 0; index < static_cast<int>(sections_.size()); ++index) {
        gfx::Rect rect = headerFrameForSection(index, visible);
        bool inSight = !rect.intersection(visible).isEmpty();
        // Made on demand by the delegate; the section is looked up again after that.
        auto header = inSight ? headerFor(index, sections_[static_cast<std::size_t>(index)])
                              : sections_[static_cast<std::size_t>(index)].header;
        const Section& section = sections_[static_cast<std::size_t>(index)];
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

int TableView::numberOfSections() {
    ensureModel();
    return model_.sectionCount();
}

int TableView::numberOfRowsInSection(int section) {
    ensureModel();
    return model_.itemCount(section);
}

gfx::Rect TableView::rectForRowAtIndexPath(IndexPath indexPath) {
    ensureModel();
    if (!isValid(indexPath)) return {};
    double x = style_ == Style::InsetGrouped ? kInsetGroupedMargin : 0;
    return {x, model_.itemStart(indexPath), contentWidthForRows(), model_.itemExtent(indexPath)};
}

gfx::Rect TableView::rectForHeaderInSection(int section) {
    ensureModel();
    if (section < 0 || section >= model_.sectionCount()) return {};
    return {0, model_.headerStart(section), bounds().width, model_.headerExtent(section)};
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(gfx::Point point) {
    ensureModel();
    auto found = model_.firstItemEndingAfter(point.y);
    if (!found || !rectForRowAtIndexPath(*found).contains(point)) return std::nullopt;
    return found;
}

std::shared_ptr<TableViewCell> TableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    return tiler_.viewAt(indexPath);
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell& cell) const {
    return tiler_.keyOf(cell);
}

std::vector<std::shared_ptr<TableViewCell>> TableView::visibleCells() const { return tiler_.views(); }

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const { return tiler_.keys(); }

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
    if (section < 0 || section >= model_.sectionCount()) return;
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
    if (isValid(indexPath)) touches_.select(indexPath, animated);
}

void TableView::deselectRowAtIndexPath(IndexPath indexPath, bool animated) {
    touches_.deselect(indexPath, animated);
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

void TableView::touchesBegan(const Touches& touches) { touches_.began(touches.front().locationInView(this)); }

void TableView::touchesMoved(const Touches& touches) { touches_.moved(touches.front().locationInView(this)); }

void TableView::touchesEnded(const Touches&) { touches_.ended(); }

void TableView::touchesCancelled(const Touches&) { touches_.cancelled(); }

// ---- Cross-dissolve of reloaded sections ----

// The outgoing cells fade out above the incoming ones fading in; rows of those sections that
// come into view meanwhile simply appear.
void TableView::startFade(std::vector<std::shared_ptr<TableViewCell>> outgoing,
                          const std::set<int>& sections) {
    fadingOut_ = std::move(outgoing);
    fadingSections_ = sections;
    std::vector<std::shared_ptr<TableViewCell>> incoming;
    for (const auto& [indexPath, cell] : tiler_.shown()) {
        if (sections.count(indexPath.section)) incoming.push_back(cell);
    }
    for (const auto& cell : incoming) cell->setAlpha(0);
    unsigned generation = ++fadeGeneration_;
    std::weak_ptr<View> weakSelf = weak_from_this();
    View::animate(
        kFadeDuration,
        [&] {
            for (const auto& cell : fadingOut_) cell->setAlpha(0);
            for (const auto& cell : incoming) cell->setAlpha(1);
        },
        [weakSelf, generation](bool) {
            auto self = std::static_pointer_cast<TableView>(weakSelf.lock());
            if (self && self->fadeGeneration_ == generation) self->finishFade();
        });
}

// Ends a fade at once (when another reload comes) or after it ran.
void TableView::finishFade() {
    ++fadeGeneration_;
    fadingSections_.clear();
    if (fadingOut_.empty()) return;
    for (const auto& [indexPath, cell] : tiler_.shown()) cell->setAlpha(1);
    tiler_.recycle(std::exchange(fadingOut_, {}));
}

}  // namespace ui
