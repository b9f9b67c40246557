#pragma once

#include <algorithm>
#include <vector>

#include "layout/Symbol.h"

namespace layout {

struct Cell {
    Symbol symbol;
    double coefficient;
};

// One row of the tableau, `constant + sum(coefficient * symbol)`, with cells sorted by symbol.
// Rows of layout systems hold a handful of cells, so a sorted vector beats any map; merges go
// through a caller-owned scratch vector so that steady-state updates allocate nothing.
struct Row {
    double constant = 0.0;
    std::vector<Cell> cells;

    void clear() {
        constant = 0.0;
        cells.clear();
    }

    const Cell* find(Symbol symbol) const {
        auto it = std::lower_bound(cells.begin(), cells.end(), symbol,
                                   [](const Cell& cell, Symbol s) { return cell.symbol < s; });
        return it != cells.end() && it->symbol == symbol ? &*it : nullptr;
    }
    double coefficientFor(Symbol symbol) const {
        const Cell* cell = find(symbol);
        return cell ? cell->coefficient : 0.0;
    }

    // Removes the symbol's cell; returns its coefficient (0 if absent).
    double take(Symbol symbol) {
        auto it = std::lower_bound(cells.begin(), cells.end(), symbol,
                                   [](const Cell& cell, Symbol s) { return cell.symbol < s; });
        if (it == cells.end() || it->symbol != symbol) return 0.0;
        const double coefficient = it->coefficient;
        cells.erase(it);
        return coefficient;
    }

    void scale(double factor) {
        constant *= factor;
        for (Cell& cell : cells) cell.coefficient *= factor;
    }

    // Adds `coefficient * symbol`. Returns +1 if the cell is new, -1 if it cancelled out, else 0.
    int add(Symbol symbol, double coefficient) {
        auto it = std::lower_bound(cells.begin(), cells.end(), symbol,
                                   [](const Cell& cell, Symbol s) { return cell.symbol < s; });
        if (it != cells.end() && it->symbol == symbol) {
            it->coefficient += coefficient;
            if (!nearZero(it->coefficient)) return 0;
            cells.erase(it);
            return -1;
        }
        if (nearZero(coefficient)) return 0;
        cells.insert(it, Cell{symbol, coefficient});
        return +1;
    }

    // Adds `factor * other`, calling `appeared(symbol)` / `vanished(symbol)` for cells that this
    // row gains or loses.
    template <typename Appeared, typename Vanished>
    void addRow(const Row& other, double factor, std::vector<Cell>& scratch, Appeared&& appeared,
                Vanished&& vanished) {
        constant += factor * other.constant;
        scratch.clear();
        scratch.reserve(cells.size() + other.cells.size());
        auto mine = cells.begin();
        auto theirs = other.cells.begin();
        while (mine != cells.end() || theirs != other.cells.end()) {
            if (theirs == other.cells.end() || (mine != cells.end() && mine->symbol < theirs->symbol)) {
                scratch.push_back(*mine++);
            } else if (mine == cells.end() || theirs->symbol < mine->symbol) {
                const double value = factor * theirs->coefficient;
                if (!nearZero(value)) {
                    scratch.push_back(Cell{theirs->symbol, value});
                    appeared(theirs->symbol);
                }
                ++theirs;
            } else {
                const double value = mine->coefficient + factor * theirs->coefficient;
                if (nearZero(value)) {
                    vanished(mine->symbol);
                } else {
                    scratch.push_back(Cell{mine->symbol, value});
                }
                ++mine;
                ++theirs;
            }
        }
        cells.swap(scratch);
    }

    void addRow(const Row& other, double factor, std::vector<Cell>& scratch) {
        addRow(
            other, factor, scratch, [](Symbol) {}, [](Symbol) {});
    }

    // Turns `0 = this` into `symbol = ...`, dropping the symbol's cell.
    void solveFor(Symbol symbol) {
        const double coefficient = take(symbol);
        scale(-1.0 / coefficient);
    }
};

}  // namespace layout
