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

class TextRowCell : public ui::TableViewCell {
public:
    static std::shared_ptr<TextRowCell> create() {
        auto cell = adopt(new TextRowCell());
        auto text = cell->text = ui::TextView::create();
        text->setFont(gfx::Font::system(18));
        text->setScrollEnabled(false);
        text->setTranslatesAutoresizingMaskIntoConstraints(false);
        auto content = cell->contentView();
        content->addSubview(text);
        ui::LayoutConstraint::activate({text->topAnchor().equalTo(content->topAnchor(), 5),
                                        text->leadingAnchor().equalTo(content->leadingAnchor(), 15),
                                        text->trailingAnchor().equalTo(content->trailingAnchor(), -15),
                                        text->bottomAnchor().equalTo(content->bottomAnchor(), -10)});
        return cell;
    }
    std::shared_ptr<ui::TextView> text;

private:
    TextRowCell() : TableViewCell(ui::TableViewCellStyle::Default, "text") {}
};

// Short, long and three-line rows, repeated far beyond one screen.
class Texts : public ui::TableViewDataSource {
public:
    std::string longText =
        "Fixed a crash when the preference file was missing, made the colour picker remember "
        "its last colour, and tidied the spacing of every card in the list.";
    int numberOfRowsInSection(ui::TableView&, int) override { return 60; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath ip) override {
        auto cell = std::static_pointer_cast<TextRowCell>(table.dequeueReusableCell("text"));
        cell->text->setText(ip.row % 3 == 0 ? "Short" : ip.row % 3 == 1 ? longText : "A\nB\nC");
        return cell;
    }
};

TEST(TextViewRows, FollowTheirTextsAcrossScrollingReuseAndWidthChanges) {
    auto source = std::make_shared<Texts>();
    auto window = ui::Window::create({390, 844});
    auto table = ui::TableView::create();
    table->setRowHeight(ui::TableView::kAutomaticDimension);
    table->setEstimatedRowHeight(60);
    table->setFrame({0, 0, 390, 844});
    table->registerCell("text", [] { return TextRowCell::create(); });
    window->addSubview(table);
    table->setDataSource(source);
    window->layoutIfNeeded();
    auto height = [&](int row) { return table->rectForRowAtIndexPath({0, row}).height; };
    // A row is its text's height plus 5 above and 10 below; the text view fills the rest.
    auto expectFits = [&](int row) {
        auto cell = std::static_pointer_cast<TextRowCell>(table->cellForRowAtIndexPath({0, row}));
        ASSERT_TRUE(cell);
        EXPECT_NEAR(height(row), cell->text->sizeThatFits({table->bounds().width - 30, 0}).height + 15, 1);
        EXPECT_NEAR(cell->text->frame().height, height(row) - 15, 1) << "row " << row;
    };

    const double lineHeight = std::ceil(gfx::Font::system(18).metrics().lineHeight);
    const std::vector<double> heights{height(0), height(1), height(2)};
    for (int row : {0, 1, 2}) expectFits(row);
    EXPECT_GT(heights[1], heights[0] + lineHeight - 1);
    EXPECT_NEAR(heights[2] - heights[0], 2 * lineHeight, 1);  // two more whole lines

    // Scrolled to the end and back, the rows (on cells reused from other texts) keep their heights.
    table->setContentOffset({0, table->contentSize().height - 844});
    window->layoutIfNeeded();
    table->setContentOffset({0, 0});
    window->layoutIfNeeded();
    for (int row : {0, 1, 2}) {
        EXPECT_DOUBLE_EQ(height(row), heights[std::size_t(row)]);
        expectFits(row);
    }

    // A narrower table measures again: the long text wraps into more lines.
    table->setFrame({0, 0, 320, 844});
    window->layoutIfNeeded();
    EXPECT_GT(height(1), heights[1]);
    for (int row : {0, 1}) expectFits(row);
}

}  // namespace
