#include "pickers/avatar/VLAvatarEmojiSheetViewController.h"

#include <algorithm>

#include "base/FileSystemRoot.h"
#include "gfx/Font.h"
#include "pickers/avatar/VLAvatarIdentityCellHeaderView.h"
#include "pickers/avatar/VLAvatarIdentityEmojiCell.h"
#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"
#include "ui/CollectionViewFlowLayout.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr const char* kCellIdentifier = "Cell";
constexpr const char* kHeaderIdentifier = "HeaderView";
constexpr double kSpacing = 20;
constexpr double kHeaderHeight = 45;

int clampedCount(std::size_t count) { return static_cast<int>(std::min<std::size_t>(count, 1 << 20)); }

}  // namespace

std::shared_ptr<VLAvatarEmojiSheetViewController> VLAvatarEmojiSheetViewController::create(
    const std::weak_ptr<VLAvatarIdentityPickerViewController>& owner) {
    return std::shared_ptr<VLAvatarEmojiSheetViewController>(new VLAvatarEmojiSheetViewController(owner));
}

void VLAvatarEmojiSheetViewController::viewDidLoad() {
    auto& root = *view();
    root.setBackgroundColor(VLPrefsAppearance::primaryColour());
    // A missing or unreadable file shows an empty grid.
    auto read =
        VLAvatarEmojiSections::readFile(base::FileSystemRoot::resolve(VLAvatarEmojiSections::kEmojiFile));
    if (read) sections_ = std::move(*read);

    collectionView_ = ui::CollectionView::create(ui::CollectionViewFlowLayout::create());
    collectionView_->setBackgroundColor(gfx::Color::clear());
    collectionView_->setShowsVerticalScrollIndicator(false);
    collectionView_->registerCell(kCellIdentifier, [] { return VLAvatarIdentityEmojiCell::create(); });
    collectionView_->registerSupplementaryView(ui::CollectionView::kSectionHeader, kHeaderIdentifier,
                                               [] { return VLAvatarIdentityCellHeaderView::create(); });
    auto self = std::static_pointer_cast<VLAvatarEmojiSheetViewController>(sharedController());
    collectionView_->setDataSource(std::weak_ptr<ui::CollectionViewDataSource>(self));
    collectionView_->setDelegate(std::weak_ptr<ui::CollectionViewDelegate>(self));
    root.addSubview(collectionView_);
    extension::top(*collectionView_, root.topAnchor(), kSpacing);
    extension::bottom(*collectionView_, root.bottomAnchor(), -kSpacing);
    extension::leading(*collectionView_, root.leadingAnchor(), 0);
    extension::trailing(*collectionView_, root.trailingAnchor(), 0);
}

int VLAvatarEmojiSheetViewController::numberOfSections(ui::CollectionView&) {
    return clampedCount(sections_.size());
}

int VLAvatarEmojiSheetViewController::numberOfItemsInSection(ui::CollectionView&, int section) {
    if (section < 0 || static_cast<std::size_t>(section) >= sections_.size()) return 0;
    return clampedCount(sections_[section].emojis.size());
}

const std::string* VLAvatarEmojiSheetViewController::emojiAt(ui::IndexPath indexPath) const {
    if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= sections_.size())
        return nullptr;
    const auto& emojis = sections_[indexPath.section].emojis;
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= emojis.size()) return nullptr;
    return &emojis[indexPath.row];
}

std::shared_ptr<ui::CollectionViewCell> VLAvatarEmojiSheetViewController::cellForItemAtIndexPath(
    ui::CollectionView& grid, ui::IndexPath indexPath) {
    auto cell = std::static_pointer_cast<VLAvatarIdentityEmojiCell>(
        grid.dequeueReusableCell(kCellIdentifier, indexPath));
    cell->baseView()->setBackgroundColor(gfx::Color::clear());
    cell->emojiLabel()->setFont(gfx::Font::system(kEmojiPointSize));
    if (const auto* emoji = emojiAt(indexPath)) cell->emojiLabel()->setText(*emoji);
    return cell;
}

std::shared_ptr<ui::CollectionReusableView> VLAvatarEmojiSheetViewController::viewForSupplementaryElement(
    ui::CollectionView& grid, const std::string& kind, ui::IndexPath indexPath) {
    auto header = std::static_pointer_cast<VLAvatarIdentityCellHeaderView>(
        grid.dequeueReusableSupplementaryView(kind, kHeaderIdentifier, indexPath));
    const bool known =
        indexPath.section >= 0 && static_cast<std::size_t>(indexPath.section) < sections_.size();
    header->headerLabel()->setText(known ? sections_[indexPath.section].title : std::string());
    return header;
}

std::optional<gfx::Size> VLAvatarEmojiSheetViewController::sizeForItemAtIndexPath(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, ui::IndexPath) {
    const double side = view()->bounds().width * kItemWidthShare;
    return gfx::Size{side, side};
}

std::optional<ui::EdgeInsets> VLAvatarEmojiSheetViewController::insetForSectionAtIndex(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return ui::EdgeInsets{0, kSpacing, 0, kSpacing};
}

std::optional<gfx::Size> VLAvatarEmojiSheetViewController::referenceSizeForHeaderInSection(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return gfx::Size{view()->bounds().width, kHeaderHeight};
}

void VLAvatarEmojiSheetViewController::didSelectItemAtIndexPath(ui::CollectionView&,
                                                                ui::IndexPath indexPath) {
    const auto* emoji = emojiAt(indexPath);
    if (!emoji || reported_) return;
    reported_ = true;
    if (auto owner = owner_.lock()) owner->didSelectEmoji(*emoji);
    dismiss(true);
}

void VLAvatarEmojiSheetViewController::viewDidDisappear(bool) {
    if (reported_) return;
    reported_ = true;
    if (auto owner = owner_.lock()) owner->didDismissedEmojiPicker();
}
