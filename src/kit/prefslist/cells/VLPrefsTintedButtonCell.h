#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsCardCell.h"

// A row that is one big button: a card with no icon and a centred 20-point title. The card's
// colour and the title's colour are the row's to set.
class VLPrefsTintedButtonCell : public VLPrefsCardCell {
public:
    static std::shared_ptr<VLPrefsTintedButtonCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsTintedButtonCell"; }

protected:
    using VLPrefsCardCell::VLPrefsCardCell;
};
