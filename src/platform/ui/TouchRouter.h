#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ui/GestureRecognizer.h"
#include "ui/Touch.h"

namespace ui {

class View;

// A window's touch delivery: which view and which recognisers each finger's sequence goes to,
// and which recogniser wins. The rule:
//   - A touch that begins goes to the view it hits and to the enabled recognisers of that view
//     and its ancestors that accept it (delegate `shouldReceiveTouch`), nearest first. Every
//     later phase of the finger goes to the same ones: recognisers first, then the view.
//   - The first recogniser to begin (a tap: to be recognised) wins the touch; recognisers
//     that could begin on the same event are asked nearest the touched view first. The others
//     fail, unless a delegate lets the two recognise simultaneously.
//   - Every view from the touched view up to the recogniser's view may refuse it
//     (`View::gestureRecognizerShouldBegin`): a control refuses the taps of its ancestors, so
//     a tap on a control stays the control's.
//   - A winner that cancels touches in view (the default) takes the touch from the view: the
//     view gets `touchesCancelled` (a control sends touch cancel) and hears no more of it. A
//     pan that starts moving thus cancels the controls beneath it and makes their taps fail.
class TouchRouter final : private GestureRecognizer::Arbiter {
public:
    // Delivers one phase; returns the view the sequence belongs to (null when none).
    std::shared_ptr<View> route(Touch touch, View& root);

private:
    struct Sequence {
        std::weak_ptr<View> view;
        std::vector<std::shared_ptr<GestureRecognizer>> recognizers;
        std::optional<Touch> lastTouch;
        bool viewTouched = false;  // the view has heard the touch begin
        bool viewCancelled = false;
    };

    bool beginSequence(const Touch& touch, View& root);
    static std::vector<std::shared_ptr<GestureRecognizer>> recognizersFor(View& hit, const Touch& touch);
    static void deliverToView(View& view, const Touch& touch);
    static bool simultaneous(GestureRecognizer& a, GestureRecognizer& b);
    bool mayBegin(GestureRecognizer& recognizer) override;
    void didBegin(GestureRecognizer& recognizer) override;

    std::map<int, Sequence> sequences_;
};

}  // namespace ui
