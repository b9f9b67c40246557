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

void CollectionViewFlowLayout::prepare(CollectionView& collectionView) {
    attributes_.clear();
    Axes axes{direction_ == ScrollDirection::Vertical};
    auto delegate = collectionView.collectionDelegate();
    gfx::Size bounds = collectionView.bounds().size();
    double crossLength = axes.cross(bounds);
    double lineSpacing = sane(lineSpacing_), interitem = sane(interitemSpacing_);
    double main = 0;

    int sections = collectionView.numberOfSections();
    for (int section = 0; section < sections; ++section) {
        // 1. The header spans the section across the scrolling axis.
        gfx::Size header = headerReferenceSize_;
        if (delegate)
            header =
                delegate->referenceSizeForHeaderInSection(collectionView, *this, section).value_or(header);
        if (double depth = sane(axes.main(header)); depth > 0) {
            attributes_.push_back({{section, 0}, axes.rect(main, 0, depth, crossLength), true});
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
        int items = collectionView.numberOfItemsInSection(section);
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
            attributes_.push_back(
                {{section, item}, axes.rect(main, cross, axes.main(size), axes.cross(size)), false});
            cross += axes.cross(size) + interitem;
            lineDepth = std::max(lineDepth, axes.main(size));
        }
        main += lineDepth + mainEnd;
    }
    contentSize_ = axes.vertical ? gfx::Size{bounds.width, main} : gfx::Size{main, bounds.height};
}

}  // namespace ui
