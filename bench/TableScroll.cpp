// Scrolling a 1,000-row table of self-sizing rows one screen at a time: each step moves the
// offset, recycles the rows that left, dequeues and measures the ones that came in, and lays
// the window out.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/TableView.h"
#include "ui/Window.h"

namespace {

class TextCell : public ui::TableViewCell {
public:
    static std::shared_ptr<TextCell> create() {
        auto cell = adopt(new TextCell());
        auto content = cell->contentView();
        cell->label = ui::Label::create();
        cell->label->setTranslatesAutoresizingMaskIntoConstraints(false);
        cell->label->setNumberOfLines(0);
        content->addSubview(cell->label);
        ui::LayoutConstraint::activate({cell->label->topAnchor().equalTo(content->topAnchor(), 10),
                                        cell->label->bottomAnchor().equalTo(content->bottomAnchor(), -10),
                                        cell->label->leadingAnchor().equalTo(content->leadingAnchor(), 16)});
        return cell;
    }
    std::shared_ptr<ui::Label> label;

private:
    TextCell() : TableViewCell(ui::TableViewCellStyle::Default, "text") {}
};

class Rows : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    int numberOfRowsInSection(ui::TableView&, int) override { return 1000; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath ip) override {
        auto cell = std::static_pointer_cast<TextCell>(table.dequeueReusableCell("text"));
        cell->label->setText(ip.row % 3 == 0 ? "Row " + std::to_string(ip.row) + "\nwith a second line"
                                             : "Row " + std::to_string(ip.row));
        return cell;
    }
    std::optional<double> heightForRowAtIndexPath(ui::TableView&, ui::IndexPath) override {
        return ui::TableView::kAutomaticDimension;
    }
};

void BM_TableScrollOneScreen(benchmark::State& state) {
    auto window = ui::Window::create({390, 844});
    auto table = ui::TableView::create(ui::TableView::Style::InsetGrouped);
    table->setFrame({0, 0, 390, 844});
    table->registerCell("text", [] { return TextCell::create(); });
    auto rows = std::make_shared<Rows>();
    window->addSubview(table);
    table->setDataSource(rows);
    table->setDelegate(rows);
    window->layoutIfNeeded();
    double y = 0;
    for (auto _ : state) {
        y += 844;
        if (y + 844 > table->contentSize().height) y = 0;
        table->setContentOffset({0, y});
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(table->visibleCells().size());
    }
    state.counters["live_cells"] =
        static_cast<double>(table->visibleCells().size() + table->reusableCellCount());
}
BENCHMARK(BM_TableScrollOneScreen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
