#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/CollectionView.h"
#include "ui/Window.h"

namespace {

using ui::IndexPath;
using Direction = ui::CollectionViewFlowLayout::ScrollDirection;

class Items : public ui::CollectionViewDataSource, public ui::CollectionViewDelegate {
public:
    std::vector<int> items{7};
    std::optional<gfx::Size> wide;  // the size of item 0.1, when set
    std::vector<std::string> log;
    int numberOfSections(ui::CollectionView&) override { return static_cast<int>(items.size()); }
    int numberOfItemsInSection(ui::CollectionView&, int section) override { return items[section]; }
    std::shared_ptr<ui::CollectionViewCell> cellForItemAtIndexPath(ui::CollectionView& view,
                                                                   IndexPath ip) override {
        return view.dequeueReusableCell("item", ip);
    }
    std::shared_ptr<ui::CollectionReusableView> viewForSupplementaryElement(ui::CollectionView& view,
                                                                            const std::string& kind,
                                                                            IndexPath ip) override {
        return view.dequeueReusableSupplementaryView(kind, "title", ip);
    }
    std::optional<gfx::Size> sizeForItemAtIndexPath(ui::CollectionView&, const ui::CollectionViewFlowLayout&,
                                                    IndexPath ip) override {
        return ip == IndexPath{0, 1} ? wide : std::nullopt;
    }
    void didSelectItemAtIndexPath(ui::CollectionView&, IndexPath ip) override {
        log.push_back("select " + std::to_string(ip.item()));
    }
};

class CountingHeader : public ui::CollectionReusableView {
public:
    static std::shared_ptr<CountingHeader> create() {
        return std::shared_ptr<CountingHeader>(new CountingHeader());
    }
    void prepareForReuse() override { ++reuses; }
    int reuses = 0;
};

class CollectionViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        layout->setItemSize({60, 40});
        layout->setSectionInset({5, 10, 15, 20});
        view->setFrame({0, 0, 250, 300});
        view->registerCell("item", [this] {
            ++made;
            return ui::CollectionViewCell::create();
        });
        view->registerSupplementaryView(ui::CollectionView::kSectionHeader, "title",
                                        [] { return CountingHeader::create(); });
        window->addSubview(view);
        view->setDataSource(items);
        view->setDelegate(items);
    }
    gfx::Rect frameOf(IndexPath ip) {
        window->layoutIfNeeded();
        auto cell = view->cellForItemAtIndexPath(ip);
        return cell ? cell->frame() : gfx::Rect{-1, -1, -1, -1};
    }
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});
    std::shared_ptr<ui::CollectionViewFlowLayout> layout = ui::CollectionViewFlowLayout::create();
    std::shared_ptr<ui::CollectionView> view = ui::CollectionView::create(layout);
    std::shared_ptr<Items> items = std::make_shared<Items>();
    int made = 0;
};

TEST_F(CollectionViewTest, VerticalGridWrapsItemsIntoRowsWithinTheInsets) {
    // 250 wide, insets 10 and 20: three 60-point items with 10-point gaps fit a row (200 <= 220).
    EXPECT_EQ(frameOf({0, 0}), (gfx::Rect{10, 5, 60, 40}));
    EXPECT_EQ(frameOf({0, 2}), (gfx::Rect{150, 5, 60, 40}));
    EXPECT_EQ(frameOf({0, 3}), (gfx::Rect{10, 55, 60, 40}));
    EXPECT_EQ(frameOf({0, 6}), (gfx::Rect{10, 105, 60, 40}));
    EXPECT_EQ(view->contentSize(), (gfx::Size{250, 5 + 3 * 40 + 2 * 10 + 15}));

    // A wider item pushes the rest of its row on; a line is as deep as its deepest item.
    items->wide = gfx::Size{130, 70};
    view->reloadData();
    EXPECT_EQ(frameOf({0, 1}), (gfx::Rect{80, 5, 130, 70}));
    EXPECT_EQ(frameOf({0, 2}), (gfx::Rect{10, 85, 60, 40}));
}

TEST_F(CollectionViewTest, HorizontalFlowFillsColumnsAndHeadersLeadEachSection) {
    layout->setScrollDirection(Direction::Horizontal);
    layout->setHeaderReferenceSize({30, 999});  // only the width counts horizontally
    items->items = {7, 2};
    view->reloadData();
    // 300 high, insets 5 and 15: five 40-point items fit a column (a sixth would end at 295 > 285).
    EXPECT_EQ(frameOf({0, 0}), (gfx::Rect{30 + 10, 5, 60, 40}));
    EXPECT_EQ(frameOf({0, 4}), (gfx::Rect{40, 205, 60, 40}));
    EXPECT_EQ(frameOf({0, 5}), (gfx::Rect{110, 5, 60, 40}));
    double secondSection = 40 + 60 + 10 + 60 + 20;
    ASSERT_TRUE(view->headerForSection(1));
    EXPECT_EQ(view->headerForSection(1)->frame(), (gfx::Rect{secondSection, 0, 30, 300}));
    EXPECT_EQ(frameOf({1, 0}), (gfx::Rect{secondSection + 30 + 10, 5, 60, 40}));
    EXPECT_EQ(view->contentSize().width, secondSection + 30 + 10 + 60 + 20);
}

TEST_F(CollectionViewTest, OnlyVisibleItemsAreMadeAndATapSelects) {
    items->items = {300};
    view->reloadData();
    window->layoutIfNeeded();
    std::size_t inSight = view->visibleCells().size();
    EXPECT_EQ(inSight, 18u);  // six rows of three reach into 300 points
    for (int step = 1; step <= 30; ++step) view->setContentOffset({0, step * 150.0});
    EXPECT_LE(made, 24);
    EXPECT_EQ(view->indexPathsForVisibleItems().front().section, 0);

    view->setContentOffset({0, 0});
    window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, {100, 20}));
    window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, {100, 20}));
    EXPECT_EQ(items->log, (std::vector<std::string>{"select 1"}));
    EXPECT_TRUE(view->cellForItemAtIndexPath({0, 1})->isSelected());
}

// Headers in sight stay where they are while the grid scrolls a little (they are not put back
// and handed out again); a right-to-left grid fills its rows from the right edge.
TEST_F(CollectionViewTest, HeadersStayWhileInSightAndRightToLeftRowsStartAtTheRight) {
    layout->setHeaderReferenceSize({0, 30});
    items->items = {30, 30};
    view->reloadData();
    window->layoutIfNeeded();
    auto header = std::static_pointer_cast<CountingHeader>(view->headerForSection(0));
    ASSERT_TRUE(header);
    for (int step = 1; step <= 10; ++step) view->setContentOffset({0, static_cast<double>(step)});
    EXPECT_EQ(view->headerForSection(0), header);
    EXPECT_EQ(header->superview(), view);
    EXPECT_EQ(header->reuses, 0);

    window->setLayoutDirection(ui::LayoutDirection::RightToLeft);
    view->setContentOffset({0, 0});
    view->reloadData();
    EXPECT_EQ(frameOf({0, 0}), (gfx::Rect{250 - 10 - 60, 30 + 5, 60, 40}));
    EXPECT_EQ(frameOf({0, 2}), (gfx::Rect{250 - 150 - 60, 30 + 5, 60, 40}));
    EXPECT_EQ(view->indexPathForItemAtPoint({200, 50}), (IndexPath{0, 0}));
}

}  // namespace
