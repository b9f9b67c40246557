#pragma once

#include <vector>

#include "layout/Row.h"
#include "layout/Symbol.h"

namespace layout {

// The function the simplex minimises, stored densely by symbol: it collects the error of every
// preference, so it grows with the system, and a dense array keeps each update proportional to
// the row being added rather than to the objective's size. Symbols whose coefficient turned
// negative (the candidates to enter the basis) are tracked on the side.
class Objective {
public:
    void resize(std::size_t symbolCount) { coefficients_.resize(symbolCount, 0.0); }
    void clear();

    double constant() const { return constant_; }
    double coefficientFor(Symbol symbol) const {
        return symbol < coefficients_.size() ? coefficients_[symbol] : 0.0;
    }

    void add(Symbol symbol, double coefficient);
    void addRow(const Row& row, double factor);
    // Replaces the symbol by the row it equals.
    void substitute(Symbol symbol, const Row& row);
    void drop(Symbol symbol) { coefficients_[symbol] = 0.0; }

    // The lowest-numbered symbol with a coefficient below -tolerance that may enter the basis
    // (Bland's rule, so degenerate pivots cannot cycle), or kNoSymbol when the objective is
    // minimal.
    Symbol enteringSymbol(const std::vector<SymbolKind>& kinds, double tolerance);

private:
    std::vector<double> coefficients_;
    std::vector<Symbol> negatives_;
    double constant_ = 0.0;
};

}  // namespace layout
