#pragma once

#include <memory>

#include "layout/Expression.h"
#include "layout/Strength.h"

namespace layout {

enum class Relation { Equal, LessOrEqual, GreaterOrEqual };

// A linear relation between expressions with a strength, kept in the normalised form
//
//     expression() RELATION 0        where expression() = left side - right side,
//
// so `a.left == b.left + 10` has the expression `a.left - b.left - 10` and the constant -10.
// A Constraint is a cheap value handle: copies are the same constraint (compare with
// `sameAs`); a default-constructed one is null and refused by the solver. The expression is
// fixed once built, except its constant, which `Solver::setConstant` may move.
class Constraint {
public:
    Constraint() = default;
    Constraint(const Expression& expression, Relation relation, Strength strength = Strength::required());

    // A new constraint with the same relation and another strength.
    Constraint withStrength(Strength strength) const;
    Constraint withPriority(double priority) const { return withStrength(Strength::priority(priority)); }

    bool isNull() const { return !data_; }
    const Expression& expression() const { return data_->expression; }
    double constant() const { return data_->expression.constant(); }
    Relation relation() const { return data_->relation; }
    Strength strength() const { return data_->strength; }
    bool isRequired() const { return data_->strength.isRequired(); }
    bool sameAs(const Constraint& other) const { return data_ == other.data_; }

    // Whether the relation holds for the variables' current values, within `tolerance`.
    bool isSatisfied(double tolerance = 1e-6) const;

private:
    friend class SolverImpl;
    struct Data {
        Expression expression;
        Relation relation = Relation::Equal;
        Strength strength;
    };
    void setConstant(double constant) const { data_->expression.setConstant(constant); }
    const void* key() const { return data_.get(); }

    std::shared_ptr<Data> data_;
};

// Relations build required constraints; give them another strength with `withPriority`:
//     solver.addConstraint((label.width <= 200).withPriority(250));
Constraint operator==(const Expression& lhs, const Expression& rhs);
Constraint operator<=(const Expression& lhs, const Expression& rhs);
Constraint operator>=(const Expression& lhs, const Expression& rhs);
inline Constraint operator==(const Variable& lhs, const Variable& rhs) { return Expression(lhs) == rhs; }
inline Constraint operator<=(const Variable& lhs, const Variable& rhs) { return Expression(lhs) <= rhs; }
inline Constraint operator>=(const Variable& lhs, const Variable& rhs) { return Expression(lhs) >= rhs; }
inline Constraint operator==(const Variable& lhs, double rhs) { return Expression(lhs) == rhs; }
inline Constraint operator<=(const Variable& lhs, double rhs) { return Expression(lhs) <= rhs; }
inline Constraint operator>=(const Variable& lhs, double rhs) { return Expression(lhs) >= rhs; }

}  // namespace layout
