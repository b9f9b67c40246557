#include "layout/Constraint.h"

#include <cmath>

namespace layout {

Constraint::Constraint(const Expression& expression, Relation relation, Strength strength)
    : data_(std::make_shared<Data>(Data{expression, relation, strength})) {}

Constraint Constraint::withStrength(Strength strength) const {
    return Constraint(data_->expression, data_->relation, strength);
}

bool Constraint::isSatisfied(double tolerance) const {
    const double value = data_->expression.value();
    switch (data_->relation) {
        case Relation::Equal:
            return std::fabs(value) <= tolerance;
        case Relation::LessOrEqual:
            return value <= tolerance;
        case Relation::GreaterOrEqual:
            return value >= -tolerance;
    }
    return false;
}

Constraint operator==(const Expression& lhs, const Expression& rhs) { return {lhs - rhs, Relation::Equal}; }
Constraint operator<=(const Expression& lhs, const Expression& rhs) {
    return {lhs - rhs, Relation::LessOrEqual};
}
Constraint operator>=(const Expression& lhs, const Expression& rhs) {
    return {lhs - rhs, Relation::GreaterOrEqual};
}

}  // namespace layout
