#pragma once

#include <memory>

#include "ui/CollectionViewCell.h"
#include "ui/ImageView.h"

// A round tool button of the avatar grid: a circular base with a centred symbol half the
// cell's width. The picker colours the base and the symbol with its accent.
class VLAvatarIdentityToolsCell : public ui::CollectionViewCell {
public:
    static std::shared_ptr<VLAvatarIdentityToolsCell> create();
    const char* className() const override { return "VLAvatarIdentityToolsCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }

    void prepareForReuse() override;
    void layoutSubviews() override;

protected:
    VLAvatarIdentityToolsCell() = default;

private:
    // Views are added once the object is owned: a constructor cannot add subviews yet.
    void buildViews();
    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::ImageView> iconImage_;
};
