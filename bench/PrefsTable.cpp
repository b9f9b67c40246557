// A table of preference rows (the sixteen cell classes in turn, 75 or 115 points high, filled
// with the tests' sample content) in a 390 x 844 window at scale 2, scrolled one screen height
// per iteration. A frame is: move the offset, reconfigure the rows that came into view, lay the
// window out and draw it onto one reused painter surface. The argument is the row count; the
// counters show that the live cells and the memory held do not grow with it.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <string>

#include "PrefsCellClasses.h"
#include "gfx/Painter.h"
#include "kit/prefslist/PrefsCellSampleContent.h"
#include "ui/TableView.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

namespace {

using benchsupport::cellClasses;

std::string identifierFor(std::size_t classIndex) { return "Prefs" + std::to_string(classIndex); }

const benchsupport::CellClass& classOfRow(int row) {
    return cellClasses()[static_cast<std::size_t>(row) % cellClasses().size()];
}

class PrefsRows : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    explicit PrefsRows(int rows) : rows_(rows) {}
    int numberOfRowsInSection(ui::TableView&, int) override { return rows_; }
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath ip) override {
        auto cell =
            table.dequeueReusableCell(identifierFor(static_cast<std::size_t>(ip.row) % cellClasses().size()));
        testsupport::fillWithSampleContent(*cell, "Row " + std::to_string(ip.row));
        return cell;
    }
    std::optional<double> heightForRowAtIndexPath(ui::TableView&, ui::IndexPath ip) override {
        return classOfRow(ip.row).height;
    }

private:
    int rows_;
};

// Bytes the allocator has handed out and not had back.
double heapInUse() {
    struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

double peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);
}

void scrollOneScreenPerFrame(benchmark::State& state, bool draw) {
    const gfx::Size screen{390, 844};
    const double heapBefore = heapInUse();
    const double rssBefore = peakResidentKilobytes();

    auto window = ui::Window::create(screen, 2);
    auto table = ui::TableView::create(ui::TableView::Style::Grouped);
    table->setFrame({0, 0, screen.width, screen.height});
    for (std::size_t i = 0; i < cellClasses().size(); ++i) {
        table->registerCell(identifierFor(i), [i] { return cellClasses()[i].make(identifierFor(i)); });
    }
    auto rows = std::make_shared<PrefsRows>(static_cast<int>(state.range(0)));
    window->addSubview(table);
    table->setDataSource(rows);
    table->setDelegate(rows);
    window->layoutIfNeeded();
    gfx::Painter painter(screen, 2);
    painter.setTraitCollection(gfx::TraitCollection::light());

    double y = 0;
    double heapPeak = heapInUse();
    std::size_t mostLiveCells = 0;
    for (auto _ : state) {
        y += screen.height;
        if (y + screen.height > table->contentSize().height) y = 0;
        table->setContentOffset({0, y});
        window->layoutIfNeeded();
        if (draw) {
            painter.clear(gfx::Color::white(0.95));
            ui::ViewRenderer::drawHierarchy(*window, painter);
        }
        mostLiveCells = std::max(mostLiveCells, table->visibleCells().size() + table->reusableCellCount());
        heapPeak = std::max(heapPeak, heapInUse());
    }
    state.counters["live_cells_max"] = static_cast<double>(mostLiveCells);
    state.counters["heap_peak_growth_kB"] = (heapPeak - heapBefore) / 1024;
    state.counters["rss_peak_growth_kB"] = peakResidentKilobytes() - rssBefore;
}

void BM_PrefsTableScrollOneScreen(benchmark::State& state) { scrollOneScreenPerFrame(state, true); }
BENCHMARK(BM_PrefsTableScrollOneScreen)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same frames without drawing: how much of a frame is reconfiguring and layout.
void BM_PrefsTableScrollOneScreenWithoutDrawing(benchmark::State& state) {
    scrollOneScreenPerFrame(state, false);
}
BENCHMARK(BM_PrefsTableScrollOneScreenWithoutDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
