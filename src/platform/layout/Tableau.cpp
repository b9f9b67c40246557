#include "layout/Tableau.h"

#include <algorithm>

namespace layout {

Symbol Tableau::newSymbol(SymbolKind kind) {
    if (freeCount_ > 0) {
        const Symbol symbol = freeSymbols_[--freeCount_];
        kinds_[symbol] = kind;
        return symbol;
    }
    const auto symbol = static_cast<Symbol>(kinds_.size());
    kinds_.push_back(kind);
    slotOf_.push_back(kNoSlot);
    columns_.emplace_back();
    objective_.resize(kinds_.size());
    if (artificialActive_) artificial_.resize(kinds_.size());
    return symbol;
}

void Tableau::setArtificialActive(bool active) {
    artificialActive_ = active;
    artificial_.clear();
    if (active) artificial_.resize(kinds_.size());
}

void Tableau::unlink(Symbol symbol, std::uint32_t slot) {
    std::vector<std::uint32_t>& column = columns_[symbol];
    auto it = std::find(column.begin(), column.end(), slot);
    if (it == column.end()) return;
    *it = column.back();
    column.pop_back();
}

void Tableau::registerCells(std::uint32_t slot) {
    for (const Cell& cell : slots_[slot].row.cells) columns_[cell.symbol].push_back(slot);
}

void Tableau::noteIfInfeasible(std::uint32_t slot) {
    const Slot& entry = slots_[slot];
    if (entry.row.constant < 0.0 && isRestricted(entry.basic)) infeasible_.push_back(entry.basic);
}

void Tableau::substituteInto(std::uint32_t slot, Symbol symbol, const Row& row) {
    Row& target = slots_[slot].row;
    const double coefficient = target.take(symbol);
    target.addRow(
        row, coefficient, scratch_, [&](Symbol added) { columns_[added].push_back(slot); },
        [&](Symbol removed) { unlink(removed, slot); });
    noteIfInfeasible(slot);
}

void Tableau::substitute(Symbol symbol, const Row& row) {
    // `row` does not mention `symbol`, so this column only shrinks, and only when we clear it.
    for (std::uint32_t slot : columns_[symbol]) substituteInto(slot, symbol, row);
    columns_[symbol].clear();
    objective_.substitute(symbol, row);
    if (artificialActive_) artificial_.substitute(symbol, row);
}

void Tableau::addBasicRow(Symbol symbol, const Row& row) {
    substitute(symbol, row);
    std::uint32_t slot;
    if (freeSlots_.empty()) {
        slot = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    }
    slots_[slot].basic = symbol;
    slots_[slot].row.constant = row.constant;
    slots_[slot].row.cells.assign(row.cells.begin(), row.cells.end());  // keeps the slot's capacity
    slotOf_[symbol] = slot;
    registerCells(slot);
}

void Tableau::eraseRow(Symbol basic) {
    const std::uint32_t slot = slotOf_[basic];
    for (const Cell& cell : slots_[slot].row.cells) unlink(cell.symbol, slot);
    slots_[slot].basic = kNoSymbol;
    slots_[slot].row.clear();
    slotOf_[basic] = kNoSlot;
    freeSlots_.push_back(slot);
}

void Tableau::pivot(Symbol entering, Symbol leaving) {
    const std::uint32_t slot = slotOf_[leaving];
    Row& row = slots_[slot].row;
    // leaving = c + a * entering + rest   becomes   entering = (leaving - c - rest) / a.
    const double coefficient = row.take(entering);
    unlink(entering, slot);
    row.add(leaving, -1.0);
    row.scale(-1.0 / coefficient);
    columns_[leaving].push_back(slot);
    slotOf_[leaving] = kNoSlot;
    slotOf_[entering] = slot;
    slots_[slot].basic = entering;
    substitute(entering, row);
    if (recording_) recorded_.emplace_back(entering, leaving);
}

void Tableau::shiftConstant(Symbol basic, double delta) {
    const std::uint32_t slot = slotOf_[basic];
    slots_[slot].row.constant += delta;
    noteIfInfeasible(slot);
}

void Tableau::setConstant(Symbol basic, double constant) { slots_[slotOf_[basic]].row.constant = constant; }

void Tableau::eliminate(Symbol symbol) {
    for (std::uint32_t slot : columns_[symbol]) slots_[slot].row.take(symbol);
    columns_[symbol].clear();
    objective_.drop(symbol);
    if (artificialActive_) artificial_.drop(symbol);
}

void Tableau::releaseSymbol(Symbol symbol) {
    eliminate(symbol);
    if (freeCount_ < freeSymbols_.size()) {
        freeSymbols_[freeCount_] = symbol;
    } else {
        freeSymbols_.push_back(symbol);
    }
    ++freeCount_;
}

void Tableau::rollback(Checkpoint checkpoint) {
    auto clear = [&](Symbol symbol) {
        if (isBasic(symbol)) eraseRow(symbol);
        eliminate(symbol);  // clears rounding residue, if any
    };
    // Reused numbers go back on the free list in the order they came off it.
    for (std::size_t i = freeCount_; i < checkpoint.freeCount; ++i) clear(freeSymbols_[i]);
    freeCount_ = checkpoint.freeCount;
    for (std::size_t symbol = checkpoint.symbolCount; symbol < kinds_.size(); ++symbol) {
        clear(static_cast<Symbol>(symbol));
    }
    kinds_.resize(checkpoint.symbolCount);
    slotOf_.resize(checkpoint.symbolCount);
    columns_.resize(checkpoint.symbolCount);
    objective_.resize(checkpoint.symbolCount);
    artificial_.resize(checkpoint.symbolCount);
}

void Tableau::startRecording() {
    recorded_.clear();
    recording_ = true;
}

void Tableau::undoRecordedPivots() {
    recording_ = false;
    for (auto it = recorded_.rbegin(); it != recorded_.rend(); ++it) pivot(it->second, it->first);
    recorded_.clear();
}

std::string Tableau::checkInvariants() const {
    auto name = [](Symbol s) { return std::to_string(s); };
    std::vector<std::vector<std::uint32_t>> expected(columns_.size());
    for (std::uint32_t slot = 0; slot < slots_.size(); ++slot) {
        const Slot& entry = slots_[slot];
        if (entry.basic == kNoSymbol) continue;
        if (slotOf_[entry.basic] != slot) return "slot of " + name(entry.basic) + " is stale";
        if (entry.row.constant < -1e-6 && isRestricted(entry.basic))
            return "row " + name(entry.basic) + " is infeasible";
        Symbol previous = kNoSymbol;
        for (const Cell& cell : entry.row.cells) {
            if (cell.symbol <= previous) return "row " + name(entry.basic) + " is unsorted";
            previous = cell.symbol;
            if (isBasic(cell.symbol))
                return "row " + name(entry.basic) + " mentions basic " + name(cell.symbol);
            if (nearZero(cell.coefficient)) return "row " + name(entry.basic) + " keeps a zero cell";
            expected[cell.symbol].push_back(slot);
        }
    }
    for (std::size_t symbol = 0; symbol < columns_.size(); ++symbol) {
        std::vector<std::uint32_t> actual = columns_[symbol];
        std::sort(actual.begin(), actual.end());
        if (actual != expected[symbol]) return "column of " + name(static_cast<Symbol>(symbol)) + " is wrong";
        if (isBasic(static_cast<Symbol>(symbol)) &&
            objective_.coefficientFor(static_cast<Symbol>(symbol)) != 0.0) {
            return "objective mentions basic " + name(static_cast<Symbol>(symbol));
        }
    }
    return {};
}

}  // namespace layout
