#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "base/AtomicFile.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/ViewTreeJson.h"
#include "kit/store/PrefsTestRoot.h"
#include "pickers/avatar/VLAvatarIdentityPickerDataSource.h"
#include "pickers/avatar/VLAvatarIdentityPickerViewController.h"
#include "pickers/emoji/VLEmojiPickerViewController.h"
#include "support/GoldenText.h"
#include "support/PixelCounts.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"
#include "ui/ColorPickerViewController.h"
#include "ui/ImagePickerController.h"
#include "ui/Window.h"

namespace {

using Picker = VLAvatarIdentityPickerViewController;

struct RecordingDelegate : VLAvatarPickerProtocol {
    void didCreatedAvatar(const gfx::Image& image) override { avatars.push_back(image); }
    void didDismissedAvatarPicker() override { ++dismissals; }
    std::vector<gfx::Image> avatars;
    int dismissals = 0;
};

gfx::Image solid(int side, std::uint32_t pixel) {
    return gfx::Image(side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side), pixel));
}

void writePng(const std::filesystem::path& path, const gfx::Image& image) {
    std::filesystem::create_directories(path.parent_path());
    auto data = image.encodePng();
    ASSERT_TRUE(data);
    ASSERT_TRUE(base::AtomicFile::write(path, data.value()));
}

std::string hex(const gfx::Color& colour) { return ui::ColorPickerViewController::hexString(colour); }

// An avatar picker presented over a screen of a phone-sized window on a manual clock, with
// stickers and an emoji file under a fresh filesystem root, driven by taps and typing.
class AvatarPickerTest : public PrefsTestRoot {
protected:
    void SetUp() override {
        PrefsTestRoot::SetUp();
        base::Clock::setCurrent(clock);
        window->setRootViewController(home);
        // Red and green stickers, and names the list must skip.
        writePng(stickers() / "b-green.png", solid(40, 0xFF00FF00u));
        writePng(stickers() / "A-red.png", solid(40, 0xFFFF0000u));
        writePng(stickers() / "Shouty.PNG", solid(40, 0xFF0000FFu));
        std::ofstream(stickers() / "notes.txt") << "not a sticker";
    }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(5));
        base::Clock::setCurrent(nullptr);
        PrefsTestRoot::TearDown();
    }
    std::filesystem::path stickers() const { return root_ / "var/mobile/Library/Avatar/Stickers"; }

    void open() {
        picker = Picker::initWithTitle("Avatar", true, gfx::Image(), gfx::Color::systemTeal());
        picker->setDelegate(delegate);
        home->present(picker, true);
        settle();
    }
    void settle() {
        base::RunLoop::main().runFor(std::chrono::milliseconds(800));
        window->layoutIfNeeded();
    }
    void tapAt(gfx::Point at) {
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, at));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, at));
        settle();
    }
    void tap(const ui::View& view) {
        window->layoutIfNeeded();
        tapAt(view.convertPoint({view.bounds().width / 2, view.bounds().height / 2}, nullptr));
    }
    void tapItem(ui::CollectionView& grid, int section, int item) {
        window->layoutIfNeeded();
        auto cell = grid.cellForItemAtIndexPath(ui::IndexPath::forItem(item, section));
        ASSERT_TRUE(cell) << "item " << item << " of section " << section << " is not on screen";
        tap(*cell);
    }
    void tapGrid(int section, int item) { tapItem(*picker->collectionView(), section, item); }
    void confirm() { tap(*picker->headerView()->rightButton()); }

    // Which face layer shows, and on what background.
    std::string face() {
        std::string shown;
        if (picker->previewImage()->alpha() > 0) shown += "photo ";
        if (picker->stickerImage()->alpha() > 0) shown += "sticker ";
        if (picker->emojiLabel()->alpha() > 0) shown += "emoji " + picker->emojiLabel()->text() + " ";
        if (picker->textField()->alpha() > 0) shown += "text " + picker->textField()->text() + " ";
        return shown + "on " + hex(picker->preview()->backgroundColor());
    }
    template <class Sheet>
    std::shared_ptr<Sheet> presented() {
        return std::dynamic_pointer_cast<Sheet>(picker->presentedViewController());
    }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<Picker> picker;
};

TEST_F(AvatarPickerTest, OffersTheTwentyPresetsInOrderAndOnlyLowerCasePngStickersSorted) {
    auto& source = VLAvatarIdentityPickerDataSource::sharedInstance();
    EXPECT_EQ(source.stickersData(), (std::vector<std::string>{"A-red.png", "b-green.png"}));
    auto presets = source.emojiData();
    ASSERT_EQ(presets.size(), 20u);
    std::string emoji, colours;
    for (const auto& preset : presets) {
        emoji += preset->emoji();
        colours += preset->colour() + " ";
    }
    EXPECT_EQ(emoji,
              "\U0001F600\U0001F976\U0001F61C\U0001F60D\U0001F618\U0001F973\U0001F63B\U0001F48B\U0001F48D"
              "\U0001F984\U0001F37B\U0001F942\U0001F37F\u26BD\uFE0F\U0001F3C8\U0001F3D2\U0001F697\U0001F6F4"
              "\U0001F680\U0001F4BB");
    EXPECT_EQ(colours,
              "a8e6cf d0e1f9 a8e6cf ffaaa5 eedbdb dddddd e4dcf1 eee3e7 e7d3d3 fec8c1 96ceb4 ff6f69 ffdbac "
              "64a1f4 add6ff ffefd7 a8e6cf dcedc1 ffcc5c b3cde0 ");
    std::filesystem::remove_all(stickers());
    EXPECT_TRUE(source.stickersData().empty());
}

TEST_F(AvatarPickerTest, OpensOnTheGrinningFaceWithTheConfirmButtonHidden) {
    open();
    EXPECT_EQ(face(), "emoji \U0001F600 on 64A1F4");
    EXPECT_TRUE(GoldenText::matches(host::ViewTreeJson::describe(*window) + "\n",
                                    std::filesystem::path(VK_PICKER_GOLDEN_DIR) / "avatar-at-rest.json"));
}

TEST_F(AvatarPickerTest, EachChoiceShowsOneLayerAndOnlyPresetsAndColoursChangeTheBackground) {
    testsupport::TemporaryDirectory pictures;
    writePng(pictures.path() / "photo.png", solid(30, 0xFF3366CCu));
    ScopedEnvironment environment{{"XDG_PICTURES_DIR", pictures.path().string()}};
    open();

    // A preset, then a sticker: the preset's colour stays behind the sticker.
    tapGrid(Picker::kPresetsSection, 3);
    EXPECT_EQ(face(), "emoji \U0001F60D on FFAAA5");
    EXPECT_EQ(picker->headerView()->rightButton()->alpha(), 1);
    EXPECT_TRUE(picker->isModalInPresentation());
    tapGrid(Picker::kStickersSection, 1);
    EXPECT_EQ(face(), "sticker on FFAAA5");
    EXPECT_EQ(picker->stickerImage()->image().colorAt(0, 0), gfx::Color(0, 1, 0, 1));

    // A photo from the library, then a colour: the photo gives way, the background changes.
    tapGrid(Picker::kToolsSection, Picker::kPhotoTool);
    auto photos = presented<ui::ImagePickerController>();
    ASSERT_TRUE(photos);
    photos->waitUntilLibraryPosted();
    base::RunLoop::main().runUntilIdle();
    tapItem(*photos->collectionView(), 0, 0);
    EXPECT_EQ(face(), "photo on FFAAA5");
    tapGrid(Picker::kToolsSection, Picker::kColourTool);
    auto colours = presented<ui::ColorPickerViewController>();
    ASSERT_TRUE(colours);
    EXPECT_FALSE(colours->supportsAlpha());
    EXPECT_EQ(hex(colours->selectedColor()), "FFAAA5");
    const auto& swatch =
        colours->swatchGrid()->subviews().at(2 * ui::ColorPickerViewController::kHueColumns + 4);
    tap(*swatch);
    const std::string chosen = hex(ui::ColorPickerViewController::swatchColor(2, 4));
    EXPECT_EQ(face(), "on " + chosen);

    // A colour over the text layer keeps the text.
    tap(*colours->closeButton());
    tapGrid(Picker::kToolsSection, Picker::kKeyboardTool);
    picker->textField()->insertText("ok");
    tapGrid(Picker::kToolsSection, Picker::kColourTool);
    colours = presented<ui::ColorPickerViewController>();
    ASSERT_TRUE(colours);
    tap(*colours->swatchGrid()->subviews().at(0));
    EXPECT_EQ(face(), "text ok on " + hex(ui::ColorPickerViewController::swatchColor(0, 0)));
}

// The field accepts an edit while it holds fewer than two UTF-16 units or when the edit
// replaces something; the length of the result does not count.
TEST_F(AvatarPickerTest, TheTextFieldStopsTypingAtTwoButAPasteIntoOneCharacterGoesThrough) {
    open();
    tapGrid(Picker::kToolsSection, Picker::kKeyboardTool);
    auto& field = *picker->textField();
    EXPECT_TRUE(field.isFirstResponder());
    EXPECT_EQ(face(), "text  on 64A1F4");
    EXPECT_EQ(picker->emojiLabel()->text(), "");
    EXPECT_FALSE(field.isUserInteractionEnabled());
    EXPECT_FALSE(field.returnKey()) << "an empty field does not end on return";
    EXPECT_TRUE(field.isFirstResponder());
    struct Step {
        const char* typed;
        const char* text;
    };
    const Step steps[] = {{"a", "a"}, {"Hello", "aHello"}, {"x", "aHello"}};
    for (const auto& step : steps) {
        field.insertText(step.typed);
        EXPECT_EQ(field.text(), step.text) << "after typing " << step.typed;
    }
    field.deleteBackward();
    EXPECT_EQ(field.text(), "aHell") << "deleting replaces a range";
    EXPECT_TRUE(field.returnKey());
    EXPECT_FALSE(field.isFirstResponder());
    EXPECT_TRUE(field.isUserInteractionEnabled());
}

TEST_F(AvatarPickerTest, ConfirmingTheDefaultAfterOneTapRendersTheGrinningFaceOnItsCircle) {
    testsupport::TemporaryDirectory pictures;
    ScopedEnvironment environment{{"XDG_PICTURES_DIR", pictures.path().string()}};
    open();
    tapGrid(Picker::kToolsSection, Picker::kPhotoTool);
    auto photos = presented<ui::ImagePickerController>();
    ASSERT_TRUE(photos);
    tap(*photos->cancelButton());
    EXPECT_FALSE(picker->presentedViewController());
    confirm();
    EXPECT_EQ(delegate->dismissals, 0);
    ASSERT_EQ(delegate->avatars.size(), 1u);
    const gfx::Image& avatar = delegate->avatars[0];
    ASSERT_EQ(avatar.pixelWidth(), 220);
    ASSERT_EQ(avatar.pixelHeight(), 220);
    EXPECT_EQ(avatar.pixelAt(2, 2).alpha, 0) << "the corners lie outside the circle";
    auto blue = avatar.colorAt(110, 8);
    EXPECT_NEAR(blue.red(), 0x64 / 255.0, 0.01);
    EXPECT_NEAR(blue.green(), 0xA1 / 255.0, 0.01);
    EXPECT_NEAR(blue.blue(), 0xF4 / 255.0, 0.01);
    // The grinning face is yellow in Noto Color Emoji, over most of its middle.
    int yellow = testsupport::countPixels(
        avatar, [](gfx::PremultipliedPixel p) { return p.red > 200 && p.green > 150 && p.blue < 120; });
    EXPECT_GT(yellow, 3000);
    EXPECT_FALSE(home->presentedViewController());
    picker->applyAvatar();
    EXPECT_EQ(delegate->avatars.size(), 1u) << "one report per presentation";
}

TEST_F(AvatarPickerTest, CancellingAfterATapReportsADismissalOnly) {
    open();
    tapGrid(Picker::kPresetsSection, 0);
    tap(*picker->headerView()->leftButton());
    EXPECT_EQ(delegate->dismissals, 1);
    EXPECT_TRUE(delegate->avatars.empty());
    EXPECT_FALSE(home->presentedViewController());
}

// The emoji tool opens the emoji picker on the emoji file: a tap hands the emoji back unchanged, a
// missing file gives an empty grid and closing it reports a dismissal.
TEST_F(AvatarPickerTest, TheEmojiToolReturnsJoinerSequencesUnchangedAndReportsAnEmptyDismissal) {
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";
    base::Value sections(
        base::Value::Array{base::Value(base::Value::Dictionary{
                               {"Title", "People"}, {"Emojis", base::Value::Array{"\u263A\uFE0F", family}}}),
                           base::Value("not a section")});
    auto file = root_ / "var/QZN/Vellium/Emoji/Emoji.plist";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(base::PropertyList::writeFile(sections, file).ok());
    open();
    tapGrid(Picker::kToolsSection, Picker::kEmojiTool);
    auto sheet = presented<VLEmojiPickerViewController>();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->emojiArray());
    tapItem(*sheet->collectionView(), 0, 1);
    EXPECT_EQ(face(), "emoji " + family + " on 64A1F4");
    EXPECT_FALSE(picker->presentedViewController());

    std::filesystem::remove(file);
    logLines_.clear();
    tapGrid(Picker::kToolsSection, Picker::kEmojiTool);
    sheet = presented<VLEmojiPickerViewController>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->collectionView()->numberOfSections(), 0);
    sheet->dismiss(true);
    settle();
    EXPECT_EQ(std::count(logLines_.begin(), logLines_.end(), "Emoji picker dismissed"), 1);
    EXPECT_EQ(face(), "emoji " + family + " on 64A1F4");
}

}  // namespace
