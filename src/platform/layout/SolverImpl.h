#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "layout/Constraint.h"
#include "layout/Strength.h"
#include "layout/Tableau.h"
#include "layout/Variable.h"

namespace layout {

// The algorithm behind layout::Solver (Badros, Borning & Stuckey, "The Cassowary linear
// arithmetic constraint solving algorithm"):
//
//   - Each constraint becomes one tableau row. An inequality gets a slack symbol; a preference
//     gets error symbols (one for an inequality, a plus/minus pair for an equality) whose
//     weighted sum is the objective; a required equality gets a dummy symbol. The first of these
//     is the constraint's "marker": it identifies the row when the constraint is removed and
//     carries changes of the constant.
//   - Symbols of removed constraints and forgotten variables are recycled.
//   - Adding: express the constraint in parametric symbols, pick a subject to make basic (a
//     caller's variable if any; else a new slack or error that keeps the row feasible); failing
//     that, run phase one with an artificial variable. Then re-minimise the objective (primal
//     simplex).
//   - Removing: take the constraint's errors out of the objective, pivot its marker into the
//     basis by the rule that keeps every row feasible, drop that row, re-minimise.
//   - Moving a constant (and suggesting an edit value, which is the same thing for the edit
//     constraint) shifts the constants of the rows that mention the marker; rows that went
//     negative are repaired by the dual simplex, which keeps the objective minimal throughout.
//
// Whenever a call fails after the tableau moved, the pivots are undone in reverse order.
class SolverImpl {
public:
    void addConstraint(const Constraint& constraint);
    void removeConstraint(const Constraint& constraint);
    bool hasConstraint(const Constraint& constraint) const;
    std::size_t constraintCount() const { return constraints_.size(); }
    void setConstant(const Constraint& constraint, double constant);

    void addEditVariable(const Variable& variable, Strength strength);
    void removeEditVariable(const Variable& variable);
    bool hasEditVariable(const Variable& variable) const { return edits_.count(variable.id()) != 0; }
    void suggestValue(const Variable& variable, double value);

    void updateVariables();
    std::string checkInvariants() const { return tableau_.checkInvariants(); }

private:
    struct Tag {
        Constraint constraint;
        Symbol marker = kNoSymbol;
        Symbol other = kNoSymbol;
        double markerCoefficient = 1.0;  // the marker's coefficient in the constraint's own row
    };
    struct Edit {
        Constraint constraint;
    };

    Symbol symbolFor(const Variable& variable);
    Tag buildRow(const Constraint& constraint);
    Symbol chooseSubject(const Tag& tag) const;
    bool addWithArtificialVariable();
    void rollback(Tableau::Checkpoint checkpoint, std::size_t variableCount);
    void countUses(const Constraint& constraint, int delta);
    void removeErrorTerms(const Tag& tag);
    Symbol markerLeavingRow(Symbol marker) const;
    bool shiftMarker(const Tag& tag, double shift);
    void optimize(Objective& objective, double tolerance);
    double objectiveTolerance() const;
    bool dualOptimize();

    Tableau tableau_;
    Row pending_;
    std::vector<Cell> scratch_;
    std::vector<std::pair<Symbol, double>> previousConstants_;  // rows touched by a constant shift
    std::vector<std::pair<Symbol, double>> markerRows_;         // basic symbol, marker coefficient
    std::unordered_map<const void*, Tag> constraints_;
    // The caller's variables that some constraint mentions. A variable is forgotten (its symbol
    // released) when the last constraint mentioning it is removed.
    struct KnownVariable {
        Variable variable;
        Symbol symbol = kNoSymbol;
        int uses = 0;
    };
    std::unordered_map<std::uint64_t, std::size_t> indexOfVariable_;  // into variables_
    std::vector<KnownVariable> variables_;
    std::unordered_map<std::uint64_t, Edit> edits_;
    double largestWeight_ = 1.0;
};

}  // namespace layout
