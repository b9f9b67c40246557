#include "layout/SolverImpl.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "layout/Errors.h"

namespace layout {

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool isFinite(const Expression& expression) {
    if (!std::isfinite(expression.constant())) return false;
    for (const Term& term : expression.terms()) {
        if (!std::isfinite(term.coefficient)) return false;
    }
    return true;
}

bool onlyDummies(const Row& row, const Tableau& tableau) {
    for (const Cell& cell : row.cells) {
        if (tableau.kindOf(cell.symbol) != SymbolKind::Dummy) return false;
    }
    return true;
}
}  // namespace

// ---- constraints ------------------------------------------------------------------------------

void SolverImpl::addConstraint(const Constraint& constraint) {
    if (constraint.isNull()) throw UnknownConstraint(constraint);
    if (constraints_.count(constraint.key()) != 0) throw DuplicateConstraint(constraint);
    if (!isFinite(constraint.expression())) throw NonFiniteValue();
    const Tableau::Checkpoint checkpoint = tableau_.checkpoint();
    const std::size_t variableMark = variables_.size();

    // 1. The constraint as a row over parametric symbols, with its slack, error or dummy.
    Tag tag = buildRow(constraint);

    // 2. A subject to make basic; a required row of dummies alone is either redundant or
    //    contradicts the required constraints already present.
    Symbol subject = chooseSubject(tag);
    if (subject == kNoSymbol && onlyDummies(pending_, tableau_)) {
        if (!nearZero(pending_.constant)) {
            rollback(checkpoint, variableMark);
            throw UnsatisfiableConstraint(constraint);
        }
        subject = tag.marker;
    }

    // 3. Enter the row, through phase one when no subject keeps the tableau feasible.
    if (subject == kNoSymbol) {
        if (!addWithArtificialVariable()) {
            rollback(checkpoint, variableMark);
            throw UnsatisfiableConstraint(constraint);
        }
    } else {
        pending_.solveFor(subject);
        tableau_.addBasicRow(subject, pending_);
    }
    constraints_.emplace(constraint.key(), std::move(tag));
    countUses(constraint, +1);

    // 4. Re-minimise the errors of the preferences.
    optimize(tableau_.objective(), objectiveTolerance());
    tableau_.infeasible().clear();
}

Symbol SolverImpl::symbolFor(const Variable& variable) {
    auto [it, inserted] = indexOfVariable_.try_emplace(variable.id(), variables_.size());
    if (inserted) variables_.push_back(KnownVariable{variable, tableau_.newSymbol(SymbolKind::External), 0});
    return variables_[it->second].symbol;
}

void SolverImpl::countUses(const Constraint& constraint, int delta) {
    for (const Term& term : constraint.expression().terms()) {
        if (term.coefficient == 0.0) continue;
        const std::size_t index = indexOfVariable_.at(term.variable.id());
        KnownVariable& known = variables_[index];
        known.uses += delta;
        // In exact arithmetic an unused variable is parametric and mentioned nowhere.
        if (known.uses != 0 || tableau_.isBasic(known.symbol)) continue;
        tableau_.releaseSymbol(known.symbol);
        indexOfVariable_.erase(term.variable.id());
        if (index + 1 != variables_.size()) {
            variables_[index] = std::move(variables_.back());
            indexOfVariable_[variables_[index].variable.id()] = index;
        }
        variables_.pop_back();
    }
}

SolverImpl::Tag SolverImpl::buildRow(const Constraint& constraint) {
    Tag tag{constraint};
    const Expression& expression = constraint.expression();
    pending_.clear();
    pending_.constant = expression.constant();
    for (const Term& term : expression.terms()) {
        if (term.coefficient == 0.0) continue;
        const Symbol symbol = symbolFor(term.variable);
        if (tableau_.isBasic(symbol)) {
            pending_.addRow(tableau_.rowOf(symbol), term.coefficient, scratch_);
        } else {
            pending_.add(symbol, term.coefficient);
        }
    }

    const Strength strength = constraint.strength();
    Objective& objective = tableau_.objective();
    largestWeight_ = std::max(largestWeight_, strength.weight());
    if (constraint.relation() == Relation::Equal) {
        if (strength.isRequired()) {
            tag.marker = tableau_.newSymbol(SymbolKind::Dummy);
            tag.markerCoefficient = 1.0;
            pending_.add(tag.marker, 1.0);
        } else {
            // expression = plus - minus, both errors weighted.
            tag.marker = tableau_.newSymbol(SymbolKind::Error);
            tag.other = tableau_.newSymbol(SymbolKind::Error);
            tag.markerCoefficient = -1.0;
            pending_.add(tag.marker, -1.0);
            pending_.add(tag.other, 1.0);
            objective.add(tag.marker, strength.weight());
            objective.add(tag.other, strength.weight());
        }
    } else {
        // expression <= 0 becomes expression + slack = 0; >= 0 becomes expression - slack = 0.
        const double sign = constraint.relation() == Relation::LessOrEqual ? 1.0 : -1.0;
        tag.marker = tableau_.newSymbol(SymbolKind::Slack);
        tag.markerCoefficient = sign;
        pending_.add(tag.marker, sign);
        if (!strength.isRequired()) {
            tag.other = tableau_.newSymbol(SymbolKind::Error);
            pending_.add(tag.other, -sign);
            objective.add(tag.other, strength.weight());
        }
    }
    // A restricted subject must come out non-negative.
    if (pending_.constant < 0.0) pending_.scale(-1.0);
    return tag;
}

Symbol SolverImpl::chooseSubject(const Tag& tag) const {
    // A caller's variable is unrestricted, so any will do; the one mentioned by the fewest rows
    // is the cheapest to substitute (a variable seen for the first time costs nothing).
    Symbol best = kNoSymbol;
    std::size_t bestRows = std::numeric_limits<std::size_t>::max();
    for (const Cell& cell : pending_.cells) {
        if (tableau_.kindOf(cell.symbol) != SymbolKind::External) continue;
        const std::size_t rows = tableau_.rowsWith(cell.symbol);
        if (rows < bestRows) {
            best = cell.symbol;
            bestRows = rows;
        }
    }
    if (best != kNoSymbol) return best;
    // Otherwise a new slack or error with a negative coefficient: solving for it gives it the
    // (non-negative) constant as its value.
    const SymbolKind markerKind = tableau_.kindOf(tag.marker);
    if ((markerKind == SymbolKind::Slack || markerKind == SymbolKind::Error) &&
        pending_.coefficientFor(tag.marker) < 0.0) {
        return tag.marker;
    }
    if (tag.other != kNoSymbol && pending_.coefficientFor(tag.other) < 0.0) return tag.other;
    return kNoSymbol;
}

bool SolverImpl::addWithArtificialVariable() {
    // Phase one: `artificial = row`, minimise the artificial variable. The constraint can hold
    // exactly when the minimum is zero.
    const Symbol artificial = tableau_.newSymbol(SymbolKind::Slack);
    tableau_.setArtificialActive(true);
    tableau_.artificial().addRow(pending_, 1.0);
    tableau_.addBasicRow(artificial, pending_);
    tableau_.startRecording();
    optimize(tableau_.artificial(), kEpsilon);
    tableau_.stopRecording();

    if (!nearZero(tableau_.artificial().constant())) {
        tableau_.undoRecordedPivots();
        tableau_.eraseRow(artificial);
        tableau_.setArtificialActive(false);
        tableau_.infeasible().clear();
        return false;
    }
    // A (degenerate) basic artificial variable leaves the basis for any other symbol of its row.
    if (tableau_.isBasic(artificial)) {
        const Row& row = tableau_.rowOf(artificial);
        if (row.cells.empty()) {
            tableau_.eraseRow(artificial);
        } else {
            Symbol entering = row.cells.front().symbol;
            for (const Cell& cell : row.cells) {
                if (tableau_.kindOf(cell.symbol) != SymbolKind::Dummy) {
                    entering = cell.symbol;
                    break;
                }
            }
            tableau_.pivot(entering, artificial);
        }
    }
    tableau_.setArtificialActive(false);
    tableau_.releaseSymbol(artificial);
    return true;
}

void SolverImpl::rollback(Tableau::Checkpoint checkpoint, std::size_t variableCount) {
    for (std::size_t i = variableCount; i < variables_.size(); ++i) {
        indexOfVariable_.erase(variables_[i].variable.id());
    }
    variables_.resize(variableCount);
    tableau_.rollback(checkpoint);
}

void SolverImpl::removeConstraint(const Constraint& constraint) {
    auto it = constraint.isNull() ? constraints_.end() : constraints_.find(constraint.key());
    if (it == constraints_.end()) throw UnknownConstraint(constraint);
    const Tag tag = std::move(it->second);
    constraints_.erase(it);

    // 1. The constraint's errors no longer count.
    removeErrorTerms(tag);
    // 2. Make the marker basic without breaking feasibility, then drop its row: that row is
    //    the constraint.
    if (!tableau_.isBasic(tag.marker)) {
        const Symbol leaving = markerLeavingRow(tag.marker);
        if (leaving != kNoSymbol) tableau_.pivot(tag.marker, leaving);
    }
    if (tableau_.isBasic(tag.marker)) tableau_.eraseRow(tag.marker);
    // Without its row, the constraint's other error is mentioned nowhere; releasing it also
    // clears rounding residue, which could otherwise be chosen to enter the basis.
    if (tag.other != kNoSymbol && !tableau_.isBasic(tag.other)) tableau_.releaseSymbol(tag.other);
    if (!tableau_.isBasic(tag.marker)) tableau_.releaseSymbol(tag.marker);
    // 3. Preferences it held back may now be met better.
    optimize(tableau_.objective(), objectiveTolerance());
    tableau_.infeasible().clear();
    countUses(tag.constraint, -1);
}

bool SolverImpl::hasConstraint(const Constraint& constraint) const {
    return !constraint.isNull() && constraints_.count(constraint.key()) != 0;
}

void SolverImpl::removeErrorTerms(const Tag& tag) {
    const double weight = tag.constraint.strength().weight();
    for (Symbol symbol : {tag.marker, tag.other}) {
        if (symbol == kNoSymbol || tableau_.kindOf(symbol) != SymbolKind::Error) continue;
        if (tableau_.isBasic(symbol)) {
            tableau_.objective().addRow(tableau_.rowOf(symbol), -weight);
        } else {
            tableau_.objective().add(symbol, -weight);
        }
    }
}

Symbol SolverImpl::markerLeavingRow(Symbol marker) const {
    // First the row of a basic dummy (a redundant required equality that mentions this one):
    // its constant is 0, so the pivot moves no value and the redundant constraint takes over.
    // Then the restricted row that the pivot keeps feasible (smallest ratio among negative
    // coefficients), then the restricted row with the smallest ratio among positive ones, then
    // any row of a caller's variable. Ties go to the lower symbol.
    Symbol dummy = kNoSymbol, negative = kNoSymbol, positive = kNoSymbol, unrestricted = kNoSymbol;
    double negativeRatio = kInfinity, positiveRatio = kInfinity;
    tableau_.forEachRowWith(marker, [&](Symbol basic, const Row& row) {
        if (!tableau_.isRestricted(basic)) {
            if (unrestricted == kNoSymbol || basic < unrestricted) unrestricted = basic;
            return;
        }
        if (tableau_.kindOf(basic) == SymbolKind::Dummy) {
            if (dummy == kNoSymbol || basic < dummy) dummy = basic;
            return;
        }
        const double coefficient = row.coefficientFor(marker);
        if (coefficient < 0.0) {
            const double ratio = -row.constant / coefficient;
            if (ratio < negativeRatio || (ratio == negativeRatio && basic < negative)) {
                negativeRatio = ratio;
                negative = basic;
            }
        } else {
            const double ratio = row.constant / coefficient;
            if (ratio < positiveRatio || (ratio == positiveRatio && basic < positive)) {
                positiveRatio = ratio;
                positive = basic;
            }
        }
    });
    if (dummy != kNoSymbol) return dummy;
    if (negative != kNoSymbol) return negative;
    if (positive != kNoSymbol) return positive;
    return unrestricted;
}

// ---- constants and edit variables -------------------------------------------------------------

void SolverImpl::setConstant(const Constraint& constraint, double constant) {
    auto it = constraint.isNull() ? constraints_.end() : constraints_.find(constraint.key());
    if (it == constraints_.end()) throw UnknownConstraint(constraint);
    if (!std::isfinite(constant)) throw NonFiniteValue();
    const Tag& tag = it->second;
    const double delta = constant - constraint.constant();
    if (delta == 0.0) return;

    // Changing the constant by delta is the same as renaming marker -> marker + shift.
    tableau_.infeasible().clear();
    const bool consistent = shiftMarker(tag, delta / tag.markerCoefficient);
    tableau_.startRecording();
    const bool feasible = consistent && dualOptimize();
    tableau_.stopRecording();
    if (!feasible) {
        tableau_.undoRecordedPivots();
        for (const auto& [basic, previous] : previousConstants_) tableau_.setConstant(basic, previous);
        tableau_.infeasible().clear();
        if (constraint.isRequired()) throw UnsatisfiableConstraint(constraint);
        throw InternalSolverError("a preference's new constant left no feasible basis");
    }
    tableau_.infeasible().clear();
    constraint.setConstant(constant);
}

bool SolverImpl::shiftMarker(const Tag& tag, double shift) {
    // A basic dummy stands for a redundant required equality: if its value moves off zero, the
    // new constant contradicts the constraints it was implied by.
    previousConstants_.clear();
    bool consistent = true;
    auto shiftRow = [&](Symbol basic, double delta) {
        const double previous = tableau_.rowOf(basic).constant;
        previousConstants_.emplace_back(basic, previous);
        tableau_.shiftConstant(basic, delta);
        if (tableau_.kindOf(basic) == SymbolKind::Dummy && !nearZero(previous + delta)) consistent = false;
    };
    if (tableau_.isBasic(tag.marker)) {
        shiftRow(tag.marker, -shift);
        return consistent;
    }
    // Collect first: shifting constants does not change which rows mention the marker.
    markerRows_.clear();
    tableau_.forEachRowWith(tag.marker, [&](Symbol basic, const Row& row) {
        markerRows_.emplace_back(basic, row.coefficientFor(tag.marker));
    });
    for (const auto& [basic, coefficient] : markerRows_) shiftRow(basic, coefficient * shift);
    return consistent;
}

void SolverImpl::addEditVariable(const Variable& variable, Strength strength) {
    if (hasEditVariable(variable)) throw DuplicateEditVariable(variable);
    if (strength.isRequired()) throw BadRequiredStrength();
    Constraint constraint(Expression(variable) - variable.value(), Relation::Equal, strength);
    addConstraint(constraint);
    edits_.emplace(variable.id(), Edit{std::move(constraint)});
}

void SolverImpl::removeEditVariable(const Variable& variable) {
    auto it = edits_.find(variable.id());
    if (it == edits_.end()) throw UnknownEditVariable(variable);
    removeConstraint(it->second.constraint);
    edits_.erase(it);
}

void SolverImpl::suggestValue(const Variable& variable, double value) {
    auto it = edits_.find(variable.id());
    if (it == edits_.end()) throw UnknownEditVariable(variable);
    setConstant(it->second.constraint, -value);
}

void SolverImpl::updateVariables() {
    for (KnownVariable& known : variables_) known.variable.setValue(tableau_.valueOf(known.symbol));
}

// ---- simplex ----------------------------------------------------------------------------------

double SolverImpl::objectiveTolerance() const {
    // Objective coefficients are sums of weights up to ~1e11, whose rounding leaves residues far
    // above 1e-8; a reduced cost this small relative to the largest weight is treated as zero.
    return std::max(kEpsilon, largestWeight_ * 1e-12);
}

void SolverImpl::optimize(Objective& objective, double tolerance) {
    // Primal simplex with Bland's rule. The bound only guards against rounding trouble.
    const std::size_t limit = 64 * tableau_.symbolCount() + 1024;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        const Symbol entering = objective.enteringSymbol(tableau_.kinds(), tolerance);
        if (entering == kNoSymbol) return;
        Symbol leaving = kNoSymbol;
        double best = kInfinity;
        tableau_.forEachRowWith(entering, [&](Symbol basic, const Row& row) {
            if (!tableau_.isRestricted(basic)) return;
            const double coefficient = row.coefficientFor(entering);
            if (coefficient >= 0.0) return;
            const double ratio = -row.constant / coefficient;
            if (ratio < best || (ratio == best && basic < leaving)) {
                best = ratio;
                leaving = basic;
            }
        });
        if (leaving == kNoSymbol) throw InternalSolverError("the objective is unbounded");
        tableau_.pivot(entering, leaving);
    }
    throw InternalSolverError("the simplex did not converge");
}

bool SolverImpl::dualOptimize() {
    // Dual simplex: the objective stays minimal while rows that went negative are repaired.
    std::vector<Symbol>& infeasible = tableau_.infeasible();
    const Objective& objective = tableau_.objective();
    while (!infeasible.empty()) {
        const Symbol leaving = infeasible.back();
        infeasible.pop_back();
        if (!tableau_.isBasic(leaving)) continue;
        const Row& row = tableau_.rowOf(leaving);
        if (row.constant > -kEpsilon) continue;
        Symbol entering = kNoSymbol;
        double best = kInfinity;
        for (const Cell& cell : row.cells) {  // cells are in symbol order: ties keep the lower
            if (cell.coefficient <= 0.0 || tableau_.kindOf(cell.symbol) == SymbolKind::Dummy) continue;
            const double ratio = objective.coefficientFor(cell.symbol) / cell.coefficient;
            if (ratio < best) {
                best = ratio;
                entering = cell.symbol;
            }
        }
        if (entering == kNoSymbol) return false;
        tableau_.pivot(entering, leaving);
    }
    return true;
}

}  // namespace layout
