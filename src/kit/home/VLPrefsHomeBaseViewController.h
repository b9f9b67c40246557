#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "home/VLChangelogRelease.h"
#include "home/VLPrefsConfig.h"
#include "sys/HttpTask.h"
#include "ui/GestureRecognizerDelegate.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/ScrollViewDelegate.h"
#include "ui/ViewController.h"
#include "uikit/VLDynamicBlurView.h"

// What both home screens share: a floating header with a back button whose blur and title fade
// in as the user scrolls, a scroll view holding the hero (cover art that stretches when pulled
// down, a blurred name bar, a tutorial card), the changelog downloaded once configured, and the
// actions the tweak's screen or the host may call. `VLFreePrefsHomeViewController` adds the
// categories or the settings row; `VLLitePrefsHomeViewController` has the toggle container alone.
//
// The changelog is fetched off the main thread after configuration; `changelogArray` is set on
// the main run loop when it arrives. Until then, and after any failure, `presentChangelogVC`
// shows an alert instead of the sheet.
class VLPrefsHomeBaseViewController : public ui::ViewController,
                                      public ui::ScrollViewDelegate,
                                      public ui::GestureRecognizerDelegate {
public:
    static constexpr double kHeaderHeight = 90;
    // The hero reaches this far above the scroll view's origin, revealed by pulling down.
    static constexpr double kHeroOverhang = 200;
    static constexpr double kHeroHeight = 600;
    // Pulled further than this, the content springs back to rest.
    static constexpr double kSnapBackOffset = -200;
    static constexpr double kBlurShownAfter = 230;
    static constexpr double kTitleShownAfter = 260;
    static constexpr double kFadeSeconds = 0.2;
    static constexpr const char* kDonationNotification = "VelliumAppShowDonationViewController";
    static constexpr const char* kNoChangelogTitle = "😕";
    static constexpr const char* kNoChangelogMessage =
        "Couldn't load changelog at the moment, make sure you are connected to the internet and try again by "
        "terminate Vellium app then launch again.";
    static constexpr std::size_t kSupportTabIndex = 3;

    ~VLPrefsHomeBaseViewController() override;

    const std::shared_ptr<ui::View>& headerView() const { return headerView_; }
    const std::shared_ptr<VLDynamicBlurView>& navBlurView() const { return navBlurView_; }
    const std::shared_ptr<ui::Label>& navTitle() const { return navTitle_; }
    const std::shared_ptr<ui::View>& backButton() const { return backButton_; }
    const std::shared_ptr<ui::ScrollView>& scrollView() const { return scrollView_; }
    const std::shared_ptr<ui::View>& heroView() const { return heroView_; }
    const std::shared_ptr<ui::ImageView>& heroImage() const { return heroImage_; }
    const std::shared_ptr<VLDynamicBlurView>& heroSectionView() const { return heroSectionView_; }
    const std::shared_ptr<ui::ImageView>& heroIcon() const { return heroIcon_; }
    const std::shared_ptr<ui::Label>& heroTitle() const { return heroTitle_; }
    const std::shared_ptr<ui::Label>& heroSubtitle() const { return heroSubtitle_; }
    const std::shared_ptr<VLDynamicBlurView>& heroTutorialView() const { return heroTutorialView_; }
    const std::shared_ptr<ui::ImageView>& tutorialIcon() const { return tutorialIcon_; }
    const std::shared_ptr<ui::Label>& tutorialLabel() const { return tutorialLabel_; }
    const std::shared_ptr<ui::View>& toggleContainerView() const { return toggleContainerView_; }
    // A slot for the tweak's screen; the kit makes none.
    const std::shared_ptr<ui::Label>& footerLabel() const { return footerLabel_; }
    void setFooterLabel(std::shared_ptr<ui::Label> label) { footerLabel_ = std::move(label); }
    const gfx::Color& accentColour() const { return accentColour_; }
    void setAccentColour(gfx::Color colour) { accentColour_ = std::move(colour); }
    const std::string& tweakName() const { return tweakName_; }
    // Absent until the download has arrived, and after a failed one.
    const std::optional<std::vector<VLChangelogRelease>>& changelogArray() const { return changelogArray_; }

    // Configures the screen once, after its view has loaded.
    virtual void updateWithPrefsConfig(const std::shared_ptr<VLPrefsConfig>& config) = 0;

    // Actions.
    void backToMain();
    void presentChangelogVC();
    // Plays the tutorial video of the repository ("…/depictions/NAME/tutorial.mp4").
    virtual void presentTutorialVideo();
    void presentDonateVC();
    void pushToSupportTab();
    // The written tutorial; the tweak's own screen provides it (the kit's does nothing).
    virtual void presentTutorialVC();

    void scrollViewDidScroll(ui::ScrollView& scrollView) override;

protected:
    VLPrefsHomeBaseViewController();
    void viewDidLoad() override;

    void layoutHeaderView();
    void layoutScrollView();
    void layoutHeroView();
    // The empty 90 by 115 container for the tweak's own toggle, 30 below the hero.
    void layoutToggleContainer();
    // Puts the header above the scroll view.
    void addHeaderView();
    // Steps shared by both screens' configuration: the hero's texts and images, the tutorial
    // card, and (queued on the main run loop) the changelog download.
    void fillHero(const VLPrefsConfig& config);
    void wireTutorialCard(bool isTutorialVideoAvailable);
    void queueChangelogDownload(const std::string& tweakName);

    // The width of the screen's view, which every element is built against.
    double viewWidth();
    // Keeps `subview` as wide as the screen's view plus `difference` (negative: narrower).
    void matchViewWidth(ui::View& subview, double difference);

private:
    void registerActions();
    void stretchCover(double offset);
    void fade(ui::View& view, bool shown);

    std::shared_ptr<ui::View> headerView_;
    std::shared_ptr<VLDynamicBlurView> navBlurView_;
    std::shared_ptr<ui::Label> navTitle_;
    std::shared_ptr<ui::View> backButton_;
    std::shared_ptr<ui::ScrollView> scrollView_;
    std::shared_ptr<ui::View> heroView_;
    std::shared_ptr<ui::ImageView> heroImage_;
    std::shared_ptr<VLDynamicBlurView> heroSectionView_;
    std::shared_ptr<ui::ImageView> heroIcon_;
    std::shared_ptr<ui::Label> heroTitle_;
    std::shared_ptr<ui::Label> heroSubtitle_;
    std::shared_ptr<VLDynamicBlurView> heroTutorialView_;
    std::shared_ptr<ui::ImageView> tutorialIcon_;
    std::shared_ptr<ui::Label> tutorialLabel_;
    std::shared_ptr<ui::Label> footerLabel_;
    gfx::Color accentColour_;
    std::string tweakName_;
    std::optional<std::vector<VLChangelogRelease>> changelogArray_;
    std::shared_ptr<sys::HttpTask> download_;
    std::shared_ptr<ui::View> toggleContainerView_;
};
