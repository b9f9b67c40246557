#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/IndexPath.h"
#include "ui/ReusePool.h"

namespace ui {

// The views a list shows, by position, and the pool they go back to. Positions are keys
// (index paths for cells, section numbers for headers), never iterators or references, so a
// list can hand control to application code between any two steps.
//
// Putting views back is done in two steps: first every leaving view is taken out of the map,
// then each is handed to the list's `putBack` (which takes it out of the view tree and clears
// its state, code that cell subclasses may override) and pooled. Whatever that code does to
// the list, the map is already consistent and the loop runs over a copy.
template <typename ViewType, typename Key = IndexPath>
class ListTiler {
public:
    using Factory = typename ReusePool<ViewType>::Factory;
    using PutBack = std::function<void(ViewType&)>;

    explicit ListTiler(PutBack putBack) : putBack_(std::move(putBack)) {}

    void registerFactory(const std::string& identifier, Factory factory) {
        pool_.registerFactory(identifier, std::move(factory));
    }
    std::shared_ptr<ViewType> dequeue(const std::string& identifier) { return pool_.dequeue(identifier); }
    std::size_t pooledCount() const { return pool_.pooledCount(); }

    bool isShown(const Key& key) const { return shown_.count(key) != 0; }
    std::shared_ptr<ViewType> viewAt(const Key& key) const {
        auto it = shown_.find(key);
        return it == shown_.end() ? nullptr : it->second;
    }
    std::optional<Key> keyOf(const ViewType& view) const {
        for (const auto& [key, shown] : shown_) {
            if (shown.get() == &view) return key;
        }
        return std::nullopt;
    }
    // A view shown at `key` before is put back.
    void show(const Key& key, std::shared_ptr<ViewType> view) {
        auto previous = std::exchange(shown_[key], std::move(view));
        if (previous && previous != shown_[key]) putBackAll({std::move(previous)});
    }
    const std::map<Key, std::shared_ptr<ViewType>>& shown() const { return shown_; }
    std::vector<Key> keys() const {
        std::vector<Key> keys;
        keys.reserve(shown_.size());
        for (const auto& entry : shown_) keys.push_back(entry.first);
        return keys;
    }
    std::vector<std::shared_ptr<ViewType>> views() const {
        std::vector<std::shared_ptr<ViewType>> views;
        views.reserve(shown_.size());
        for (const auto& entry : shown_) views.push_back(entry.second);
        return views;
    }

    // Takes out the views for which `keep` is false without putting them back (a list that
    // fades them out first); the caller recycles them later.
    std::vector<std::shared_ptr<ViewType>> takeUnless(const std::function<bool(const Key&)>& keep) {
        std::vector<std::shared_ptr<ViewType>> taken;
        for (auto it = shown_.begin(); it != shown_.end();) {
            if (keep(it->first)) {
                ++it;
                continue;
            }
            taken.push_back(std::move(it->second));
            it = shown_.erase(it);
        }
        return taken;
    }
    void recycleUnless(const std::function<bool(const Key&)>& keep) { putBackAll(takeUnless(keep)); }
    void recycleAll() {
        putBackAll(takeUnless([](const Key&) { return false; }));
    }
    void recycle(std::vector<std::shared_ptr<ViewType>> views) { putBackAll(std::move(views)); }

private:
    void putBackAll(std::vector<std::shared_ptr<ViewType>> views) {
        for (const auto& view : views) {
            putBack_(*view);
            pool_.enqueue(view, view->reuseIdentifier());
        }
    }

    PutBack putBack_;
    ReusePool<ViewType> pool_;
    std::map<Key, std::shared_ptr<ViewType>> shown_;
};

}  // namespace ui
