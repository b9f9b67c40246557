#include "ui/ListTouchTracker.h"

#include <utility>

namespace ui {

ListTouchTracker::ListTouchTracker(ListCallbackGate& gate, Hooks hooks)
    : gate_(gate), hooks_(std::move(hooks)) {}

void ListTouchTracker::tell(const std::function<void(IndexPath)>& notice, IndexPath indexPath) {
    if (notice) gate_.sendWhenIdle([notice, indexPath] { notice(indexPath); });
}

void ListTouchTracker::began(gfx::Point point) {
    ListCallbackGate::Scope busy(gate_, hooks_.keepAlive());
    unhighlight();
    auto indexPath = hooks_.itemAt(point);
    if (!indexPath || !hooks_.shouldHighlight(*indexPath)) return;
    highlighted_ = indexPath;
    hooks_.showHighlight(*indexPath, true);
    tell(hooks_.didHighlight, *indexPath);
}

void ListTouchTracker::moved(gfx::Point point) {
    if (!highlighted_) return;
    ListCallbackGate::Scope busy(gate_, hooks_.keepAlive());
    if (hooks_.itemAt(point) != highlighted_) unhighlight();
}

void ListTouchTracker::ended() {
    if (!highlighted_) return;
    ListCallbackGate::Scope busy(gate_, hooks_.keepAlive());
    IndexPath indexPath = *highlighted_;
    unhighlight();
    if (selected_ && *selected_ != indexPath) {
        IndexPath previous = *selected_;
        deselect(previous, false);
        tell(hooks_.didDeselect, previous);
    }
    select(indexPath, false);
    tell(hooks_.didSelect, indexPath);
}

void ListTouchTracker::cancelled() {
    ListCallbackGate::Scope busy(gate_, hooks_.keepAlive());
    unhighlight();
}

void ListTouchTracker::unhighlight() {
    if (!highlighted_) return;
    IndexPath indexPath = *std::exchange(highlighted_, std::nullopt);
    hooks_.showHighlight(indexPath, false);
    tell(hooks_.didUnhighlight, indexPath);
}

void ListTouchTracker::select(IndexPath indexPath, bool animated) {
    if (selected_ && *selected_ != indexPath) deselect(*selected_, animated);
    selected_ = indexPath;
    hooks_.showSelection(indexPath, true, animated);
}

void ListTouchTracker::deselect(IndexPath indexPath, bool animated) {
    if (selected_ != indexPath) return;
    selected_.reset();
    hooks_.showSelection(indexPath, false, animated);
}

}  // namespace ui
