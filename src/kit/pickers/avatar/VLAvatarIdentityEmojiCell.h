#pragma once

#include <memory>

#include "ui/CollectionViewCell.h"
#include "ui/Label.h"

// A preset of the avatar grid: a circle in the
// preset's colour with its emoji centred, 45 points.
class VLAvatarIdentityEmojiCell : public ui::CollectionViewCell {
public:
    static constexpr double kEmojiPointSize = 45;

    static std::shared_ptr<VLAvatarIdentityEmojiCell> create();
    const char* className() const override { return "VLAvatarIdentityEmojiCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::Label>& emojiLabel() const { return emojiLabel_; }

    void prepareForReuse() override;
    void layoutSubviews() override;

protected:
    VLAvatarIdentityEmojiCell() = default;

private:
    // Views are added once the object is owned: a constructor cannot add subviews yet.
    void buildViews();
    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::Label> emojiLabel_;
};
