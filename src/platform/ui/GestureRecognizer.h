#pragma once

#include <map>
#include <memory>
#include <string>

#include "gfx/Geometry.h"
#include "ui/GestureRecognizerDelegate.h"
#include "ui/TargetActionTable.h"
#include "ui/Touch.h"

namespace ui {

class Responder;
class View;

// Turns the touch sequences on a view (and the views below it) into a gesture, reported to
// targets by named action. Attach it with `View::addGestureRecognizer`; the view owns it.
//
// States: a recogniser waits in `Possible`. A discrete one (a tap) goes straight to
// `Recognized` (= `Ended`) or to `Failed`. A continuous one (a pan) goes to `Began`, then
// `Changed` for every movement, and finally `Ended` or `Cancelled` (or `Failed` before it
// began). Targets hear every state but `Possible` and `Failed`. Once the touches it tracked
// have ended, a finished recogniser is reset to `Possible` for the next gesture, so a target
// reads `state()` and the gesture's values inside its action.
//
// Before a recogniser begins, its delegate, the window (see `Window::sendTouch` for which of
// several recognisers wins) and every view from the touched view up to the recogniser's view
// (`View::gestureRecognizerShouldBegin`) may refuse; a refused recogniser fails.
class GestureRecognizer : public std::enable_shared_from_this<GestureRecognizer> {
public:
    enum class State { Possible, Began, Changed, Ended, Cancelled, Failed };
    static constexpr State Recognized = State::Ended;

    // The window's side of beginning: whether a recogniser may begin, and what follows when
    // it does. Only set while the window delivers a touch.
    class Arbiter {
    public:
        virtual bool mayBegin(GestureRecognizer& recognizer) = 0;
        virtual void didBegin(GestureRecognizer& recognizer) = 0;

    protected:
        ~Arbiter() = default;
    };

    virtual ~GestureRecognizer() = default;
    GestureRecognizer(const GestureRecognizer&) = delete;
    GestureRecognizer& operator=(const GestureRecognizer&) = delete;

    virtual const char* className() const = 0;
    State state() const { return state_; }
    bool isActive() const { return state_ == State::Began || state_ == State::Changed; }

    bool isEnabled() const { return enabled_; }
    // Disabling cancels a gesture in progress (and fails one not yet recognised).
    void setEnabled(bool enabled);
    std::shared_ptr<View> view() const { return view_.lock(); }

    // A null target means the responder chain from the recogniser's view.
    void addTarget(const std::weak_ptr<Responder>& target, const std::string& action);
    // An empty action removes every action of `target`.
    void removeTarget(const std::weak_ptr<Responder>& target, const std::string& action);
    // Runs `handler` on every state change targets hear; the token takes it off again.
    ActionToken addAction(std::function<void()> handler);

    // Whether recognising cancels the touches of the view they were delivered to (true).
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }

    std::shared_ptr<GestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GestureRecognizerDelegate>& delegate) { delegate_ = delegate; }

    // The centroid of the touches down now, or where the last one was lifted, in `view`'s
    // coordinates (a null view means the window's).
    gfx::Point locationInView(const View* view) const;
    std::size_t numberOfTouches() const { return touches_.size(); }

    // The window's side: one phase of one touch, and the reset once a gesture is over.
    void receiveTouch(const Touch& touch, Arbiter* arbiter);
    // Whether the recogniser is done with its gesture and holds no touch: time to reset.
    bool isFinished() const;
    void reset();
    // Makes a recogniser that has not begun fail (another one won the touch).
    void fail();

protected:
    GestureRecognizer() = default;

    // One touch at a time, only while the recogniser is possible or in progress.
    virtual void touchBegan(const Touch& touch) = 0;
    virtual void touchMoved(const Touch& touch) = 0;
    virtual void touchEnded(const Touch& touch) = 0;
    // By default a gesture in progress is cancelled and one not yet recognised fails.
    virtual void touchCancelled(const Touch& touch);
    // Clears the subclass's own record of the gesture.
    virtual void resetGesture() {}

    // Moves to `state`, first asking whoever may refuse when that means beginning (a refused
    // recogniser fails), then sends the actions. Returns whether the state is now `state`.
    bool setState(State state);
    const std::map<int, Touch>& touches() const { return touches_; }

private:
    friend class View;
    bool shouldBegin();
    void sendActions();

    State state_ = State::Possible;
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
    std::weak_ptr<View> view_;
    std::weak_ptr<GestureRecognizerDelegate> delegate_;
    TargetActionTable targets_;
    std::map<int, Touch> touches_;
    gfx::Point lastLocation_;
    Arbiter* arbiter_ = nullptr;
};

}  // namespace ui
