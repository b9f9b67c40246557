#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "layout/Objective.h"
#include "layout/Row.h"
#include "layout/Symbol.h"

namespace layout {

// The simplex tableau in solved form: every basic symbol owns a row expressing it in terms of
// parametric (non-basic) symbols. Rows live in stable slots; a column index lists, for each
// symbol, the slots whose rows mention it, so substituting a symbol touches only the rows that
// contain it instead of scanning the whole tableau. Column order never affects a choice: every
// pivot rule breaks ties by symbol number.
class Tableau {
public:
    // New symbols reuse the numbers of released ones (latest released first), so a solver whose
    // constraints come and go keeps a tableau the size of what it holds.
    Symbol newSymbol(SymbolKind kind);
    // Returns a parametric symbol that nothing needs any more (rounding residue is cleared).
    void releaseSymbol(Symbol symbol);
    std::size_t symbolCount() const { return kinds_.size(); }

    // Symbols handed out after a checkpoint can be taken back, restoring the numbering exactly.
    struct Checkpoint {
        std::size_t symbolCount;
        std::size_t freeCount;
    };
    Checkpoint checkpoint() const { return {kinds_.size(), freeCount_}; }
    void rollback(Checkpoint checkpoint);
    SymbolKind kindOf(Symbol symbol) const { return kinds_[symbol]; }
    const std::vector<SymbolKind>& kinds() const { return kinds_; }
    bool isRestricted(Symbol symbol) const { return kinds_[symbol] != SymbolKind::External; }

    bool isBasic(Symbol symbol) const { return slotOf_[symbol] != kNoSlot; }
    const Row& rowOf(Symbol basic) const { return slots_[slotOf_[basic]].row; }
    double valueOf(Symbol symbol) const { return isBasic(symbol) ? rowOf(symbol).constant : 0.0; }
    // Basic symbols of the rows that mention `symbol` (as a parameter).
    template <typename Visit>
    void forEachRowWith(Symbol symbol, Visit&& visit) const {
        for (std::uint32_t slot : columns_[symbol]) visit(slots_[slot].basic, slots_[slot].row);
    }
    std::size_t rowsWith(Symbol symbol) const { return columns_[symbol].size(); }

    Objective& objective() { return objective_; }
    Objective& artificial() { return artificial_; }
    void setArtificialActive(bool active);

    // Replaces every occurrence of `symbol` (in rows and objectives) by `row`, which must not
    // mention it, then makes `symbol` basic with that row.
    void addBasicRow(Symbol symbol, const Row& row);
    void eraseRow(Symbol basic);
    // Exchanges a parametric symbol that appears in the leaving symbol's row with that symbol.
    void pivot(Symbol entering, Symbol leaving);
    // Adds `delta` to the constant of the row whose basic symbol is `basic`.
    void shiftConstant(Symbol basic, double delta);
    void setConstant(Symbol basic, double constant);
    // Deletes a parametric symbol from every row and objective (it is fixed at 0 from now on).
    void eliminate(Symbol symbol);

    // Restricted basic symbols whose row went negative during substitutions; the dual simplex
    // consumes them.
    std::vector<Symbol>& infeasible() { return infeasible_; }

    // While recording, every pivot is remembered so that it can be undone in reverse order.
    void startRecording();
    void stopRecording() { recording_ = false; }
    void undoRecordedPivots();

    // Describes the first broken invariant (empty when sound); for tests and debugging.
    std::string checkInvariants() const;

private:
    static constexpr std::uint32_t kNoSlot = UINT32_MAX;
    struct Slot {
        Symbol basic = kNoSymbol;
        Row row;
    };

    void substitute(Symbol symbol, const Row& row);
    void substituteInto(std::uint32_t slot, Symbol symbol, const Row& row);
    void registerCells(std::uint32_t slot);
    void unlink(Symbol symbol, std::uint32_t slot);
    void noteIfInfeasible(std::uint32_t slot);

    std::vector<SymbolKind> kinds_{SymbolKind::Dummy};  // symbol 0 is never used
    std::vector<std::uint32_t> slotOf_{kNoSlot};
    std::vector<std::vector<std::uint32_t>> columns_{{}};
    std::vector<Symbol> freeSymbols_;  // the first freeCount_ entries are free
    std::size_t freeCount_ = 0;
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> freeSlots_;
    Objective objective_;
    Objective artificial_;
    bool artificialActive_ = false;
    std::vector<Symbol> infeasible_;
    std::vector<Cell> scratch_;
    std::vector<std::pair<Symbol, Symbol>> recorded_;
    bool recording_ = false;
};

}  // namespace layout
