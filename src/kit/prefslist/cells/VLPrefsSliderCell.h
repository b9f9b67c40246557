#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"
#include "ui/Slider.h"

// A tall row with a slider under a separator and the value as a number at the card's top
// trailing corner. The titles run to 10 points inside the value's trailing edge.
class VLPrefsSliderCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsSliderCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsSliderCell"; }

    const std::shared_ptr<ui::Label>& valueLabel() const { return valueLabel_; }
    void setValueLabel(std::shared_ptr<ui::Label> view) { valueLabel_ = std::move(view); }
    const std::shared_ptr<ui::View>& lineView() const { return lineView_; }
    void setLineView(std::shared_ptr<ui::View> view) { lineView_ = std::move(view); }
    const std::shared_ptr<ui::Slider>& slider() const { return slider_; }
    void setSlider(std::shared_ptr<ui::Slider> view) { slider_ = std::move(view); }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::Label> valueLabel_;
    std::shared_ptr<ui::View> lineView_;
    std::shared_ptr<ui::Slider> slider_;
};
