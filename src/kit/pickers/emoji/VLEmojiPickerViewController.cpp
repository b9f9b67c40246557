#include "pickers/emoji/VLEmojiPickerViewController.h"

#include <algorithm>
#include <limits>

#include "base/Log.h"
#include "pickers/emoji/VLEmojiFileReader.h"
#include "pickers/emoji/VLEmojiPickerCell.h"
#include "pickers/emoji/VLEmojiPickerCellHeaderView.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr const char* kDismissAction = "dismissVC";

// Collection views count in ints; a larger file shows what fits.
int clampedCount(std::size_t count) {
    constexpr auto kMost = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(std::min(count, kMost));
}

}  // namespace

std::shared_ptr<VLEmojiPickerViewController> VLEmojiPickerViewController::create() {
    std::shared_ptr<VLEmojiPickerViewController> controller(new VLEmojiPickerViewController());
    auto* self = controller.get();
    controller->registerAction(kDismissAction, [self] { self->dismissVC(); });
    return controller;
}

void VLEmojiPickerViewController::viewDidLoad() {
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    auto sections = VLEmojiFileReader::readInstalled();
    if (sections) {
        emojiArray_ = std::move(sections).value();
    } else {
        base::Log::line("VLEmojiPickerViewController: no emoji file: " + sections.error().description);
    }
    layoutGrabberView();
    layoutCollectionView();
}

// A controller presented again starts a new presentation with a report of its own.
void VLEmojiPickerViewController::viewWillAppear(bool) {
    if (isBeingPresented()) didSelectEmoji_ = false;
}

void VLEmojiPickerViewController::viewDidDisappear(bool) {
    if (didSelectEmoji_) return;
    base::Log::line("Emoji picker dismissed");
    if (auto listener = delegate_.lock()) listener->didDismissedEmojiPicker();
}

void VLEmojiPickerViewController::layoutGrabberView() {
    auto& root = *view();
    grabberView_ = ui::View::create();
    grabberView_->setBackgroundColor(gfx::Color::tertiaryLabel());
    grabberView_->layer().setCornerRadius(kGrabberCornerRadius);
    grabberView_->setClipsToBounds(true);
    root.addSubview(grabberView_);
    extension::size(*grabberView_, kGrabberSize);
    extension::x(*grabberView_, root.centerXAnchor());
    extension::top(*grabberView_, root.topAnchor(), kGrabberTop);
}

void VLEmojiPickerViewController::layoutCollectionView() {
    auto& root = *view();
    auto layout = ui::CollectionViewFlowLayout::create();
    layout->setScrollDirection(ui::CollectionViewFlowLayout::ScrollDirection::Vertical);
    collectionView_ = ui::CollectionView::create(layout);
    collectionView_->setFrame(root.bounds());
    collectionView_->setBackgroundColor(gfx::Color::clear());
    collectionView_->setShowsVerticalScrollIndicator(false);
    collectionView_->setShowsHorizontalScrollIndicator(false);
    collectionView_->registerCell(kCellIdentifier, [] { return VLEmojiPickerCell::create(); });
    collectionView_->registerSupplementaryView(ui::CollectionView::kSectionHeader, kHeaderIdentifier,
                                               [] { return VLEmojiPickerCellHeaderView::create(); });
    auto self = std::static_pointer_cast<VLEmojiPickerViewController>(sharedController());
    collectionView_->setDelegate(std::weak_ptr<ui::CollectionViewDelegate>(self));
    collectionView_->setDataSource(std::weak_ptr<ui::CollectionViewDataSource>(self));
    root.addSubview(collectionView_);
    extension::top(*collectionView_, grabberView_->bottomAnchor(), root.leadingAnchor(), root.bottomAnchor(),
                   root.trailingAnchor(), {kGridGap, 0, -kGridGap, 0});
}

int VLEmojiPickerViewController::numberOfSections(ui::CollectionView&) {
    return emojiArray_ ? clampedCount(emojiArray_->size()) : 0;
}

int VLEmojiPickerViewController::numberOfItemsInSection(ui::CollectionView&, int section) {
    const auto* found = sectionAt(section);
    return found ? clampedCount(found->emojis.size()) : 0;
}

std::shared_ptr<ui::CollectionViewCell> VLEmojiPickerViewController::cellForItemAtIndexPath(
    ui::CollectionView& collection, ui::IndexPath indexPath) {
    auto cell = std::static_pointer_cast<VLEmojiPickerCell>(
        collection.dequeueReusableCell(kCellIdentifier, indexPath));
    if (const auto* emoji = emojiAt(indexPath)) cell->emojiLabel()->setText(*emoji);
    return cell;
}

std::shared_ptr<ui::CollectionReusableView> VLEmojiPickerViewController::viewForSupplementaryElement(
    ui::CollectionView& collection, const std::string& kind, ui::IndexPath indexPath) {
    auto header = std::static_pointer_cast<VLEmojiPickerCellHeaderView>(
        collection.dequeueReusableSupplementaryView(kind, kHeaderIdentifier, indexPath));
    if (!header) return nullptr;
    if (const auto* found = sectionAt(indexPath.section)) header->headerLabel()->setText(found->title);
    return header;
}

std::optional<gfx::Size> VLEmojiPickerViewController::sizeForItemAtIndexPath(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, ui::IndexPath) {
    double side = viewWidth() * kItemWidthShare;
    return gfx::Size{side, side};
}

std::optional<ui::EdgeInsets> VLEmojiPickerViewController::insetForSectionAtIndex(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return ui::EdgeInsets{0, kSectionSideInset, 0, kSectionSideInset};
}

std::optional<gfx::Size> VLEmojiPickerViewController::referenceSizeForHeaderInSection(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return gfx::Size{viewWidth(), kHeaderHeight};
}

// The choice is reported before the sheet begins to leave. Only a resting sheet takes one: a
// tap while it slides in could not dismiss it, and one while it leaves would report twice.
void VLEmojiPickerViewController::didSelectItemAtIndexPath(ui::CollectionView&, ui::IndexPath indexPath) {
    const auto* emoji = emojiAt(indexPath);
    if (!emoji || didSelectEmoji_) return;
    if (isBeingPresented() || isBeingDismissed()) {
        base::Log::line("VLEmojiPickerViewController: a tap during a transition chooses nothing");
        return;
    }
    auto keep = sharedController();
    didSelectEmoji_ = true;
    // A copy: the delegate may drop this controller, and its emoji with it.
    const std::string chosen = *emoji;
    if (auto listener = delegate_.lock()) listener->didSelectEmoji(chosen);
    dismissVC();
}

void VLEmojiPickerViewController::dismissVC() { dismiss(true); }

const VLEmojiSection* VLEmojiPickerViewController::sectionAt(int section) const {
    if (!emojiArray_ || section < 0 || static_cast<std::size_t>(section) >= emojiArray_->size())
        return nullptr;
    return &(*emojiArray_)[static_cast<std::size_t>(section)];
}

const std::string* VLEmojiPickerViewController::emojiAt(ui::IndexPath indexPath) const {
    const auto* found = sectionAt(indexPath.section);
    if (!found || indexPath.item() < 0 ||
        static_cast<std::size_t>(indexPath.item()) >= found->emojis.size()) {
        return nullptr;
    }
    return &found->emojis[static_cast<std::size_t>(indexPath.item())];
}

double VLEmojiPickerViewController::viewWidth() const {
    return viewIfLoaded() ? viewIfLoaded()->bounds().width : 0;
}
