#pragma once

#include <string>
#include <utility>

// One step of a written tutorial: a paragraph and the name of the symbol shown beside it.
struct VLTutorialData {
    VLTutorialData() = default;
    VLTutorialData(std::string descriptionString, std::string icon)
        : descriptionString(std::move(descriptionString)), icon(std::move(icon)) {}

    std::string descriptionString;
    // A symbol name, not an image; a name the symbol font does not know leaves the step bare.
    std::string icon;
};
