#pragma once

#include <optional>
#include <string>

// One section of a preference list, made from its header row: the heading's text, its colour
// (a colour string or name; absent draws the heading in the tertiary label colour), whether
// the heading shows its icon, and the icon's symbol name.
class VLPrefsSectionDataModel {
public:
    VLPrefsSectionDataModel(std::string title, std::optional<std::string> accent, bool showIcon,
                            std::string icon)
        : title(std::move(title)), accent(std::move(accent)), showIcon(showIcon), icon(std::move(icon)) {}

    std::string title;
    std::optional<std::string> accent;
    bool showIcon = false;
    std::string icon;
};
