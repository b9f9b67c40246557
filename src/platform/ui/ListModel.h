#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "ui/IndexPath.h"

namespace ui {

// The shape of a sectioned list along its scrolling axis: a leading band (a table's header
// view), then per section a header band and its items, stacked with no gaps. It holds numbers
// only and never calls out, so a list view can keep it consistent while application code runs.
//
// Positions are computed lazily: changing one extent marks the positions from its section on as
// stale, and the next query restacks them once, so measuring a screenful of rows costs one pass.
// Look-ups by position are binary searches over sections, then items.
class ListModel {
public:
    void clear();
    // Appends a section; items are appended to the last section.
    void addSection(double headerExtent);
    void addItem(double extent);
    void setLeadingExtent(double extent);
    void setHeaderExtent(int section, double extent);
    void setItemExtent(IndexPath indexPath, double extent);

    int sectionCount() const { return static_cast<int>(sections_.size()); }
    int itemCount(int section) const;
    bool contains(IndexPath indexPath) const;

    double itemStart(IndexPath indexPath) const;
    double itemExtent(IndexPath indexPath) const;
    double headerStart(int section) const;
    double headerExtent(int section) const;
    double sectionEnd(int section) const;
    double totalExtent() const;

    // The first item whose far edge lies beyond `position`, skipping empty sections.
    std::optional<IndexPath> firstItemEndingAfter(double position) const;
    // The item after `indexPath` in list order, across sections.
    std::optional<IndexPath> next(IndexPath indexPath) const;
    // The items a band [start, end) shows: those ending after `start` and starting before `end`
    // (a zero-extent item inside the band counts, so it is not rebuilt on every scroll step).
    std::vector<IndexPath> itemsInBand(double start, double end) const;
    bool itemIsInBand(IndexPath indexPath, double start, double end) const;

private:
    struct Section {
        double headerExtent = 0;
        std::vector<double> extents;
        // Derived by `restack`.
        double headerStart = 0;
        std::vector<double> starts;
        double end = 0;
    };

    void markStale(std::size_t fromSection);
    void restack() const;
    const Section& section(int index) const;

    mutable std::vector<Section> sections_;
    double leadingExtent_ = 0;
    mutable std::size_t staleFrom_ = 0;  // sections before this one have valid positions
};

}  // namespace ui
