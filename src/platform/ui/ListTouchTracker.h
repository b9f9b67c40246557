#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "gfx/Geometry.h"
#include "ui/IndexPath.h"
#include "ui/ListCallbackGate.h"

namespace ui {

// Highlight and single selection from touches, the same for tables and collections: a finger
// that comes down on an item highlights it (if the owner allows), sliding off the item or a
// cancelled touch lets go of it, and lifting it on the item selects it after deselecting the
// previous selection.
//
// The tracker holds positions only. The list shows the states (`Hooks::show...`) and tells its
// owner through the callback gate: a touch's notices are queued while the tracker settles its
// state and go out in order afterwards, so an owner that reloads from `didUnhighlight` neither
// interrupts the selection nor receives it for a row that is gone.
class ListTouchTracker {
public:
    struct Hooks {
        // The item under a point of the list's bounds, if one can be touched there.
        std::function<std::optional<IndexPath>(gfx::Point)> itemAt;
        std::function<bool(IndexPath)> shouldHighlight;
        std::function<void(IndexPath, bool highlighted)> showHighlight;
        std::function<void(IndexPath, bool selected, bool animated)> showSelection;
        // Notices for the owner; run through the gate.
        std::function<void(IndexPath)> didHighlight, didUnhighlight, didSelect, didDeselect;
        // Holds the list while the owner's code runs.
        std::function<std::shared_ptr<const void>()> keepAlive;
    };

    ListTouchTracker(ListCallbackGate& gate, Hooks hooks);

    void began(gfx::Point point);
    void moved(gfx::Point point);
    void ended();
    void cancelled();

    std::optional<IndexPath> highlighted() const { return highlighted_; }
    std::optional<IndexPath> selected() const { return selected_; }
    // Lets go of the highlight (the item leaves the screen or the list reloads); the owner is told.
    void unhighlight();
    // Selection set in code: shown, the owner is not told.
    void select(IndexPath indexPath, bool animated);
    void deselect(IndexPath indexPath, bool animated);
    // The list forgot its items: nothing is shown, nobody is told.
    void forgetSelection() { selected_.reset(); }

private:
    void tell(const std::function<void(IndexPath)>& notice, IndexPath indexPath);

    ListCallbackGate& gate_;
    Hooks hooks_;
    std::optional<IndexPath> highlighted_;
    std::optional<IndexPath> selected_;
};

}  // namespace ui
