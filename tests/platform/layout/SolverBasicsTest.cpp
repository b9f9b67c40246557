#include <gtest/gtest.h>

#include "layout/Solver.h"

namespace {
TEST(Smoke, Example) {
    layout::Variable left("left"), width("width"), right("right");
    layout::Solver solver;
    solver.addConstraint(left == 20);
    solver.addConstraint(right == left + width);
    solver.addConstraint((width >= 80).withPriority(750));
    solver.addConstraint((width <= 80).withPriority(250));
    layout::Constraint maxRight = right <= 300;
    solver.addConstraint(maxRight);
    solver.updateVariables();
    EXPECT_NEAR(width.value(), 80, 1e-9);
    solver.setConstant(maxRight, -90);
    solver.updateVariables();
    EXPECT_NEAR(width.value(), 70, 1e-9);
    solver.addEditVariable(width, layout::Strength::priority(999));
    solver.suggestValue(width, 50);
    solver.updateVariables();
    EXPECT_NEAR(width.value(), 50, 1e-9);
}
}  // namespace
