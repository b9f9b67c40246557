#pragma once

#include <map>
#include <memory>

#include "gfx/TraitCollection.h"
#include "ui/Touch.h"
#include "ui/View.h"

namespace ui {

class LayoutEngine;

// The root of a view tree: a screen of a given size in points and scale in pixels per point,
// its appearance (trait collection) and layout direction. The window keeps one incremental
// solver for every constraint of its tree; laying out changes only what was edited since.
class Window : public View {
public:
    static std::shared_ptr<Window> create(gfx::Size screenSize, double scale = 2.0);
    ~Window() override;

    const char* className() const override { return "Window"; }

    gfx::Size screenSize() const { return bounds().size(); }
    double scale() const { return scale_; }

    const gfx::TraitCollection& windowTraitCollection() const { return traits_; }
    // Calls traitCollectionDidChange through the whole tree when the appearance changes.
    void setTraitCollection(const gfx::TraitCollection& traits);

    LayoutDirection layoutDirection() const { return direction_; }
    // Rebuilds the constraints that depend on it (leading and trailing), so it is not free.
    void setLayoutDirection(LayoutDirection direction);

    // Solves the constraints that changed and assigns frames, then runs layoutSubviews where
    // it is needed, top-down, repeating while those change constraints again.
    void layoutWindowIfNeeded();

    LayoutEngine& layoutEngine() { return *engine_; }

    // Delivers one phase of a finger's touch sequence. A touch that begins goes to the view hit
    // at its location; every later phase with the same identifier goes to that same view, until
    // the sequence ends or is cancelled. Returns the view it went to (null when none: a began
    // touch that hit nothing, a phase of an unknown sequence, or a view that is gone).
    std::shared_ptr<View> sendTouch(Touch touch);

private:
    Window(gfx::Size screenSize, double scale);
    bool applyLayout(View& view);

    double scale_;
    gfx::TraitCollection traits_ = gfx::TraitCollection::light();
    LayoutDirection direction_ = LayoutDirection::LeftToRight;
    std::unique_ptr<LayoutEngine> engine_;
    std::map<int, std::weak_ptr<View>> touchTargets_;
};

}  // namespace ui
