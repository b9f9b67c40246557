#pragma once

#include <memory>

#include "ui/CollectionViewCell.h"
#include "ui/ImageView.h"

// A sticker of the avatar grid: the sticker's image, as wide as the cell and centred.
class VLAvatarIdentityStickerCell : public ui::CollectionViewCell {
public:
    static std::shared_ptr<VLAvatarIdentityStickerCell> create();
    const char* className() const override { return "VLAvatarIdentityStickerCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }

    void prepareForReuse() override;
    void layoutSubviews() override;

protected:
    VLAvatarIdentityStickerCell() = default;

private:
    // Views are added once the object is owned: a constructor cannot add subviews yet.
    void buildViews();
    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::ImageView> iconImage_;
};
