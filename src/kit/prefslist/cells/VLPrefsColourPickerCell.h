#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that picks a colour: a round hue wheel at the card's trailing side with the chosen
// colour as a disc on it. The titles end 10 points before the wheel.
class VLPrefsColourPickerCell : public VLPrefsSubtitleCardCell {
public:
    static constexpr double kWheelSize = 35;
    static constexpr double kSwatchSize = 30;

    static std::shared_ptr<VLPrefsColourPickerCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsColourPickerCell"; }

    const std::shared_ptr<ui::ImageView>& wheel() const { return wheel_; }
    void setWheel(std::shared_ptr<ui::ImageView> wheel) { wheel_ = std::move(wheel); }
    const std::shared_ptr<ui::View>& colourView() const { return colourView_; }
    void setColourView(std::shared_ptr<ui::View> view) { colourView_ = std::move(view); }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::ImageView> wheel_;
    std::shared_ptr<ui::View> colourView_;
};
