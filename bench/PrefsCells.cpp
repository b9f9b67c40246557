// The sixteen preference cells: building one and laying it out in a 390-point row, and
// reconfiguring an existing one the way a table does for a newly visible row (reuse, new
// texts, layout, drawing at 2x). The argument is the class's index in cellClasses().
#include <benchmark/benchmark.h>

#include <string>

#include "PrefsCellClasses.h"
#include "host/HeadlessHost.h"
#include "ui/Window.h"

namespace {

using benchsupport::CellClass;
using benchsupport::cellClasses;

void BM_BuildAndLayOut(benchmark::State& state) {
    const CellClass& cellClass = cellClasses()[static_cast<std::size_t>(state.range(0))];
    auto window = ui::Window::create({390, 844});
    for (auto _ : state) {
        auto cell = cellClass.make("Cell");
        cell->setFrame({0, 0, 390, cellClass.height});
        window->addSubview(cell);
        window->layoutIfNeeded();
        cell->removeFromSuperview();
    }
}
BENCHMARK(BM_BuildAndLayOut)->DenseRange(0, 15);

void BM_ReconfigureLayOutAndDraw(benchmark::State& state) {
    const CellClass& cellClass = cellClasses()[static_cast<std::size_t>(state.range(0))];
    auto window = ui::Window::create({390, 844});
    auto cell = cellClass.make("Cell");
    cell->setFrame({0, 0, 390, cellClass.height});
    window->addSubview(cell);
    int row = 0;
    for (auto _ : state) {
        cell->prepareForReuse();
        cell->titleLabel()->setText("Row " + std::to_string(++row));
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(host::HeadlessHost::render(*cell, 2.0));
    }
}
BENCHMARK(BM_ReconfigureLayOutAndDraw)->DenseRange(0, 15);

}  // namespace
BENCHMARK_MAIN();
