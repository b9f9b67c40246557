#pragma once

#include <memory>
#include <optional>

#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"
#include "ui/ImagePickerInfo.h"
#include "ui/PhotoLibrary.h"
#include "ui/PhotoLibraryLoader.h"
#include "ui/ViewController.h"

namespace ui {

class Button;
class CollectionView;
class ImagePickerControllerDelegate;
class Label;

// A sheet showing the user's pictures (see PhotoLibrary) as a grid of square thumbnails, four
// to a line. A tap hands the delegate the picture at full size; Cancel, or swiping the sheet
// away, tells it the user cancelled. The folder is read on a worker thread from the moment the
// view loads; until it is, the grid is empty under a centred "Loading…", and it fills in
// batches as the photos arrive through the main run loop.
class ImagePickerController : public ViewController,
                              public CollectionViewDataSource,
                              public CollectionViewDelegate {
public:
    enum class SourceType { PhotoLibrary, Camera, SavedPhotosAlbum };
    static constexpr int kColumns = 4;
    static constexpr double kSpacing = 2;
    static constexpr const char* kCellIdentifier = "ImagePickerThumbnail";

    static std::shared_ptr<ImagePickerController> create();
    // There is no camera; both photo sources read the pictures folder.
    static bool isSourceTypeAvailable(SourceType type) { return type != SourceType::Camera; }

    SourceType sourceType() const { return sourceType_; }
    void setSourceType(SourceType type) { sourceType_ = type; }

    std::shared_ptr<ImagePickerControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ImagePickerControllerDelegate>& delegate) { delegate_ = delegate; }

    // What is listed so far, and whether the scan is still going (both start with the view).
    const PhotoLibrary& library() const { return library_; }
    bool isLoading() const { return loading_; }
    // Blocks until the scan has posted every photo; pump the main run loop afterwards to
    // receive them. For headless rendering and tests.
    void waitUntilLibraryPosted();
    const std::shared_ptr<CollectionView>& collectionView() const { return grid_; }
    const std::shared_ptr<Button>& cancelButton() const { return cancelButton_; }
    const std::shared_ptr<Label>& statusLabel() const { return statusLabel_; }

    int numberOfItemsInSection(CollectionView&, int section) override;
    std::shared_ptr<CollectionViewCell> cellForItemAtIndexPath(CollectionView& collection,
                                                               IndexPath indexPath) override;
    void didSelectItemAtIndexPath(CollectionView& collection, IndexPath indexPath) override;

protected:
    ImagePickerController() = default;
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    void startLoading();
    void photosArrived(std::vector<PhotoLibrary::Photo> photos, bool finished);
    void sizeItems(double width);
    void cancelTapped();
    void finish(const std::optional<ImagePickerInfo>& info);

    SourceType sourceType_ = SourceType::PhotoLibrary;
    std::weak_ptr<ImagePickerControllerDelegate> delegate_;
    PhotoLibrary library_;
    std::unique_ptr<PhotoLibraryLoader> loader_;
    bool loading_ = false;
    bool reported_ = false;
    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Button> cancelButton_;
    std::shared_ptr<CollectionView> grid_;
    std::shared_ptr<Label> statusLabel_;  // "Loading…", then "No Photos" for an empty folder
};

}  // namespace ui
