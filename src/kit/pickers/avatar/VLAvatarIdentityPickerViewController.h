#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "gfx/Image.h"
#include "pickers/avatar/VLAvatarIdentityPickerEmojiDataModel.h"
#include "pickers/avatar/VLAvatarPickerProtocol.h"
#include "pickers/emoji/VLEmojiPickerProtocol.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewDataSource.h"
#include "ui/CollectionViewDelegate.h"
#include "ui/ColorPickerViewController.h"
#include "ui/ColorPickerViewControllerDelegate.h"
#include "ui/ImagePickerController.h"
#include "ui/ImagePickerControllerDelegate.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "uikit/VLHeaderView.h"

// A sheet on which the user composes a round avatar and hands it back as an image.
//
// The avatar is a 110-point circle (`preview`) whose background colour is the avatar's, with
// four face layers on top of each other: a photo or starting picture, a sticker, an emoji and
// up to two typed characters. Each choice shows exactly one layer. Below it a grid offers
// four tools (photo, colour, emoji, keyboard), the installed stickers and twenty presets.
//
// Any tap on the grid arms the confirm button and locks the sheet; from then on it ends
// through the header's "xmark" (`didDismissedAvatarPicker`) or "checkmark" (the preview
// rendered at the screen's scale, `didCreatedAvatar`), and dismisses itself.
class VLAvatarIdentityPickerViewController : public ui::ViewController,
                                             public ui::CollectionViewDataSource,
                                             public ui::CollectionViewDelegate,
                                             public ui::TextFieldDelegate,
                                             public ui::ImagePickerControllerDelegate,
                                             public ui::ColorPickerViewControllerDelegate,
                                             public VLEmojiPickerProtocol {
public:
    static constexpr double kHeaderHeight = 75;
    static constexpr double kPreviewSide = 110;
    static constexpr double kStickerSide = 80;
    static constexpr double kTextFieldSide = 105;
    static constexpr double kSpacing = 20;
    static constexpr double kSectionHeaderHeight = 45;
    static constexpr const char* kDefaultColour = "64a1f4";
    static constexpr const char* kDefaultEmoji = "\U0001F600";
    static constexpr const char* kToolsCellIdentifier = "ToolsCell";
    static constexpr const char* kStickerCellIdentifier = "StickerCell";
    static constexpr const char* kEmojiCellIdentifier = "EmojiCell";
    static constexpr const char* kHeaderIdentifier = "HeaderView";
    enum Section { kToolsSection = 0, kStickersSection = 1, kPresetsSection = 2 };
    enum Tool { kPhotoTool = 0, kColourTool = 1, kEmojiTool = 2, kKeyboardTool = 3 };

    static std::shared_ptr<VLAvatarIdentityPickerViewController> initWithTitle(std::string title,
                                                                               bool showDefaultAvatar,
                                                                               gfx::Image avatarImage,
                                                                               gfx::Color accent);

    const std::string& titleString() const { return titleString_; }
    bool useDefaultAvatarImage() const { return useDefaultAvatarImage_; }
    const gfx::Image& defaultAvatar() const { return defaultAvatar_; }
    const gfx::Color& accentColour() const { return accentColour_; }
    std::shared_ptr<VLAvatarPickerProtocol> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<VLAvatarPickerProtocol>& delegate) { delegate_ = delegate; }

    // Null until the view is loaded.
    const std::shared_ptr<VLHeaderView>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::View>& preview() const { return preview_; }
    const std::shared_ptr<ui::ImageView>& previewImage() const { return previewImage_; }
    const std::shared_ptr<ui::ImageView>& stickerImage() const { return stickerImage_; }
    const std::shared_ptr<ui::Label>& emojiLabel() const { return emojiLabel_; }
    const std::shared_ptr<ui::TextField>& textField() const { return textField_; }
    const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }
    const std::vector<std::string>& stickersArray() const { return stickersArray_; }
    const std::vector<std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel>>& emojisArray() const {
        return emojisArray_;
    }

    void presentPhotoPickerVC();
    void presentColourPickerVC();
    void presentEmojiPickerVC();
    void presentKeyboardEditing();
    void dismissVC();
    void applyAvatar();
    gfx::Image avatarSnapshot();
    static gfx::Color colorWithHexString(const std::string& text);
    void layoutHeaderView();
    void layoutCollectionView();

    // What the emoji picker returns.
    void didSelectEmoji(const std::string& emoji) override;
    void didDismissedEmojiPicker() override;

    // Grid.
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

    // Text field.
    bool shouldChangeCharactersInRange(ui::TextField& field, ui::Utf16Range range,
                                       const std::string& replacement) override;
    bool textFieldShouldBeginEditing(ui::TextField& field) override;
    void textFieldDidEndEditing(ui::TextField& field) override;
    bool textFieldShouldReturn(ui::TextField& field) override;

    // Photo and colour pickers.
    void imagePickerControllerDidFinishPickingMediaWithInfo(ui::ImagePickerController& picker,
                                                            const ui::ImagePickerInfo& info) override;
    void imagePickerControllerDidCancel(ui::ImagePickerController& picker) override;
    void colorPickerViewControllerDidSelectColor(ui::ColorPickerViewController& picker) override;
    void colorPickerViewControllerDidFinish(ui::ColorPickerViewController& picker) override;

    // A touch that no control takes ends editing.
    void touchesBegan(const Touches& touches) override;

protected:
    VLAvatarIdentityPickerViewController(std::string title, bool showDefaultAvatar, gfx::Image avatarImage,
                                         gfx::Color accent);
    void viewDidLoad() override;

private:
    enum class Face { Photo, Sticker, Emoji, Text };
    void showOnly(Face face);
    void armConfirmation();
    void chooseSticker(std::size_t index);
    void choosePreset(std::size_t index);
    void layoutPreview();
    void adoptPickedColour(const ui::ColorPickerViewController& picker);
    bool isEnding() const;

    std::string titleString_;
    bool useDefaultAvatarImage_;
    gfx::Image defaultAvatar_;
    gfx::Color accentColour_;
    std::weak_ptr<VLAvatarPickerProtocol> delegate_;
    std::shared_ptr<VLHeaderView> headerView_;
    std::shared_ptr<ui::View> preview_;
    std::shared_ptr<ui::ImageView> previewImage_;
    std::shared_ptr<ui::ImageView> stickerImage_;
    std::shared_ptr<ui::Label> emojiLabel_;
    std::shared_ptr<ui::TextField> textField_;
    std::shared_ptr<ui::CollectionView> collectionView_;
    std::vector<std::string> stickersArray_;
    std::vector<std::shared_ptr<VLAvatarIdentityPickerEmojiDataModel>> emojisArray_;
    // Set once the delegate has been told; a second confirmation or cancel does nothing.
    bool reported_ = false;
};
