#include "uikit/VLHeaderView.h"

#include "gfx/Font.h"
#include "uikit/VLSheetGrabber.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kButtonSide = 35;
constexpr double kButtonInset = 20;
// Buttons and title sit a little below the middle, leaving room for the grabber above.
constexpr double kContentCentreOffset = 5;

}  // namespace

std::shared_ptr<VLHeaderView> VLHeaderView::create(const std::string& title, const gfx::Color& accent,
                                                   const std::string& leftIcon,
                                                   const std::string& leftAction) {
    std::shared_ptr<VLHeaderView> header(new VLHeaderView());
    header->layoutBackground();
    header->layoutGrabberView();
    header->leftButton_ = header->makeButton(accent, leftIcon, leftAction);
    extension::leading(*header->leftButton_, header->headerView_->leadingAnchor(), kButtonInset);
    header->layoutTitleLabel(title);
    return header;
}

std::shared_ptr<VLHeaderView> VLHeaderView::create(const std::string& title, const gfx::Color& accent,
                                                   const std::string& leftIcon, const std::string& leftAction,
                                                   const std::string& rightIcon,
                                                   const std::string& rightAction) {
    std::shared_ptr<VLHeaderView> header(new VLHeaderView());
    header->layoutBackground();
    header->layoutGrabberView();
    header->leftButton_ = header->makeButton(accent, leftIcon, leftAction);
    extension::leading(*header->leftButton_, header->headerView_->leadingAnchor(), kButtonInset);
    header->rightButton_ = header->makeButton(accent, rightIcon, rightAction);
    extension::trailing(*header->rightButton_, header->headerView_->trailingAnchor(), -kButtonInset);
    header->layoutTitleLabel(title);
    return header;
}

// The blur fills the header, the content view fills it above the blur.
void VLHeaderView::layoutBackground() {
    setClipsToBounds(true);
    blurView_ = VLDynamicBlurView::create();
    addSubview(blurView_);
    extension::fill(*blurView_);
    headerView_ = ui::View::create();
    addSubview(headerView_);
    extension::fill(*headerView_);
}

void VLHeaderView::layoutGrabberView() { grabberView_ = VLSheetGrabber::addTo(*headerView_); }

// A rounded square in the accent colour whose action goes up the responder chain; the caller
// pins its leading or trailing edge.
std::shared_ptr<ui::Button> VLHeaderView::makeButton(const gfx::Color& accent, const std::string& icon,
                                                     const std::string& action) {
    auto button = ui::Button::create();
    button->setBackgroundColor(accent.withAlphaComponent(0.4));
    button->layer().setCornerRadius(12);
    button->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    button->setSymbolImage(icon);
    button->setTintColor(accent);
    button->addTarget({}, action, ui::ControlEventTouchUpInside);
    headerView_->addSubview(button);
    extension::size(*button, {kButtonSide, kButtonSide});
    extension::y(*button, headerView_->centerYAnchor(), kContentCentreOffset);
    return button;
}

void VLHeaderView::layoutTitleLabel(const std::string& title) {
    titleLabel_ = ui::Label::create();
    titleLabel_->setTextColor(gfx::Color::label());
    titleLabel_->setTextAlignment(gfx::TextAlignment::Center);
    titleLabel_->setFont(gfx::Font::system(20, gfx::FontWeight::Semibold));
    titleLabel_->setText(title);
    headerView_->addSubview(titleLabel_);
    extension::y(*titleLabel_, headerView_->centerYAnchor(), kContentCentreOffset);
    extension::x(*titleLabel_, headerView_->centerXAnchor());
}
