#pragma once

#include <memory>
#include <string>

#include "ui/Label.h"
#include "ui/View.h"

// The heading over the home screen's section area ("Categories", "Settings"): one line of
// muted semibold text along the view's leading edge. Its owner sizes and places it.
class VLPrefsSectionHeaderView : public ui::View {
public:
    static constexpr double kTitlePointSize = 18;

    static std::shared_ptr<VLPrefsSectionHeaderView> create(const std::string& title);
    const char* className() const override { return "VLPrefsSectionHeaderView"; }

    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }

protected:
    VLPrefsSectionHeaderView() = default;

private:
    std::shared_ptr<ui::Label> titleLabel_;
};
