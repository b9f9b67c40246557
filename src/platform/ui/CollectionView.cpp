#include "ui/CollectionView.h"

#include <algorithm>

#include "base/Log.h"
#include "ui/PanGestureRecognizer.h"
#include "ui/Touch.h"

namespace ui {

std::shared_ptr<CollectionView> CollectionView::create(std::shared_ptr<CollectionViewFlowLayout> layout) {
    std::shared_ptr<CollectionView> view(new CollectionView(std::move(layout)));
    view->addGestureRecognizer(view->panGestureRecognizer());
    return view;
}

CollectionView::CollectionView(std::shared_ptr<CollectionViewFlowLayout> layout)
    : layout_(layout ? std::move(layout) : CollectionViewFlowLayout::create()) {}

ListTouchTracker::Hooks CollectionView::touchHooks() {
    ListTouchTracker::Hooks hooks;
    hooks.itemAt = [this](gfx::Point point) { return indexPathForItemAtPoint(point); };
    hooks.shouldHighlight = [this](IndexPath indexPath) {
        auto delegate = delegate_.lock();
        return !delegate || delegate->shouldHighlightItemAtIndexPath(*this, indexPath);
    };
    hooks.showHighlight = [this](IndexPath indexPath, bool highlighted) {
        if (auto cell = cellForItemAtIndexPath(indexPath)) cell->setHighlighted(highlighted);
    };
    hooks.showSelection = [this](IndexPath indexPath, bool selected, bool) {
        if (auto cell = cellForItemAtIndexPath(indexPath)) cell->setSelected(selected);
    };
    auto tell = [this](void (CollectionViewDelegate::*notice)(CollectionView&, IndexPath)) {
        return [this, notice](IndexPath indexPath) {
            if (auto delegate = delegate_.lock()) ((*delegate).*notice)(*this, indexPath);
        };
    };
    hooks.didHighlight = tell(&CollectionViewDelegate::didHighlightItemAtIndexPath);
    hooks.didUnhighlight = tell(&CollectionViewDelegate::didUnhighlightItemAtIndexPath);
    hooks.didSelect = tell(&CollectionViewDelegate::didSelectItemAtIndexPath);
    hooks.didDeselect = tell(&CollectionViewDelegate::didDeselectItemAtIndexPath);
    hooks.keepAlive = [this] { return std::shared_ptr<const void>(shared_from_this()); };
    return hooks;
}

void CollectionView::setDataSource(const std::weak_ptr<CollectionViewDataSource>& dataSource) {
    dataSource_ = dataSource;
    reloadData();
}

void CollectionView::setDelegate(const std::weak_ptr<CollectionViewDelegate>& delegate) {
    delegate_ = delegate;
    ScrollView::setDelegate(std::weak_ptr<ScrollViewDelegate>(delegate.lock()));
    reloadData();
}

void CollectionView::registerCell(const std::string& identifier, CellFactory factory) {
    cells_.registerFactory(identifier, std::move(factory));
}

void CollectionView::registerSupplementaryView(const std::string& kind, const std::string& identifier,
                                               SupplementaryFactory factory) {
    headers_.registerFactory(kind + "/" + identifier, std::move(factory));
}

std::shared_ptr<CollectionViewCell> CollectionView::dequeueReusableCell(const std::string& identifier,
                                                                        IndexPath) {
    auto cell = cells_.dequeue(identifier);
    if (cell) cell->setReuseIdentifier(identifier);
    return cell;
}

std::shared_ptr<CollectionReusableView> CollectionView::dequeueReusableSupplementaryView(
    const std::string& kind, const std::string& identifier, IndexPath) {
    auto view = headers_.dequeue(kind + "/" + identifier);
    if (view) view->setReuseIdentifier(kind + "/" + identifier);
    return view;
}

ListCallbackGate::Scope CollectionView::busyScope() { return {gate_, shared_from_this()}; }

bool CollectionView::applyDeferredReload() {
    if (!pendingReload_) return false;
    pendingReload_ = false;
    reloadData();
    return true;
}

// Asked for while the view walks its own state (from one of its callbacks), a reload waits for
// the walk to end.
void CollectionView::reloadData() {
    if (gate_.busy()) {
        pendingReload_ = true;
        return;
    }
    auto busy = busyScope();
    touches_.unhighlight();
    cells_.recycleAll();
    headers_.recycleAll();
    touches_.forgetSelection();
    countsValid_ = false;
    layoutValid_ = false;
    setNeedsLayout();
    if (window()) tile();
}

void CollectionView::putBackCell(CollectionViewCell& cell) {
    cell.removeFromSuperview();
    cell.setSelected(false);
    cell.setHighlighted(false);
}

void CollectionView::putBackHeader(CollectionReusableView& header) { header.removeFromSuperview(); }

// The counts are asked for aside and swapped in whole: a data source that asks the view about
// itself meanwhile sees the previous counts.
void CollectionView::rebuildCounts() {
    auto busy = busyScope();
    auto dataSource = dataSource_.lock();
    building_ = true;
    ListModel counts;
    int sections = dataSource ? std::max(0, dataSource->numberOfSections(*this)) : 0;
    for (int section = 0; section < sections; ++section) {
        counts.addSection(0);
        int items = dataSource ? std::max(0, dataSource->numberOfItemsInSection(*this, section)) : 0;
        for (int item = 0; item < items; ++item) counts.addItem(0);
    }
    building_ = false;
    counts_ = std::move(counts);
    countsValid_ = true;
}

int CollectionView::numberOfSections() {
    if (!countsValid_ && !building_ && !tiling_) rebuildCounts();
    return counts_.sectionCount();
}

int CollectionView::numberOfItemsInSection(int section) {
    numberOfSections();
    return counts_.itemCount(section);
}

// Never while the view walks its items (their positions come from this layout): the next
// layout pass catches up.
void CollectionView::ensureLayout() {
    if (tiling_ || building_) return;
    if (layoutValid_ && bounds().size() == layoutSize_) return;
    auto busy = busyScope();
    if (layoutValid_) {
        // Resized: every frame moves.
        cells_.recycleAll();
        headers_.recycleAll();
    }
    numberOfSections();
    layoutValid_ = true;
    layoutSize_ = bounds().size();  // a resize while the delegate is asked shows on the next pass
    building_ = true;               // the counts stay fixed while the layout asks for sizes
    layout_->prepare(*this);
    building_ = false;
    setContentSize(layout_->contentSize());
}

void CollectionView::layoutSubviews() {
    tile();
    ScrollView::layoutSubviews();
}

void CollectionView::contentOffsetDidChange() {
    ScrollView::contentOffsetDidChange();
    tile();
}

bool CollectionView::isInSight(const std::optional<gfx::Rect>& frame) const {
    return frame && !frame->intersection(bounds()).isEmpty();
}

// 1. Let go of the items and headers that left the visible area; 2. make views for those that
// came into it. Views that stay are left where they are.
void CollectionView::tile() {
    if (tiling_) return;
    auto busy = busyScope();
    ensureLayout();
    tiling_ = true;
    if (auto highlighted = touches_.highlighted();
        highlighted && !isInSight(layout_->frameForItem(*highlighted)))
        touches_.unhighlight();
    cells_.recycleUnless(
        [&](const IndexPath& indexPath) { return isInSight(layout_->frameForItem(indexPath)); });
    headers_.recycleUnless([&](int section) { return isInSight(layout_->frameForHeader(section)); });

    for (const auto& attributes : layout_->attributesInRect(bounds())) {
        if (attributes.isHeader) {
            if (headers_.isShown(attributes.indexPath.section)) continue;
            if (auto header = makeHeader(attributes.indexPath)) {
                header->setFrame(attributes.frame);
                headers_.show(attributes.indexPath.section, header);
            }
        } else if (!cells_.isShown(attributes.indexPath)) {
            auto cell = makeCell(attributes.indexPath);
            cell->setFrame(attributes.frame);
            cells_.show(attributes.indexPath, cell);
        }
    }
    tiling_ = false;
}

std::shared_ptr<CollectionViewCell> CollectionView::makeCell(IndexPath indexPath) {
    auto dataSource = dataSource_.lock();
    auto cell = dataSource ? dataSource->cellForItemAtIndexPath(*this, indexPath) : nullptr;
    if (!cell) {
        base::Log::line("ui: a collection's data source gave no cell for an item; showing an empty one");
        cell = CollectionViewCell::create();
    }
    if (cell->superview()) cell->removeFromSuperview();  // a cell handed out twice
    if (auto shownAt = cells_.keyOf(*cell))
        cells_.takeUnless([&](const IndexPath& at) { return at != *shownAt; });
    cell->setSelected(touches_.selected() == indexPath);
    insertSubview(cell, 0);
    return cell;
}

std::shared_ptr<CollectionReusableView> CollectionView::makeHeader(IndexPath indexPath) {
    auto dataSource = dataSource_.lock();
    auto header =
        dataSource ? dataSource->viewForSupplementaryElement(*this, kSectionHeader, indexPath) : nullptr;
    if (!header) return nullptr;
    if (header->superview()) header->removeFromSuperview();
    if (auto shownAt = headers_.keyOf(*header)) headers_.takeUnless([&](int at) { return at != *shownAt; });
    addSubview(header);
    return header;
}

std::optional<IndexPath> CollectionView::indexPathForItemAtPoint(gfx::Point point) {
    ensureLayout();
    return layout_->itemAtPoint(point);
}

std::shared_ptr<CollectionViewCell> CollectionView::cellForItemAtIndexPath(IndexPath indexPath) const {
    return cells_.viewAt(indexPath);
}

std::vector<std::shared_ptr<CollectionViewCell>> CollectionView::visibleCells() const {
    return cells_.views();
}

std::vector<IndexPath> CollectionView::indexPathsForVisibleItems() const { return cells_.keys(); }

std::shared_ptr<CollectionReusableView> CollectionView::headerForSection(int section) const {
    return headers_.viewAt(section);
}

void CollectionView::selectItemAtIndexPath(IndexPath indexPath, bool animated) {
    if (counts_.contains(indexPath)) touches_.select(indexPath, animated);
}

void CollectionView::deselectItemAtIndexPath(IndexPath indexPath, bool animated) {
    touches_.deselect(indexPath, animated);
}

void CollectionView::touchesBegan(const Touches& touches) {
    touches_.began(touches.front().locationInView(this));
}

void CollectionView::touchesMoved(const Touches& touches) {
    touches_.moved(touches.front().locationInView(this));
}

void CollectionView::touchesEnded(const Touches&) { touches_.ended(); }

void CollectionView::touchesCancelled(const Touches&) { touches_.cancelled(); }

}  // namespace ui
