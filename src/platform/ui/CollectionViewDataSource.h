#pragma once

#include <memory>
#include <string>

#include "ui/IndexPath.h"

namespace ui {

class CollectionView;
class CollectionViewCell;
class CollectionReusableView;

// Where a collection view's items come from.
class CollectionViewDataSource {
public:
    virtual ~CollectionViewDataSource() = default;
    virtual int numberOfSections(CollectionView&) { return 1; }
    virtual int numberOfItemsInSection(CollectionView&, int section) = 0;
    // Usually `CollectionView::dequeueReusableCell`, filled for the item.
    virtual std::shared_ptr<CollectionViewCell> cellForItemAtIndexPath(CollectionView&, IndexPath) = 0;
    // A section header (kind `CollectionView::kSectionHeader`); asked only when the layout gives
    // the section a header size.
    virtual std::shared_ptr<CollectionReusableView> viewForSupplementaryElement(CollectionView&,
                                                                                const std::string&,
                                                                                IndexPath) {
        return nullptr;
    }
};

}  // namespace ui
