#pragma once

#include <memory>

#include "prefslist/cells/VLPrefsIconCardCell.h"

// An icon card whose second line is `subtitleLabel`: every preference cell except the
// tinted button, the text field and the single selection.
class VLPrefsSubtitleCardCell : public VLPrefsIconCardCell {
public:
    const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
    void setSubtitleLabel(std::shared_ptr<ui::Label> label) { subtitleLabel_ = std::move(label); }

    // Clears the icon's image, the title and the subtitle.
    void prepareForReuse() override;

protected:
    using VLPrefsIconCardCell::VLPrefsIconCardCell;

    // The title and the subtitle, both ending 10 points inside `trailingReference`.
    void buildTitles(const ui::LayoutAnchor& trailingReference);

    // The whole tree of a row with a square picture at the card's trailing side, centred
    // vertically, the titles ending 10 points inside the picture's trailing edge. Returns the
    // picture.
    std::shared_ptr<ui::ImageView> buildPictureCard(double size, double cornerRadius, gfx::CornerCurve curve);

private:
    std::shared_ptr<ui::Label> subtitleLabel_;
};
