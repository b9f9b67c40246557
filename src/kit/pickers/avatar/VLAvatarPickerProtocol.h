#pragma once

#include "gfx/Image.h"

// What the avatar picker tells its opener: exactly one of the two per presentation once the
// sheet is locked by a tap (a sheet swiped away before that tells nothing). The picker
// dismisses itself after either call.
class VLAvatarPickerProtocol {
public:
    virtual ~VLAvatarPickerProtocol() = default;
    // The composed avatar, rendered at the screen's scale.
    virtual void didCreatedAvatar(const gfx::Image& image) = 0;
    virtual void didDismissedAvatarPicker() = 0;
};
