#pragma once

// The sixteen preference cell classes as the benchmarks build them: how to make one and the
// height of its row in the list (115 for the four with a control under a separator).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "prefslist/cells/VLPrefsAppLinkCell.h"
#include "prefslist/cells/VLPrefsAppListCell.h"
#include "prefslist/cells/VLPrefsAvatarPickerCell.h"
#include "prefslist/cells/VLPrefsButtonCell.h"
#include "prefslist/cells/VLPrefsColourPickerCell.h"
#include "prefslist/cells/VLPrefsDatePickerCell.h"
#include "prefslist/cells/VLPrefsFontPickerCell.h"
#include "prefslist/cells/VLPrefsHyperlinkCell.h"
#include "prefslist/cells/VLPrefsImagePickerCell.h"
#include "prefslist/cells/VLPrefsSegmentCell.h"
#include "prefslist/cells/VLPrefsSingleSelectionCell.h"
#include "prefslist/cells/VLPrefsSliderCell.h"
#include "prefslist/cells/VLPrefsStepperCell.h"
#include "prefslist/cells/VLPrefsSwitchCell.h"
#include "prefslist/cells/VLPrefsTextFieldCell.h"
#include "prefslist/cells/VLPrefsTintedButtonCell.h"

namespace benchsupport {

struct CellClass {
    std::function<std::shared_ptr<VLPrefsCardCell>(const std::string& reuseIdentifier)> make;
    double height;
};

template <class Cell>
CellClass cellClass(double height = 75) {
    return {[](const std::string& reuseIdentifier) {
                return Cell::create(ui::TableViewCellStyle::Default, reuseIdentifier);
            },
            height};
}

inline const std::vector<CellClass>& cellClasses() {
    static const std::vector<CellClass> classes{
        cellClass<VLPrefsButtonCell>(),       cellClass<VLPrefsAppListCell>(),
        cellClass<VLPrefsTintedButtonCell>(), cellClass<VLPrefsSingleSelectionCell>(),
        cellClass<VLPrefsImagePickerCell>(),  cellClass<VLPrefsSliderCell>(115),
        cellClass<VLPrefsSwitchCell>(),       cellClass<VLPrefsStepperCell>(115),
        cellClass<VLPrefsTextFieldCell>(),    cellClass<VLPrefsColourPickerCell>(),
        cellClass<VLPrefsAppLinkCell>(),      cellClass<VLPrefsSegmentCell>(115),
        cellClass<VLPrefsAvatarPickerCell>(), cellClass<VLPrefsDatePickerCell>(115),
        cellClass<VLPrefsFontPickerCell>(),   cellClass<VLPrefsHyperlinkCell>(),
    };
    return classes;
}

}  // namespace benchsupport
