#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// The views a list keeps for reuse, by reuse identifier: a view that scrolls out of sight is
// put back here and handed out again (after `prepareForReuse`) before a new one is made with
// the factory registered for its identifier.
template <typename ViewType>
class ReusePool {
public:
    using Factory = std::function<std::shared_ptr<ViewType>()>;

    // Registering again replaces the factory; views already pooled stay.
    void registerFactory(const std::string& identifier, Factory factory) {
        factories_[identifier] = std::move(factory);
    }
    bool isRegistered(const std::string& identifier) const { return factories_.count(identifier) != 0; }

    // A pooled view made ready for reuse, else a new one; null when neither exists.
    std::shared_ptr<ViewType> dequeue(const std::string& identifier) {
        auto& pooled = pool_[identifier];
        if (!pooled.empty()) {
            auto view = std::move(pooled.back());
            pooled.pop_back();
            view->prepareForReuse();
            return view;
        }
        auto factory = factories_.find(identifier);
        return factory == factories_.end() || !factory->second ? nullptr : factory->second();
    }

    // A view without an identifier cannot be asked for again, so it is dropped.
    void enqueue(std::shared_ptr<ViewType> view, const std::string& identifier) {
        if (view && !identifier.empty()) pool_[identifier].push_back(std::move(view));
    }

    std::size_t pooledCount() const {
        std::size_t count = 0;
        for (const auto& [identifier, views] : pool_) count += views.size();
        return count;
    }

private:
    std::map<std::string, Factory> factories_;
    std::map<std::string, std::vector<std::shared_ptr<ViewType>>> pool_;
};

}  // namespace ui
