#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/RunLoop.h"

namespace ui {

class Touch;
class Window;
struct Press;

// An object that takes part in event handling: views, and the controllers that own views.
// Responders form a chain through `nextResponder` (a view's owner if it has one, else its
// superview), along which `sendAction` looks for the nearest responder that handles a
// named action.
//
// Actions are registered by name. Calling a name nobody registered is not an error: it is
// logged (one line per call) and ignored, so a misspelt action shows up in the log instead
// of taking the program down.
class Responder : public std::enable_shared_from_this<Responder> {
public:
    using ActionHandler = std::function<void()>;
    using Duration = base::RunLoop::Duration;

    virtual ~Responder();
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    virtual std::shared_ptr<Responder> nextResponder() const { return nullptr; }

    // Registering a name again replaces its handler.
    void registerAction(const std::string& name, ActionHandler handler);
    void unregisterAction(const std::string& name);
    bool respondsToAction(const std::string& name) const;
    // Runs this responder's handler; false (and a log line) when it has none.
    bool performAction(const std::string& name);
    // Runs the handler of the nearest responder on the chain, starting with this one; false
    // (and a log line) when none responds.
    bool sendAction(const std::string& name);

    // Performs `name` on this responder after `delay` on the main run loop. The pending call
    // holds no reference: once the responder is gone it does nothing.
    void performAfterDelay(const std::string& name, Duration delay);
    // Cancels every pending delayed call of `name`.
    void cancelPerformAfterDelay(const std::string& name);

    // The first responder: the one responder of a window that receives typed text and edit
    // actions first (a text field being edited). Only a responder in a window that can
    // become it does; becoming it first resigns the previous one, and fails if that one
    // refuses. A view that leaves its window resigns. Subclasses override
    // become/resign to react (show the keyboard) and call these first.
    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    virtual bool becomeFirstResponder();
    // True when this is not (or no longer) the first responder.
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;
    // The window this responder belongs to: a view's window, else the next responder's.
    virtual std::shared_ptr<Window> responderWindow() const;

    // Touch handling. A sequence of touches goes to the view hit when it began; by default each
    // method hands the touches on to the next responder.
    using Touches = std::vector<Touch>;
    virtual void touchesBegan(const Touches& touches);
    virtual void touchesMoved(const Touches& touches);
    virtual void touchesEnded(const Touches& touches);
    virtual void touchesCancelled(const Touches& touches);

    // Key presses go to the window's first responder and up the chain from there. Returns
    // whether the press was handled; by default it is handed on to the next responder.
    virtual bool pressesBegan(const Press& press);

protected:
    Responder() = default;

private:
    void firePending(base::RunLoop::Token token, const std::string& name);

    std::map<std::string, ActionHandler> actions_;
    std::map<base::RunLoop::Token, std::string> pending_;
};

}  // namespace ui
