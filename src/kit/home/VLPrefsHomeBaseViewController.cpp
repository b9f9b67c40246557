#include "home/VLPrefsHomeBaseViewController.h"

#include "base/Log.h"
#include "base/NotificationCenter.h"
#include "base/RunLoop.h"
#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "home/VLChangelogDownload.h"
#include "home/VLChangelogViewController.h"
#include "home/VLPackageRepository.h"
#include "ui/AlertController.h"
#include "ui/LayoutConstraint.h"
#include "ui/NavigationController.h"
#include "ui/PropertyAnimator.h"
#include "ui/ScreenEdgePanGestureRecognizer.h"
#include "ui/TabBarController.h"
#include "ui/TapGestureRecognizer.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr unsigned kBottomCorners = gfx::BottomLeftCorner | gfx::BottomRightCorner;

void roundContinuously(ui::View& view, double radius) {
    view.layer().setCornerRadius(radius);
    view.layer().setCornerCurve(gfx::CornerCurve::Continuous);
    view.setClipsToBounds(true);
}

std::shared_ptr<ui::Label> makeLabel(gfx::TextAlignment alignment, double pointSize, gfx::FontWeight weight,
                                     const gfx::Color& colour) {
    auto label = ui::Label::create();
    label->setTextAlignment(alignment);
    label->setTextColor(colour);
    label->setFont(gfx::Font::system(pointSize, weight));
    return label;
}

}  // namespace

VLPrefsHomeBaseViewController::VLPrefsHomeBaseViewController() = default;

VLPrefsHomeBaseViewController::~VLPrefsHomeBaseViewController() {
    if (download_) download_->cancel();
}

void VLPrefsHomeBaseViewController::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    registerActions();
    if (auto navigation = navigationController()) {
        auto self = std::static_pointer_cast<VLPrefsHomeBaseViewController>(sharedController());
        navigation->interactivePopGestureRecognizer()->setDelegate(
            std::weak_ptr<ui::GestureRecognizerDelegate>(self));
    }
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    accentColour_ = VLPrefsAppearance::velliumAccentColour();
    view()->setClipsToBounds(true);
    layoutHeaderView();
    layoutScrollView();
    layoutHeroView();
}

// The handlers live in the controller, so a recogniser's action never outlives it.
void VLPrefsHomeBaseViewController::registerActions() {
    registerAction("backToMain", [this] { backToMain(); });
    registerAction("presentChangelogVC", [this] { presentChangelogVC(); });
    registerAction("presentTutorialVideo", [this] { presentTutorialVideo(); });
    registerAction("presentDonateVC", [this] { presentDonateVC(); });
    registerAction("pushToSupportTab", [this] { pushToSupportTab(); });
    registerAction("presentTutorialVC", [this] { presentTutorialVC(); });
}

double VLPrefsHomeBaseViewController::viewWidth() { return view()->bounds().width; }

// A tweak may configure the screen from its viewDidLoad, before the view has its width.
void VLPrefsHomeBaseViewController::matchViewWidth(ui::View& subview, double difference) {
    subview.widthAnchor().equalTo(view()->widthAnchor(), difference)->setActive(true);
}

void VLPrefsHomeBaseViewController::layoutHeaderView() {
    const double width = viewWidth();
    headerView_ = ui::View::create();
    headerView_->setFrame({0, 0, width, kHeaderHeight});
    // The view may not have its final width yet when it loads; frames follow it.
    headerView_->setAutoresizingMask(ui::FlexibleWidth);
    roundContinuously(*headerView_, 20);
    headerView_->layer().setMaskedCorners(kBottomCorners);
    auto& header = *headerView_;

    navBlurView_ = VLDynamicBlurView::create();
    navBlurView_->setAlpha(0);
    header.addSubview(navBlurView_);
    extension::fill(*navBlurView_);

    backButton_ = ui::View::create();
    roundContinuously(*backButton_, 12);
    backButton_->setBackgroundColor(VLPrefsAppearance::velliumAccentColour().withAlphaComponent(0.4));
    header.addSubview(backButton_);
    extension::size(*backButton_, {35, 35});
    extension::leading(*backButton_, header.leadingAnchor(), 15);
    extension::bottom(*backButton_, header.bottomAnchor(), -12);
    auto chevron = ui::ImageView::create(gfx::SymbolImage::named("chevron.left"), "chevron.left");
    chevron->setUserInteractionEnabled(true);
    chevron->setTintColor(VLPrefsAppearance::velliumAccentColour());
    chevron->setContentMode(gfx::ContentMode::ScaleAspectFit);
    backButton_->addSubview(chevron);
    extension::size(*chevron, {20, 20});
    extension::xy(*chevron, backButton_->centerXAnchor(), backButton_->centerYAnchor());
    auto back = ui::TapGestureRecognizer::create();
    back->addTarget(sharedController(), "backToMain");
    backButton_->addGestureRecognizer(back);

    navTitle_ = makeLabel(gfx::TextAlignment::Center, 18, gfx::FontWeight::Semibold, gfx::Color::label());
    navTitle_->setAlpha(0);
    header.addSubview(navTitle_);
    extension::x(*navTitle_, header.centerXAnchor());
    extension::y(*navTitle_, backButton_->centerYAnchor());
}

void VLPrefsHomeBaseViewController::layoutScrollView() {
    scrollView_ = ui::ScrollView::create();
    scrollView_->setShowsVerticalScrollIndicator(false);
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setBackgroundColor(gfx::Color::clear());
    auto self = std::static_pointer_cast<VLPrefsHomeBaseViewController>(sharedController());
    scrollView_->setDelegate(std::weak_ptr<ui::ScrollViewDelegate>(self));
    scrollView_->setContentInsetAdjustmentBehavior(ui::ContentInsetAdjustmentBehavior::Never);
    // The screen sets no content size; without this the cover could not be pulled down.
    scrollView_->setAlwaysBounceVertical(true);
    view()->addSubview(scrollView_);
    extension::fill(*scrollView_);
}

void VLPrefsHomeBaseViewController::layoutHeroView() {
    const double width = viewWidth();
    // The hero and its cover by frame, the rest by constraints.
    heroView_ = ui::View::create();
    heroView_->setFrame({0, -kHeroOverhang, width, kHeroHeight});
    heroView_->setAutoresizingMask(ui::FlexibleWidth);
    heroView_->setBackgroundColor(gfx::Color::clear());
    roundContinuously(*heroView_, 30);
    heroView_->layer().setMaskedCorners(kBottomCorners);
    scrollView_->addSubview(heroView_);
    auto& hero = *heroView_;

    heroImage_ = ui::ImageView::create();
    heroImage_->setFrame({0, kHeroOverhang, width, kHeroHeight - kHeroOverhang});
    heroImage_->setAutoresizingMask(ui::FlexibleWidth);
    heroImage_->setContentMode(gfx::ContentMode::ScaleAspectFill);
    heroImage_->setClipsToBounds(true);
    hero.addSubview(heroImage_);

    heroSectionView_ = VLDynamicBlurView::create();
    roundContinuously(*heroSectionView_, 30);
    hero.addSubview(heroSectionView_);
    extension::height(*heroSectionView_, 100);
    heroSectionView_->widthAnchor().equalTo(hero.widthAnchor())->setActive(true);
    extension::x(*heroSectionView_, hero.centerXAnchor());
    extension::bottom(*heroSectionView_, hero.bottomAnchor(), 0);
    auto& bar = *heroSectionView_;

    heroIcon_ = ui::ImageView::create();
    roundContinuously(*heroIcon_, 15);
    bar.addSubview(heroIcon_);
    extension::size(*heroIcon_, {70, 70});
    extension::leading(*heroIcon_, bar.leadingAnchor(), 15);
    extension::y(*heroIcon_, bar.centerYAnchor());
    heroTitle_ = makeLabel(gfx::TextAlignment::Natural, 20, gfx::FontWeight::Bold, gfx::Color::label());
    bar.addSubview(heroTitle_);
    extension::leading(*heroTitle_, heroIcon_->trailingAnchor(), 10);
    extension::y(*heroTitle_, heroIcon_->centerYAnchor(), -14);
    heroSubtitle_ =
        makeLabel(gfx::TextAlignment::Natural, 16, gfx::FontWeight::Semibold, gfx::Color::label());
    bar.addSubview(heroSubtitle_);
    extension::leading(*heroSubtitle_, heroIcon_->trailingAnchor(), 10);
    extension::y(*heroSubtitle_, heroIcon_->centerYAnchor(), 14);

    heroTutorialView_ = VLDynamicBlurView::create();
    roundContinuously(*heroTutorialView_, 20);
    hero.addSubview(heroTutorialView_);
    extension::size(*heroTutorialView_, {120, 80});
    extension::x(*heroTutorialView_, hero.centerXAnchor());
    // In the middle of the cover image.
    extension::y(*heroTutorialView_, hero.centerYAnchor(), 100);
    auto& card = *heroTutorialView_;
    tutorialIcon_ = ui::ImageView::create();
    tutorialIcon_->setContentMode(gfx::ContentMode::ScaleAspectFit);
    tutorialIcon_->setTintColor(accentColour_.withAlphaComponent(0.6));
    card.addSubview(tutorialIcon_);
    extension::size(*tutorialIcon_, {35, 35});
    extension::x(*tutorialIcon_, card.centerXAnchor());
    extension::top(*tutorialIcon_, card.topAnchor(), 10);
    tutorialLabel_ =
        makeLabel(gfx::TextAlignment::Center, 14, gfx::FontWeight::Semibold, gfx::Color::tertiaryLabel());
    card.addSubview(tutorialLabel_);
    extension::x(*tutorialLabel_, card.centerXAnchor());
    extension::top(*tutorialLabel_, tutorialIcon_->bottomAnchor(), 10);
}

void VLPrefsHomeBaseViewController::layoutToggleContainer() {
    auto& scroll = *scrollView_;
    toggleContainerView_ = ui::View::create();
    scroll.addSubview(toggleContainerView_);
    extension::size(*toggleContainerView_, {90, 115});
    extension::x(*toggleContainerView_, scroll.centerXAnchor());
    extension::top(*toggleContainerView_, heroView_->bottomAnchor(), 30);
}

void VLPrefsHomeBaseViewController::addHeaderView() { view()->addSubview(headerView_); }

void VLPrefsHomeBaseViewController::fillHero(const VLPrefsConfig& config) {
    heroImage_->setImage(config.heroCover);
    heroIcon_->setImage(config.heroIcon);
    heroTitle_->setText(config.tweakName);
    navTitle_->setText(config.tweakName);
    tweakName_ = config.tweakName;
    heroSubtitle_->setText(config.tweakVersion);
}

void VLPrefsHomeBaseViewController::wireTutorialCard(bool isTutorialVideoAvailable) {
    auto tap = ui::TapGestureRecognizer::create();
    tap->setNumberOfTapsRequired(1);
    heroTutorialView_->addGestureRecognizer(tap);
    const char* symbol = isTutorialVideoAvailable ? "play.fill" : "questionmark.circle.fill";
    tutorialIcon_->setImage(gfx::SymbolImage::named(symbol), symbol);
    tutorialLabel_->setText(isTutorialVideoAvailable ? "Watch Tutorial" : "Read Tutorial");
    tap->addTarget(sharedController(),
                   isTutorialVideoAvailable ? "presentTutorialVideo" : "presentTutorialVC");
}

// The download runs on a thread of its own; only its result comes back to the main run loop,
// so the screen answers touches and draws frames while it is pending.
void VLPrefsHomeBaseViewController::queueChangelogDownload(const std::string& tweakName) {
    std::weak_ptr<VLPrefsHomeBaseViewController> weak =
        std::static_pointer_cast<VLPrefsHomeBaseViewController>(sharedController());
    base::RunLoop::main().post([weak, tweakName] {
        auto self = weak.lock();
        if (!self) return;
        self->download_ = VLChangelogDownload::start(tweakName, [weak](auto releases) {
            if (auto screen = weak.lock()) {
                screen->changelogArray_ = std::move(releases);
                screen->download_.reset();
            }
        });
    });
}

void VLPrefsHomeBaseViewController::scrollViewDidScroll(ui::ScrollView& scroll) {
    if (&scroll != scrollView_.get()) return;
    // Each test reads the offset afresh: the snap below moves it.
    if (scroll.contentOffset().y < kSnapBackOffset) {
        ui::PropertyAnimator spring(1.0, 2.0, [this] {
            scrollView_->setScrollEnabled(false);
            scrollView_->setContentOffset({0, 0}, false);
            scrollView_->setScrollEnabled(true);
        });
        spring.startAnimation();
    }
    stretchCover(scroll.contentOffset().y);
    fade(*navBlurView_, scroll.contentOffset().y > kBlurShownAfter);
    fade(*navTitle_, scroll.contentOffset().y > kTitleShownAfter);
}

// Pulled down by -offset points, the cover is scaled about its centre by offset / -200 + 1 and
// moved up by the pull, so it grows into the revealed space with its bottom edge in place.
void VLPrefsHomeBaseViewController::stretchCover(double offset) {
    if (offset >= 0) {
        heroImage_->layer().setTransform(ui::Transform3D::identity());
        return;
    }
    const float scale = static_cast<float>(offset) / -200.0f + 1.0f;
    heroImage_->layer().setTransform(
        ui::Transform3D::identity().translated(0, offset, 0).scaled(scale, scale, 0));
}

void VLPrefsHomeBaseViewController::fade(ui::View& view, bool shown) {
    ui::View::animate(kFadeSeconds, [&view, shown] { view.setAlpha(shown ? 1 : 0); });
}

void VLPrefsHomeBaseViewController::backToMain() {
    if (auto navigation = navigationController()) navigation->popViewController(true);
}

void VLPrefsHomeBaseViewController::presentChangelogVC() {
    if (changelogArray_ && !changelogArray_->empty()) {
        present(VLChangelogViewController::create(tweakName_, *changelogArray_), true);
        return;
    }
    auto alert = ui::AlertController::create(kNoChangelogTitle, kNoChangelogMessage);
    alert->addAction({"OK", ui::AlertAction::Style::Default, nullptr});
    present(alert, true);
}

void VLPrefsHomeBaseViewController::presentTutorialVideo() {
    const auto address = VLPackageRepository::depictionAddress(tweakName_, "tutorial.mp4");
    base::Log::line("VLPrefsHomeBaseViewController: no video player to play " +
                    address.value_or("(no address)"));
}

void VLPrefsHomeBaseViewController::presentDonateVC() {
    base::NotificationCenter::defaultCenter().post(kDonationNotification, sharedController());
}

void VLPrefsHomeBaseViewController::pushToSupportTab() {
    if (auto tabs = tabBarController()) tabs->setSelectedIndex(kSupportTabIndex);
}

void VLPrefsHomeBaseViewController::presentTutorialVC() {
    base::Log::line("VLPrefsHomeBaseViewController: the tweak's screen provides no presentTutorialVC");
}
