#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsIconCardCell.h"

// A row that picks one of several options: the icon card with a title and, under it,
// the option chosen.
class VLPrefsSingleSelectionCell : public VLPrefsIconCardCell {
public:
    static std::shared_ptr<VLPrefsSingleSelectionCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsSingleSelectionCell"; }

    const std::shared_ptr<ui::Label>& valueLabel() const { return valueLabel_; }
    void setValueLabel(std::shared_ptr<ui::Label> label) { valueLabel_ = std::move(label); }

    // Clears the icon's image, the title and the second line.
    void prepareForReuse() override;

protected:
    using VLPrefsIconCardCell::VLPrefsIconCardCell;

private:
    std::shared_ptr<ui::Label> valueLabel_;
};
