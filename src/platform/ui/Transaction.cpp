#include "ui/Transaction.h"

#include <algorithm>

#include "base/RunLoop.h"

namespace ui {

std::vector<Transaction::Open>& Transaction::openTransactions() {
    static std::vector<Open> transactions;
    return transactions;
}

void Transaction::begin() { openTransactions().push_back({}); }

void Transaction::commit() {
    auto& open = openTransactions();
    if (!open.empty() && !open.back().implicit) open.pop_back();
}

void Transaction::setDisableActions(bool disable) {
    auto& open = openTransactions();
    if (open.empty()) {
        open.push_back({.disablesActions = false, .implicit = true});
        base::RunLoop::main().post(&Transaction::commitImplicit);
    }
    open.back().disablesActions = disable;
}

// The implicit transaction sits at the bottom, under any opened after it.
void Transaction::commitImplicit() {
    auto& open = openTransactions();
    if (!open.empty() && open.front().implicit) open.erase(open.begin());
}

bool Transaction::disableActions() {
    const auto& open = openTransactions();
    return std::any_of(open.begin(), open.end(), [](const Open& t) { return t.disablesActions; });
}

}  // namespace ui
