#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableViewCell.h"

// One option of the single-selection picker: a rounded card inset 5 points from the row's top
// and bottom and 10 from its sides, the option's title on the leading side and a checkmark on
// the trailing side that the picker shows only on the marked row.
class VLSingleSelectionCell : public ui::TableViewCell {
public:
    static constexpr double kCardVerticalInset = 5;
    static constexpr double kCardHorizontalInset = 10;
    static constexpr double kCardCornerRadius = 10;
    static constexpr double kCheckmarkSide = 20;
    static constexpr double kSpacing = 10;
    static constexpr double kTitlePointSize = 20;

    static std::shared_ptr<VLSingleSelectionCell> create(
        ui::TableViewCellStyle style = ui::TableViewCellStyle::Subtitle, std::string reuseIdentifier = {});
    const char* className() const override { return "VLSingleSelectionCell"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::ImageView>& checkmark() const { return checkmark_; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }

    // Clears the title after the platform's own reset.
    void prepareForReuse() override;

protected:
    using ui::TableViewCell::TableViewCell;

private:
    void layoutBaseView();
    void layoutCheckmark();
    void layoutTitleLabel();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::ImageView> checkmark_;
    std::shared_ptr<ui::Label> titleLabel_;
};
