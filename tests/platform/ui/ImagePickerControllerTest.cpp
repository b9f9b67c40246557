#include <string>
#include <vector>

#include "ControllerTesting.h"
#include "base/RunLoop.h"
#include "support/ScopedEnvironment.h"
#include "support/TemporaryDirectory.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/CollectionViewCell.h"
#include "ui/ImagePickerController.h"
#include "ui/ImagePickerControllerDelegate.h"
#include "ui/Label.h"
#include "ui/PhotoLibrary.h"

namespace {

using ui::ImagePickerController;
using ui::PhotoLibrary;

class RecordingDelegate : public ui::ImagePickerControllerDelegate {
public:
    void imagePickerControllerDidFinishPickingMediaWithInfo(ImagePickerController&,
                                                            const ui::ImagePickerInfo& info) override {
        picked.push_back(info);
    }
    void imagePickerControllerDidCancel(ImagePickerController&) override { ++cancels; }
    std::vector<ui::ImagePickerInfo> picked;
    int cancels = 0;
};

std::string encoded(int width, int height, bool jpeg) {
    gfx::Image image(width, height,
                     std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), 0xFF3366CCu));
    auto data = jpeg ? image.encodeJpeg(0.9) : image.encodePng();
    return data ? std::string(data.value().begin(), data.value().end()) : std::string();
}

// A pictures folder with two pictures, one photo too large to keep whole, and things to skip.
class ImagePickerTest : public testsupport::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        pictures.write("b-wide.JPG", encoded(1200, 600, true));
        pictures.write("a-small.png", encoded(40, 30, false));
        pictures.write("c-broken.png", "not a picture");
        pictures.write("notes.txt", "hello");
        pictures.write("nested/d-hidden.png", encoded(10, 10, false));
        window->setRootViewController(screen);
        picker->setDelegate(delegate);
        screen->present(picker, true);
    }
    // Lets the sheet come up and the scan's batches arrive through the run loop.
    void loadPhotos() {
        settle();
        picker->waitUntilLibraryPosted();
        base::RunLoop::main().runUntilIdle();
    }
    void tapItem(int item) {
        window->layoutIfNeeded();
        auto cell = picker->collectionView()->cellForItemAtIndexPath(ui::IndexPath::forItem(item, 0));
        ASSERT_TRUE(cell);
        gfx::Rect rect = cell->convertRect(cell->bounds(), nullptr);
        tapAt({rect.x + rect.width / 2, rect.y + rect.height / 2});
    }
    testsupport::TemporaryDirectory pictures;
    ScopedEnvironment environment{{"XDG_PICTURES_DIR", pictures.path().string()}};
    std::shared_ptr<testsupport::RecordingController> screen =
        testsupport::RecordingController::create("screen", calls);
    std::shared_ptr<ImagePickerController> picker = ImagePickerController::create();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(ImagePickerTest, ListsDecodablePicturesAsThumbnailsAndHandsBackTheTappedOriginal) {
    // Nothing has been pumped yet: the scan's results cannot have arrived.
    EXPECT_TRUE(picker->isLoading());
    EXPECT_FALSE(picker->statusLabel()->isHidden());
    EXPECT_EQ(picker->statusLabel()->text(), "Loading…");
    EXPECT_EQ(picker->collectionView()->numberOfItemsInSection(0), 0);

    loadPhotos();
    EXPECT_FALSE(picker->isLoading());
    EXPECT_TRUE(picker->statusLabel()->isHidden());
    const auto& photos = picker->library().photos();
    ASSERT_EQ(photos.size(), 2u);
    EXPECT_EQ(photos[0].path.filename(), "a-small.png");
    EXPECT_EQ(photos[1].path.filename(), "b-wide.JPG");
    EXPECT_EQ(photos[0].thumbnail.pixelWidth(), 40) << "small pictures are not enlarged";
    EXPECT_EQ(photos[1].thumbnail.pixelWidth(), PhotoLibrary::kThumbnailPixels);
    EXPECT_EQ(photos[1].thumbnail.pixelHeight(), PhotoLibrary::kThumbnailPixels / 2);
    EXPECT_EQ(picker->collectionView()->visibleCells().size(), 2u);

    tapItem(1);
    ASSERT_EQ(delegate->picked.size(), 1u);
    EXPECT_EQ(delegate->picked[0].originalImage.pixelWidth(), 1200);
    EXPECT_EQ(delegate->picked[0].originalImage.pixelHeight(), 600);
    EXPECT_EQ(delegate->picked[0].imageURL, photos[1].path);
    EXPECT_EQ(delegate->cancels, 0);
}

TEST_F(ImagePickerTest, CancelReportsCancelOnceAndAPickedFileThatVanishedIsNotReported) {
    loadPhotos();
    std::filesystem::remove(picker->library().photos()[0].path);
    tapItem(0);
    EXPECT_TRUE(delegate->picked.empty());

    auto cancel = picker->cancelButton();
    gfx::Rect rect = cancel->convertRect(cancel->bounds(), nullptr);
    tapAt({rect.x + rect.width / 2, rect.y + rect.height / 2});
    EXPECT_EQ(delegate->cancels, 1);
    picker->dismiss(true);  // as the delegate does
    settle();
    EXPECT_EQ(delegate->cancels, 1);
    EXPECT_FALSE(screen->presentedViewController());
}

TEST_F(ImagePickerTest, APickerDismissedAndReleasedBeforeItsScanEndsIsLeftAlone) {
    settle();
    picker->dismiss(false);
    settle();
    for (int i = 0; i < 40; ++i)
        pictures.write("bulk-" + std::to_string(100 + i) + ".png", encoded(300, 300, false));
    auto early = ImagePickerController::create();
    early->setDelegate(delegate);
    screen->present(early, false);
    early->dismiss(false);
    early.reset();  // most likely mid-scan; ASan reports any later use of the picker
    settle();

    // A picker that stays lists the whole folder, which took more than one batch.
    auto later = ImagePickerController::create();
    screen->present(later, false);
    later->waitUntilLibraryPosted();
    base::RunLoop::main().runUntilIdle();
    EXPECT_EQ(later->library().photos().size(), 42u);
}

TEST(PicturesDirectoryTest, EnvironmentThenUserDirsThenHomePictures) {
    testsupport::TemporaryDirectory home;
    {
        ScopedEnvironment environment{{"XDG_PICTURES_DIR", std::nullopt},
                                      {"HOME", home.path().string()},
                                      {"XDG_CONFIG_HOME", std::nullopt}};
        EXPECT_EQ(PhotoLibrary::picturesDirectory(), home.path() / "Pictures");
        home.write(".config/user-dirs.dirs",
                   "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
        EXPECT_EQ(PhotoLibrary::picturesDirectory(), home.path() / "Bilder");
    }
    ScopedEnvironment environment{{"XDG_PICTURES_DIR", std::nullopt},
                                  {"HOME", home.path().string()},
                                  {"XDG_CONFIG_HOME", (home.path() / "elsewhere").string()}};
    home.write("elsewhere/user-dirs.dirs", "XDG_PICTURES_DIR=\"relative/path\"\n");
    EXPECT_EQ(PhotoLibrary::picturesDirectory(), home.path() / "Pictures") << "a relative entry is not used";
}

}  // namespace
