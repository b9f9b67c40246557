#pragma once

#include "pickers/contacts/VLContact.h"

// What the contact picker tells its opener. Both calls are optional: `didPickAContact` with
// the marked contact when the user confirms, `didCancelPickAContact` when the user closes the
// sheet with its cancel button. A sheet swiped away before any mark reports nothing.
class VLContactPickerDelegate {
public:
    virtual ~VLContactPickerDelegate() = default;
    virtual void didPickAContact(const VLContact&) {}
    virtual void didCancelPickAContact() {}
};
