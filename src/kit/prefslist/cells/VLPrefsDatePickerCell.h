#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"
#include "ui/DatePicker.h"

// A tall row with a compact date-and-time picker under a separator at the trailing side and
// the chosen date as text at the leading side.
class VLPrefsDatePickerCell : public VLPrefsSubtitleCardCell {
public:
    static std::shared_ptr<VLPrefsDatePickerCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsDatePickerCell"; }

    const std::shared_ptr<ui::DatePicker>& datePicker() const { return datePicker_; }
    void setDatePicker(std::shared_ptr<ui::DatePicker> view) { datePicker_ = std::move(view); }
    const std::shared_ptr<ui::View>& lineView() const { return lineView_; }
    void setLineView(std::shared_ptr<ui::View> view) { lineView_ = std::move(view); }
    const std::shared_ptr<ui::Label>& valueLabel() const { return valueLabel_; }
    void setValueLabel(std::shared_ptr<ui::Label> view) { valueLabel_ = std::move(view); }

    // Clears the icon's image, the title, the subtitle and the date text.
    void prepareForReuse() override;

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::DatePicker> datePicker_;
    std::shared_ptr<ui::View> lineView_;
    std::shared_ptr<ui::Label> valueLabel_;
};
