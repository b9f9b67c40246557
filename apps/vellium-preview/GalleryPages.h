#pragma once

#include <string>
#include <vector>

#include "GalleryScreen.h"

// An entry of the gallery's list and how to fill the page it opens.
struct GalleryPage {
    std::string title;
    GalleryScreen::Builder build;
};

// The gallery's entries, in list order: controls, text input, lists, sheets and alerts,
// colours and blur, then the colour, font and photo pickers.
std::vector<GalleryPage> galleryPages();
