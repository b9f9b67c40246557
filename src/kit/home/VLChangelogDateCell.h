#pragma once

#include <memory>

#include "ui/CollectionViewCell.h"
#include "ui/Label.h"

// A date chip of the changelog's strip: the release's day large at the top, its month in the
// middle and its year at the bottom, on a rounded card. The changelog sheet colours the chip
// of the selected release.
class VLChangelogDateCell : public ui::CollectionViewCell {
public:
    static constexpr double kCornerRadius = 20;

    static std::shared_ptr<VLChangelogDateCell> create(const gfx::Rect& frame = {});
    const char* className() const override { return "VLChangelogDateCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::Label>& dateLabel() const { return dateLabel_; }
    const std::shared_ptr<ui::Label>& monthLabel() const { return monthLabel_; }
    const std::shared_ptr<ui::Label>& yearLabel() const { return yearLabel_; }

    // Clears the three texts.
    void prepareForReuse() override;

protected:
    VLChangelogDateCell() = default;

private:
    void layoutBaseView();
    std::shared_ptr<ui::Label> makeLabel(double pointSize, gfx::FontWeight weight, const gfx::Color& colour);

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::Label> dateLabel_;
    std::shared_ptr<ui::Label> monthLabel_;
    std::shared_ptr<ui::Label> yearLabel_;
};
