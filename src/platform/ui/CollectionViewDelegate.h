#pragma once

#include <optional>

#include "gfx/Geometry.h"
#include "ui/EdgeInsets.h"
#include "ui/IndexPath.h"
#include "ui/ScrollViewDelegate.h"

namespace ui {

class CollectionView;
class CollectionViewFlowLayout;

// What a collection view asks and tells its owner: per-item sizes for the flow layout (none:
// the layout's own value) and selection. Every method is optional.
class CollectionViewDelegate : public ScrollViewDelegate {
public:
    virtual std::optional<gfx::Size> sizeForItemAtIndexPath(CollectionView&, const CollectionViewFlowLayout&,
                                                            IndexPath) {
        return std::nullopt;
    }
    virtual std::optional<EdgeInsets> insetForSectionAtIndex(CollectionView&, const CollectionViewFlowLayout&,
                                                             int) {
        return std::nullopt;
    }
    virtual std::optional<gfx::Size> referenceSizeForHeaderInSection(CollectionView&,
                                                                     const CollectionViewFlowLayout&, int) {
        return std::nullopt;
    }

    virtual bool shouldHighlightItemAtIndexPath(CollectionView&, IndexPath) { return true; }
    virtual void didHighlightItemAtIndexPath(CollectionView&, IndexPath) {}
    virtual void didUnhighlightItemAtIndexPath(CollectionView&, IndexPath) {}
    virtual void didSelectItemAtIndexPath(CollectionView&, IndexPath) {}
    virtual void didDeselectItemAtIndexPath(CollectionView&, IndexPath) {}
};

}  // namespace ui
