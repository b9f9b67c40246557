#pragma once

#include <vector>

#include "layout/Term.h"
#include "layout/Variable.h"

namespace layout {

// A linear combination of variables plus a constant: `2 * a.width + b.left - 10`.
// Built with the ordinary operators below; terms are kept in the order they were written
// (a variable may appear more than once; the solver adds such terms up).
class Expression {
public:
    Expression(double constant = 0.0) : constant_(constant) {}             // NOLINT: numbers are expressions
    Expression(const Variable& variable) : terms_{Term{variable, 1.0}} {}  // NOLINT: so are variables
    Expression(std::vector<Term> terms, double constant) : terms_(std::move(terms)), constant_(constant) {}

    const std::vector<Term>& terms() const { return terms_; }
    double constant() const { return constant_; }
    void setConstant(double constant) { constant_ = constant; }

    // The value with every variable at its current `value()`.
    double value() const;

    Expression& operator+=(const Expression& other);
    Expression& operator-=(const Expression& other);
    Expression& operator*=(double factor);

private:
    std::vector<Term> terms_;
    double constant_ = 0.0;
};

Expression operator+(Expression lhs, const Expression& rhs);
Expression operator-(Expression lhs, const Expression& rhs);
Expression operator-(Expression operand);
Expression operator*(Expression expression, double factor);
Expression operator*(double factor, Expression expression);
Expression operator/(Expression expression, double divisor);

// Without these, `variable + variable` would be ambiguous between the conversions above.
inline Expression operator+(const Variable& lhs, const Variable& rhs) { return Expression(lhs) + rhs; }
inline Expression operator-(const Variable& lhs, const Variable& rhs) { return Expression(lhs) - rhs; }
inline Expression operator+(const Variable& lhs, double rhs) { return Expression(lhs) + rhs; }
inline Expression operator-(const Variable& lhs, double rhs) { return Expression(lhs) - rhs; }
inline Expression operator+(double lhs, const Variable& rhs) { return Expression(lhs) + rhs; }
inline Expression operator-(double lhs, const Variable& rhs) { return Expression(lhs) - rhs; }
inline Expression operator*(const Variable& variable, double factor) { return Expression(variable) * factor; }
inline Expression operator*(double factor, const Variable& variable) { return Expression(variable) * factor; }
inline Expression operator/(const Variable& variable, double divisor) {
    return Expression(variable) / divisor;
}
inline Expression operator-(const Variable& variable) { return -Expression(variable); }

}  // namespace layout
