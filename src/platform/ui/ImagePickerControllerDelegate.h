#pragma once

#include "ui/ImagePickerInfo.h"

namespace ui {

class ImagePickerController;

// Told how an image picker ends; the delegate dismisses the picker. Without a delegate the
// picker dismisses itself.
class ImagePickerControllerDelegate {
public:
    virtual ~ImagePickerControllerDelegate() = default;
    virtual void imagePickerControllerDidFinishPickingMediaWithInfo(ImagePickerController&,
                                                                    const ImagePickerInfo&) {}
    // Its cancel button, or the sheet swiped away without a pick.
    virtual void imagePickerControllerDidCancel(ImagePickerController&) {}
};

}  // namespace ui
