#pragma once

#include <memory>

#include "ui/CollectionReusableView.h"
#include "ui/Label.h"

// A section heading of the avatar grid: bold 18-point text in the tertiary label colour,
// 20 points from the leading edge, centred vertically.
class VLAvatarIdentityCellHeaderView : public ui::CollectionReusableView {
public:
    static constexpr double kLeadingInset = 20;

    static std::shared_ptr<VLAvatarIdentityCellHeaderView> create();
    const char* className() const override { return "VLAvatarIdentityCellHeaderView"; }

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    const std::shared_ptr<ui::Label>& headerLabel() const { return headerLabel_; }

    void prepareForReuse() override;
    void layoutSubviews() override;

protected:
    VLAvatarIdentityCellHeaderView() = default;

private:
    // Views are added once the object is owned: a constructor cannot add subviews yet.
    void buildViews();
    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::Label> headerLabel_;
};
