#pragma once

#include "gfx/Color.h"

namespace ui {

class ColorPickerViewController;

// Told what the user does in a colour picker. Every method is optional.
class ColorPickerViewControllerDelegate {
public:
    virtual ~ColorPickerViewControllerDelegate() = default;
    // The selected colour changed (read it from the picker).
    virtual void colorPickerViewControllerDidSelectColor(ColorPickerViewController&) {}
    // The same change with the colour and whether more are coming (a slider still moving).
    // By default it passes the change on to the plain form above.
    virtual void colorPickerViewControllerDidSelectColorContinuously(ColorPickerViewController& picker,
                                                                     const gfx::Color&,
                                                                     bool /*continuously*/) {
        colorPickerViewControllerDidSelectColor(picker);
    }
    // The picker closed: swiped away or its close button.
    virtual void colorPickerViewControllerDidFinish(ColorPickerViewController&) {}
};

}  // namespace ui
