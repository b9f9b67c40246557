#pragma once

#include <memory>
#include <string>

#include "gfx/Color.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/View.h"
#include "uikit/VLDynamicBlurView.h"

// The sheet header of the pickers: a blurred bar with a grabber handle at the top, a centred
// title and one or two rounded-square icon buttons in the accent colour.
//
// The header does not size or place itself; its host constrains it (the pickers make it as
// wide as their view and 65 points high). Each button sends its action on touch-up-inside up
// the responder chain from the button, so the nearest responder that handles the action name
// (in practice the screen's controller) gets it; when none does, nothing happens.
class VLHeaderView : public ui::View {
public:
    // One button, on the leading side. `leftIcon` names a system symbol image.
    static std::shared_ptr<VLHeaderView> create(const std::string& title, const gfx::Color& accent,
                                                const std::string& leftIcon, const std::string& leftAction);
    // A second button on the trailing side.
    static std::shared_ptr<VLHeaderView> create(const std::string& title, const gfx::Color& accent,
                                                const std::string& leftIcon, const std::string& leftAction,
                                                const std::string& rightIcon, const std::string& rightAction);
    const char* className() const override { return "VLHeaderView"; }

    const std::shared_ptr<VLDynamicBlurView>& blurView() const { return blurView_; }
    // The content view above the blur that holds the grabber, buttons and title.
    const std::shared_ptr<ui::View>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::View>& grabberView() const { return grabberView_; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<ui::Button>& leftButton() const { return leftButton_; }
    // Null for a one-button header.
    const std::shared_ptr<ui::Button>& rightButton() const { return rightButton_; }

protected:
    VLHeaderView() = default;

private:
    void layoutBackground();
    void layoutGrabberView();
    std::shared_ptr<ui::Button> makeButton(const gfx::Color& accent, const std::string& icon,
                                           const std::string& action);
    void layoutTitleLabel(const std::string& title);

    std::shared_ptr<VLDynamicBlurView> blurView_;
    std::shared_ptr<ui::View> headerView_;
    std::shared_ptr<ui::View> grabberView_;
    std::shared_ptr<ui::Label> titleLabel_;
    std::shared_ptr<ui::Button> leftButton_;
    std::shared_ptr<ui::Button> rightButton_;
};
