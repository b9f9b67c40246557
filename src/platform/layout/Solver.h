#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "layout/Constraint.h"
#include "layout/Errors.h"
#include "layout/Expression.h"
#include "layout/Strength.h"
#include "layout/Variable.h"

// layout::Solver — an incremental linear constraint solver (the Cassowary algorithm).
//
// What it is
//   The view layer describes every frame as linear constraints between variables (edges,
//   widths, centres) and the solver finds values that satisfy all required constraints and, of
//   the preferences, minimise the weighted sum of how far each is missed. Constraints can be
//   added and removed one by one, constants moved and edit variables steered, and each change
//   costs work proportional to what it touches, not to the size of the system.
//
// How to use it
//     layout::Variable left("left"), width("width"), right("right");
//     layout::Solver solver;
//     solver.addConstraint(left == 20);                           // required
//     solver.addConstraint(right == left + width);
//     solver.addConstraint((width >= 80).withPriority(750));      // compression resistance
//     solver.addConstraint((width <= 80).withPriority(250));      // hugging
//     layout::Constraint maxRight = right <= 300;
//     solver.addConstraint(maxRight);
//     solver.updateVariables();                                   // width.value() == 80
//
//     solver.setConstant(maxRight, -90);    // moves it to `right <= 90` without a rebuild
//     solver.updateVariables();             // width.value() == 70: hugging and compression
//                                           // give way before a required constraint does
//     solver.addEditVariable(width, layout::Strength::priority(999));
//     solver.suggestValue(width, 50);       // e.g. a drag or an animation frame
//     solver.updateVariables();             // width.value() == 50
//
// Strengths
//   Required (priority 1000, the default) constraints hold exactly or are refused. Priorities
//   1 to 999 are preferences; Strength.h documents how they map onto weights (750 outweighs
//   tens of thousands of constraints at 250, 250 outweighs about 170 at 1).
//
// Errors
//   Failures are reported by throwing one of the exceptions in Errors.h, all derived from
//   layout::Error; a call that throws leaves the solver as it was (values, basis and all
//   constraints, up to floating-point rounding of rows it had to pivot back):
//     addConstraint       DuplicateConstraint (already added), UnknownConstraint (null handle),
//                         UnsatisfiableConstraint (a required constraint that conflicts),
//                         NonFiniteValue (an infinite or NaN coefficient or constant)
//     removeConstraint    UnknownConstraint
//     setConstant         UnknownConstraint, UnsatisfiableConstraint (required constraint whose
//                         new constant conflicts; the old constant stays), NonFiniteValue
//     addEditVariable     DuplicateEditVariable, BadRequiredStrength, NonFiniteValue (the
//                         variable's current value, where the edit starts, is not finite)
//     removeEditVariable  UnknownEditVariable
//     suggestValue        UnknownEditVariable, NonFiniteValue
//   InternalSolverError signals a broken invariant (a bug, or magnitudes beyond ~1e12).
//
// What to watch out for
//   - Values are written into the variables only by updateVariables(); read them after it.
//   - Results depend only on the sequence of calls: the same constraints added in the same
//     order give the same values, run after run.
//   - An edit variable starts at the variable's current value(); suggestValue moves it.
//   - Not thread-safe: one solver belongs to one thread (the main thread, for the views).
//   - A moved-from solver may only be assigned to or destroyed.
//   - The solver holds a handle to every variable its constraints mention and forgets it when
//     the last such constraint is removed; a forgotten variable keeps its last value.
namespace layout {

class SolverImpl;

class Solver {
public:
    Solver();
    ~Solver();
    Solver(Solver&&) noexcept;
    Solver& operator=(Solver&&) noexcept;
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    void addConstraint(const Constraint& constraint);
    void removeConstraint(const Constraint& constraint);
    bool hasConstraint(const Constraint& constraint) const;
    std::size_t constraintCount() const;

    // Moves the constant of the constraint's normalised expression (`a == b + 10` has the
    // constant -10; to make it `a == b + 25`, pass -25). The solver re-optimises from its
    // current basis; the constraint handle reports the new constant afterwards.
    void setConstant(const Constraint& constraint, double constant);

    // An edit variable is pulled towards suggested values with the given (non-required)
    // strength; typical strength for dragging and animation is priority 999.
    void addEditVariable(const Variable& variable, Strength strength);
    void removeEditVariable(const Variable& variable);
    bool hasEditVariable(const Variable& variable) const;
    void suggestValue(const Variable& variable, double value);

    // Writes the current solution into every variable the solver knows.
    void updateVariables();

    // Forgets every constraint, edit variable and variable.
    void reset();

    // Describes the first broken internal invariant, or returns an empty string; for tests.
    std::string checkInvariants() const;

private:
    std::unique_ptr<SolverImpl> impl_;
};

}  // namespace layout
