#include "GalleryPickerPages.h"

#include <cstdio>

#include "GalleryScreen.h"
#include "GalleryStackView.h"
#include "pickers/PrivateAppList.h"
#include "pickers/applist/VLAppListViewController.h"
#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"
#include "pickers/emoji/VLEmojiPickerViewController.h"
#include "store/VLPrefsManager.h"
#include "ui/Button.h"
#include "ui/ColorPickerViewController.h"
#include "ui/ColorPickerViewControllerDelegate.h"
#include "ui/FontPickerViewController.h"
#include "ui/FontPickerViewControllerDelegate.h"
#include "ui/ImagePickerController.h"
#include "ui/ImagePickerControllerDelegate.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace {

constexpr double kFontResultSize = 24;
constexpr int kPhotoResultPixels = 512;  // the picked original is only kept this large
constexpr double kEmojiResultSize = 64;

// Each delegate writes what the user picked into the page's result views, which it holds
// weakly: the page owns them and the delegate (through `GalleryScreen::retain`).

class ColourResult : public ui::ColorPickerViewControllerDelegate {
public:
    ColourResult(std::shared_ptr<ui::View> swatch, std::shared_ptr<ui::Label> hex)
        : swatch_(swatch), hex_(hex) {}
    const std::optional<gfx::Color>& picked() const { return picked_; }
    void colorPickerViewControllerDidSelectColor(ui::ColorPickerViewController& picker) override {
        picked_ = picker.selectedColor();
        if (auto swatch = swatch_.lock()) swatch->setBackgroundColor(picker.selectedColor());
        if (auto hex = hex_.lock())
            hex->setText("#" + ui::ColorPickerViewController::hexString(picker.selectedColor()));
    }

private:
    std::optional<gfx::Color> picked_;
    std::weak_ptr<ui::View> swatch_;
    std::weak_ptr<ui::Label> hex_;
};

class FontResult : public ui::FontPickerViewControllerDelegate {
public:
    explicit FontResult(std::shared_ptr<ui::Label> name) : name_(name) {}
    void fontPickerViewControllerDidPickFont(ui::FontPickerViewController& picker) override {
        const auto& descriptor = picker.selectedFontDescriptor();
        auto name = name_.lock();
        if (descriptor && name) {
            name->setText(descriptor->face().empty() ? descriptor->family()
                                                     : descriptor->family() + " " + descriptor->face());
            name->setFont(
                descriptor->fontWithSize(kFontResultSize).value_or(gfx::Font::system(kFontResultSize)));
        }
        picker.dismiss(true);
    }
    void fontPickerViewControllerDidCancel(ui::FontPickerViewController& picker) override {
        picker.dismiss(true);
    }

private:
    std::weak_ptr<ui::Label> name_;
};

class PhotoResult : public ui::ImagePickerControllerDelegate {
public:
    PhotoResult(std::shared_ptr<ui::ImageView> thumbnail, std::shared_ptr<ui::Label> name)
        : thumbnail_(thumbnail), name_(name) {}
    void imagePickerControllerDidFinishPickingMediaWithInfo(ui::ImagePickerController& picker,
                                                            const ui::ImagePickerInfo& info) override {
        std::string fileName = info.imageURL.filename().string();
        if (auto thumbnail = thumbnail_.lock())
            thumbnail->setImage(ui::PhotoLibrary::thumbnail(info.originalImage, kPhotoResultPixels),
                                fileName);
        if (auto name = name_.lock()) name->setText(fileName);
        picker.dismiss(true);
    }
    void imagePickerControllerDidCancel(ui::ImagePickerController& picker) override { picker.dismiss(true); }

private:
    std::weak_ptr<ui::ImageView> thumbnail_;
    std::weak_ptr<ui::Label> name_;
};

// Shows the identifiers the application picker stored, read back from its preference file.
class AppListResult : public VLAppListPickerProtocol {
public:
    static constexpr const char* kKey = "galleryApps";
    static constexpr const char* kID = "com.vellium.preview.gallery";
    explicit AppListResult(std::shared_ptr<ui::Label> stored) : stored_(stored) {}
    void appPickerDidSelectedApps() override {
        if (auto label = stored_.lock()) label->setText(describeStored());
    }
    static std::string describeStored() {
        base::Value stored = VLPrefsManager::sharedInstance().objectForKey(kKey, kID);
        std::string text;
        if (const auto* ids = stored.asArray()) {
            for (const auto& id : *ids) {
                if (const auto* name = id.asString()) text += (text.empty() ? "" : "\n") + *name;
            }
        }
        return text.empty() ? "None" : text;
    }

private:
    std::weak_ptr<ui::Label> stored_;
};

// Shows the image the avatar picker returned, and whether it was cancelled.
class AvatarResult : public VLAvatarPickerProtocol {
public:
    AvatarResult(std::shared_ptr<ui::ImageView> image, std::shared_ptr<ui::Label> status)
        : image_(image), status_(status) {}
    void didCreatedAvatar(const gfx::Image& image) override {
        if (auto view = image_.lock()) view->setImage(image, "avatar");
        if (auto status = status_.lock())
            status->setText(std::to_string(image.pixelWidth()) + " x " + std::to_string(image.pixelHeight()) +
                            " pixels");
    }
    void didDismissedAvatarPicker() override {
        if (auto status = status_.lock()) status->setText("Dismissed");
    }

private:
    std::weak_ptr<ui::ImageView> image_;
    std::weak_ptr<ui::Label> status_;
};

// Shows the emoji the picker returned and its code points, or its dismissal report.
class EmojiResult : public VLEmojiPickerProtocol {
public:
    EmojiResult(std::shared_ptr<ui::Label> emoji, std::shared_ptr<ui::Label> codePoints)
        : emoji_(emoji), codePoints_(codePoints) {}
    void didSelectEmoji(const std::string& emoji) override {
        if (auto label = emoji_.lock()) label->setText(emoji);
        if (auto label = codePoints_.lock()) label->setText(describeCodePoints(emoji));
    }
    void didDismissedEmojiPicker() override {
        if (auto label = emoji_.lock()) label->setText("");
        if (auto label = codePoints_.lock()) label->setText("Dismissed without a choice");
    }

private:
    // "U+2764 U+FE0F": the returned bytes decoded, so joiners and selectors can be seen.
    static std::string describeCodePoints(const std::string& text) {
        std::string described;
        for (std::size_t at = 0; at < text.size();) {
            auto lead = static_cast<unsigned char>(text[at]);
            std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            char32_t value = length == 1 ? lead : lead & (0x7F >> length);
            for (std::size_t next = 1; next < length && at + next < text.size(); ++next)
                value = (value << 6) | (static_cast<unsigned char>(text[at + next]) & 0x3F);
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(value));
            described += (described.empty() ? "" : " ") + std::string(code);
            at += length;
        }
        return described;
    }

    std::weak_ptr<ui::Label> emoji_;
    std::weak_ptr<ui::Label> codePoints_;
};

std::shared_ptr<ui::Label> resultLabel(const std::string& text) {
    auto label = ui::Label::create(text);
    label->setTextColor(gfx::Color::secondaryLabel());
    return label;
}

// A button that presents a fresh picker from `makePicker` over the page.
void addPresentButton(GalleryScreen& screen, GalleryStackView& stack, const std::string& title,
                      std::function<std::shared_ptr<ui::ViewController>()> makePicker) {
    auto button = ui::Button::create();
    button->setTitle(title);
    button->setTitleColor(gfx::Color::systemBlue());
    std::weak_ptr<ui::ViewController> weak = screen.sharedController();
    button->addAction(ui::ControlEventTouchUpInside, [weak, makePicker = std::move(makePicker)] {
        if (auto self = weak.lock()) self->present(makePicker(), true);
    });
    stack.addFullWidthRow(button);
}

}  // namespace

void buildColourPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto swatch = ui::View::create();
    swatch->setBackgroundColor(gfx::Color::tertiarySystemFill());
    swatch->layer().setCornerRadius(8);
    auto hex = resultLabel("None");
    auto result = std::make_shared<ColourResult>(swatch, hex);
    screen.retain(result);
    addPresentButton(screen, stack, "Choose a colour", [result] {
        auto picker = ui::ColorPickerViewController::create();
        // The picker opens on the colour picked last.
        if (result->picked()) picker->setSelectedColor(*result->picked());
        picker->setDelegate(result);
        return picker;
    });
    stack.addRow("Colour", swatch);
    stack.addRow("Hex", hex);
}

void buildFontPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto name = resultLabel("No font picked");
    auto result = std::make_shared<FontResult>(name);
    screen.retain(result);
    addPresentButton(screen, stack, "Choose a font", [result] {
        auto picker = ui::FontPickerViewController::create();
        picker->setDelegate(result);
        return picker;
    });
    stack.addFullWidthRow(name, 2 * kFontResultSize);
}

void buildPhotoPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto thumbnail = ui::ImageView::create();
    thumbnail->setContentMode(gfx::ContentMode::ScaleAspectFit);
    auto name = resultLabel("None");
    auto result = std::make_shared<PhotoResult>(thumbnail, name);
    screen.retain(result);
    addPresentButton(screen, stack, "Choose a photo", [result] {
        auto picker = ui::ImagePickerController::create();
        picker->setDelegate(result);
        return picker;
    });
    stack.addRow("Photo", name);
    stack.addFullWidthRow(thumbnail, 200);
}

void buildAppPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto stored = resultLabel(AppListResult::describeStored());
    stored->setNumberOfLines(0);
    auto result = std::make_shared<AppListResult>(stored);
    screen.retain(result);
    addPresentButton(screen, stack, "Choose applications", [result] {
        auto picker = VLAppListViewController::initWithKey(AppListResult::kKey, AppListResult::kID, false, 0);
        picker->setAppsArray(PrivateAppList::sharedInstance()->allApps());
        picker->setDelegate(result);
        return picker;
    });
    stack.addFullWidthRow(stored, 120);
}

void buildAvatarPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto image = ui::ImageView::create();
    image->setContentMode(gfx::ContentMode::Center);
    auto status = resultLabel("None");
    auto result = std::make_shared<AvatarResult>(image, status);
    screen.retain(result);
    addPresentButton(screen, stack, "Compose an avatar", [result] {
        auto picker = VLAvatarIdentityPickerViewController::initWithTitle("Avatar", true, gfx::Image(),
                                                                          gfx::Color::systemBlue());
        picker->setDelegate(result);
        return picker;
    });
    stack.addRow("Avatar", status);
    stack.addFullWidthRow(image, 130);
}

void buildEmojiPicker(GalleryScreen& screen, GalleryStackView& stack) {
    auto emoji = ui::Label::create();
    emoji->setFont(gfx::Font::system(kEmojiResultSize));
    emoji->setTextAlignment(gfx::TextAlignment::Center);
    auto codePoints = resultLabel("None");
    codePoints->setNumberOfLines(0);
    auto result = std::make_shared<EmojiResult>(emoji, codePoints);
    screen.retain(result);
    addPresentButton(screen, stack, "Choose an emoji", [result] {
        auto picker = VLEmojiPickerViewController::create();
        picker->setDelegate(result);
        return picker;
    });
    stack.addFullWidthRow(emoji, 2 * kEmojiResultSize);
    stack.addRow("Returned", codePoints);
}
