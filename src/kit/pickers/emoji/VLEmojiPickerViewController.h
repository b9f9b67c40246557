#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pickers/emoji/VLEmojiPickerProtocol.h"
#include "pickers/emoji/VLEmojiSection.h"
#include "ui/CollectionView.h"
#include "ui/ViewController.h"

// A sheet with a grabber and a grid of emoji in titled sections, read from the kit's emoji file
// when the view loads. The presenter sets the delegate and presents it; the delegate hears
// exactly one thing per presentation:
// - a tap on an emoji sends `didSelectEmoji` with the file's string, then the sheet leaves;
// - any other way out (swiped down, dismissed by the presenter) sends `didDismissedEmojiPicker`
//   once the view has disappeared.
// A missing or unreadable file leaves `emojiArray` unset: the grid is empty and closing the
// sheet reports the dismissal. Taps after the choice, or while the sheet slides, choose nothing.
class VLEmojiPickerViewController : public ui::ViewController,
                                    public ui::CollectionViewDataSource,
                                    public ui::CollectionViewDelegate {
public:
    static constexpr const char* kCellIdentifier = "Cell";
    static constexpr const char* kHeaderIdentifier = "HeaderView";
    static constexpr gfx::Size kGrabberSize{40, 6};
    static constexpr double kGrabberTop = 10;
    static constexpr double kGrabberCornerRadius = 3;
    // Between the grabber and the grid, and below the grid.
    static constexpr double kGridGap = 20;
    static constexpr double kHeaderHeight = 45;
    static constexpr double kSectionSideInset = 20;
    // An item's side as a share of the view's width: eight per width, six after insets and spacing.
    static constexpr double kItemWidthShare = 0.125;

    static std::shared_ptr<VLEmojiPickerViewController> create();

    // The file's sections; unset when the file could not be read.
    const std::optional<std::vector<VLEmojiSection>>& emojiArray() const { return emojiArray_; }
    // Null until the view is loaded.
    const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }
    const std::shared_ptr<ui::View>& grabberView() const { return grabberView_; }
    bool didSelectEmoji() const { return didSelectEmoji_; }
    std::shared_ptr<VLEmojiPickerProtocol> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<VLEmojiPickerProtocol>& delegate) { delegate_ = delegate; }

    void dismissVC();
    void layoutGrabberView();
    void layoutCollectionView();

    // Grid.
    int numberOfSections(ui::CollectionView&) override;
    int numberOfItemsInSection(ui::CollectionView&, int section) override;
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& collection,
                                                                   ui::IndexPath indexPath) override;
    std::shared_ptr<ui::CollectionReusableView> viewForSupplementaryElement(ui::CollectionView& collection,
                                                                            const std::string& kind,
                                                                            ui::IndexPath indexPath) override;
    std::optional<gfx::Size> sizeForItemAtIndexPath(ui::CollectionView&, const ui::CollectionViewFlowLayout&,
                                                    ui::IndexPath) override;
    std::optional<ui::EdgeInsets> insetForSectionAtIndex(ui::CollectionView&,
                                                         const ui::CollectionViewFlowLayout&, int) override;
    std::optional<gfx::Size> referenceSizeForHeaderInSection(ui::CollectionView&,
                                                             const ui::CollectionViewFlowLayout&,
                                                             int) override;
    void didSelectItemAtIndexPath(ui::CollectionView& collection, ui::IndexPath indexPath) override;

protected:
    VLEmojiPickerViewController() = default;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    const VLEmojiSection* sectionAt(int section) const;
    const std::string* emojiAt(ui::IndexPath indexPath) const;
    double viewWidth() const;

    std::optional<std::vector<VLEmojiSection>> emojiArray_;
    std::shared_ptr<ui::CollectionView> collectionView_;
    std::shared_ptr<ui::View> grabberView_;
    // Set by the choice; it also keeps later taps from choosing again.
    bool didSelectEmoji_ = false;
    std::weak_ptr<VLEmojiPickerProtocol> delegate_;
};
