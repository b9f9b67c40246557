#include "ui/CollectionView.h"

#include <algorithm>
#include <ranges>

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
    cellPool_.registerFactory(identifier, std::move(factory));
}

void CollectionView::registerSupplementaryView(const std::string& kind, const std::string& identifier,
                                               SupplementaryFactory factory) {
    headerPool_.registerFactory(kind + "/" + identifier, std::move(factory));
}

std::shared_ptr<CollectionViewCell> CollectionView::dequeueReusableCell(const std::string& identifier,
                                                                        IndexPath) {
    auto cell = cellPool_.dequeue(identifier);
    if (cell) cell->setReuseIdentifier(identifier);
    return cell;
}

std::shared_ptr<CollectionReusableView> CollectionView::dequeueReusableSupplementaryView(
    const std::string& kind, const std::string& identifier, IndexPath) {
    auto view = headerPool_.dequeue(kind + "/" + identifier);
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
    unhighlight();
    recycleAll();
    selected_.reset();
    layoutValid_ = false;
    setNeedsLayout();
    if (window()) tile();
}

void CollectionView::recycleAll() {
    auto cells = std::exchange(visible_, {});
    auto headers = std::exchange(headers_, {});
    for (auto& [indexPath, cell] : cells) {
        cell->removeFromSuperview();
        cell->setSelected(false);
        cell->setHighlighted(false);
        cellPool_.enqueue(cell, cell->reuseIdentifier());
    }
    for (auto& [section, header] : headers) {
        header->removeFromSuperview();
        headerPool_.enqueue(header, header->reuseIdentifier());
    }
}

int CollectionView::numberOfSections() {
    auto dataSource = dataSource_.lock();
    if (!layoutValid_) {
        itemCounts_.clear();
        int sections = dataSource ? std::max(0, dataSource->numberOfSections(*this)) : 0;
        for (int section = 0; section < sections; ++section)
            itemCounts_.push_back(std::max(0, dataSource->numberOfItemsInSection(*this, section)));
    }
    return static_cast<int>(itemCounts_.size());
}

int CollectionView::numberOfItemsInSection(int section) {
    int sections = numberOfSections();
    return section >= 0 && section < sections ? itemCounts_[static_cast<std::size_t>(section)] : 0;
}

void CollectionView::ensureLayout() {
    if (layoutValid_ && bounds().size() == layoutSize_) return;
    auto busy = busyScope();
    if (layoutValid_) recycleAll();  // resized: every frame moves
    numberOfSections();
    layoutValid_ = true;  // the counts are fixed for this pass
    layoutSize_ = bounds().size();
    layout_->prepare(*this);
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

void CollectionView::tile() {
    if (tiling_) return;
    tiling_ = true;
    auto busy = busyScope();
    ensureLayout();
    gfx::Rect visible = bounds();
    auto inSight = [&](const gfx::Rect& frame) { return !frame.intersection(visible).isEmpty(); };

    // 1. Put back what left the visible area.
    for (auto it = visible_.begin(); it != visible_.end();) {
        auto frame = frameOfItem(it->first);
        if (frame && inSight(*frame)) {
            ++it;
            continue;
        }
        if (highlighted_ == it->first) unhighlight();
        it->second->removeFromSuperview();
        it->second->setSelected(false);
        cellPool_.enqueue(it->second, it->second->reuseIdentifier());
        it = visible_.erase(it);
    }
    for (auto it = headers_.begin(); it != headers_.end();) {
        it->second->removeFromSuperview();
        headerPool_.enqueue(it->second, it->second->reuseIdentifier());
        it = headers_.erase(it);
    }

    // 2. Make what came into it.
    for (const auto& attributes : layout_->attributes()) {
        if (!inSight(attributes.frame)) continue;
        if (attributes.isHeader) {
            if (auto header = makeHeader(attributes.indexPath)) {
                header->setFrame(attributes.frame);
                headers_[attributes.indexPath.section] = header;
            }
        } else if (!visible_.count(attributes.indexPath)) {
            auto cell = makeCell(attributes.indexPath);
            cell->setFrame(attributes.frame);
            visible_.emplace(attributes.indexPath, cell);
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
    if (cell->superview()) cell->removeFromSuperview();
    cell->setSelected(selected_ == indexPath);
    insertSubview(cell, 0);
    return cell;
}

std::shared_ptr<CollectionReusableView> CollectionView::makeHeader(IndexPath indexPath) {
    auto dataSource = dataSource_.lock();
    auto header =
        dataSource ? dataSource->viewForSupplementaryElement(*this, kSectionHeader, indexPath) : nullptr;
    if (!header) return nullptr;
    if (header->superview()) header->removeFromSuperview();
    addSubview(header);
    return header;
}

std::optional<gfx::Rect> CollectionView::frameOfItem(IndexPath indexPath) const {
    for (const auto& attributes : layout_->attributes()) {
        if (!attributes.isHeader && attributes.indexPath == indexPath) return attributes.frame;
    }
    return std::nullopt;
}

std::optional<IndexPath> CollectionView::indexPathForItemAtPoint(gfx::Point point) {
    ensureLayout();
    for (const auto& attributes : layout_->attributes()) {
        if (!attributes.isHeader && attributes.frame.contains(point)) return attributes.indexPath;
    }
    return std::nullopt;
}

std::shared_ptr<CollectionViewCell> CollectionView::cellForItemAtIndexPath(IndexPath indexPath) const {
    auto it = visible_.find(indexPath);
    return it == visible_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<CollectionViewCell>> CollectionView::visibleCells() const {
    auto cells = std::views::values(visible_);
    return {cells.begin(), cells.end()};
}

std::vector<IndexPath> CollectionView::indexPathsForVisibleItems() const {
    auto paths = std::views::keys(visible_);
    return {paths.begin(), paths.end()};
}

std::shared_ptr<CollectionReusableView> CollectionView::headerForSection(int section) const {
    auto it = headers_.find(section);
    return it == headers_.end() ? nullptr : it->second;
}

void CollectionView::selectItemAtIndexPath(IndexPath indexPath) {
    if (selected_ && *selected_ != indexPath) deselectItemAtIndexPath(*selected_);
    selected_ = indexPath;
    if (auto cell = cellForItemAtIndexPath(indexPath)) cell->setSelected(true);
}

void CollectionView::deselectItemAtIndexPath(IndexPath indexPath) {
    if (selected_ != indexPath) return;
    selected_.reset();
    if (auto cell = cellForItemAtIndexPath(indexPath)) cell->setSelected(false);
}

void CollectionView::touchesBegan(const Touches& touches) {
    auto self = shared_from_this();
    unhighlight();
    auto indexPath = indexPathForItemAtPoint(touches.front().locationInView(this));
    auto delegate = delegate_.lock();
    if (!indexPath || (delegate && !delegate->shouldHighlightItemAtIndexPath(*this, *indexPath))) return;
    highlighted_ = indexPath;
    if (auto cell = cellForItemAtIndexPath(*indexPath)) cell->setHighlighted(true);
    if (delegate) delegate->didHighlightItemAtIndexPath(*this, *indexPath);
}

void CollectionView::touchesMoved(const Touches& touches) {
    if (highlighted_ && indexPathForItemAtPoint(touches.front().locationInView(this)) != highlighted_)
        unhighlight();
}

void CollectionView::touchesEnded(const Touches&) {
    if (!highlighted_) return;
    auto self = shared_from_this();
    IndexPath indexPath = *highlighted_;
    unhighlight();
    auto delegate = delegate_.lock();
    if (selected_ && *selected_ != indexPath) {
        IndexPath previous = *selected_;
        deselectItemAtIndexPath(previous);
        if (delegate) delegate->didDeselectItemAtIndexPath(*this, previous);
    }
    selectItemAtIndexPath(indexPath);
    if (delegate) delegate->didSelectItemAtIndexPath(*this, indexPath);
}

void CollectionView::touchesCancelled(const Touches&) { unhighlight(); }

void CollectionView::unhighlight() {
    if (!highlighted_) return;
    IndexPath indexPath = *highlighted_;
    highlighted_.reset();
    if (auto cell = cellForItemAtIndexPath(indexPath)) cell->setHighlighted(false);
    gate_.sendWhenIdle([this, indexPath] {
        if (auto delegate = delegate_.lock()) delegate->didUnhighlightItemAtIndexPath(*this, indexPath);
    });
}

}  // namespace ui
