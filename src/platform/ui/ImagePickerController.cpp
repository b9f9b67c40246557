#include "ui/ImagePickerController.h"

#include <algorithm>

#include "gfx/Font.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewCell.h"
#include "ui/CollectionViewFlowLayout.h"
#include "ui/ImagePickerControllerDelegate.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/PickerSheetHeader.h"
#include "ui/View.h"

namespace ui {

std::shared_ptr<ImagePickerController> ImagePickerController::create() {
    auto picker = std::shared_ptr<ImagePickerController>(new ImagePickerController());
    picker->setTitle("Photos");
    return picker;
}

void ImagePickerController::loadView() {
    std::weak_ptr<ImagePickerController> weak =
        std::static_pointer_cast<ImagePickerController>(sharedController());
    registerAction("imagePickerCancel", [weak] {
        if (auto self = weak.lock()) self->finish(std::nullopt);
    });
    auto header = PickerSheetHeader::build(title(), weak_from_this(), "imagePickerCancel");
    auto root = header.root;
    titleLabel_ = header.titleLabel;
    cancelButton_ = header.cancelButton;
    setView(root);

    auto layout = CollectionViewFlowLayout::create();
    layout->setMinimumLineSpacing(kSpacing);
    layout->setMinimumInteritemSpacing(kSpacing);
    grid_ = CollectionView::create(layout);
    grid_->setFrame({0, PickerSheetHeader::kHeight, root->bounds().width,
                     root->bounds().height - PickerSheetHeader::kHeight});
    grid_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    grid_->registerCell(kCellIdentifier, [] {
        auto cell = CollectionViewCell::create();
        auto image = ImageView::create();
        image->setContentMode(gfx::ContentMode::ScaleAspectFill);
        image->setClipsToBounds(true);
        image->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        cell->contentView()->addSubview(image);
        return cell;
    });
    std::shared_ptr<ImagePickerController> self = weak.lock();
    grid_->setDataSource(std::static_pointer_cast<CollectionViewDataSource>(self));
    grid_->setDelegate(std::static_pointer_cast<CollectionViewDelegate>(self));
    root->addSubview(grid_);

    statusLabel_ = Label::create("Loading…");
    statusLabel_->setTextColor(gfx::Color::secondaryLabel());
    statusLabel_->setTextAlignment(gfx::TextAlignment::Center);
    statusLabel_->setFrame(grid_->frame());
    statusLabel_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    statusLabel_->setHidden(true);
    root->addSubview(statusLabel_);
    sizeItems(root->bounds().width);
    startLoading();
}

void ImagePickerController::startLoading() {
    if (!isSourceTypeAvailable(sourceType_)) return;
    loading_ = true;
    statusLabel_->setHidden(false);
    // The batches reach this controller only through a weak pointer, so a picker dismissed and
    // released while the scan runs is simply not called (its loader also cancels them).
    std::weak_ptr<ImagePickerController> weak =
        std::static_pointer_cast<ImagePickerController>(sharedController());
    loader_ = std::make_unique<PhotoLibraryLoader>(
        PhotoLibrary::picturesDirectory(), [weak](std::vector<PhotoLibrary::Photo> photos, bool finished) {
            if (auto self = weak.lock()) self->photosArrived(std::move(photos), finished);
        });
}

void ImagePickerController::photosArrived(std::vector<PhotoLibrary::Photo> photos, bool finished) {
    if (!photos.empty()) {
        library_.append(std::move(photos));
        grid_->reloadData();
    }
    if (finished) {
        loading_ = false;
        statusLabel_->setText("No Photos");
    }
    statusLabel_->setHidden(!library_.photos().empty());
}

void ImagePickerController::waitUntilLibraryPosted() {
    if (loader_) loader_->waitUntilPosted();
}

void ImagePickerController::sizeItems(double width) {
    double side = std::max(1.0, (width - kSpacing * (kColumns - 1)) / kColumns);
    auto layout = grid_->collectionViewLayout();
    if (layout->itemSize().width == side) return;
    layout->setItemSize({side, side});
    grid_->reloadData();
}

void ImagePickerController::viewWillAppear(bool) {
    reported_ = false;
    titleLabel_->setText(title());
    sizeItems(view()->bounds().width);
}

void ImagePickerController::viewDidDisappear(bool) {
    // Swiped away (or dismissed) before anything was reported: the user cancelled.
    if (presentingViewController() || reported_) return;
    reported_ = true;
    auto keep = sharedController();
    if (auto delegate = delegate_.lock()) delegate->imagePickerControllerDidCancel(*this);
}

int ImagePickerController::numberOfItemsInSection(CollectionView&, int section) {
    return section == 0 ? static_cast<int>(library_.photos().size()) : 0;
}

std::shared_ptr<CollectionViewCell> ImagePickerController::cellForItemAtIndexPath(CollectionView& collection,
                                                                                  IndexPath indexPath) {
    auto cell = collection.dequeueReusableCell(kCellIdentifier, indexPath);
    const auto& photos = library_.photos();
    if (indexPath.item() < 0 || indexPath.item() >= static_cast<int>(photos.size())) return cell;
    const auto& content = cell->contentView()->subviews();
    auto image = content.empty() ? nullptr : std::dynamic_pointer_cast<ImageView>(content.front());
    if (image) {
        image->setFrame(cell->contentView()->bounds());
        image->setImage(photos[static_cast<std::size_t>(indexPath.item())].thumbnail);
    }
    return cell;
}

void ImagePickerController::didSelectItemAtIndexPath(CollectionView& collection, IndexPath indexPath) {
    collection.deselectItemAtIndexPath(indexPath);
    const auto& photos = library_.photos();
    if (indexPath.item() < 0 || indexPath.item() >= static_cast<int>(photos.size())) return;
    const auto& photo = photos[static_cast<std::size_t>(indexPath.item())];
    // The file may have changed since the scan; a picture that no longer decodes is not offered.
    auto original = PhotoLibrary::original(photo);
    if (!original) return;
    finish(ImagePickerInfo{std::move(original).value(), photo.path});
}

void ImagePickerController::finish(const std::optional<ImagePickerInfo>& info) {
    reported_ = true;
    auto keep = sharedController();
    auto delegate = delegate_.lock();
    if (!delegate) {
        dismiss(true);
    } else if (info) {
        delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*this, *info);
    } else {
        delegate->imagePickerControllerDidCancel(*this);
    }
}

}  // namespace ui
