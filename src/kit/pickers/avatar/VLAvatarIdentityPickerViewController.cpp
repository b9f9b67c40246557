#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"

#include <algorithm>

#include "base/Log.h"
#include "base/Strings.h"
#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "pickers/avatar/VLAvatarIdentityCellHeaderView.h"
#include "pickers/avatar/VLAvatarIdentityEmojiCell.h"
#include "pickers/avatar/VLAvatarIdentityPickerDataSource.h"
#include "pickers/avatar/VLAvatarIdentityStickerCell.h"
#include "pickers/avatar/VLAvatarIdentityToolsCell.h"
#include "pickers/emoji/VLEmojiPickerViewController.h"
#include "store/VLColourString.h"
#include "ui/Application.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/LayerSnapshot.h"
#include "ui/LayoutConstraint.h"
#include "ui/Window.h"
#include "uikit/VLPrefsAppearance.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr const char* kDismissAction = "dismissVC";
constexpr const char* kApplyAction = "applyAvatar";
constexpr double kEmojiPointSize = 67;
constexpr double kTextPointSize = 47;
constexpr int kToolCount = 4;
constexpr const char* kToolSymbols[kToolCount] = {"photo.fill.on.rectangle.fill", "paintpalette.fill",
                                                  "face.smiling.fill", "textformat"};

int itemCount(std::size_t count) { return static_cast<int>(std::min<std::size_t>(count, 1 << 20)); }

bool inRange(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

}  // namespace

std::shared_ptr<VLAvatarIdentityPickerViewController> VLAvatarIdentityPickerViewController::initWithTitle(
    std::string title, bool showDefaultAvatar, gfx::Image avatarImage, gfx::Color accent) {
    std::shared_ptr<VLAvatarIdentityPickerViewController> controller(new VLAvatarIdentityPickerViewController(
        std::move(title), showDefaultAvatar, std::move(avatarImage), std::move(accent)));
    // The handlers live in the controller itself, so they never outlive it.
    auto* self = controller.get();
    controller->registerAction(kDismissAction, [self] { self->dismissVC(); });
    controller->registerAction(kApplyAction, [self] { self->applyAvatar(); });
    return controller;
}

VLAvatarIdentityPickerViewController::VLAvatarIdentityPickerViewController(std::string title,
                                                                           bool showDefaultAvatar,
                                                                           gfx::Image avatarImage,
                                                                           gfx::Color accent)
    : titleString_(std::move(title)),
      useDefaultAvatarImage_(showDefaultAvatar),
      defaultAvatar_(std::move(avatarImage)),
      accentColour_(std::move(accent)) {}

gfx::Color VLAvatarIdentityPickerViewController::colorWithHexString(const std::string& text) {
    return VLColourString::colorWithHexString(text);
}

void VLAvatarIdentityPickerViewController::viewDidLoad() {
    // 1. Colours: the sheet and the host's first window take the accent as their tint.
    view()->setBackgroundColor(VLPrefsAppearance::primaryColour());
    view()->setTintColor(accentColour_);
    auto windows = ui::Application::shared().windows();
    if (!windows.empty()) windows.front()->setTintColor(accentColour_);
    // 2. What the grid offers.
    auto& source = VLAvatarIdentityPickerDataSource::sharedInstance();
    stickersArray_ = source.stickersData();
    emojisArray_ = source.emojiData();
    // 3. The header with the preview, then the grid below them.
    layoutHeaderView();
    layoutCollectionView();
}

void VLAvatarIdentityPickerViewController::layoutHeaderView() {
    auto& root = *view();
    headerView_ =
        VLHeaderView::create(titleString_, accentColour_, "xmark", kDismissAction, "checkmark", kApplyAction);
    headerView_->rightButton()->setAlpha(0);
    headerView_->blurView()->setAlpha(0);
    root.addSubview(headerView_);
    headerView_->widthAnchor().equalTo(root.widthAnchor())->setActive(true);
    extension::height(*headerView_, kHeaderHeight);
    extension::x(*headerView_, root.centerXAnchor());
    extension::top(*headerView_, root.topAnchor(), 0);
    layoutPreview();
}

void VLAvatarIdentityPickerViewController::layoutPreview() {
    auto& root = *view();
    preview_ = ui::View::create();
    preview_->setBackgroundColor(colorWithHexString(kDefaultColour));
    preview_->layer().setCornerRadius(kPreviewSide / 2);
    preview_->setClipsToBounds(true);
    root.addSubview(preview_);
    extension::size(*preview_, {kPreviewSide, kPreviewSide});
    extension::x(*preview_, root.centerXAnchor());
    extension::top(*preview_, headerView_->bottomAnchor(), kSpacing);

    auto centre = [this](const std::shared_ptr<ui::View>& layer, double side) {
        preview_->addSubview(layer);
        if (side > 0) extension::size(*layer, {side, side});
        extension::xy(*layer, preview_->centerXAnchor(), preview_->centerYAnchor());
    };
    previewImage_ = ui::ImageView::create();
    previewImage_->setContentMode(gfx::ContentMode::ScaleAspectFill);
    if (useDefaultAvatarImage_) {
        previewImage_->setAlpha(0);  // the default face is the emoji; no photo layer under it
    } else {
        previewImage_->setImage(defaultAvatar_, "defaultAvatar");
    }
    centre(previewImage_, kPreviewSide);

    stickerImage_ = ui::ImageView::create();
    stickerImage_->setContentMode(gfx::ContentMode::ScaleAspectFill);
    stickerImage_->setAlpha(0);
    centre(stickerImage_, kStickerSide);

    emojiLabel_ = ui::Label::create();
    emojiLabel_->setTextAlignment(gfx::TextAlignment::Center);
    emojiLabel_->setFont(gfx::Font::system(kEmojiPointSize));
    if (useDefaultAvatarImage_) {
        emojiLabel_->setText(kDefaultEmoji);
    } else {
        emojiLabel_->setAlpha(0);
    }
    centre(emojiLabel_, 0);

    textField_ = ui::TextField::create();
    textField_->setBackgroundColor(gfx::Color::clear());
    textField_->setTintColor(accentColour_);
    textField_->setTextAlignment(gfx::TextAlignment::Center);
    textField_->setFont(gfx::Font::system(kTextPointSize, gfx::FontWeight::Bold));
    textField_->setAutocapitalizationType(ui::AutocapitalizationType::AllCharacters);
    textField_->setReturnKeyType(ui::ReturnKeyType::Done);
    textField_->setDelegate(
        std::static_pointer_cast<VLAvatarIdentityPickerViewController>(sharedController()));
    textField_->setAlpha(0);
    centre(textField_, kTextFieldSide);
}

void VLAvatarIdentityPickerViewController::layoutCollectionView() {
    auto& root = *view();
    auto layout = ui::CollectionViewFlowLayout::create();
    layout->setScrollDirection(ui::CollectionViewFlowLayout::ScrollDirection::Vertical);
    collectionView_ = ui::CollectionView::create(layout);
    collectionView_->setBackgroundColor(gfx::Color::clear());
    collectionView_->setShowsVerticalScrollIndicator(false);
    collectionView_->setShowsHorizontalScrollIndicator(false);
    collectionView_->registerCell(kToolsCellIdentifier, [] { return VLAvatarIdentityToolsCell::create(); });
    collectionView_->registerCell(kStickerCellIdentifier,
                                  [] { return VLAvatarIdentityStickerCell::create(); });
    collectionView_->registerCell(kEmojiCellIdentifier, [] { return VLAvatarIdentityEmojiCell::create(); });
    collectionView_->registerSupplementaryView(ui::CollectionView::kSectionHeader, kHeaderIdentifier,
                                               [] { return VLAvatarIdentityCellHeaderView::create(); });
    auto self = std::static_pointer_cast<VLAvatarIdentityPickerViewController>(sharedController());
    collectionView_->setDataSource(std::weak_ptr<ui::CollectionViewDataSource>(self));
    collectionView_->setDelegate(std::weak_ptr<ui::CollectionViewDelegate>(self));
    root.addSubview(collectionView_);
    extension::top(*collectionView_, preview_->bottomAnchor(), kSpacing);
    extension::bottom(*collectionView_, root.bottomAnchor(), -kSpacing);
    extension::leading(*collectionView_, root.leadingAnchor(), 0);
    extension::trailing(*collectionView_, root.trailingAnchor(), 0);
}

// ---- Grid ----

int VLAvatarIdentityPickerViewController::numberOfSections(ui::CollectionView&) { return 3; }

int VLAvatarIdentityPickerViewController::numberOfItemsInSection(ui::CollectionView&, int section) {
    switch (section) {
        case kToolsSection:
            return kToolCount;
        case kStickersSection:
            return itemCount(stickersArray_.size());
        case kPresetsSection:
            return itemCount(emojisArray_.size());
        default:
            return 0;
    }
}

std::shared_ptr<ui::CollectionViewCell> VLAvatarIdentityPickerViewController::cellForItemAtIndexPath(
    ui::CollectionView& grid, ui::IndexPath indexPath) {
    const int item = indexPath.row;
    if (indexPath.section == kToolsSection) {
        auto cell = std::static_pointer_cast<VLAvatarIdentityToolsCell>(
            grid.dequeueReusableCell(kToolsCellIdentifier, indexPath));
        cell->baseView()->setBackgroundColor(accentColour_.withAlphaComponent(0.4));
        cell->baseView()->layer().setBorderWidth(0.8);
        cell->baseView()->layer().setBorderColor(accentColour_.withAlphaComponent(0.7));
        cell->iconImage()->setTintColor(accentColour_);
        if (inRange(item, kToolCount))
            cell->iconImage()->setImage(gfx::SymbolImage::named(kToolSymbols[item]), kToolSymbols[item]);
        return cell;
    }
    if (indexPath.section == kStickersSection) {
        auto cell = std::static_pointer_cast<VLAvatarIdentityStickerCell>(
            grid.dequeueReusableCell(kStickerCellIdentifier, indexPath));
        if (inRange(item, stickersArray_.size())) {
            const auto& name = stickersArray_[item];
            auto image = gfx::Image::fromFile(VLAvatarIdentityPickerDataSource::stickerPath(name));
            cell->iconImage()->setImage(image ? image.value() : gfx::Image(), name);
        }
        return cell;
    }
    auto cell = std::static_pointer_cast<VLAvatarIdentityEmojiCell>(
        grid.dequeueReusableCell(kEmojiCellIdentifier, indexPath));
    if (inRange(item, emojisArray_.size())) {
        const auto& preset = *emojisArray_[item];
        cell->baseView()->setBackgroundColor(colorWithHexString(preset.colour()));
        cell->emojiLabel()->setText(preset.emoji());
    }
    return cell;
}

std::shared_ptr<ui::CollectionReusableView> VLAvatarIdentityPickerViewController::viewForSupplementaryElement(
    ui::CollectionView& grid, const std::string& kind, ui::IndexPath indexPath) {
    auto header = std::static_pointer_cast<VLAvatarIdentityCellHeaderView>(
        grid.dequeueReusableSupplementaryView(kind, kHeaderIdentifier, indexPath));
    static const char* const kTitles[] = {"", "Stickers", "More"};
    header->headerLabel()->setText(inRange(indexPath.section, 3) ? kTitles[indexPath.section] : "");
    return header;
}

std::optional<gfx::Size> VLAvatarIdentityPickerViewController::sizeForItemAtIndexPath(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, ui::IndexPath) {
    const double side = std::max(0.0, view()->bounds().width / 4 - kSpacing);
    return gfx::Size{side, side};
}

std::optional<ui::EdgeInsets> VLAvatarIdentityPickerViewController::insetForSectionAtIndex(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return ui::EdgeInsets{0, kSpacing, 0, kSpacing};
}

std::optional<gfx::Size> VLAvatarIdentityPickerViewController::referenceSizeForHeaderInSection(
    ui::CollectionView&, const ui::CollectionViewFlowLayout&, int) {
    return gfx::Size{view()->bounds().width, kSectionHeaderHeight};
}

void VLAvatarIdentityPickerViewController::didSelectItemAtIndexPath(ui::CollectionView&,
                                                                    ui::IndexPath indexPath) {
    armConfirmation();
    const int item = indexPath.row;
    switch (indexPath.section) {
        case kToolsSection:
            if (item == kPhotoTool) presentPhotoPickerVC();
            if (item == kColourTool) presentColourPickerVC();
            if (item == kEmojiTool) presentEmojiPickerVC();
            if (item == kKeyboardTool) presentKeyboardEditing();
            break;
        case kStickersSection:
            if (inRange(item, stickersArray_.size())) chooseSticker(static_cast<std::size_t>(item));
            break;
        case kPresetsSection:
            if (inRange(item, emojisArray_.size())) choosePreset(static_cast<std::size_t>(item));
            break;
        default:
            break;
    }
}

// Any tap, a tool's included, counts as a change.
void VLAvatarIdentityPickerViewController::armConfirmation() {
    setModalInPresentation(true);
    headerView_->rightButton()->setAlpha(1);
}

// The background colour stays what the last preset or picked colour made it.
void VLAvatarIdentityPickerViewController::chooseSticker(std::size_t index) {
    textField_->resignFirstResponder();
    showOnly(Face::Sticker);
    const auto& name = stickersArray_[index];
    // An unreadable sticker leaves the layer empty over the background.
    auto image = gfx::Image::fromFile(VLAvatarIdentityPickerDataSource::stickerPath(name));
    stickerImage_->setImage(image ? image.value() : gfx::Image(), name);
}

void VLAvatarIdentityPickerViewController::choosePreset(std::size_t index) {
    textField_->resignFirstResponder();
    showOnly(Face::Emoji);
    const auto& preset = *emojisArray_[index];
    preview_->setBackgroundColor(colorWithHexString(preset.colour()));
    emojiLabel_->setText(preset.emoji());
}

void VLAvatarIdentityPickerViewController::showOnly(Face face) {
    previewImage_->setAlpha(face == Face::Photo ? 1 : 0);
    stickerImage_->setAlpha(face == Face::Sticker ? 1 : 0);
    emojiLabel_->setAlpha(face == Face::Emoji ? 1 : 0);
    textField_->setAlpha(face == Face::Text ? 1 : 0);
}

// ---- Tools ----

void VLAvatarIdentityPickerViewController::presentPhotoPickerVC() {
    auto picker = ui::ImagePickerController::create();
    picker->setSourceType(ui::ImagePickerController::SourceType::PhotoLibrary);
    picker->setDelegate(std::static_pointer_cast<VLAvatarIdentityPickerViewController>(sharedController()));
    present(picker, true);
}

void VLAvatarIdentityPickerViewController::imagePickerControllerDidFinishPickingMediaWithInfo(
    ui::ImagePickerController& picker, const ui::ImagePickerInfo& info) {
    textField_->resignFirstResponder();
    showOnly(Face::Photo);
    previewImage_->setImage(info.originalImage, info.imageURL.filename().string());
    picker.dismiss(true);
}

void VLAvatarIdentityPickerViewController::imagePickerControllerDidCancel(ui::ImagePickerController& picker) {
    picker.dismiss(true);
}

void VLAvatarIdentityPickerViewController::presentColourPickerVC() {
    textField_->resignFirstResponder();
    auto picker = ui::ColorPickerViewController::create();
    picker->setSelectedColor(preview_->backgroundColor());
    picker->setSupportsAlpha(false);
    picker->setDelegate(std::static_pointer_cast<VLAvatarIdentityPickerViewController>(sharedController()));
    present(picker, true);
}

// Only the photo gives way to a colour; an emoji, sticker or text stays on the new background.
void VLAvatarIdentityPickerViewController::adoptPickedColour(const ui::ColorPickerViewController& picker) {
    previewImage_->setAlpha(0);
    preview_->setBackgroundColor(picker.selectedColor());
}

void VLAvatarIdentityPickerViewController::colorPickerViewControllerDidSelectColor(
    ui::ColorPickerViewController& picker) {
    adoptPickedColour(picker);
}

void VLAvatarIdentityPickerViewController::colorPickerViewControllerDidFinish(
    ui::ColorPickerViewController& picker) {
    adoptPickedColour(picker);
}

void VLAvatarIdentityPickerViewController::presentEmojiPickerVC() {
    textField_->resignFirstResponder();
    auto picker = VLEmojiPickerViewController::create();
    picker->setDelegate(std::static_pointer_cast<VLAvatarIdentityPickerViewController>(sharedController()));
    present(picker, true);
}

void VLAvatarIdentityPickerViewController::didSelectEmoji(const std::string& emoji) {
    showOnly(Face::Emoji);
    emojiLabel_->setText(emoji);
}

// The emoji picker logs its own dismissal; the face stays as it was.
void VLAvatarIdentityPickerViewController::didDismissedEmojiPicker() {}

void VLAvatarIdentityPickerViewController::presentKeyboardEditing() {
    showOnly(Face::Text);
    emojiLabel_->setText({});
    textField_->becomeFirstResponder();
}

// ---- Text field ----

// Only the current length and the replaced range count, not the result: a paste into a
// field of one character, or over a selection, may leave more than two.
bool VLAvatarIdentityPickerViewController::shouldChangeCharactersInRange(ui::TextField& field,
                                                                         ui::Utf16Range range,
                                                                         const std::string&) {
    return base::strings::utf16Length(field.text()) < 2 || range.length > 0;
}

// While editing, the field takes no touches of its own.
bool VLAvatarIdentityPickerViewController::textFieldShouldBeginEditing(ui::TextField& field) {
    field.setUserInteractionEnabled(false);
    return true;
}

void VLAvatarIdentityPickerViewController::textFieldDidEndEditing(ui::TextField& field) {
    field.setUserInteractionEnabled(true);
}

bool VLAvatarIdentityPickerViewController::textFieldShouldReturn(ui::TextField& field) {
    if (field.text().empty()) return false;
    field.resignFirstResponder();
    return true;
}

void VLAvatarIdentityPickerViewController::touchesBegan(const Touches&) {
    textField_->resignFirstResponder();
}

// ---- Ending ----

bool VLAvatarIdentityPickerViewController::isEnding() const { return reported_ || isBeingDismissed(); }

void VLAvatarIdentityPickerViewController::dismissVC() {
    if (isEnding()) return;
    reported_ = true;
    if (auto listener = delegate_.lock()) listener->didDismissedAvatarPicker();
    dismiss(true);
}

void VLAvatarIdentityPickerViewController::applyAvatar() {
    if (isEnding()) return;
    reported_ = true;
    textField_->resignFirstResponder();
    auto image = avatarSnapshot();
    if (auto listener = delegate_.lock()) listener->didCreatedAvatar(image);
    dismiss(true);
}

// The preview's layer alone, its circle clipping included, at the main screen's scale.
gfx::Image VLAvatarIdentityPickerViewController::avatarSnapshot() {
    if (!preview_) return {};
    return ui::LayerSnapshot::render(*preview_, 0);
}
