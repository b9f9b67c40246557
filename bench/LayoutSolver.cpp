// Build-and-solve and re-solve costs of the layout solver on systems shaped like view trees:
// each view has four variables (left, top, width, height) tied to its parent or previous
// sibling with constants, a size, and for some views a centring or a maximum width.
#include <benchmark/benchmark.h>

#include <vector>

#include "layout/Solver.h"

namespace {

struct ViewVariables {
    layout::Variable left{"left"}, top{"top"}, width{"width"}, height{"height"};
};

struct ViewTree {
    std::vector<ViewVariables> views;
    std::vector<layout::Constraint> constraints;
};

// Four children per parent; siblings flow left to right.
ViewTree makeViewTree(int variableCount) {
    ViewTree tree;
    const int viewCount = variableCount / 4;
    tree.views.resize(static_cast<std::size_t>(viewCount));
    auto& c = tree.constraints;
    const ViewVariables& root = tree.views[0];
    c.push_back(root.left == 0);
    c.push_back(root.top == 0);
    c.push_back(root.height == 2000);
    for (int i = 1; i < viewCount; ++i) {
        const ViewVariables& view = tree.views[static_cast<std::size_t>(i)];
        const ViewVariables& parent = tree.views[static_cast<std::size_t>((i - 1) / 4)];
        const bool firstChild = (i - 1) % 4 == 0;
        const ViewVariables& sibling = tree.views[static_cast<std::size_t>(i - 1)];
        c.push_back(firstChild ? view.left == parent.left + 10
                               : view.left == sibling.left + sibling.width + 8);
        c.push_back(view.top == parent.top + 10 + (i % 3));
        if (i % 2 == 0) {
            c.push_back(view.width == 40 + (i % 7) * 5);
        } else {
            c.push_back(view.left + view.width == parent.left + parent.width - 10);
        }
        c.push_back(view.height == 20 + (i % 5));
        if (i % 3 == 0) {
            c.push_back((view.top + view.height / 2 == parent.top + parent.height / 2).withPriority(500));
        }
        if (i % 4 == 0) c.push_back((view.width <= parent.width - 20).withPriority(750));
    }
    return tree;
}

void BM_BuildAndSolve(benchmark::State& state) {
    const int variableCount = static_cast<int>(state.range(0));
    std::size_t constraintCount = 0;
    for (auto _ : state) {
        ViewTree tree = makeViewTree(variableCount);
        layout::Solver solver;
        solver.addEditVariable(tree.views[0].width, layout::Strength::priority(999));
        solver.suggestValue(tree.views[0].width, 1000);
        for (const layout::Constraint& constraint : tree.constraints) solver.addConstraint(constraint);
        solver.updateVariables();
        benchmark::DoNotOptimize(tree.views.back().left.value());
        constraintCount = tree.constraints.size() + 1;
    }
    state.counters["constraints"] = static_cast<double>(constraintCount);
}
BENCHMARK(BM_BuildAndSolve)->Arg(200)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// One re-solve: suggest a new root width (every right-pinned descendant moves), then write the
// values back. Reported per re-solve; each iteration runs 100 of them.
void BM_Resolve(benchmark::State& state) {
    ViewTree tree = makeViewTree(static_cast<int>(state.range(0)));
    layout::Solver solver;
    const layout::Variable& rootWidth = tree.views[0].width;
    solver.addEditVariable(rootWidth, layout::Strength::priority(999));
    solver.suggestValue(rootWidth, 1000);
    for (const layout::Constraint& constraint : tree.constraints) solver.addConstraint(constraint);
    solver.updateVariables();
    double width = 1000;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            width = width == 1000 ? 1001 + (i % 50) : 1000;
            solver.suggestValue(rootWidth, width);
            solver.updateVariables();
        }
        benchmark::DoNotOptimize(tree.views.back().left.value());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_Resolve)->Arg(200)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
