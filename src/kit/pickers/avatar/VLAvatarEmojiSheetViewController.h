#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pickers/avatar/VLAvatarEmojiSections.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"
#include "ui/ViewController.h"

class VLAvatarIdentityPickerViewController;

// The avatar picker's emoji tool: a sheet with the emoji file's sections in a grid. A tap
// reports the emoji to the avatar picker and closes the sheet; a sheet closed any other way
// reports a dismissal once it has disappeared. Exactly one report per presentation.
class VLAvatarEmojiSheetViewController : public ui::ViewController,
                                         public ui::CollectionViewDataSource,
                                         public ui::CollectionViewDelegate {
public:
    static constexpr double kEmojiPointSize = 30;
    static constexpr double kItemWidthShare = 0.125;

    static std::shared_ptr<VLAvatarEmojiSheetViewController> create(
        const std::weak_ptr<VLAvatarIdentityPickerViewController>& owner);

    const std::vector<VLAvatarEmojiSections::Section>& sections() const { return sections_; }
    const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }

    int numberOfSections(ui::CollectionView&) override;
    int numberOfItemsInSection(ui::CollectionView&, int section) override;
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& grid,
                                                                   ui::IndexPath indexPath) override;
    std::shared_ptr<ui::CollectionReusableView> viewForSupplementaryElement(ui::CollectionView& grid,
                                                                            const std::string& kind,
                                                                            ui::IndexPath indexPath) override;
    std::optional<gfx::Size> sizeForItemAtIndexPath(ui::CollectionView&, const ui::CollectionViewFlowLayout&,
                                                    ui::IndexPath) override;
    std::optional<ui::EdgeInsets> insetForSectionAtIndex(ui::CollectionView&,
                                                         const ui::CollectionViewFlowLayout&, int) override;
    std::optional<gfx::Size> referenceSizeForHeaderInSection(ui::CollectionView&,
                                                             const ui::CollectionViewFlowLayout&,
                                                             int) override;
    void didSelectItemAtIndexPath(ui::CollectionView& grid, ui::IndexPath indexPath) override;

protected:
    explicit VLAvatarEmojiSheetViewController(
        const std::weak_ptr<VLAvatarIdentityPickerViewController>& owner)
        : owner_(owner) {}
    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;

private:
    const std::string* emojiAt(ui::IndexPath indexPath) const;

    std::weak_ptr<VLAvatarIdentityPickerViewController> owner_;
    std::vector<VLAvatarEmojiSections::Section> sections_;
    std::shared_ptr<ui::CollectionView> collectionView_;
    bool reported_ = false;
};
