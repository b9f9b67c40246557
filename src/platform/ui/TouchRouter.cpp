#include "ui/TouchRouter.h"

#include <algorithm>

#include "ui/View.h"

namespace ui {

std::shared_ptr<View> TouchRouter::route(Touch touch, View& root) {
    // 1. Find the finger's sequence: a new one for a touch that begins.
    if (touch.phase() == TouchPhase::Began && !beginSequence(touch, root)) return nullptr;
    auto found = sequences_.find(touch.identifier());
    if (found == sequences_.end()) return nullptr;
    auto view = found->second.view.lock();
    if (view) touch.setView(view);
    found->second.lastTouch = touch;
    // A recogniser's action may route other touches: work from a copy of the list.
    auto recognizers = found->second.recognizers;

    // 2. Recognisers first: one that begins now may take the touch from the view.
    for (const auto& recognizer : recognizers) recognizer->receiveTouch(touch, this);

    // 3. Then the view, unless a recogniser has taken the touch.
    found = sequences_.find(touch.identifier());
    bool taken = found != sequences_.end() && found->second.viewCancelled;
    if (view && !taken) {
        if (found != sequences_.end()) found->second.viewTouched = true;
        deliverToView(*view, touch);
    }

    // 4. A lifted finger's sequence is over; recognisers whose gesture is over start afresh.
    bool lifted = touch.phase() == TouchPhase::Ended || touch.phase() == TouchPhase::Cancelled;
    found = sequences_.find(touch.identifier());
    if (lifted && found != sequences_.end()) sequences_.erase(found);
    for (const auto& recognizer : recognizers) {
        if (recognizer->isFinished()) recognizer->reset();
    }
    return view;
}

bool TouchRouter::beginSequence(const Touch& touch, View& root) {
    // A finger that begins again without having ended: end the old sequence first, so its
    // view and recognisers do not wait for a lift that never comes.
    if (auto stale = sequences_.find(touch.identifier()); stale != sequences_.end()) {
        Touch cancel = stale->second.lastTouch.value_or(touch).withPhase(TouchPhase::Cancelled);
        route(cancel, root);
    }
    auto hit = root.hitTest(touch.locationInWindow());
    if (!hit) return false;
    sequences_[touch.identifier()] = Sequence{hit, recognizersFor(*hit, touch), std::nullopt, false, false};
    return true;
}

std::vector<std::shared_ptr<GestureRecognizer>> TouchRouter::recognizersFor(View& hit, const Touch& touch) {
    std::vector<std::shared_ptr<GestureRecognizer>> found;
    for (auto view = hit.shared_from_this(); view; view = view->superview()) {
        for (const auto& recognizer : view->gestureRecognizers()) {
            if (!recognizer->isEnabled()) continue;
            auto delegate = recognizer->delegate();
            if (delegate && !delegate->gestureRecognizerShouldReceiveTouch(*recognizer, touch)) continue;
            found.push_back(recognizer);
        }
    }
    return found;
}

void TouchRouter::deliverToView(View& view, const Touch& touch) {
    auto keep = view.shared_from_this();
    const Responder::Touches touches{touch};
    switch (touch.phase()) {
        case TouchPhase::Began:
            view.touchesBegan(touches);
            break;
        case TouchPhase::Moved:
            view.touchesMoved(touches);
            break;
        case TouchPhase::Stationary:
            break;  // nothing changed for the view to hear about
        case TouchPhase::Ended:
            view.touchesEnded(touches);
            break;
        case TouchPhase::Cancelled:
            view.touchesCancelled(touches);
            break;
    }
}

bool TouchRouter::simultaneous(GestureRecognizer& a, GestureRecognizer& b) {
    auto delegateA = a.delegate(), delegateB = b.delegate();
    return (delegateA && delegateA->gestureRecognizerShouldRecognizeSimultaneously(a, b)) ||
           (delegateB && delegateB->gestureRecognizerShouldRecognizeSimultaneously(b, a));
}

bool TouchRouter::mayBegin(GestureRecognizer& recognizer) {
    auto owner = recognizer.view();
    if (!owner) return false;
    for (auto& [identifier, sequence] : sequences_) {
        const auto& list = sequence.recognizers;
        if (std::find(list.begin(), list.end(), recognizer.shared_from_this()) == list.end()) continue;
        // The views the touch would be taken from may refuse.
        for (auto view = sequence.view.lock(); view; view = view->superview()) {
            if (!view->gestureRecognizerShouldBegin(recognizer)) return false;
            if (view == owner) break;
        }
        // One that already won the touch keeps it.
        for (const auto& other : list) {
            bool won = other->isActive() || other->state() == GestureRecognizer::Recognized;
            if (other.get() != &recognizer && won && !simultaneous(recognizer, *other)) return false;
        }
    }
    return true;
}

void TouchRouter::didBegin(GestureRecognizer& recognizer) {
    std::vector<std::pair<std::shared_ptr<View>, Touch>> cancellations;
    for (auto& [identifier, sequence] : sequences_) {
        const auto& list = sequence.recognizers;
        if (std::find(list.begin(), list.end(), recognizer.shared_from_this()) == list.end()) continue;
        for (const auto& other : list) {
            if (other.get() != &recognizer && !simultaneous(recognizer, *other)) other->fail();
        }
        if (!recognizer.cancelsTouchesInView() || sequence.viewCancelled) continue;
        sequence.viewCancelled = true;
        auto view = sequence.view.lock();
        if (view && sequence.viewTouched && sequence.lastTouch) {
            cancellations.emplace_back(view, sequence.lastTouch->withPhase(TouchPhase::Cancelled));
        }
    }
    // Views hear of it last: their handlers may route further touches.
    for (const auto& [view, touch] : cancellations) deliverToView(*view, touch);
}

}  // namespace ui
