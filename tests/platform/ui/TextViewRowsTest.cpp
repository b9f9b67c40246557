#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ui/LayoutConstraint.h"
#include "ui/TableView.h"
#include "ui/TextView.h"
#include "ui/Window.h"

// Self-sizing table rows whose height comes from a text view that does not scroll, laid out
// as the kit's changelog rows are.
namespace {

using ui::IndexPath;

class TextRowCell : public ui::TableViewCell {
public:
    static std::shared_ptr<TextRowCell> create() {
        auto cell = adopt(new TextRowCell());
        auto text = cell->text = ui::TextView::create();
        text->setFont(gfx::Font::system(18));
        text->setScrollEnabled(false);
        text->setEditable(false);
        text->setSelectable(false);
        text->setTranslatesAutoresizingMaskIntoConstraints(false);
        auto content = cell->contentView();
        content->addSubview(text);
        ui::LayoutConstraint::activate({
            text->topAnchor().equalTo(content->topAnchor(), 5),
            text->leadingAnchor().equalTo(content->leadingAnchor(), 15),
            text->trailingAnchor().equalTo(content->trailingAnchor(), -15),
            text->bottomAnchor().equalTo(content->bottomAnchor(), -10),
        });
        return cell;
    }
    std::shared_ptr<ui::TextView> text;

private:
    TextRowCell() : TableViewCell(ui::TableViewCellStyle::Default, "text") {}
};

class Texts : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    std::vector<std::string> texts;
    int numberOfRowsInSection(ui::TableView&, int) override { return int(texts.size()); }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table, IndexPath ip) override {
        auto cell = std::static_pointer_cast<TextRowCell>(table.dequeueReusableCell("text"));
        cell->text->setText(texts[std::size_t(ip.row)]);
        return cell;
    }
};

class TextViewRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string longText =
            "Fixed a crash when the preference file was missing, made the colour picker remember its "
            "last colour, and tidied the spacing of every card in the list.";
        // Short, long and three-line rows repeated far beyond one screen.
        for (int i = 0; i < 60; ++i)
            source->texts.push_back(i % 3 == 0 ? "Short" : i % 3 == 1 ? longText : "A\nB\nC");
        table->setRowHeight(ui::TableView::kAutomaticDimension);
        table->setEstimatedRowHeight(60);
        table->setFrame({0, 0, 390, 844});
        table->registerCell("text", [] { return TextRowCell::create(); });
        window->addSubview(table);
        table->setDataSource(source);
        table->setDelegate(source);
        window->layoutIfNeeded();
    }
    double height(int row) { return table->rectForRowAtIndexPath({0, row}).height; }
    // What the row must be: the text's height at the text view's width, plus 5 above and 10 below.
    double expected(int row, double tableWidth) {
        auto probe = ui::TextView::create();
        probe->setFont(gfx::Font::system(18));
        probe->setText(source->texts[std::size_t(row)]);
        return probe->sizeThatFits({tableWidth - 30, 0}).height + 15;
    }

    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::TableView> table = ui::TableView::create();
    std::shared_ptr<Texts> source = std::make_shared<Texts>();
};

TEST_F(TextViewRowsTest, RowsTakeTheirTextsHeightLongerTextsAndLineBreaksGrowThem) {
    const double lineHeight = std::ceil(gfx::Font::system(18).metrics().lineHeight);
    for (int row : {0, 1, 2}) EXPECT_NEAR(height(row), expected(row, 390), 1) << "row " << row;
    EXPECT_GT(height(1), height(0) + lineHeight - 1);       // the long text wraps
    EXPECT_NEAR(height(2) - height(0), 2 * lineHeight, 1);  // two more whole lines
    // The text view inside fills the row less its margins.
    auto cell = std::static_pointer_cast<TextRowCell>(table->cellForRowAtIndexPath({0, 1}));
    ASSERT_TRUE(cell);
    EXPECT_NEAR(cell->text->frame().height, height(1) - 15, 1);
}

TEST_F(TextViewRowsTest, HeightsHoldAfterScrollingAwayAndBackAndOnReusedCells) {
    std::vector<double> before{height(0), height(1), height(2)};
    table->setContentOffset({0, table->contentSize().height - 844});
    window->layoutIfNeeded();
    table->setContentOffset({0, 0});
    window->layoutIfNeeded();
    for (int row : {0, 1, 2}) {
        EXPECT_DOUBLE_EQ(height(row), before[std::size_t(row)]) << "row " << row;
        // The cell shown now (reused from rows further down) is laid out for this row's text.
        auto cell = std::static_pointer_cast<TextRowCell>(table->cellForRowAtIndexPath({0, row}));
        ASSERT_TRUE(cell);
        EXPECT_EQ(cell->text->text(), source->texts[std::size_t(row)]);
        EXPECT_NEAR(cell->frame().height, before[std::size_t(row)], 0.5);
        EXPECT_NEAR(cell->text->frame().height, before[std::size_t(row)] - 15, 1);
    }
}

TEST_F(TextViewRowsTest, ANarrowerTableMeasuresTheRowsAgain) {
    const double wide = height(1);
    table->setFrame({0, 0, 320, 844});
    window->layoutIfNeeded();
    EXPECT_NEAR(height(1), expected(1, 320), 1);
    EXPECT_GT(height(1), wide);
    EXPECT_NEAR(height(0), expected(0, 320), 1);  // one line stays one line
}

}  // namespace
