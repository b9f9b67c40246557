#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"
#include "ui/Stepper.h"

// A tall row with a stepper under a separator at the trailing side and its value as a number
// at the leading side.
class VLPrefsStepperCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsStepperCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsStepperCell"; }

    const std::shared_ptr<ui::View>& lineView() const { return lineView_; }
    void setLineView(std::shared_ptr<ui::View> view) { lineView_ = std::move(view); }
    const std::shared_ptr<ui::Stepper>& stepper() const { return stepper_; }
    void setStepper(std::shared_ptr<ui::Stepper> view) { stepper_ = std::move(view); }
    const std::shared_ptr<ui::Label>& valueLabel() const { return valueLabel_; }
    void setValueLabel(std::shared_ptr<ui::Label> view) { valueLabel_ = std::move(view); }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::View> lineView_;
    std::shared_ptr<ui::Stepper> stepper_;
    std::shared_ptr<ui::Label> valueLabel_;
};
