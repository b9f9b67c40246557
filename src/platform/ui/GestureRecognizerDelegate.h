#pragma once

namespace ui {

class GestureRecognizer;
class Touch;

// What an owner (usually a controller) may decide about a recogniser. Every answer defaults to
// the recogniser's own behaviour, so a delegate overrides only what it cares about.
class GestureRecognizerDelegate {
public:
    virtual ~GestureRecognizerDelegate() = default;

    // Asked when the recogniser is about to begin (or, for a tap, to be recognised); false
    // makes it fail instead.
    virtual bool gestureRecognizerShouldBegin(GestureRecognizer&) { return true; }
    // Asked when a touch begins on the recogniser's view or below it; false keeps that whole
    // touch sequence away from the recogniser.
    virtual bool gestureRecognizerShouldReceiveTouch(GestureRecognizer&, const Touch&) { return true; }
    // Asked when one of two recognisers of the same touch begins while the other could too;
    // true from either side lets both run.
    virtual bool gestureRecognizerShouldRecognizeSimultaneously(GestureRecognizer&,
                                                                GestureRecognizer& /*other*/) {
        return false;
    }
};

}  // namespace ui
