// Layout of a view tree through the window's incremental solver: 50 rows stacked under each
// other, each with 9 cells flowing left to right (500 views, 2,000 constraints), laid out
// once from scratch, and again after one constant changes (the first row's top, which moves
// every row below it).
#include <benchmark/benchmark.h>

#include <vector>

#include "ui/LayoutConstraint.h"
#include "ui/Window.h"

namespace {

constexpr int kRows = 50;
constexpr int kCellsPerRow = 9;

struct Tree {
    std::shared_ptr<ui::View> root = ui::View::create();
    std::shared_ptr<ui::LayoutConstraint> firstRowTop;
    std::size_t constraintCount = 0;
};

std::shared_ptr<ui::View> constrainedSubview(ui::View& parent) {
    auto view = ui::View::create();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent.addSubview(view);
    return view;
}

Tree makeTree() {
    Tree tree;
    tree.root->setFrame({0, 0, 390, 2400});
    std::vector<std::shared_ptr<ui::LayoutConstraint>> constraints;
    std::shared_ptr<ui::View> previousRow;
    for (int r = 0; r < kRows; ++r) {
        auto row = constrainedSubview(*tree.root);
        auto top = previousRow ? row->topAnchor().equalTo(previousRow->bottomAnchor(), 2)
                               : row->topAnchor().equalTo(tree.root->topAnchor(), 10);
        if (!previousRow) tree.firstRowTop = top;
        constraints.insert(constraints.end(),
                           {top, row->leadingAnchor().equalTo(tree.root->leadingAnchor(), 16),
                            row->trailingAnchor().equalTo(tree.root->trailingAnchor(), -16),
                            row->heightAnchor().equalToConstant(44)});
        std::shared_ptr<ui::View> previousCell;
        for (int c = 0; c < kCellsPerRow; ++c) {
            auto cell = constrainedSubview(*row);
            auto leading = previousCell ? cell->leadingAnchor().equalTo(previousCell->trailingAnchor(), 4)
                                        : cell->leadingAnchor().equalTo(row->leadingAnchor(), 8);
            constraints.insert(constraints.end(),
                               {leading, cell->centerYAnchor().equalTo(row->centerYAnchor()),
                                cell->widthAnchor().equalToConstant(30),
                                cell->heightAnchor().lessThanOrEqualTo(row->heightAnchor(), -4)});
            previousCell = cell;
        }
        previousRow = row;
    }
    ui::LayoutConstraint::activate(constraints);
    tree.constraintCount = constraints.size();
    return tree;
}

void BM_ViewLayoutFirstPass(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Tree tree = makeTree();
        auto window = ui::Window::create({390, 844}, 3);
        state.ResumeTiming();
        window->addSubview(tree.root);  // every constraint enters the solver
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(tree.root->subviews().back()->frame());
        state.PauseTiming();
        window.reset();
        tree = Tree();
        state.ResumeTiming();
    }
    state.counters["views"] = 1 + kRows * (1 + kCellsPerRow);
    state.counters["constraints"] = static_cast<double>(makeTree().constraintCount);
}
BENCHMARK(BM_ViewLayoutFirstPass)->Unit(benchmark::kMillisecond);

void BM_ViewLayoutAfterOneConstant(benchmark::State& state) {
    Tree tree = makeTree();
    auto window = ui::Window::create({390, 844}, 3);
    window->addSubview(tree.root);
    window->layoutIfNeeded();
    double constant = 10;
    for (auto _ : state) {
        constant = constant == 10 ? 11 : 10;
        tree.firstRowTop->setConstant(constant);
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(tree.root->subviews().back()->frame());
    }
}
BENCHMARK(BM_ViewLayoutAfterOneConstant)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
