#pragma once

#include <filesystem>

#include "gfx/Image.h"

namespace ui {

// What an image picker hands back for a picked picture.
struct ImagePickerInfo {
    // The platform's name for `originalImage` in a media dictionary.
    static constexpr const char* kOriginalImageKey = "UIImagePickerControllerOriginalImage";

    gfx::Image originalImage;
    std::filesystem::path imageURL;  // the file it came from
};

}  // namespace ui
