#pragma once

#include <memory>

#include "ui/CollectionViewCell.h"
#include "ui/Label.h"

// One emoji of the picker's grid: a base view filling the cell and the emoji centred in it at
// 30 points (drawn by the colour emoji font, whatever the text font).
class VLEmojiPickerCell : public ui::CollectionViewCell {
public:
    static constexpr double kEmojiPointSize = 30;

    static std::shared_ptr<VLEmojiPickerCell> create();
    const char* className() const override { return "VLEmojiPickerCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::Label>& emojiLabel() const { return emojiLabel_; }

    // A reused cell shows nothing until it is given its next emoji.
    void prepareForReuse() override;

protected:
    VLEmojiPickerCell() = default;

private:
    void layoutBaseView();
    void layoutEmojiLabel();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::Label> emojiLabel_;
};
