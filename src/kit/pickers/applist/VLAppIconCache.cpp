#include "pickers/applist/VLAppIconCache.h"

#include "sys/ApplicationIcons.h"

namespace {

// The icon variant of a home-screen icon.
constexpr int kIconFormat = 2;

}  // namespace

VLAppIconCache& VLAppIconCache::sharedInstance() {
    static VLAppIconCache cache;
    return cache;
}

const gfx::Image& VLAppIconCache::iconFor(const std::string& bundleID, double scale) {
    auto key = std::make_pair(bundleID, scale);
    auto found = icons_.find(key);
    if (found != icons_.end()) return found->second;
    ++loads_;
    return icons_.emplace(std::move(key), sys::ApplicationIcons::iconFor(bundleID, kIconFormat, scale))
        .first->second;
}

void VLAppIconCache::removeAll() {
    icons_.clear();
    loads_ = 0;
}
