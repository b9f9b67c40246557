#pragma once

#include <memory>
#include <vector>

#include "gfx/Geometry.h"
#include "ui/EdgeInsets.h"
#include "ui/IndexPath.h"

namespace ui {

class CollectionView;

// Lays a collection's items out in lines: vertically scrolling, items run left to right and
// wrap into rows below; horizontally scrolling, they run top to bottom and wrap into columns
// to the right. Each section starts with its header (when it has a reference size on the
// scrolling axis: its height, or its width horizontally), then its inset, then its lines.
//
// Items of a line are packed from the line's start `minimumInteritemSpacing` apart; lines
// are `minimumLineSpacing` apart and as deep as their deepest item. An item larger than the
// line length gets a line of its own.
class CollectionViewFlowLayout {
public:
    enum class ScrollDirection { Vertical, Horizontal };
    struct Attributes {
        IndexPath indexPath;
        gfx::Rect frame;
        bool isHeader = false;  // a section header (its index path's item is 0)
    };

    static std::shared_ptr<CollectionViewFlowLayout> create() {
        return std::make_shared<CollectionViewFlowLayout>();
    }

    ScrollDirection scrollDirection() const { return direction_; }
    void setScrollDirection(ScrollDirection direction) { direction_ = direction; }
    gfx::Size itemSize() const { return itemSize_; }
    void setItemSize(gfx::Size size) { itemSize_ = size; }
    double minimumLineSpacing() const { return lineSpacing_; }
    void setMinimumLineSpacing(double spacing) { lineSpacing_ = spacing; }
    double minimumInteritemSpacing() const { return interitemSpacing_; }
    void setMinimumInteritemSpacing(double spacing) { interitemSpacing_ = spacing; }
    const EdgeInsets& sectionInset() const { return sectionInset_; }
    void setSectionInset(const EdgeInsets& inset) { sectionInset_ = inset; }
    gfx::Size headerReferenceSize() const { return headerReferenceSize_; }
    void setHeaderReferenceSize(gfx::Size size) { headerReferenceSize_ = size; }

    // Computes every frame for `collectionView`'s current size, sections and items (asking its
    // delegate for per-item sizes, insets and header sizes).
    void prepare(CollectionView& collectionView);
    const std::vector<Attributes>& attributes() const { return attributes_; }
    gfx::Size contentSize() const { return contentSize_; }

private:
    ScrollDirection direction_ = ScrollDirection::Vertical;
    gfx::Size itemSize_{50, 50};
    double lineSpacing_ = 10;
    double interitemSpacing_ = 10;
    EdgeInsets sectionInset_;
    gfx::Size headerReferenceSize_;
    std::vector<Attributes> attributes_;
    gfx::Size contentSize_;
};

}  // namespace ui
