#pragma once

namespace ui {

class FontPickerViewController;

// Told how a font picker ends. Both methods are optional.
class FontPickerViewControllerDelegate {
public:
    virtual ~FontPickerViewControllerDelegate() = default;
    // The user picked a font: `selectedFontDescriptor()` holds it. The picker stays up.
    virtual void fontPickerViewControllerDidPickFont(FontPickerViewController&) {}
    // The picker closed without a pick (its cancel button or a swipe).
    virtual void fontPickerViewControllerDidCancel(FontPickerViewController&) {}
};

}  // namespace ui
