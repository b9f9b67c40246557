#include <gtest/gtest.h>

#include <algorithm>

#include "EmojiFileFixture.h"
#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/ViewTreeJson.h"
#include "pickers/emoji/VLEmojiPickerCell.h"
#include "pickers/emoji/VLEmojiPickerViewController.h"
#include "support/GoldenText.h"
#include "ui/Window.h"

namespace {

// Every report, in order, as "chose EMOJI" or "dismissed".
struct RecordingDelegate : VLEmojiPickerProtocol {
    void didSelectEmoji(const std::string& emoji) override { reports.push_back("chose " + emoji); }
    void didDismissedEmojiPicker() override { reports.push_back("dismissed"); }
    std::vector<std::string> reports;
};

// The picker presented over a screen of a phone-sized window on a manual clock, driven by touches.
class EmojiPickerTest : public EmojiFileFixture {
protected:
    void SetUp() override {
        EmojiFileFixture::SetUp();
        base::Clock::setCurrent(clock);
        window->setRootViewController(home);
    }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(5));
        base::Clock::setCurrent(nullptr);
        EmojiFileFixture::TearDown();
    }

    void open() {
        delegate = std::make_shared<RecordingDelegate>();
        picker = VLEmojiPickerViewController::create();
        picker->setDelegate(delegate);
        home->present(picker, true);
        settle();
    }
    void settle() { base::RunLoop::main().runFor(std::chrono::milliseconds(600)); }

    gfx::Point centreOf(const ui::View& view) {
        window->layoutIfNeeded();
        return view.convertPoint({view.bounds().width / 2, view.bounds().height / 2}, nullptr);
    }
    void touch(ui::TouchPhase phase, gfx::Point at) { window->sendTouch(ui::Touch(1, phase, at)); }
    void tapAt(gfx::Point at) {
        touch(ui::TouchPhase::Began, at);
        touch(ui::TouchPhase::Ended, at);
    }
    // The centre of the grid cell showing `emoji`.
    gfx::Point emojiPosition(const std::string& emoji) {
        window->layoutIfNeeded();
        for (const auto& cell : picker->collectionView()->visibleCells()) {
            const auto& shown = std::static_pointer_cast<VLEmojiPickerCell>(cell)->emojiLabel();
            if (shown->text() == emoji) return centreOf(*cell);
        }
        ADD_FAILURE() << "no cell shows " << emoji;
        return {};
    }
    // A slow pull of the sheet by its grabber, most of the way down.
    void swipeDown() {
        gfx::Point at = centreOf(*picker->grabberView());
        touch(ui::TouchPhase::Began, at);
        for (int step = 0; step < 10; ++step) {
            clock->advance(std::chrono::milliseconds(50));
            touch(ui::TouchPhase::Moved, at = {at.x, at.y + 60});
        }
        touch(ui::TouchPhase::Ended, at);
        settle();
    }
    bool shown() { return home->presentedViewController() == picker; }

    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<RecordingDelegate> delegate;
    std::shared_ptr<VLEmojiPickerViewController> picker;
};

TEST_F(EmojiPickerTest, ShowsEachSectionOfTheFileUnderTheGrabber) {
    installEmojiFile(oddSections());
    open();
    EXPECT_TRUE(
        GoldenText::matches(host::ViewTreeJson::describe(*window) + "\n",
                            std::filesystem::path(VK_PICKER_GOLDEN_DIR) / "emoji-picker-at-rest.json"));
}

TEST_F(EmojiPickerTest, ATappedEmojiComesBackUnchangedOnceAndTheSheetLeavesWithoutADismissalReport) {
    installEmojiFile(oddSections());
    for (const auto& chosen : {emoji::kRedHeart, emoji::kFamily, emoji::kRainbowFlag, emoji::kCat}) {
        open();
        gfx::Point at = emojiPosition(chosen);
        tapAt(at);
        tapAt(at);  // again, while the sheet slides away
        settle();
        EXPECT_FALSE(shown()) << chosen;
        EXPECT_EQ(delegate->reports, std::vector<std::string>{"chose " + chosen});
    }
}

TEST_F(EmojiPickerTest, ATapWhileTheSheetSlidesInChoosesNothing) {
    installEmojiFile(oddSections());
    delegate = std::make_shared<RecordingDelegate>();
    picker = VLEmojiPickerViewController::create();
    picker->setDelegate(delegate);
    home->present(picker, true);
    base::RunLoop::main().runFor(std::chrono::milliseconds(100));
    ASSERT_TRUE(picker->isBeingPresented());
    tapAt(emojiPosition(emoji::kGrinning));
    settle();
    EXPECT_TRUE(shown());
    EXPECT_TRUE(delegate->reports.empty());

    tapAt(emojiPosition(emoji::kGrinning));
    settle();
    EXPECT_EQ(delegate->reports, std::vector<std::string>{"chose " + emoji::kGrinning});
}

TEST_F(EmojiPickerTest, EveryOtherWayOutReportsOneDismissalAfterTheSheetHasGone) {
    installEmojiFile(oddSections());
    open();
    swipeDown();
    EXPECT_FALSE(shown());
    EXPECT_EQ(delegate->reports, std::vector<std::string>{"dismissed"});

    open();
    home->dismiss(true);
    EXPECT_TRUE(delegate->reports.empty()) << "not before the sheet has disappeared";
    settle();
    EXPECT_EQ(delegate->reports, std::vector<std::string>{"dismissed"});
    EXPECT_EQ(std::count(logLines_.begin(), logLines_.end(), "Emoji picker dismissed"), 2);
}

TEST_F(EmojiPickerTest, WithoutAnEmojiFileTheGridIsEmptyAndClosingReportsTheDismissal) {
    for (const base::Value& content :
         {base::Value(), base::Value(base::Value::Dictionary{{"Title", "Faces"}})}) {
        if (!content.isAbsent()) installEmojiFile(content);
        open();
        EXPECT_FALSE(picker->emojiArray().has_value());
        EXPECT_EQ(picker->collectionView()->numberOfSections(), 0);
        EXPECT_TRUE(picker->collectionView()->visibleCells().empty());
        swipeDown();
        EXPECT_EQ(delegate->reports, std::vector<std::string>{"dismissed"});
    }
}

}  // namespace
