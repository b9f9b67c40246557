#pragma once

#include <memory>
#include <optional>

#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"
#include "ui/ImagePickerInfo.h"
#include "ui/PhotoLibrary.h"
#include "ui/ViewController.h"

namespace ui {

class Button;
class CollectionView;
class ImagePickerControllerDelegate;
class Label;

// A sheet showing the user's pictures (see PhotoLibrary) as a grid of square thumbnails, four
// to a line. A tap hands the delegate the picture at full size; Cancel, or swiping the sheet
// away, tells it the user cancelled. The folder is read when the view loads.
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

    // What is listed (loaded with the view).
    const PhotoLibrary& library() const { return library_; }
    const std::shared_ptr<CollectionView>& collectionView() const { return grid_; }
    const std::shared_ptr<Button>& cancelButton() const { return cancelButton_; }

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
    void sizeItems(double width);
    void cancelTapped();
    void finish(const std::optional<ImagePickerInfo>& info);

    SourceType sourceType_ = SourceType::PhotoLibrary;
    std::weak_ptr<ImagePickerControllerDelegate> delegate_;
    PhotoLibrary library_;
    bool reported_ = false;
    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Button> cancelButton_;
    std::shared_ptr<CollectionView> grid_;
};

}  // namespace ui
