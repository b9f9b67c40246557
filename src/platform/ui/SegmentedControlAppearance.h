#pragma once

#include <map>
#include <optional>

#include "ui/TextAttributes.h"

namespace ui {

// What every segmented control of the process uses where it has no setting of its own
// (`SegmentedControl::appearance()`). Controls read it when they draw and measure, so a change
// reaches controls that already exist. Main thread only.
class SegmentedControlAppearance {
public:
    // Sets (or, with nothing, removes) the title attributes for one control state.
    void setTitleTextAttributes(std::optional<TextAttributes> attributes, unsigned state);
    std::optional<TextAttributes> titleTextAttributes(unsigned state) const;
    void reset() { titleAttributes_.clear(); }

private:
    std::map<unsigned, TextAttributes> titleAttributes_;
};

}  // namespace ui
