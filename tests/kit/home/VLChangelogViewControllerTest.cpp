#include <gtest/gtest.h>

#include "HomeTestScreen.h"
#include "base/Files.h"
#include "home/VLChangelogDateCell.h"
#include "home/VLChangelogDetailsCell.h"
#include "home/VLChangelogReader.h"
#include "home/VLChangelogViewController.h"
#include "uikit/VLPrefsAppearance.h"

namespace {

using Entry = VLChangelogRelease::Entry;

std::vector<VLChangelogRelease> releases(int count) {
    std::vector<VLChangelogRelease> result;
    for (int index = 0; index < count; ++index) {
        const std::string day = std::to_string(10 + index);
        result.push_back({day,
                          "Jun",
                          "2026",
                          "v1." + std::to_string(index),
                          {Entry{"Entry " + day + " a", 1}, Entry{"Entry " + day + " b", 3}}});
    }
    return result;
}

// The sheet presented over the window's root screen.
class ChangelogTest : public HomeTestScreen {
protected:
    void open(std::vector<VLChangelogRelease> history) {
        sheet = VLChangelogViewController::create("Demo", std::move(history));
        root->present(sheet, true);
        settle();
    }
    std::shared_ptr<VLChangelogDateCell> chip(int item) {
        window->layoutIfNeeded();
        return std::static_pointer_cast<VLChangelogDateCell>(
            sheet->collectionView()->cellForItemAtIndexPath(ui::IndexPath::forItem(item, 0)));
    }
    std::shared_ptr<VLChangelogDetailsCell> entry(int row) {
        window->layoutIfNeeded();
        return std::static_pointer_cast<VLChangelogDetailsCell>(
            sheet->tableView()->cellForRowAtIndexPath(ui::IndexPath::forRow(row, 0)));
    }
    std::vector<std::string> entryTexts() {
        std::vector<std::string> texts;
        for (int row = 0; row < sheet->tableView()->numberOfRowsInSection(0); ++row)
            texts.push_back(entry(row)->messageLabel()->text());
        return texts;
    }

    std::shared_ptr<VLChangelogViewController> sheet;
};

TEST_F(ChangelogTest, TheExampleChangelogMatchesItsGolden) {
    auto document = base::Files::readFile(VK_EXAMPLE_CHANGELOG);
    ASSERT_TRUE(document);
    auto history = VLChangelogReader::read(document.value());
    ASSERT_TRUE(history);
    open(std::move(history).value());
    EXPECT_TRUE(matchesGolden("changelog-example"));
}

TEST_F(ChangelogTest, ShortHistoriesSitCentredAndLongOnesSpanTheWidth) {
    struct Case {
        int releases;
        double stripX, stripWidth, firstChipX;
    };
    for (const Case& c : {Case{1, 160, 70, 160}, Case{4, 40, 310, 40}, Case{5, 0, 390, 20}}) {
        open(releases(c.releases));
        const gfx::Rect strip = frameInWindow(*sheet->collectionView());
        EXPECT_DOUBLE_EQ(strip.x, c.stripX) << c.releases;
        EXPECT_DOUBLE_EQ(strip.width, c.stripWidth) << c.releases;
        EXPECT_DOUBLE_EQ(frameInWindow(*chip(0)).x, c.firstChipX) << c.releases;
        // Under the header's icon.
        EXPECT_DOUBLE_EQ(strip.y, frameInWindow(*sheet->iconImage()).maxY() + 25) << c.releases;
        sheet->dismiss(false);
        settle();
    }
}

TEST_F(ChangelogTest, ChoosingAChipSelectsItsRelease) {
    open(releases(3));
    EXPECT_EQ(entryTexts(), (std::vector<std::string>{"Entry 10 a", "Entry 10 b"}));
    tap(*chip(1));
    EXPECT_EQ(sheet->changelogIndex(), 1);
    EXPECT_EQ(chip(1)->baseView()->backgroundColor(), sheet->accentColour());
    EXPECT_EQ(chip(1)->dateLabel()->textColor(), gfx::Color::whiteColor());
    EXPECT_EQ(chip(1)->yearLabel()->textColor(), gfx::Color::whiteColor());
    EXPECT_EQ(chip(0)->baseView()->backgroundColor(), VLPrefsAppearance::secondaryColour());
    EXPECT_EQ(chip(0)->dateLabel()->textColor(), gfx::Color::label());
    EXPECT_EQ(chip(0)->yearLabel()->textColor(), gfx::Color::tertiaryLabel());
    EXPECT_EQ(entryTexts(), (std::vector<std::string>{"Entry 11 a", "Entry 11 b"}));
    EXPECT_EQ(entry(0)->versionLabel()->text(), "v1.1");
}

TEST_F(ChangelogTest, EntriesShowTheirCategoryAndLines) {
    open({{"1",
           "Jan",
           "2026",
           "v2",
           {Entry{"One line.", 2}, Entry{"First line.\nSecond line.", 0}, Entry{"Unknown code.", 7}}}});
    auto improvement = entry(0);
    EXPECT_EQ(improvement->categoriesLabel()->text(), "Improvements");
    EXPECT_EQ(improvement->categoriesLabel()->textColor(), gfx::Color::systemTeal());
    EXPECT_EQ(improvement->iconImage()->imageName(), "wand.and.stars");
    // The second line makes its row taller by one line of the 18-point text.
    const double oneLine = frameInWindow(*entry(0)).height;
    const double twoLines = frameInWindow(*entry(1)).height;
    EXPECT_GT(twoLines - oneLine, 18);
    EXPECT_LT(twoLines - oneLine, 30);
    // A reused cell that showed a category shows none for an unknown code.
    auto unknown = entry(2);
    EXPECT_EQ(unknown->categoriesLabel()->text(), "");
    EXPECT_TRUE(unknown->iconImage()->imageName().empty());
    EXPECT_EQ(unknown->iconView()->backgroundColor(), gfx::Color::clear());
}

}  // namespace
