#pragma once

namespace ui {

// How a font picker lists fonts.
struct FontPickerViewControllerConfiguration {
    // Each family's faces ("Bold", "Italic", ...) follow it as rows of their own.
    bool includeFaces = false;
    // Names are drawn in the system font instead of in the font they name.
    bool displayUsingSystemFont = false;
};

}  // namespace ui
