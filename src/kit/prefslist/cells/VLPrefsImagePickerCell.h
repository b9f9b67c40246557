#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that picks an image: a 45-point preview with rounded corners at the card's trailing
// side. The titles end 10 points inside the preview's trailing edge.
class VLPrefsImagePickerCell : public VLPrefsSubtitleCardCell {
public:
    static constexpr double kPreviewSize = 45;
    static constexpr double kPreviewCornerRadius = 13;

    static std::shared_ptr<VLPrefsImagePickerCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsImagePickerCell"; }

    const std::shared_ptr<ui::ImageView>& preview() const { return preview_; }
    void setPreview(std::shared_ptr<ui::ImageView> preview) { preview_ = std::move(preview); }

    // Clears the icon's image, the title, the subtitle and the preview's image.
    void prepareForReuse() override;

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::ImageView> preview_;
};
