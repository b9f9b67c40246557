#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace ui {

// Keeps application code (data sources, delegates) from running while a list view walks its own
// state. While a `Scope` is open, notices wait in order and reloads are only noted; when the
// outermost scope closes, the notices go out and the view applies the reloads it noted, in
// rounds, until nothing more is asked (bounded, so a delegate that reloads from every notice
// cannot keep the view busy forever).
class ListCallbackGate {
public:
    // Applies the reloads the view noted while busy; returns whether it applied any.
    explicit ListCallbackGate(std::function<bool()> applyDeferredReloads);

    class Scope {
    public:
        // `keepAlive` holds the view, so a callback that removes and releases it cannot free it
        // in the middle of its walk.
        Scope(ListCallbackGate& gate, std::shared_ptr<const void> keepAlive);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ListCallbackGate& gate_;
        std::shared_ptr<const void> keepAlive_;
    };

    bool busy() const { return depth_ > 0; }
    // Runs the notice now when idle, else after the outermost scope.
    void sendWhenIdle(std::function<void()> notice);

private:
    void flush();

    std::function<bool()> applyDeferredReloads_;
    std::vector<std::function<void()>> notices_;
    int depth_ = 0;
};

}  // namespace ui
