#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that runs an action: the icon card with a title and a subtitle.
class VLPrefsButtonCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsButtonCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsButtonCell"; }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;
};
