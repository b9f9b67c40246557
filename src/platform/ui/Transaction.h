#pragma once

#include <vector>

namespace ui {

// Groups changes; while a transaction has actions disabled, property changes are not
// animated, even inside an animate block. Transactions nest (`begin`/`commit` in pairs, or a
// `Transaction::Scope`); actions are disabled while any open one disables them. Disabling
// with none open opens one that commits on the next turn of the main run loop.
class Transaction {
public:
    static void begin();
    // Closes the innermost transaction; without one open it does nothing.
    static void commit();
    static void setDisableActions(bool disable);
    static bool disableActions();

    class Scope {
    public:
        Scope() { begin(); }
        ~Scope() { commit(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

private:
    struct Open {
        bool disablesActions = false;
        bool implicit = false;
    };
    static std::vector<Open>& openTransactions();
    static void commitImplicit();
};

}  // namespace ui
