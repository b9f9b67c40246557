#pragma once

#include <array>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "layout/Solver.h"
#include "ui/LayoutAttribute.h"
#include "ui/View.h"

namespace ui {

class View;
class LayoutConstraint;
class LayoutAnchor;

// The constraint side of a window: one layout::Solver for the whole tree, fed incrementally.
//
// Every view in the solver ("participating") has four unknowns, its rectangle in window
// coordinates. A view joins when an installed constraint first mentions it:
//   - a view laid out by frame contributes required constraints that pin its rectangle to its
//     superview's at its frame offset (its superview joins too, up to the window), updated in
//     place whenever the frame changes;
//   - a view laid out by constraints contributes its intrinsic size, if it has one: width and
//     height <= intrinsic at the hugging priority and >= intrinsic at the compression
//     resistance priority.
// A view leaves when it leaves the window. Leading and trailing are written in a mirrored
// coordinate (the negated x) in right-to-left windows, so the same constants mirror the layout.
//
// Islands: a view may keep an engine of its own for its subtree (View::setLayoutIsland; every
// table cell does). That engine works in the island root's coordinates: the root is the origin,
// pinned at (0, 0) and its frame's size through variables of the engine's own, so its own
// rectangle may sit in the enclosing engine at the same time. The views inside an island are
// solved there only. Moving the root (scrolling a table, taking a cell out for reuse and putting
// it back) then leaves the island's constraints where they are, instead of taking every one of
// them out of the window's solver and adding it again.
class LayoutEngine {
public:
    // `islandRoot`: the view whose subtree this engine lays out; null for a window's engine.
    explicit LayoutEngine(LayoutDirection direction, const View* islandRoot = nullptr)
        : direction_(direction), islandRoot_(islandRoot) {}
    // Constraints still installed are told they no longer are.
    ~LayoutEngine();
    LayoutEngine(const LayoutEngine&) = delete;
    LayoutEngine& operator=(const LayoutEngine&) = delete;

    void install(LayoutConstraint& constraint);
    // Installs the constraint in the engine where the rectangles of all its views live (an
    // island's root also lives in its own island). When the views share a window but their
    // rectangles live in different engines, the islands between them are given up for good,
    // and the constraint goes where the views then are. Does nothing when they do not share one.
    static void installWhereItBelongs(LayoutConstraint& constraint);
    void uninstall(LayoutConstraint& constraint);
    void constantDidChange(LayoutConstraint& constraint);
    void strengthDidChange(LayoutConstraint& constraint);

    bool participates(const View& view) const { return participants_.count(&view) != 0; }
    void viewWillLeave(View& view);
    void frameDidChange(View& view);
    void intrinsicContentSizeDidChange(View& view);
    void layoutModeDidChange(View& view);

    // Measuring in place (View::systemLayoutSizeFitting): from `beginMeasuring` to `endMeasuring`
    // the size of `view`'s frame gives way to a width held at `target.width` and a height drawn
    // towards `target.height` as weakly as possible; `measuredSize` reads the solution. A view
    // laid out by constraints keeps its own: the held width yields to the required ones.
    void beginMeasuring(View& view, gfx::Size target);
    gfx::Size measuredSize(const View& view) const;
    void endMeasuring(View& view);

    // The direction is only changed by the window, with every constraint uninstalled.
    void setLayoutDirection(LayoutDirection direction) { direction_ = direction; }
    LayoutDirection layoutDirection() const { return direction_; }

    // Writes the solution into the views' unknowns if anything changed since the last time.
    bool solveIfNeeded();
    bool isDirty() const { return dirty_; }
    std::size_t solverConstraintCount() const { return solver_.constraintCount(); }

private:
    struct Participant {
        std::vector<layout::Constraint> frame;      // left, top, width, height (frame layout)
        std::vector<layout::Constraint> intrinsic;  // hugging and compression per axis
    };
    void participate(View& view);
    void addFrameConstraints(View& view, Participant& participant);
    void addIntrinsicConstraints(View& view, Participant& participant);
    void removeAll(std::vector<layout::Constraint>& constraints);
    // `describe` runs only when the constraint is refused: describing costs more than adding.
    bool addLogged(const layout::Constraint& constraint, const std::function<std::string()>& describe);
    bool addLogged(const layout::Constraint& constraint, const char* what);
    layout::Expression expressionFor(const LayoutAnchor& anchor, const View& view, bool mirrored) const;
    layout::Constraint build(LayoutConstraint& constraint);
    const View::LayoutVariables& variablesOf(const View& view) const;
    std::array<double, 4> frameOffsets(const View& view) const;
    static LayoutEngine* sharedEngine(const std::vector<std::shared_ptr<View>>& views);
    static bool giveUpIslandsBetween(const std::vector<std::shared_ptr<View>>& views);

    layout::Solver solver_;
    LayoutDirection direction_;
    const View* islandRoot_;
    View::LayoutVariables rootVariables_;  // the island root as the engine sees it
    std::unordered_map<const View*, Participant> participants_;
    std::unordered_set<LayoutConstraint*> installed_;
    std::unordered_map<const View*, std::vector<layout::Constraint>> measuring_;  // the stand-ins
    bool dirty_ = false;
};

}  // namespace ui
