#include <gtest/gtest.h>

#include "ui/TableSeparatorView.h"
#include "ui/TableView.h"
#include "ui/Window.h"

namespace {

using ui::IndexPath;
using ui::TableSeparatorView;
using ui::TableView;

class Rows : public ui::TableViewDataSource {
public:
    int numberOfSections(TableView&) override { return 2; }
    int numberOfRowsInSection(TableView&, int) override { return 3; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(TableView& table, IndexPath) override {
        return table.dequeueReusableCell("row");
    }
};

class TableSeparatorViewTest : public ::testing::Test {
protected:
    void show(TableView::Style style, double height = 480) {
        if (table) table->removeFromSuperview();
        table = TableView::create(style);
        table->setFrame({0, 0, 320, height});
        table->registerCell("row",
                            [] { return ui::TableViewCell::create(ui::TableViewCellStyle::Default, "row"); });
        window->addSubview(table);
        table->setDataSource(rows);
        window->layoutIfNeeded();
    }
    // The separator of a visible row in the table's coordinates; empty when it has none.
    gfx::Rect separatorAt(IndexPath indexPath) {
        auto cell = table->cellForRowAtIndexPath(indexPath);
        auto separator = cell ? TableSeparatorView::of(*cell) : nullptr;
        return separator ? separator->convertRect(separator->bounds(), table.get()) : gfx::Rect{};
    }
    std::shared_ptr<ui::Window> window = ui::Window::create({320, 480});  // scale 2
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    std::shared_ptr<TableView> table;
};

TEST_F(TableSeparatorViewTest, PlainRowsEndInAHairlineInsetAtTheLeadingSide) {
    show(TableView::Style::Plain);
    for (IndexPath path : {IndexPath{0, 0}, IndexPath{0, 2}, IndexPath{1, 2}}) {
        gfx::Rect row = table->rectForRowAtIndexPath(path);
        EXPECT_EQ(separatorAt(path), (gfx::Rect{16, row.maxY() - 0.5, 304, 0.5}));  // one pixel at scale 2
    }
    auto separator = TableSeparatorView::of(*table->cellForRowAtIndexPath({0, 0}));
    EXPECT_NE(separator->backgroundColor().resolved(gfx::TraitCollection::light()),
              separator->backgroundColor().resolved(gfx::TraitCollection::dark()));

    table->setSeparatorInset({0, 30, 0, 10});
    window->setLayoutDirection(ui::LayoutDirection::RightToLeft);
    window->layoutIfNeeded();
    gfx::Rect mirrored = separatorAt({0, 0});
    EXPECT_EQ(mirrored.x, 10);  // the leading 30 is now on the right
    EXPECT_EQ(mirrored.width, 280);
}

TEST_F(TableSeparatorViewTest, GroupedSectionsEndWithoutOne) {
    for (auto style : {TableView::Style::Grouped, TableView::Style::InsetGrouped}) {
        show(style);
        for (int section : {0, 1}) {
            EXPECT_FALSE(separatorAt({section, 0}).isEmpty());
            EXPECT_FALSE(separatorAt({section, 1}).isEmpty());
            EXPECT_TRUE(separatorAt({section, 2}).isEmpty()) << "section " << section;
        }
    }
    EXPECT_EQ(separatorAt({0, 0}).x, 20 + 16);  // inside the inset card
    EXPECT_EQ(separatorAt({0, 0}).width, 280 - 16);
}

TEST_F(TableSeparatorViewTest, StyleNoneAndReusedCellsKeepTheRightSeparators) {
    show(TableView::Style::Grouped, 100);  // two rows in sight, so scrolling reuses cells
    table->setSeparatorStyle(TableView::SeparatorStyle::None);
    window->layoutIfNeeded();
    for (const auto& cell : table->visibleCells()) EXPECT_FALSE(TableSeparatorView::of(*cell));

    table->setSeparatorStyle(TableView::SeparatorStyle::SingleLine);
    window->layoutIfNeeded();
    for (double offset = 0; offset <= table->contentSize().height - 100; offset += 20) {
        table->setContentOffset({0, offset}, false);
        for (const auto& path : table->indexPathsForVisibleRows()) {
            auto cell = table->cellForRowAtIndexPath(path);
            int separators = 0;
            for (const auto& subview : cell->subviews())
                separators += dynamic_cast<TableSeparatorView*>(subview.get()) != nullptr;
            EXPECT_EQ(separators, path.row == 2 ? 0 : 1) << "row " << path.section << "." << path.row;
        }
    }
}

}  // namespace
