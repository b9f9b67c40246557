#include "layout/Objective.h"

#include <algorithm>

namespace layout {

void Objective::clear() {
    std::fill(coefficients_.begin(), coefficients_.end(), 0.0);
    negatives_.clear();
    constant_ = 0.0;
}

void Objective::add(Symbol symbol, double coefficient) {
    double& slot = coefficients_[symbol];
    const bool wasNegative = slot <= -kEpsilon;
    slot += coefficient;
    if (nearZero(slot)) slot = 0.0;
    if (!wasNegative && slot <= -kEpsilon) negatives_.push_back(symbol);
}

void Objective::addRow(const Row& row, double factor) {
    constant_ += factor * row.constant;
    for (const Cell& cell : row.cells) add(cell.symbol, factor * cell.coefficient);
}

void Objective::substitute(Symbol symbol, const Row& row) {
    const double coefficient = coefficientFor(symbol);
    if (coefficient == 0.0) return;
    coefficients_[symbol] = 0.0;
    addRow(row, coefficient);
}

Symbol Objective::enteringSymbol(const std::vector<SymbolKind>& kinds, double tolerance) {
    // Drop candidates that are no longer negative, and dummies, which can never enter.
    Symbol entering = kNoSymbol;
    std::size_t kept = 0;
    for (Symbol symbol : negatives_) {
        if (symbol >= coefficients_.size() || coefficients_[symbol] > -kEpsilon) continue;
        if (kinds[symbol] == SymbolKind::Dummy) continue;
        negatives_[kept++] = symbol;
        if (coefficients_[symbol] < -tolerance && (entering == kNoSymbol || symbol < entering))
            entering = symbol;
    }
    negatives_.resize(kept);
    return entering;
}

}  // namespace layout
