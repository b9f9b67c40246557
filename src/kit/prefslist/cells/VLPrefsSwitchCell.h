#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"
#include "ui/Switch.h"

// A row with an on/off switch 10 points inside the card's trailing edge; the titles end 10
// points before the switch.
class VLPrefsSwitchCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsSwitchCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsSwitchCell"; }

    const std::shared_ptr<ui::Switch>& toggleSwitch() const { return toggleSwitch_; }
    void setToggleSwitch(std::shared_ptr<ui::Switch> toggle) { toggleSwitch_ = std::move(toggle); }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::Switch> toggleSwitch_;
};
