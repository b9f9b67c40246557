#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "ui/Window.h"
#include "uikit/VLHeaderView.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

// A header hosted as the pickers host it: full width of a 390-point window, 65 high, at the top.
struct HostedHeader {
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 300}, 2);
    std::shared_ptr<VLHeaderView> header;

    explicit HostedHeader(std::shared_ptr<VLHeaderView> made) : header(std::move(made)) {
        window->addSubview(header);
        extension::width(*header, 390);
        extension::height(*header, 65);
        extension::x(*header, window->centerXAnchor());
        extension::top(*header, window->topAnchor(), 0);
        window->layoutIfNeeded();
    }

    gfx::Rect inWindow(const std::shared_ptr<ui::View>& view) const {
        return view->convertRect(view->bounds(), nullptr);
    }

    void tap(const std::shared_ptr<ui::View>& view) {
        gfx::Rect rect = inWindow(view);
        gfx::Point centre{rect.midX(), rect.midY()};
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, centre));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, centre));
    }
};

std::shared_ptr<VLHeaderView> twoButtonHeader() {
    return VLHeaderView::create("Applications", VLPrefsAppearance::velliumAccentColour(), "xmark", "dismiss",
                                "checkmark", "apply");
}

TEST(VLHeaderView, PlacesGrabberButtonsAndTitle) {
    HostedHeader hosted(twoButtonHeader());
    EXPECT_EQ(hosted.inWindow(hosted.header), (gfx::Rect{0, 0, 390, 65}));
    EXPECT_TRUE(hosted.header->clipsToBounds());
    EXPECT_EQ(hosted.inWindow(hosted.header->blurView()), (gfx::Rect{0, 0, 390, 65}));
    EXPECT_EQ(hosted.inWindow(hosted.header->headerView()), (gfx::Rect{0, 0, 390, 65}));
    EXPECT_EQ(hosted.inWindow(hosted.header->grabberView()), (gfx::Rect{175, 10, 40, 6}));

    // Centred 5 below the middle (32.5): 35 x 35 squares 20 inside each side.
    EXPECT_EQ(hosted.inWindow(hosted.header->leftButton()), (gfx::Rect{20, 20, 35, 35}));
    EXPECT_EQ(hosted.inWindow(hosted.header->rightButton()), (gfx::Rect{335, 20, 35, 35}));
    EXPECT_EQ(hosted.header->leftButton()->imageName(ui::ControlStateNormal), "xmark");
    EXPECT_EQ(hosted.header->rightButton()->imageName(ui::ControlStateNormal), "checkmark");

    gfx::Rect title = hosted.inWindow(hosted.header->titleLabel());
    EXPECT_GT(title.width, 50);  // its own text width
    EXPECT_NEAR(title.midX(), 195, 0.5);
    EXPECT_NEAR(title.midY(), 37.5, 0.5);
}

TEST(VLHeaderView, OneButtonHeaderHasNoRightButton) {
    HostedHeader hosted(
        VLHeaderView::create("Emoji", VLPrefsAppearance::velliumAccentColour(), "xmark", "dismiss"));
    EXPECT_EQ(hosted.header->rightButton(), nullptr);
    // Grabber, left button and title only.
    EXPECT_EQ(hosted.header->headerView()->subviews().size(), 3u);
}

TEST(VLHeaderView, ButtonsSendTheirActionsUpTheResponderChain) {
    HostedHeader hosted(twoButtonHeader());
    std::vector<std::string> handled;
    // The screen's root view stands in for the controller that owns it.
    hosted.window->registerAction("dismiss", [&] { handled.push_back("dismiss"); });

    hosted.tap(hosted.header->leftButton());
    EXPECT_EQ(handled, (std::vector<std::string>{"dismiss"}));

    // Nobody handles "apply": the tap is logged and otherwise has no effect.
    std::vector<std::string> lines;
    base::Log::setSink([&](std::string_view line) { lines.emplace_back(line); });
    hosted.tap(hosted.header->rightButton());
    base::Log::resetSink();
    EXPECT_EQ(handled, (std::vector<std::string>{"dismiss"}));
    EXPECT_FALSE(lines.empty());
}

}  // namespace
