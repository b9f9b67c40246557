#include <gtest/gtest.h>

#include "layout/Solver.h"

namespace {

using layout::Constraint;
using layout::Solver;
using layout::Strength;
using layout::Variable;

// A row of three views between the container's edges: each moves when something upstream does.
struct Row {
    Variable containerWidth{"container"}, a{"a"}, aWidth{"aWidth"}, b{"b"}, bWidth{"bWidth"};
    Constraint gap = b == a + aWidth + 8;
    Constraint bTrailing = b + bWidth == containerWidth - 10;
    Solver solver;

    Row() {
        solver.addConstraint(a == 10);
        solver.addConstraint(aWidth == 50);
        solver.addConstraint(gap);
        solver.addConstraint(bTrailing);
        solver.addConstraint(bWidth >= 0);
        solver.addConstraint((bWidth == 0).withPriority(250));  // hugging
    }
};

TEST(EditVariables, MoveTheWholeSystemAndStopWhenRemoved) {
    Row row;
    row.solver.addEditVariable(row.containerWidth, Strength::priority(999));
    for (double width : {320.0, 400.0, 100.0, 78.0, 60.0}) {
        row.solver.suggestValue(row.containerWidth, width);
        row.solver.updateVariables();
        // b sits at 68; its width absorbs the container, never below zero.
        EXPECT_NEAR(row.b.value(), 68, 1e-9) << width;
        EXPECT_NEAR(row.bWidth.value(), std::max(0.0, width - 78), 1e-9) << width;
        EXPECT_NEAR(row.containerWidth.value(), std::max(width, 78.0), 1e-9) << width;
    }
    row.solver.removeEditVariable(row.containerWidth);
    row.solver.updateVariables();
    EXPECT_NEAR(row.bWidth.value(), 0, 1e-9);  // hugging alone decides again
}

TEST(EditVariables, StartAtTheVariablesCurrentValueAndWeakerEditsGiveWay) {
    Variable x("x"), y("y");
    Solver solver;
    solver.addConstraint(x + y == 100);
    x.setValue(30);
    solver.addEditVariable(x, Strength::priority(500));
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 30, 1e-9);
    EXPECT_NEAR(y.value(), 70, 1e-9);
    solver.addEditVariable(y, Strength::priority(600));  // holds y at 70: nothing moves
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 30, 1e-9);
    solver.suggestValue(x, 80);
    solver.suggestValue(y, 50);
    solver.updateVariables();
    EXPECT_NEAR(y.value(), 50, 1e-9);
    EXPECT_NEAR(x.value(), 50, 1e-9);
}

TEST(SetConstant, MovesRequiredAndPreferredConstraintsInPlace) {
    Row row;
    row.solver.addConstraint(row.containerWidth == 300);
    row.solver.setConstant(row.gap, -20);  // b == a + aWidth + 20
    row.solver.updateVariables();
    EXPECT_NEAR(row.b.value(), 80, 1e-9);
    EXPECT_NEAR(row.bWidth.value(), 210, 1e-9);
    EXPECT_EQ(row.gap.constant(), -20);

    // An animation moving a preference: the value follows every frame.
    Variable offset("offset");
    const Constraint slide = (offset == 0).withPriority(500);
    row.solver.addConstraint(slide);
    row.solver.addConstraint(offset <= 40);
    for (double frame : {5.0, 17.5, 39.0, 60.0}) {
        row.solver.setConstant(slide, -frame);
        row.solver.updateVariables();
        EXPECT_NEAR(offset.value(), std::min(frame, 40.0), 1e-9) << frame;
    }
}

TEST(SetConstant, ConflictingConstantIsRefusedAndTheOldOneKept) {
    Row row;
    row.solver.addConstraint(row.containerWidth <= 200);
    row.solver.addConstraint((row.containerWidth == 150).withPriority(500));
    const Constraint redundant = row.a == 10;  // implied: a dummy stays basic for it
    row.solver.addConstraint(redundant);
    row.solver.updateVariables();
    ASSERT_NEAR(row.bWidth.value(), 72, 1e-9);

    // b + bWidth == containerWidth - 10 with b at 68 needs containerWidth >= 78; a gap of 150
    // pushes b past what a 200-wide container allows.
    EXPECT_THROW(row.solver.setConstant(row.gap, -150), layout::UnsatisfiableConstraint);
    EXPECT_EQ(row.gap.constant(), -8);
    EXPECT_THROW(row.solver.setConstant(redundant, -30), layout::UnsatisfiableConstraint);
    row.solver.updateVariables();
    EXPECT_NEAR(row.b.value(), 68, 1e-9);
    EXPECT_NEAR(row.bWidth.value(), 72, 1e-9);

    // A constant that fits is still accepted afterwards.
    row.solver.setConstant(row.gap, -100);
    row.solver.updateVariables();
    EXPECT_NEAR(row.b.value(), 160, 1e-9);
    EXPECT_NEAR(row.containerWidth.value(), 170, 1e-9);
}

}  // namespace
