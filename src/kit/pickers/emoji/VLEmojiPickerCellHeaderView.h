#pragma once

#include <memory>

#include "ui/CollectionReusableView.h"
#include "ui/Label.h"

// A section header of the emoji grid: the section's title in bold tertiary text, 20 points in
// from the leading edge and centred vertically, on a clipping base view that fills the header.
class VLEmojiPickerCellHeaderView : public ui::CollectionReusableView {
public:
    static constexpr double kTitlePointSize = 18;
    static constexpr double kLeadingInset = 20;

    static std::shared_ptr<VLEmojiPickerCellHeaderView> create();
    const char* className() const override { return "VLEmojiPickerCellHeaderView"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::Label>& headerLabel() const { return headerLabel_; }

    void prepareForReuse() override;

protected:
    VLEmojiPickerCellHeaderView() = default;

private:
    void layoutBaseView();
    void layoutHeaderLabel();

    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::Label> headerLabel_;
};
