#include "prefslist/VLPrefsRowType.h"

#include <array>

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

namespace {

template <class Cell>
std::shared_ptr<ui::TableViewCell> make(std::string reuseIdentifier) {
    return Cell::create(ui::TableViewCellStyle::Default, std::move(reuseIdentifier));
}

using Kind = VLPrefsRowType::Kind;
constexpr double kShort = VLPrefsRowType::kRowHeight;
constexpr double kTall = VLPrefsRowType::kTallRowHeight;

// clang-format off
const std::array<VLPrefsRowType, 16> kTypes{{
    {Kind::ColourPicker,    "VLPrefsColourPickerCell",    "ColourPickerCell",    make<VLPrefsColourPickerCell>,    "paintpalette.fill",                              kShort},
    {Kind::Switch,          "VLPrefsSwitchCell",          "SwitchCell",          make<VLPrefsSwitchCell>,          "switch.2",                                       kShort},
    {Kind::TintedButton,    "VLPrefsTintedButtonCell",    "TintedButtonCell",    make<VLPrefsTintedButtonCell>,    "",                                               kShort},
    {Kind::FontPicker,      "VLPrefsFontPickerCell",      "FontPickerCell",      make<VLPrefsFontPickerCell>,      "textformat",                                     kShort},
    {Kind::TextField,       "VLPrefsTextFieldCell",       "TextFieldCell",       make<VLPrefsTextFieldCell>,       "note.text",                                      kShort},
    {Kind::Hyperlink,       "VLPrefsHyperlinkCell",       "HyperlinkCell",       make<VLPrefsHyperlinkCell>,       "link",                                           kShort},
    {Kind::AppLink,         "VLPrefsAppLinkCell",         "AppLinkCell",         make<VLPrefsAppLinkCell>,         "apps.iphone",                                    kShort},
    {Kind::Button,          "VLPrefsButtonCell",          "ButtonCell",          make<VLPrefsButtonCell>,          "apps.iphone",                                    kShort},
    {Kind::ImagePicker,     "VLPrefsImagePickerCell",     "ImagePickerCell",     make<VLPrefsImagePickerCell>,     "photo.on.rectangle.angled",                      kShort},
    {Kind::AvatarPicker,    "VLPrefsAvatarPickerCell",    "AvatarPickerCell",    make<VLPrefsAvatarPickerCell>,    "face.smiling.fill",                              kShort},
    {Kind::Slider,          "VLPrefsSliderCell",          "SliderCell",          make<VLPrefsSliderCell>,          "slider.horizontal.below.square.fill.and.square", kTall},
    {Kind::Segment,         "VLPrefsSegmentCell",         "SegmentCell",         make<VLPrefsSegmentCell>,         "rectangle.grid.1x2.fill",                        kTall},
    {Kind::Stepper,         "VLPrefsStepperCell",         "StepperCell",         make<VLPrefsStepperCell>,         "plusminus.circle.fill",                          kTall},
    {Kind::DatePicker,      "VLPrefsDatePickerCell",      "DatePickerCell",      make<VLPrefsDatePickerCell>,      "plusminus.circle.fill",                          kTall},
    {Kind::AppList,         "VLPrefsAppListCell",         "AppListCell",         make<VLPrefsAppListCell>,         "apps.iphone",                                    kShort},
    {Kind::SingleSelection, "VLPrefsSingleSelectionCell", "SingleSelectionCell", make<VLPrefsSingleSelectionCell>, "list.bullet.below.rectangle",                    kShort},
}};
// clang-format on

const VLPrefsRowType kPlain{Kind::Plain, "", "Cell", make<ui::TableViewCell>, "", kShort};

}  // namespace

std::span<const VLPrefsRowType> VLPrefsRowType::all() { return kTypes; }

const VLPrefsRowType& VLPrefsRowType::plain() { return kPlain; }

const VLPrefsRowType& VLPrefsRowType::forCellType(std::string_view cellType) {
    for (const auto& type : kTypes) {
        if (type.cellType == cellType) return type;
    }
    return kPlain;
}
