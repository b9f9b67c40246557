#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "layout/Solver.h"

namespace {

using layout::Constraint;
using layout::Solver;
using layout::Strength;
using layout::Variable;

TEST(Solver, ChainsOfEqualitiesPropagateInAnyOrder) {
    // Views pinned one after another, declared leaf first so that later constraints must be
    // substituted into rows built earlier.
    std::vector<Variable> left(6);
    Solver solver;
    for (std::size_t i = left.size() - 1; i > 0; --i) solver.addConstraint(left[i] == left[i - 1] + 10.0 * i);
    solver.addConstraint(2 * left[0] + 4 == 10);
    solver.updateVariables();
    double expected = 3;
    for (std::size_t i = 0; i < left.size(); ++i) {
        expected += 10.0 * i;
        EXPECT_NEAR(left[i].value(), expected, 1e-9) << i;
    }
}

TEST(Solver, StrongestPreferenceWinsAndRequiredBeatsAll) {
    Variable x;
    Solver solver;
    solver.addConstraint((x == 30).withPriority(1));
    solver.addConstraint((x == 10).withPriority(250));
    solver.addConstraint((x == 20).withPriority(500));
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 20, 1e-9);

    solver.addConstraint(x <= 15);
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 15, 1e-9);
}

TEST(Solver, InequalitiesWithStrengthsPullAgainstEachOther) {
    // Compression resistance (750) against hugging (250), both ways round.
    for (auto [atLeast, atMost, expected] : {std::tuple{750, 250, 120.0}, {250, 750, 100.0}}) {
        Variable width;
        Solver solver;
        solver.addConstraint((width >= 120).withPriority(atLeast));
        solver.addConstraint((width <= 100).withPriority(atMost));
        solver.updateVariables();
        EXPECT_NEAR(width.value(), expected, 1e-9);
    }
}

TEST(Solver, HigherPriorityOutweighsManyLowerOnes) {
    // 750 against 2,000 constraints at 250; 250 against 150 at priority 1.
    Variable x, y;
    Solver solver;
    solver.addConstraint((x == 0).withPriority(750));
    for (int i = 0; i < 2000; ++i) solver.addConstraint((x == 100).withPriority(250));
    solver.addConstraint((y == 0).withPriority(250));
    for (int i = 0; i < 150; ++i) solver.addConstraint((y == 100).withPriority(1));
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 0, 1e-9);
    EXPECT_NEAR(y.value(), 0, 1e-9);
}

TEST(Solver, EqualPrioritiesAreBrokenByMultiplierAndNeighbouringPriority) {
    Variable x, y;
    Solver solver;
    solver.addConstraint(Constraint(x - 10, layout::Relation::Equal, Strength::priority(500, 2)));
    solver.addConstraint((x == 20).withPriority(500));
    solver.addConstraint((y == 10).withPriority(250));
    solver.addConstraint((y == 20).withPriority(251));
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 10, 1e-9);
    EXPECT_NEAR(y.value(), 20, 1e-9);
}

TEST(Solver, RemovingAConstraintRestoresThePreviousSolution) {
    Variable left, width, right;
    Solver solver;
    solver.addConstraint((left == 10).withPriority(250));
    solver.addConstraint(right == left + width);
    solver.addConstraint((width == 100).withPriority(500));
    solver.addConstraint((right <= 400).withPriority(750));
    solver.updateVariables();
    const double before[] = {left.value(), width.value(), right.value()};

    const Constraint squeeze = right <= 60;
    const Constraint shift = (left == 40).withPriority(999);
    solver.addConstraint(squeeze);
    solver.addConstraint(shift);
    solver.updateVariables();
    EXPECT_NEAR(width.value(), 20, 1e-9);

    solver.removeConstraint(squeeze);
    solver.removeConstraint(shift);
    EXPECT_FALSE(solver.hasConstraint(squeeze));
    solver.updateVariables();
    EXPECT_NEAR(left.value(), before[0], 1e-9);
    EXPECT_NEAR(width.value(), before[1], 1e-9);
    EXPECT_NEAR(right.value(), before[2], 1e-9);
}

TEST(Solver, UnsatisfiableRequiredConstraintIsRefusedWithoutCorruptingState) {
    Variable x, y, fresh;
    Solver solver;
    solver.addConstraint(x >= 5);
    solver.addConstraint(x <= 10);
    solver.addConstraint(y == x + 1);
    solver.addConstraint((x == 8).withPriority(500));
    solver.updateVariables();
    ASSERT_NEAR(x.value(), 8, 1e-9);

    // Refused outright (a row of dummies), through phase one (an inequality with nothing to
    // pivot), and with a variable the solver has not seen before.
    const Constraint contradictions[] = {x == 20, x >= 11, y <= 5, fresh + x >= 2 * x + 4 + fresh};
    for (const Constraint& contradiction : contradictions) {
        EXPECT_THROW(solver.addConstraint(contradiction), layout::UnsatisfiableConstraint);
        EXPECT_FALSE(solver.hasConstraint(contradiction));
    }
    EXPECT_EQ(solver.constraintCount(), 4u);
    EXPECT_THROW(solver.addConstraint(x + fresh == 100 + fresh), layout::UnsatisfiableConstraint);
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 8, 1e-9);
    EXPECT_NEAR(y.value(), 9, 1e-9);

    // The solver still behaves like one that never saw the contradictions.
    solver.addConstraint(x >= 9.5);
    solver.addConstraint(fresh == y * 2);
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 9.5, 1e-9);
    EXPECT_NEAR(fresh.value(), 21, 1e-9);
}

TEST(Solver, RedundantRequiredConstraintsCanBeAddedAndRemoved) {
    Variable a, b;
    Solver solver;
    const Constraint first = a == 10;
    const Constraint second = a == 10;
    const Constraint sum = a + b == 30;
    solver.addConstraint(first);
    solver.addConstraint(second);
    solver.addConstraint(sum);
    solver.addConstraint(b == 20);  // implied by the others
    solver.removeConstraint(first);
    solver.addConstraint((a == 50).withPriority(999));
    solver.updateVariables();
    EXPECT_NEAR(a.value(), 10, 1e-9);
    solver.removeConstraint(second);
    solver.updateVariables();
    EXPECT_NEAR(a.value(), 10, 1e-9);  // still implied by sum and b == 20
    EXPECT_NEAR(b.value(), 20, 1e-9);
}

TEST(Solver, RedundantEqualityTakesOverWhileAPreferencePullsAway) {
    Variable x;
    Solver solver;
    const Constraint first = x == -512;
    solver.addConstraint(first);
    solver.addConstraint(x == -512);
    solver.addConstraint((x >= -508).withPriority(988));
    solver.removeConstraint(first);
    solver.updateVariables();
    EXPECT_NEAR(x.value(), -512, 1e-9);
    EXPECT_EQ(solver.checkInvariants(), "");
}

TEST(Solver, MisuseIsReportedByNamedErrors) {
    Variable x;
    Solver solver;
    const Constraint constraint = x == 1;
    solver.addConstraint(constraint);
    EXPECT_THROW(solver.addConstraint(constraint), layout::DuplicateConstraint);
    EXPECT_THROW(solver.removeConstraint(x == 1), layout::UnknownConstraint);
    EXPECT_THROW(solver.addConstraint(Constraint()), layout::UnknownConstraint);
    EXPECT_THROW(solver.removeConstraint(Constraint()), layout::UnknownConstraint);
    EXPECT_THROW(solver.setConstant(x == 1, 3), layout::UnknownConstraint);
    EXPECT_THROW(solver.addConstraint(x == INFINITY), layout::NonFiniteValue);
    EXPECT_THROW(solver.addConstraint(NAN * x == 2), layout::NonFiniteValue);
    EXPECT_THROW(solver.setConstant(constraint, NAN), layout::NonFiniteValue);

    EXPECT_THROW(solver.addEditVariable(x, Strength::required()), layout::BadRequiredStrength);
    EXPECT_THROW(solver.addEditVariable(x, Strength::priority(1000)), layout::BadRequiredStrength);
    EXPECT_FALSE(solver.hasEditVariable(x));
    solver.addEditVariable(x, Strength::priority(500));
    EXPECT_THROW(solver.addEditVariable(x, Strength::priority(400)), layout::DuplicateEditVariable);
    EXPECT_THROW(solver.suggestValue(x, INFINITY), layout::NonFiniteValue);
    Variable other;
    EXPECT_THROW(solver.suggestValue(other, 1), layout::UnknownEditVariable);
    EXPECT_THROW(solver.removeEditVariable(other), layout::UnknownEditVariable);

    solver.removeConstraint(constraint);
    EXPECT_THROW(solver.removeConstraint(constraint), layout::UnknownConstraint);
    solver.removeEditVariable(x);
    EXPECT_THROW(solver.suggestValue(x, 1), layout::UnknownEditVariable);
    EXPECT_EQ(solver.constraintCount(), 0u);
    EXPECT_EQ(solver.checkInvariants(), "");
}

TEST(Solver, ConstraintChurnRecyclesVariablesAndSymbols) {
    // Cells scrolled in and out: the same shape added and removed many times.
    Variable container;
    Solver solver;
    solver.addConstraint(container == 320);
    for (int round = 0; round < 200; ++round) {
        Variable left, width;
        const Constraint constraints[] = {left == container * 0.25, (width == 100 + round).withPriority(500),
                                          left + width <= container, width >= 0};
        for (const Constraint& constraint : constraints) solver.addConstraint(constraint);
        solver.updateVariables();
        ASSERT_NEAR(width.value(), std::min(100.0 + round, 240.0), 1e-9) << round;
        for (const Constraint& constraint : constraints) solver.removeConstraint(constraint);
        // Forgotten: the solver writes values only into variables it still uses.
        left.setValue(-1);
        solver.updateVariables();
        ASSERT_EQ(left.value(), -1);
        ASSERT_EQ(solver.checkInvariants(), "");
    }
    solver.updateVariables();
    EXPECT_EQ(container.value(), 320);
}

}  // namespace
