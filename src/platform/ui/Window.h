#pragma once

#include <memory>
#include <vector>

#include "base/Clock.h"
#include "gfx/TraitCollection.h"
#include "ui/Press.h"
#include "ui/Touch.h"
#include "ui/View.h"

namespace ui {

class LayoutEngine;
class TouchRouter;
class ViewController;

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

    // One frame, as a host runs it after handling input: everything on the frame clock moves
    // on to `now` (animations, scroll motion), then the tree is laid out. The host draws next.
    void runFrame(base::Clock::TimePoint now);
    // Whether a host should draw a frame although no input came: something moves, or a view
    // asked to be drawn again.
    bool needsFrame() const;

    // Delivers a key press to the first responder and up the responder chain from it; with no
    // first responder, to the controller presented last (or the root controller) and up from
    // there. The window itself is the chain's end: Escape dismisses the controller presented
    // last unless it is modal in presentation. Returns whether anyone handled the press
    // (false for Escape with nothing presented: the host may quit).
    bool sendPress(const Press& press);
    bool pressesBegan(const Press& press) override;

    // Delivers one phase of a finger's touch sequence. A touch that begins goes to the view hit
    // at its location, and every later phase with the same identifier to that same view, until
    // the sequence ends or is cancelled. The gesture recognisers of that view and its ancestors
    // hear every phase first; the first to begin wins the touch (nearest the view first), and
    // unless it was told not to, takes it from the view, which gets touchesCancelled (a pan
    // that starts moving cancels a button's touch; a control keeps its taps from its
    // ancestors' tap recognisers). See TouchRouter for the whole rule. Returns the view the
    // sequence belongs to (null when none: a began touch that hit nothing, a phase of an
    // unknown sequence, or a view that is gone).
    std::shared_ptr<View> sendTouch(Touch touch);

    // The window's one first responder (see Responder::becomeFirstResponder); null when none.
    std::shared_ptr<Responder> firstResponder() const { return firstResponder_.lock(); }

    // Overlays float above everything of the window (popovers, sheets, alerts, the on-screen
    // keyboard). They are the window's last subviews, in push order: drawn after everything
    // else and hit first. Adding or bringing forward an ordinary subview of the window keeps it
    // below them. Pushing a view that is already an overlay moves it to the top.
    void pushOverlay(const std::shared_ptr<View>& view);
    // Takes the overlay out of the window (as `removeFromSuperview` on it would).
    void removeOverlay(const std::shared_ptr<View>& view);
    // Bottom to top.
    std::vector<std::shared_ptr<View>> overlays() const;

    // The controller whose view fills the window (held strongly); the previous one disappears
    // and the new one appears.
    void setRootViewController(std::shared_ptr<ViewController> controller);
    std::shared_ptr<ViewController> rootViewController() const { return rootViewController_; }

private:
    Window(gfx::Size screenSize, double scale);
    friend class Responder;
    friend class View;
    // Assigns the solved frames of `view`'s subtree top-down, snapped to `scale`'s pixel grid,
    // running layoutSubviews where needed; returns whether anything changed.
    static bool applyLayout(View& view, LayoutEngine& engine, gfx::Point engineOrigin, double scale);
    bool islandIsDirty(const View& view) const;
    std::size_t subviewIndexLimit(const View& inserted) const override;
    bool isOverlay(const View& view) const;
    // Called as `views` leave the window: the first responder among them resigns, even if it
    // would rather not.
    void resignFirstResponderAmong(const std::vector<std::shared_ptr<View>>& views);

    double scale_;
    gfx::TraitCollection traits_ = gfx::TraitCollection::light();
    LayoutDirection direction_ = LayoutDirection::LeftToRight;
    std::unique_ptr<LayoutEngine> engine_;
    std::unique_ptr<TouchRouter> router_;
    std::weak_ptr<Responder> firstResponder_;
    // The overlays that are (or were) subviews, in push order; one that has left is forgotten.
    mutable std::vector<std::weak_ptr<View>> overlays_;
    const View* pushing_ = nullptr;  // the overlay being inserted
    std::shared_ptr<ViewController> rootViewController_;
};

}  // namespace ui
