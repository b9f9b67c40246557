#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that opens an application: the icon card with a title and a subtitle.
class VLPrefsAppLinkCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsAppLinkCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsAppLinkCell"; }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;
};
