#include "ui/CollectionViewFlowLayout.h"

#include <algorithm>
#include <cmath>

#include "ui/CollectionView.h"

namespace ui {

namespace {

// Lengths along the scrolling axis ("main") and across it ("cross").
struct Axes {
    bool vertical;
    double main(gfx::Size size) const { return vertical ? size.height : size.width; }
    double cross(gfx::Size size) const { return vertical ? size.width : size.height; }
    gfx::Rect rect(double main, double cross, double mainLength, double crossLength) const {
        return vertical ? gfx::Rect{cross, main, crossLength, mainLength}
                        : gfx::Rect{main, cross, mainLength, crossLength};
    }
};

double sane(double value) { return std::isfinite(value) && value > 0 ? value : 0; }

gfx::Size sane(gfx::Size size) { return {sane(size.width), sane(size.height)}; }

}  // namespace

// The frames are built aside and replace the old ones at the end: a delegate that asks the
// collection about itself while it is asked for sizes sees the previous, whole layout.
void CollectionViewFlowLayout::prepare(CollectionView& collectionView) {
    std::vector<Attributes> attributes;
    std::vector<SectionPlace> places;
    Axes axes{direction_ == ScrollDirection::Vertical};
    auto delegate = collectionView.collectionDelegate();
    gfx::Size bounds = collectionView.bounds().size();
    double crossLength = axes.cross(bounds);
    double lineSpacing = sane(lineSpacing_), interitem = sane(interitemSpacing_);
    double main = 0;

    int sections = collectionView.numberOfSections();
    for (int section = 0; section < sections; ++section) {
        SectionPlace place{attributes.size(), false, 0};
        // 1. The header spans the section across the scrolling axis.
        gfx::Size header = headerReferenceSize_;
        if (delegate)
            header =
                delegate->referenceSizeForHeaderInSection(collectionView, *this, section).value_or(header);
        if (double depth = sane(axes.main(header)); depth > 0) {
            attributes.push_back({{section, 0}, axes.rect(main, 0, depth, crossLength), true});
            place.hasHeader = true;
            main += depth;
        }

        // 2. The inset, then the items in lines.
        EdgeInsets inset = sectionInset_;
        if (delegate)
            inset = delegate->insetForSectionAtIndex(collectionView, *this, section).value_or(inset);
        double mainStart = axes.vertical ? inset.top : inset.left,
               mainEnd = axes.vertical ? inset.bottom : inset.right;
        double crossStart = axes.vertical ? inset.left : inset.top,
               crossEnd = axes.vertical ? inset.right : inset.bottom;
        double lineEnd = crossLength - crossEnd;
        main += mainStart;
        double cross = crossStart, lineDepth = 0;
        int items = std::max(0, collectionView.numberOfItemsInSection(section));
        for (int item = 0; item < items; ++item) {
            gfx::Size size = itemSize_;
            if (delegate)
                size =
                    delegate->sizeForItemAtIndexPath(collectionView, *this, {section, item}).value_or(size);
            size = sane(size);
            if (cross > crossStart && cross + axes.cross(size) > lineEnd + 1e-9) {
                main += lineDepth + lineSpacing;
                cross = crossStart;
                lineDepth = 0;
            }
            attributes.push_back(
                {{section, item}, axes.rect(main, cross, axes.main(size), axes.cross(size)), false});
            cross += axes.cross(size) + interitem;
            lineDepth = std::max(lineDepth, axes.main(size));
        }
        place.items = items;
        places.push_back(place);
        main += lineDepth + mainEnd;
    }

    // 3. Right to left, vertical lines mirror across the width.
    if (axes.vertical && collectionView.effectiveLayoutDirection() == LayoutDirection::RightToLeft) {
        for (auto& entry : attributes) entry.frame.x = bounds.width - entry.frame.maxX();
    }

    attributes_ = std::move(attributes);
    sections_ = std::move(places);
    reach_.resize(attributes_.size());
    double reach = 0;
    for (std::size_t index = 0; index < attributes_.size(); ++index) {
        const gfx::Rect& frame = attributes_[index].frame;
        reach = std::max(reach, mainStart(frame) + (axes.vertical ? frame.height : frame.width));
        reach_[index] = reach;
    }
    contentSize_ = axes.vertical ? gfx::Size{bounds.width, main} : gfx::Size{main, bounds.height};
}

double CollectionViewFlowLayout::mainStart(const gfx::Rect& rect) const {
    return direction_ == ScrollDirection::Vertical ? rect.y : rect.x;
}

std::size_t CollectionViewFlowLayout::firstReachingPast(double main) const {
    return static_cast<std::size_t>(std::upper_bound(reach_.begin(), reach_.end(), main) - reach_.begin());
}

std::vector<CollectionViewFlowLayout::Attributes> CollectionViewFlowLayout::attributesInRect(
    const gfx::Rect& rect) const {
    std::vector<Attributes> found;
    double end = direction_ == ScrollDirection::Vertical ? rect.maxY() : rect.maxX();
    for (std::size_t index = firstReachingPast(mainStart(rect));
         index < attributes_.size() && mainStart(attributes_[index].frame) < end; ++index) {
        if (!attributes_[index].frame.intersection(rect).isEmpty()) found.push_back(attributes_[index]);
    }
    return found;
}

std::optional<gfx::Rect> CollectionViewFlowLayout::frameForItem(IndexPath indexPath) const {
    if (indexPath.section < 0 || indexPath.section >= static_cast<int>(sections_.size())) return std::nullopt;
    const SectionPlace& place = sections_[static_cast<std::size_t>(indexPath.section)];
    if (indexPath.item() < 0 || indexPath.item() >= place.items) return std::nullopt;
    return attributes_[place.first + (place.hasHeader ? 1 : 0) + static_cast<std::size_t>(indexPath.item())]
        .frame;
}

std::optional<gfx::Rect> CollectionViewFlowLayout::frameForHeader(int section) const {
    if (section < 0 || section >= static_cast<int>(sections_.size())) return std::nullopt;
    const SectionPlace& place = sections_[static_cast<std::size_t>(section)];
    if (!place.hasHeader) return std::nullopt;
    return attributes_[place.first].frame;
}

std::optional<IndexPath> CollectionViewFlowLayout::itemAtPoint(gfx::Point point) const {
    double main = direction_ == ScrollDirection::Vertical ? point.y : point.x;
    for (std::size_t index = firstReachingPast(main);
         index < attributes_.size() && mainStart(attributes_[index].frame) <= main; ++index) {
        const Attributes& entry = attributes_[index];
        if (!entry.isHeader && entry.frame.contains(point)) return entry.indexPath;
    }
    return std::nullopt;
}

}  // namespace ui
