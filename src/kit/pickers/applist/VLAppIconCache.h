#pragma once

#include <map>
#include <string>
#include <utility>

#include "gfx/Image.h"

// Application icons by bundle identifier and scale, loaded on first request and kept for the
// process's life (an icon that does not exist is remembered as a null image, so it is not
// looked up again).
class VLAppIconCache {
public:
    static VLAppIconCache& sharedInstance();

    const gfx::Image& iconFor(const std::string& bundleID, double scale);
    // How many icons were loaded, for checking that only the rows shown load theirs.
    std::size_t loadCount() const { return loads_; }
    void removeAll();

private:
    std::map<std::pair<std::string, double>, gfx::Image> icons_;
    std::size_t loads_ = 0;
};
