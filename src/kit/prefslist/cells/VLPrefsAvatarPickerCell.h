#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that picks a picture of a person: a round 45-point preview at the card's trailing
// side. The titles end 10 points inside the preview's trailing edge.
class VLPrefsAvatarPickerCell : public VLPrefsSubtitleCardCell {
public:
    static constexpr double kPreviewSize = 45;
    static constexpr double kPreviewCornerRadius = 22.5;

    static std::shared_ptr<VLPrefsAvatarPickerCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsAvatarPickerCell"; }

    const std::shared_ptr<ui::ImageView>& preview() const { return preview_; }
    void setPreview(std::shared_ptr<ui::ImageView> preview) { preview_ = std::move(preview); }

    // Clears the icon's image, the title, the subtitle and the preview's image.
    void prepareForReuse() override;

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::ImageView> preview_;
};
