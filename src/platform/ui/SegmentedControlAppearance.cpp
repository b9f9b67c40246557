#include "ui/SegmentedControlAppearance.h"

namespace ui {

void SegmentedControlAppearance::setTitleTextAttributes(std::optional<TextAttributes> attributes,
                                                        unsigned state) {
    if (attributes) {
        titleAttributes_[state] = std::move(*attributes);
    } else {
        titleAttributes_.erase(state);
    }
}

std::optional<TextAttributes> SegmentedControlAppearance::titleTextAttributes(unsigned state) const {
    auto found = titleAttributes_.find(state);
    if (found == titleAttributes_.end()) return std::nullopt;
    return found->second;
}

}  // namespace ui
