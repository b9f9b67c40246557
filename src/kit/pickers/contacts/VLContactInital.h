#pragma once

#include <string>
#include <unordered_map>

#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "gfx/Image.h"

// Round initials images for contacts without a photo: the first characters of a name's first
// two words, centred in a coloured disc with transparent corners, drawn at the main screen's
// scale. Every image drawn through `imageForName` is kept for the rest of the process under a
// key made of the initials, the size, both colours and the font, so a list that shows the same
// people again draws nothing. Main thread only.
class VLContactInital {
public:
    // The default look: a light grey disc, white text, the system font at width × 0.5 − 1.
    static gfx::Image imageForName(const std::string& name, gfx::Size size);
    static gfx::Image imageForName(const std::string& name, gfx::Size size, const gfx::Color& backgroundColor,
                                   const gfx::Color& textColor, const gfx::Font& font);
    static gfx::Image drawImageForInitials(const std::string& initials, gfx::Size size,
                                           const gfx::Color& backgroundColor, const gfx::Color& textColor,
                                           const gfx::Font& font);

    // At most two initials, from the pieces at positions 0 and 1 of the name split at each
    // space; an empty piece gives nothing but still takes its position. Case is kept.
    static std::string initialsForName(const std::string& name);

    static std::unordered_map<std::string, gfx::Image>& cachedImages();
    static gfx::Image imageForKey(const std::string& key);
    static void setImage(const gfx::Image& image, const std::string& key);
};
