#include "PrefsCellCatalogue.h"

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

namespace testsupport {

namespace {

template <class Cell>
PrefsCellCase entry(const char* name, double height, bool tile = true,
                    std::function<std::vector<std::shared_ptr<ui::View>>(Cell&)> kept = {}) {
    return {name, height, tile, [] { return Cell::create(ui::TableViewCellStyle::Default, "Reuse"); },
            [kept](ui::TableViewCell& cell) {
                return kept ? kept(static_cast<Cell&>(cell)) : std::vector<std::shared_ptr<ui::View>>{};
            }};
}

}  // namespace

const std::vector<PrefsCellCase>& allPrefsCells() {
    using Views = std::vector<std::shared_ptr<ui::View>>;
    static const std::vector<PrefsCellCase> cases{
        entry<VLPrefsButtonCell>("Button", 75),
        entry<VLPrefsAppListCell>("AppList", 75),
        entry<VLPrefsTintedButtonCell>("TintedButton", 75, false),
        entry<VLPrefsSingleSelectionCell>("SingleSelection", 75),
        entry<VLPrefsImagePickerCell>("ImagePicker", 75),
        entry<VLPrefsSliderCell>("Slider", 115, true, [](auto& c) { return Views{c.valueLabel()}; }),
        entry<VLPrefsSwitchCell>("Switch", 75),
        entry<VLPrefsStepperCell>("Stepper", 115, true, [](auto& c) { return Views{c.valueLabel()}; }),
        entry<VLPrefsTextFieldCell>("TextField", 75),
        entry<VLPrefsColourPickerCell>("ColourPicker", 75, true, [](auto& c) { return Views{c.wheel()}; }),
        entry<VLPrefsAppLinkCell>("AppLink", 75),
        entry<VLPrefsSegmentCell>("Segment", 115),
        entry<VLPrefsAvatarPickerCell>("AvatarPicker", 75),
        entry<VLPrefsDatePickerCell>("DatePicker", 115),
        entry<VLPrefsFontPickerCell>("FontPicker", 75, true, [](auto& c) { return Views{c.fontLabel()}; }),
        entry<VLPrefsHyperlinkCell>("Hyperlink", 75),
    };
    return cases;
}

}  // namespace testsupport
