#include "layout/Expression.h"

namespace layout {

double Expression::value() const {
    double result = constant_;
    for (const Term& term : terms_) result += term.coefficient * term.variable.value();
    return result;
}

Expression& Expression::operator+=(const Expression& other) {
    terms_.insert(terms_.end(), other.terms_.begin(), other.terms_.end());
    constant_ += other.constant_;
    return *this;
}

Expression& Expression::operator-=(const Expression& other) {
    terms_.reserve(terms_.size() + other.terms_.size());
    for (const Term& term : other.terms_) terms_.push_back(Term{term.variable, -term.coefficient});
    constant_ -= other.constant_;
    return *this;
}

Expression& Expression::operator*=(double factor) {
    for (Term& term : terms_) term.coefficient *= factor;
    constant_ *= factor;
    return *this;
}

Expression operator+(Expression lhs, const Expression& rhs) { return lhs += rhs; }
Expression operator-(Expression lhs, const Expression& rhs) { return lhs -= rhs; }
Expression operator-(Expression operand) { return operand *= -1.0; }
Expression operator*(Expression expression, double factor) { return expression *= factor; }
Expression operator*(double factor, Expression expression) { return expression *= factor; }
Expression operator/(Expression expression, double divisor) { return expression *= 1.0 / divisor; }

}  // namespace layout
