#include "ui/ListModel.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double sane(double extent) { return std::isfinite(extent) && extent > 0 ? extent : 0; }

}  // namespace

void ListModel::clear() {
    sections_.clear();
    leadingExtent_ = 0;
    staleFrom_ = 0;
}

void ListModel::addSection(double headerExtent) {
    markStale(sections_.size());
    sections_.push_back({});
    sections_.back().headerExtent = sane(headerExtent);
}

void ListModel::addItem(double extent) {
    if (sections_.empty()) addSection(0);
    markStale(sections_.size() - 1);
    sections_.back().extents.push_back(sane(extent));
}

void ListModel::setLeadingExtent(double extent) {
    leadingExtent_ = sane(extent);
    markStale(0);
}

void ListModel::setHeaderExtent(int section, double extent) {
    if (section < 0 || section >= sectionCount()) return;
    sections_[static_cast<std::size_t>(section)].headerExtent = sane(extent);
    markStale(static_cast<std::size_t>(section));
}

void ListModel::setItemExtent(IndexPath indexPath, double extent) {
    if (!contains(indexPath)) return;
    double& stored = sections_[static_cast<std::size_t>(indexPath.section)]
                         .extents[static_cast<std::size_t>(indexPath.row)];
    if (stored == sane(extent)) return;
    stored = sane(extent);
    markStale(static_cast<std::size_t>(indexPath.section));
}

void ListModel::markStale(std::size_t fromSection) { staleFrom_ = std::min(staleFrom_, fromSection); }

// Stacks the stale sections after the last valid one.
void ListModel::restack() const {
    if (staleFrom_ >= sections_.size()) return;
    double position = leadingExtent_;
    if (staleFrom_ > 0) position = sections_[staleFrom_ - 1].end;
    for (std::size_t index = staleFrom_; index < sections_.size(); ++index) {
        Section& section = sections_[index];
        section.headerStart = position;
        position += section.headerExtent;
        section.starts.resize(section.extents.size());
        for (std::size_t item = 0; item < section.extents.size(); ++item) {
            section.starts[item] = position;
            position += section.extents[item];
        }
        section.end = position;
    }
    staleFrom_ = sections_.size();
}

const ListModel::Section& ListModel::section(int index) const {
    restack();
    return sections_[static_cast<std::size_t>(index)];
}

int ListModel::itemCount(int section) const {
    if (section < 0 || section >= sectionCount()) return 0;
    return static_cast<int>(sections_[static_cast<std::size_t>(section)].extents.size());
}

bool ListModel::contains(IndexPath indexPath) const {
    return indexPath.row >= 0 && indexPath.row < itemCount(indexPath.section);
}

double ListModel::itemStart(IndexPath indexPath) const {
    return contains(indexPath) ? section(indexPath.section).starts[static_cast<std::size_t>(indexPath.row)]
                               : 0;
}

double ListModel::itemExtent(IndexPath indexPath) const {
    return contains(indexPath) ? sections_[static_cast<std::size_t>(indexPath.section)]
                                     .extents[static_cast<std::size_t>(indexPath.row)]
                               : 0;
}

double ListModel::headerStart(int index) const {
    return index >= 0 && index < sectionCount() ? section(index).headerStart : 0;
}

double ListModel::headerExtent(int index) const {
    return index >= 0 && index < sectionCount() ? sections_[static_cast<std::size_t>(index)].headerExtent : 0;
}

double ListModel::sectionEnd(int index) const {
    return index >= 0 && index < sectionCount() ? section(index).end : 0;
}

double ListModel::totalExtent() const {
    return sections_.empty() ? leadingExtent_ : section(sectionCount() - 1).end;
}

std::optional<IndexPath> ListModel::firstItemEndingAfter(double position) const {
    restack();
    // Section ends never decrease, so the first section that ends beyond `position` is found by
    // bisection; an empty one (or one whose rows all end before) hands over to the next.
    auto first = std::upper_bound(sections_.begin(), sections_.end(), position,
                                  [](double y, const Section& s) { return y < s.end; });
    for (auto it = first; it != sections_.end(); ++it) {
        auto ends = [&](std::size_t item) { return it->starts[item] + it->extents[item]; };
        std::size_t low = 0, high = it->extents.size();
        while (low < high) {
            std::size_t mid = (low + high) / 2;
            if (ends(mid) > position) {
                high = mid;
            } else {
                low = mid + 1;
            }
        }
        if (low < it->extents.size())
            return IndexPath{static_cast<int>(it - sections_.begin()), static_cast<int>(low)};
    }
    return std::nullopt;
}

std::optional<IndexPath> ListModel::next(IndexPath indexPath) const {
    if (indexPath.row + 1 < itemCount(indexPath.section))
        return IndexPath{indexPath.section, indexPath.row + 1};
    for (int s = indexPath.section + 1; s < sectionCount(); ++s) {
        if (itemCount(s) > 0) return IndexPath{s, 0};
    }
    return std::nullopt;
}

bool ListModel::itemIsInBand(IndexPath indexPath, double start, double end) const {
    if (!contains(indexPath)) return false;
    double top = itemStart(indexPath);
    return top < end && top + itemExtent(indexPath) > start;
}

std::vector<IndexPath> ListModel::itemsInBand(double start, double end) const {
    std::vector<IndexPath> items;
    for (auto at = firstItemEndingAfter(start); at && itemStart(*at) < end; at = next(*at))
        items.push_back(*at);
    return items;
}

}  // namespace ui
