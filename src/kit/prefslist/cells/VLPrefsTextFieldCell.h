#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsIconCardCell.h"

// A row that edits a text: the icon card with a title and, under it, the current text.
class VLPrefsTextFieldCell : public VLPrefsIconCardCell {
public:
    static std::shared_ptr<VLPrefsTextFieldCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsTextFieldCell"; }

    const std::shared_ptr<ui::Label>& textFieldLabel() const { return textFieldLabel_; }
    void setTextFieldLabel(std::shared_ptr<ui::Label> label) { textFieldLabel_ = std::move(label); }

    // Clears the icon's image, the title and the second line.
    void prepareForReuse() override;

protected:
    using VLPrefsIconCardCell::VLPrefsIconCardCell;

private:
    std::shared_ptr<ui::Label> textFieldLabel_;
};
