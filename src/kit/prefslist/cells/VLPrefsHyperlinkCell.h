#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that opens a web address: the icon card with a title and a subtitle.
class VLPrefsHyperlinkCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsHyperlinkCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsHyperlinkCell"; }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;
};
