#pragma once

#include <memory>
#include <optional>
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
// line length gets a line of its own. In a right-to-left layout, vertical lines run from the
// right edge leftwards.
//
// Frames are kept in flow order, where the start along the scrolling axis never decreases, so
// the frames in a rectangle are found by bisection over the running farthest edge, and an
// item's frame by its place in the flow.
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
    // What `rect` shows, in flow order.
    std::vector<Attributes> attributesInRect(const gfx::Rect& rect) const;
    std::optional<gfx::Rect> frameForItem(IndexPath indexPath) const;
    std::optional<gfx::Rect> frameForHeader(int section) const;
    std::optional<IndexPath> itemAtPoint(gfx::Point point) const;

private:
    ScrollDirection direction_ = ScrollDirection::Vertical;
    gfx::Size itemSize_{50, 50};
    double lineSpacing_ = 10;
    double interitemSpacing_ = 10;
    EdgeInsets sectionInset_;
    gfx::Size headerReferenceSize_;
    // The first frame along the scrolling axis that may reach past `main`.
    std::size_t firstReachingPast(double main) const;
    double mainStart(const gfx::Rect& rect) const;

    std::vector<Attributes> attributes_;
    std::vector<double> reach_;  // the farthest main-axis edge of the frames up to each one
    struct SectionPlace {
        std::size_t first = 0;  // index of the section's first frame (its header's, if any)
        bool hasHeader = false;
        int items = 0;
    };
    std::vector<SectionPlace> sections_;
    gfx::Size contentSize_;
};

}  // namespace ui
