#pragma once

// What the application picker tells its opener: the selection was confirmed. It is called
// once, after the selection is stored and the picker has begun to slide away; a cancelled or
// swiped-away picker calls nothing.
class VLAppListPickerProtocol {
public:
    virtual ~VLAppListPickerProtocol() = default;
    virtual void appPickerDidSelectedApps() = 0;
};
