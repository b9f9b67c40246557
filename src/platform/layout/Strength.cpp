#include "layout/Strength.h"

#include <algorithm>
#include <cmath>

namespace layout {

Strength Strength::priority(double priority, double multiplier) {
    Strength strength;
    strength.priority_ = std::isnan(priority) ? 1.0 : std::clamp(priority, 1.0, kRequiredPriority);
    strength.multiplier_ = std::isnan(multiplier) ? 1.0 : std::clamp(multiplier, 0.01, 100.0);
    if (!strength.isRequired()) {
        strength.weight_ = strength.multiplier_ * std::pow(10.0, 0.009 * strength.priority_);
    }
    return strength;
}

}  // namespace layout
