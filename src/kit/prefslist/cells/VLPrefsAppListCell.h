#pragma once

#include <memory>
#include <string>

#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

// A row that picks applications: the first four chosen show as a two-by-two grid of 20-point
// icons on a 50-point backdrop (`appView`) at the card's trailing side. The titles end 10
// points inside the grid's leading column.
class VLPrefsAppListCell : public VLPrefsSubtitleCardCell {
public:
    static constexpr double kBackdropSize = 50;
    static constexpr double kPreviewSize = 20;

    static std::shared_ptr<VLPrefsAppListCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Default, std::string reuseIdentifier = {});
    const char* className() const override { return "VLPrefsAppListCell"; }

    const std::shared_ptr<ui::View>& appView() const { return appView_; }
    void setAppView(std::shared_ptr<ui::View> view) { appView_ = std::move(view); }
    const std::shared_ptr<ui::ImageView>& preview1() const { return previews_[0]; }
    void setPreview1(std::shared_ptr<ui::ImageView> view) { previews_[0] = std::move(view); }
    const std::shared_ptr<ui::ImageView>& preview2() const { return previews_[1]; }
    void setPreview2(std::shared_ptr<ui::ImageView> view) { previews_[1] = std::move(view); }
    const std::shared_ptr<ui::ImageView>& preview3() const { return previews_[2]; }
    void setPreview3(std::shared_ptr<ui::ImageView> view) { previews_[2] = std::move(view); }
    const std::shared_ptr<ui::ImageView>& preview4() const { return previews_[3]; }
    void setPreview4(std::shared_ptr<ui::ImageView> view) { previews_[3] = std::move(view); }

    // Clears the icon's image, the title, the subtitle and the four previews' images.
    void prepareForReuse() override;

protected:
    using VLPrefsSubtitleCardCell::VLPrefsSubtitleCardCell;

private:
    std::shared_ptr<ui::View> appView_;
    std::shared_ptr<ui::ImageView> previews_[4];
};
