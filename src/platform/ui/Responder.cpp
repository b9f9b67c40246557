#include "ui/Responder.h"

#include <vector>

#include "base/Log.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {

Responder::~Responder() {
    for (const auto& [token, name] : pending_) base::RunLoop::main().cancel(token);
}

void Responder::registerAction(const std::string& name, ActionHandler handler) {
    actions_[name] = std::move(handler);
}

void Responder::unregisterAction(const std::string& name) { actions_.erase(name); }

bool Responder::respondsToAction(const std::string& name) const { return actions_.count(name) != 0; }

bool Responder::performAction(const std::string& name) {
    auto found = actions_.find(name);
    if (found == actions_.end()) {
        base::Log::line("ui: no handler for action \"" + name + "\"; ignored");
        return false;
    }
    // The handler may drop the last outside reference to this responder or replace itself.
    auto self = weak_from_this().lock();
    ActionHandler handler = found->second;
    handler();
    return true;
}

bool Responder::sendAction(const std::string& name) {
    std::shared_ptr<Responder> next;
    for (Responder* responder = this; responder; responder = next.get()) {
        if (responder->respondsToAction(name)) return responder->performAction(name);
        next = responder->nextResponder();
    }
    base::Log::line("ui: no responder handles action \"" + name + "\"; ignored");
    return false;
}

void Responder::performAfterDelay(const std::string& name, Duration delay) {
    auto weakSelf = weak_from_this();
    auto token = std::make_shared<base::RunLoop::Token>(0);
    *token = base::RunLoop::main().postDelayed(delay, [weakSelf, token, name] {
        if (auto self = weakSelf.lock()) self->firePending(*token, name);
    });
    pending_.emplace(*token, name);
}

void Responder::firePending(base::RunLoop::Token token, const std::string& name) {
    pending_.erase(token);
    performAction(name);
}

void Responder::cancelPerformAfterDelay(const std::string& name) {
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->second == name) {
            base::RunLoop::main().cancel(it->first);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
}

std::shared_ptr<Window> Responder::responderWindow() const {
    auto next = nextResponder();
    return next ? next->responderWindow() : nullptr;
}

bool Responder::isFirstResponder() const {
    auto window = responderWindow();
    return window && window->firstResponder().get() == this;
}

bool Responder::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    auto window = responderWindow();
    if (!window || !canBecomeFirstResponder()) return false;
    if (auto current = window->firstResponder()) {
        if (!current->resignFirstResponder()) return false;
    }
    window->firstResponder_ = weak_from_this();
    return true;
}

bool Responder::resignFirstResponder() {
    if (!isFirstResponder()) return true;
    if (!canResignFirstResponder()) return false;
    if (auto window = responderWindow()) window->firstResponder_.reset();
    return true;
}

void Responder::touchesBegan(const Touches& touches) {
    if (auto next = nextResponder()) next->touchesBegan(touches);
}

void Responder::touchesMoved(const Touches& touches) {
    if (auto next = nextResponder()) next->touchesMoved(touches);
}

void Responder::touchesEnded(const Touches& touches) {
    if (auto next = nextResponder()) next->touchesEnded(touches);
}

void Responder::touchesCancelled(const Touches& touches) {
    if (auto next = nextResponder()) next->touchesCancelled(touches);
}

bool Responder::pressesBegan(const Press& press) {
    auto next = nextResponder();
    return next && next->pressesBegan(press);
}

}  // namespace ui
