#pragma once

#include <stdexcept>
#include <string>

#include "layout/Constraint.h"
#include "layout/Variable.h"

namespace layout {

// Every failure of the solver is one of these exceptions, all derived from layout::Error.
// A failed call leaves the solver as it was before the call.
class Error : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A required constraint (or a new constant of one) contradicts the required constraints
// already in the solver.
class UnsatisfiableConstraint : public Error {
public:
    explicit UnsatisfiableConstraint(Constraint constraint)
        : Error("layout: required constraint cannot be satisfied"), constraint_(std::move(constraint)) {}
    const Constraint& constraint() const { return constraint_; }

private:
    Constraint constraint_;
};

// The constraint is already in the solver.
class DuplicateConstraint : public Error {
public:
    explicit DuplicateConstraint(Constraint constraint)
        : Error("layout: constraint already added"), constraint_(std::move(constraint)) {}
    const Constraint& constraint() const { return constraint_; }

private:
    Constraint constraint_;
};

// The constraint is not in the solver, or is a null handle.
class UnknownConstraint : public Error {
public:
    explicit UnknownConstraint(Constraint constraint)
        : Error("layout: constraint not in the solver"), constraint_(std::move(constraint)) {}
    const Constraint& constraint() const { return constraint_; }

private:
    Constraint constraint_;
};

// The variable is already an edit variable of the solver.
class DuplicateEditVariable : public Error {
public:
    explicit DuplicateEditVariable(Variable variable)
        : Error("layout: variable is already an edit variable"), variable_(std::move(variable)) {}
    const Variable& variable() const { return variable_; }

private:
    Variable variable_;
};

// The variable is not an edit variable of the solver.
class UnknownEditVariable : public Error {
public:
    explicit UnknownEditVariable(Variable variable)
        : Error("layout: variable is not an edit variable"), variable_(std::move(variable)) {}
    const Variable& variable() const { return variable_; }

private:
    Variable variable_;
};

// A coefficient, constant or suggested value is infinite or NaN; nothing is changed.
class NonFiniteValue : public Error {
public:
    NonFiniteValue() : Error("layout: constraint numbers and suggestions must be finite") {}
};

// Edit variables take suggestions, which must be able to give way: a required strength is refused.
class BadRequiredStrength : public Error {
public:
    BadRequiredStrength() : Error("layout: edit variables cannot have the required strength") {}
};

// The tableau reached a state the algorithm rules out (an unbounded objective, an infeasible row
// with nothing to pivot). Seeing it means a bug in the solver, or values so large (beyond ~1e12)
// that rounding swamps the tolerances.
class InternalSolverError : public Error {
public:
    explicit InternalSolverError(const std::string& what) : Error("layout: internal solver error: " + what) {}
};

}  // namespace layout
