#include "home/VLTutorialViewController.h"

#include <algorithm>
#include <limits>

#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "home/VLSheetList.h"
#include "home/VLTutorialCell.h"
#include "home/VLTweakIcon.h"
#include "ui/Application.h"
#include "ui/LayoutConstraint.h"
#include "ui/TableViewCellAppearance.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/VLSheetGrabber.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

std::shared_ptr<ui::Label> makeCentredLabel(const std::string& text, const gfx::Font& font,
                                            const gfx::Color& colour) {
    auto label = ui::Label::create(text);
    label->setTextAlignment(gfx::TextAlignment::Center);
    label->setTextColor(colour);
    label->setFont(font);
    return label;
}

std::shared_ptr<ui::View> makeClearView() {
    auto view = ui::View::create();
    view->setBackgroundColor(gfx::Color::clear());
    return view;
}

}  // namespace

std::shared_ptr<VLTutorialViewController> VLTutorialViewController::create(
    std::string tweakName, std::string subtitleString, std::vector<VLTutorialData> tutorialArray) {
    return std::shared_ptr<VLTutorialViewController>(new VLTutorialViewController(
        std::move(tweakName), std::move(subtitleString), std::move(tutorialArray)));
}

VLTutorialViewController::VLTutorialViewController(std::string tweakName, std::string subtitleString,
                                                   std::vector<VLTutorialData> tutorialArray)
    : tweakName_(std::move(tweakName)),
      subtitleString_(std::move(subtitleString)),
      tutorialArray_(std::move(tutorialArray)) {}

void VLTutorialViewController::viewDidLoad() {
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    accentColour_ = VLPrefsAppearance::velliumAccentColour();
    tutorialData_ = {};
    // The floating header is added last so that it lies above the list.
    layoutTableView();
    layoutHeaderView();
}

void VLTutorialViewController::layoutTableView() {
    auto& root = *view();
    tableView_ = VLSheetList::makeTable();
    // Steps are not chosen: every cell made from now on shows nothing behind a touched row.
    ui::TableViewCell::appearance().setSelectedBackgroundView(makeClearView);
    tableView_->registerCell(kCellIdentifier, [] {
        return VLTutorialCell::create(ui::TableViewCellStyle::Default, kCellIdentifier);
    });
    auto self = std::static_pointer_cast<VLTutorialViewController>(sharedController());
    tableView_->setDataSource(std::weak_ptr<ui::TableViewDataSource>(self));
    tableView_->setDelegate(std::weak_ptr<ui::TableViewDelegate>(self));
    root.addSubview(tableView_);
    extension::top(*tableView_, root.topAnchor(), root.leadingAnchor(), root.bottomAnchor(),
                   root.trailingAnchor(), {});
    tableView_->setTableHeaderView(makeListHeader());
}

// The icon, the name and the subtitle, centred one under the other. The list gives the header
// its own width.
std::shared_ptr<ui::View> VLTutorialViewController::makeListHeader() {
    auto header = ui::View::create();
    header->setFrame({0, 0, view()->bounds().width, kListHeaderHeight});

    iconImage_ = ui::ImageView::create(VLTweakIcon::load(tweakName_));
    iconImage_->layer().setCornerRadius(13);
    iconImage_->layer().setCornerCurve(gfx::CornerCurve::Continuous);
    iconImage_->setClipsToBounds(true);
    header->addSubview(iconImage_);
    extension::size(*iconImage_, {70, 70});
    extension::x(*iconImage_, header->centerXAnchor());
    extension::top(*iconImage_, header->topAnchor(), 40);

    titleLabel_ =
        makeCentredLabel(tweakName_, gfx::Font::system(24, gfx::FontWeight::Bold), gfx::Color::label());
    header->addSubview(titleLabel_);
    extension::x(*titleLabel_, header->centerXAnchor());
    extension::top(*titleLabel_, iconImage_->bottomAnchor(), 10);

    subtitleLabel_ = makeCentredLabel(subtitleString_, gfx::Font::system(18), gfx::Color::secondaryLabel());
    subtitleLabel_->setNumberOfLines(2);
    header->addSubview(subtitleLabel_);
    extension::x(*subtitleLabel_, header->centerXAnchor());
    extension::top(*subtitleLabel_, titleLabel_->bottomAnchor(), 15);
    subtitleLabel_->widthAnchor().equalTo(header->widthAnchor(), -40)->setActive(true);
    return header;
}

void VLTutorialViewController::layoutHeaderView() {
    auto& root = *view();
    headerView_ = VLDynamicBlurView::create();
    headerView_->setClipsToBounds(true);
    headerView_->blurEffectView()->setAlpha(0);
    root.addSubview(headerView_);
    extension::x(*headerView_, root.centerXAnchor());
    extension::top(*headerView_, root.topAnchor(), 0);
    headerView_->widthAnchor().equalTo(root.widthAnchor())->setActive(true);
    extension::height(*headerView_, kFloatingHeaderHeight);
    VLSheetGrabber::addTo(*headerView_);
}

void VLTutorialViewController::dismissVC() { dismiss(true); }

int VLTutorialViewController::numberOfRowsInSection(ui::TableView&, int) {
    return static_cast<int>(std::min<std::size_t>(tutorialArray_.size(), std::numeric_limits<int>::max()));
}

std::shared_ptr<ui::TableViewCell> VLTutorialViewController::cellForRowAtIndexPath(ui::TableView& table,
                                                                                   ui::IndexPath indexPath) {
    auto cell = std::static_pointer_cast<VLTutorialCell>(table.dequeueReusableCell(kCellIdentifier));
    cell->setBackgroundColor(gfx::Color::clear());
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= tutorialArray_.size()) return cell;
    tutorialData_ = tutorialArray_[indexPath.row];
    // Drawn at the row's size, so the symbol stays sharp where the platform's would be vector.
    gfx::Image symbol = gfx::SymbolImage::named(tutorialData_.icon, VLTutorialCell::kSymbolSide,
                                                ui::Application::shared().mainScreenScale())
                            .withTemplate(true);
    cell->iconImage()->setImage(symbol, symbol ? tutorialData_.icon : std::string());
    cell->iconImage()->setTintColor(accentColour_);
    cell->messageLabel()->setText(tutorialData_.descriptionString);
    return cell;
}

void VLTutorialViewController::scrollViewDidScroll(ui::ScrollView& scrollView) {
    if (!headerView_) return;
    const double alpha = scrollView.contentOffset().y > kBlurOffset ? 1 : 0;
    auto blur = headerView_->blurEffectView();
    ui::View::animate(kBlurFadeSeconds, [&] { blur->setAlpha(alpha); });
}
