#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/CollectionReusableView.h"
#include "ui/CollectionViewCell.h"
#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/ListCallbackGate.h"
#include "ui/ListModel.h"
#include "ui/ListTiler.h"
#include "ui/ListTouchTracker.h"
#include "ui/ScrollView.h"

namespace ui {

// A scrolling grid of items placed by a flow layout, filled by a data source and steered by a
// delegate (both weak). As with tables, only the items (and section headers) in sight have
// views; those that leave go back to reuse pools by identifier, and `dequeueReusableCell`
// hands them out again after `prepareForReuse`, or makes one with the registered factory.
// A finger down on an item highlights it; lifting it without a scroll selects it (the same
// touch handling as tables). The data source and delegate are never called back while the
// view walks its own items: notices wait for the walk to end, and so does a reload asked for
// meanwhile.
class CollectionView : public ScrollView {
public:
    static constexpr const char* kSectionHeader = "header";
    using CellFactory = std::function<std::shared_ptr<CollectionViewCell>()>;
    using SupplementaryFactory = std::function<std::shared_ptr<CollectionReusableView>()>;

    static std::shared_ptr<CollectionView> create(std::shared_ptr<CollectionViewFlowLayout> layout);
    const char* className() const override { return "CollectionView"; }

    const std::shared_ptr<CollectionViewFlowLayout>& collectionViewLayout() const { return layout_; }
    std::shared_ptr<CollectionViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::weak_ptr<CollectionViewDataSource>& dataSource);
    std::shared_ptr<CollectionViewDelegate> collectionDelegate() const { return delegate_.lock(); }
    // Also the scroll view's delegate.
    void setDelegate(const std::weak_ptr<CollectionViewDelegate>& delegate);

    void registerCell(const std::string& identifier, CellFactory factory);
    void registerSupplementaryView(const std::string& kind, const std::string& identifier,
                                   SupplementaryFactory factory);
    // Null when nothing is pooled or registered for the identifier.
    std::shared_ptr<CollectionViewCell> dequeueReusableCell(const std::string& identifier,
                                                            IndexPath indexPath);
    std::shared_ptr<CollectionReusableView> dequeueReusableSupplementaryView(const std::string& kind,
                                                                             const std::string& identifier,
                                                                             IndexPath indexPath);
    // Asks the data source and the layout again; selection is cleared.
    void reloadData();

    int numberOfSections();
    int numberOfItemsInSection(int section);
    std::optional<IndexPath> indexPathForItemAtPoint(gfx::Point point);
    // Visible items only.
    std::shared_ptr<CollectionViewCell> cellForItemAtIndexPath(IndexPath indexPath) const;
    std::vector<std::shared_ptr<CollectionViewCell>> visibleCells() const;
    std::vector<IndexPath> indexPathsForVisibleItems() const;
    std::shared_ptr<CollectionReusableView> headerForSection(int section) const;

    std::optional<IndexPath> indexPathForSelectedItem() const { return touches_.selected(); }
    // Set in code, the delegate is not told. (Cells show selection without animation.)
    void selectItemAtIndexPath(IndexPath indexPath, bool animated = false);
    void deselectItemAtIndexPath(IndexPath indexPath, bool animated = false);
    std::size_t reusableCellCount() const { return cells_.pooledCount(); }

protected:
    explicit CollectionView(std::shared_ptr<CollectionViewFlowLayout> layout);
    void layoutSubviews() override;
    void contentOffsetDidChange() override;
    void touchesBegan(const Touches& touches) override;
    void touchesMoved(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

private:
    void ensureLayout();
    void rebuildCounts();
    void tile();
    std::shared_ptr<CollectionViewCell> makeCell(IndexPath indexPath);
    std::shared_ptr<CollectionReusableView> makeHeader(IndexPath indexPath);
    bool isInSight(const std::optional<gfx::Rect>& frame) const;
    static void putBackCell(CollectionViewCell& cell);
    static void putBackHeader(CollectionReusableView& header);
    ListTouchTracker::Hooks touchHooks();
    ListCallbackGate::Scope busyScope();
    bool applyDeferredReload();

    std::shared_ptr<CollectionViewFlowLayout> layout_;
    std::weak_ptr<CollectionViewDataSource> dataSource_;
    std::weak_ptr<CollectionViewDelegate> delegate_;
    ListTiler<CollectionViewCell> cells_{&CollectionView::putBackCell};
    ListTiler<CollectionReusableView, int> headers_{&CollectionView::putBackHeader};
    ListModel counts_;  // sections and their item counts, as of the last reload
    bool countsValid_ = false;
    bool layoutValid_ = false;
    gfx::Size layoutSize_{-1, -1};
    bool tiling_ = false;
    bool building_ = false;
    bool pendingReload_ = false;
    ListCallbackGate gate_{[this] { return applyDeferredReload(); }};
    ListTouchTracker touches_{gate_, touchHooks()};
};

}  // namespace ui
