#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that picks a font: the word "Font" at the card's trailing side is the sample, shown
// in the chosen font; it keeps its text for the cell's whole life.
class VLPrefsFontPickerCell : public VLPrefsSubtitleCardCell {
public:
    static constexpr const char* kSampleText = "Font";

    static std::shared_ptr<VLPrefsFontPickerCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsFontPickerCell"; }

    const std::shared_ptr<ui::Label>& fontLabel() const { return fontLabel_; }
    void setFontLabel(std::shared_ptr<ui::Label> label) { fontLabel_ = std::move(label); }

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::Label> fontLabel_;
};
