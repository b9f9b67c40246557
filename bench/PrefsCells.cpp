// The sixteen preference cells: building one and laying it out in a 390-point row, and
// reconfiguring an existing one the way a table does for a newly visible row (reuse, new
// texts, layout, drawing at 2x). The argument is the class's index in the list below.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "host/HeadlessHost.h"
#include "prefslist/cells/VLPrefsAppLinkCell.h"
#include "prefslist/cells/VLPrefsAppListCell.h"
#include "prefslist/cells/VLPrefsAvatarPickerCell.h"
#include "prefslist/cells/VLPrefsButtonCell.h"
#include "prefslist/cells/VLPrefsColourPickerCell.h"
#include "prefslist/cells/VLPrefsDatePickerCell.h"
#include "prefslist/cells/VLPrefsFontPickerCell.h"
#include "prefslist/cells/VLPrefsHyperlinkCell.h"
#include "prefslist/cells/VLPrefsImagePickerCell.h"
#include "prefslist/cells/VLPrefsSegmentCell.h"
#include "prefslist/cells/VLPrefsSingleSelectionCell.h"
#include "prefslist/cells/VLPrefsSliderCell.h"
#include "prefslist/cells/VLPrefsStepperCell.h"
#include "prefslist/cells/VLPrefsSwitchCell.h"
#include "prefslist/cells/VLPrefsTextFieldCell.h"
#include "prefslist/cells/VLPrefsTintedButtonCell.h"
#include "ui/Window.h"

namespace {

struct CellClass {
    std::function<std::shared_ptr<VLPrefsCardCell>()> make;
    double height;
};

template <class Cell>
CellClass cellClass(double height = 75) {
    return {[] { return Cell::create(ui::TableViewCellStyle::Default, "Cell"); }, height};
}

const std::vector<CellClass>& cellClasses() {
    static const std::vector<CellClass> classes{
        cellClass<VLPrefsButtonCell>(),       cellClass<VLPrefsAppListCell>(),
        cellClass<VLPrefsTintedButtonCell>(), cellClass<VLPrefsSingleSelectionCell>(),
        cellClass<VLPrefsImagePickerCell>(),  cellClass<VLPrefsSliderCell>(115),
        cellClass<VLPrefsSwitchCell>(),       cellClass<VLPrefsStepperCell>(115),
        cellClass<VLPrefsTextFieldCell>(),    cellClass<VLPrefsColourPickerCell>(),
        cellClass<VLPrefsAppLinkCell>(),      cellClass<VLPrefsSegmentCell>(115),
        cellClass<VLPrefsAvatarPickerCell>(), cellClass<VLPrefsDatePickerCell>(115),
        cellClass<VLPrefsFontPickerCell>(),   cellClass<VLPrefsHyperlinkCell>(),
    };
    return classes;
}

void BM_BuildAndLayOut(benchmark::State& state) {
    const CellClass& cellClass = cellClasses()[static_cast<std::size_t>(state.range(0))];
    auto window = ui::Window::create({390, 844});
    for (auto _ : state) {
        auto cell = cellClass.make();
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
    auto cell = cellClass.make();
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
