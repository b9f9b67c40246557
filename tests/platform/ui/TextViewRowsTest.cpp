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

// What a row must be: the text's height at the text view's width, plus 5 above and 10 below.
double expectedHeight(const std::string& text, double tableWidth) {
    auto probe = ui::TextView::create();
    probe->setFont(gfx::Font::system(18));
    probe->setText(text);
    return probe->sizeThatFits({tableWidth - 30, 0}).height + 15;
}

TEST(TextViewRows, FollowTheirTextsAcrossScrollingReuseAndWidthChanges) {
    auto source = std::make_shared<Texts>();
    const std::string longText =
        "Fixed a crash when the preference file was missing, made the colour picker remember its "
        "last colour, and tidied the spacing of every card in the list.";
    // Short, long and three-line rows repeated far beyond one screen.
    for (int i = 0; i < 60; ++i)
        source->texts.push_back(i % 3 == 0 ? "Short" : i % 3 == 1 ? longText : "A\nB\nC");
    auto window = ui::Window::create({390, 844});
    auto table = ui::TableView::create();
    table->setRowHeight(ui::TableView::kAutomaticDimension);
    table->setEstimatedRowHeight(60);
    table->setFrame({0, 0, 390, 844});
    table->registerCell("text", [] { return TextRowCell::create(); });
    window->addSubview(table);
    table->setDataSource(source);
    table->setDelegate(source);
    window->layoutIfNeeded();
    auto height = [&](int row) { return table->rectForRowAtIndexPath({0, row}).height; };

    // 1. Each row is its text's height; line breaks add whole lines.
    const double lineHeight = std::ceil(gfx::Font::system(18).metrics().lineHeight);
    std::vector<double> heights;
    for (int row : {0, 1, 2}) {
        heights.push_back(height(row));
        EXPECT_NEAR(height(row), expectedHeight(source->texts[std::size_t(row)], 390), 1) << "row " << row;
    }
    EXPECT_GT(heights[1], heights[0] + lineHeight - 1);
    EXPECT_NEAR(heights[2] - heights[0], 2 * lineHeight, 1);

    // 2. Scrolled to the end and back, the rows (now on cells reused from other texts) keep
    // their heights, and the text views inside are laid out for their new texts.
    table->setContentOffset({0, table->contentSize().height - 844});
    window->layoutIfNeeded();
    table->setContentOffset({0, 0});
    window->layoutIfNeeded();
    for (int row : {0, 1, 2}) {
        EXPECT_DOUBLE_EQ(height(row), heights[std::size_t(row)]) << "row " << row;
        auto cell = std::static_pointer_cast<TextRowCell>(table->cellForRowAtIndexPath({0, row}));
        ASSERT_TRUE(cell);
        EXPECT_NEAR(cell->text->frame().height, heights[std::size_t(row)] - 15, 1) << "row " << row;
    }

    // 3. A narrower table measures the rows again: the long text wraps into more lines.
    table->setFrame({0, 0, 320, 844});
    window->layoutIfNeeded();
    EXPECT_NEAR(height(1), expectedHeight(longText, 320), 1);
    EXPECT_GT(height(1), heights[1]);
    EXPECT_NEAR(height(0), heights[0], 1);
}

}  // namespace
