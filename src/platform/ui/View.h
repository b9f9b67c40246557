#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/TraitCollection.h"
#include "layout/Variable.h"
#include "ui/AnimatableValue.h"
#include "ui/AnimationOptions.h"
#include "ui/Layer.h"
#include "ui/LayoutAnchor.h"
#include "ui/LayoutAttribute.h"
#include "ui/Responder.h"

namespace gfx {
class Painter;
}

namespace ui {

class Window;
class GestureRecognizer;
class LayoutConstraint;
class LayoutEngine;

// How a view's frame follows its superview's size when it is laid out by frames
// (the platform's mask values).
enum AutoresizingMask : unsigned {
    AutoresizingNone = 0,
    FlexibleWidth = 2,
    FlexibleHeight = 16,
};

// A rectangle of the screen: a node of the view tree. Views are reference objects made with
// `create()`; a superview owns its subviews, the back-references (superview, window) are weak.
//
// Geometry is in points. `frame` is the rectangle in the superview's coordinates, `bounds` the
// view's own coordinate space (its origin scrolls the content), `center` the frame's centre.
// A view is laid out either by its frame (`translatesAutoresizingMaskIntoConstraints`, the
// default, with the autoresizing mask following the superview's size) or by constraints, which
// the window's solver turns into frames on `layoutIfNeeded`.
//
// Subclasses override `layoutSubviews`, `intrinsicContentSize`, `sizeThatFits`, `draw`,
// `traitCollectionDidChange`, `didMoveToWindow`, `tintColorDidChange` and `hitTest`.
class View : public Responder {
public:
    // An intrinsic size of this on an axis means "none on that axis".
    static constexpr double kNoIntrinsicMetric = -1;

    static std::shared_ptr<View> create();
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    std::shared_ptr<View> shared_from_this() {
        return std::static_pointer_cast<View>(Responder::shared_from_this());
    }
    std::weak_ptr<View> weak_from_this() {
        return std::static_pointer_cast<View>(Responder::weak_from_this().lock());
    }

    // The responder chain: the owning responder (a controller whose root view this is) when
    // one was set, else the superview.
    std::shared_ptr<Responder> nextResponder() const override;
    void setOwningResponder(const std::weak_ptr<Responder>& owner) { owningResponder_ = owner; }
    std::shared_ptr<Window> responderWindow() const override { return window(); }

    // The name the tree dumps show.
    virtual const char* className() const { return "View"; }

    // Geometry. With the identity transform `frame` is the view's rectangle in its
    // superview; with another transform it is the smallest rectangle holding the transformed
    // view. `setFrame` always sets the untransformed rectangle (centre and size), which
    // `layoutFrame` reads back; layout works on that rectangle and leaves transforms alone.
    gfx::Rect frame() const;
    void setFrame(const gfx::Rect& frame);
    gfx::Rect layoutFrame() const;
    gfx::Rect bounds() const { return {boundsOrigin_, size_}; }
    void setBounds(const gfx::Rect& bounds);
    gfx::Point center() const { return center_; }
    void setCenter(gfx::Point center);

    // Appearance.
    double alpha() const { return alpha_; }
    void setAlpha(double alpha);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips) { clipsToBounds_ = clips; }
    const gfx::Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const gfx::Color& color);
    // Applied about the view's centre; the 2D part of `layer().transform()`.
    gfx::AffineTransform transform() const { return layer_.transform().affine(); }
    void setTransform(const gfx::AffineTransform& transform);
    // The view's own tint, else its superview's, else the system blue.
    gfx::Color tintColor() const;
    void setTintColor(std::optional<gfx::Color> color);
    Layer& layer() { return layer_; }
    const Layer& layer() const { return layer_; }

    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // This view or the first descendant (depth first, in order) with the tag.
    std::shared_ptr<View> viewWithTag(int tag);

    // The tree. Adding a view that already has a superview moves it; adding a view to itself
    // or to one of its own descendants is a programmer error (std::invalid_argument).
    const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
    std::shared_ptr<View> superview() const { return superview_.lock(); }
    std::shared_ptr<Window> window() const { return window_.lock(); }
    void addSubview(const std::shared_ptr<View>& view);
    void insertSubview(const std::shared_ptr<View>& view, std::size_t index);
    void removeFromSuperview();
    void bringSubviewToFront(const std::shared_ptr<View>& view);
    bool isDescendantOf(const View& ancestor) const;

    // Asks the frame clock for a frame, so a host draws this view again even when nothing
    // moves and no input came (its content changed from outside the view tree).
    void setNeedsDisplay();

    // Layout.
    void setNeedsLayout() { needsLayout_ = true; }
    bool needsLayout() const { return needsLayout_; }
    // In a window, lays out the window's whole tree (constraints first, then layoutSubviews
    // top-down); outside a window, runs layoutSubviews where it is needed in this subtree.
    void layoutIfNeeded();
    virtual void layoutSubviews() {}
    virtual gfx::Size sizeThatFits(gfx::Size size) const;
    void sizeToFit();
    // The size this view's constraints give it with its width held at `targetSize.width` and its
    // height drawn towards `targetSize.height` as weakly as possible (0: as short as they allow),
    // as a self-sizing cell is measured. Solved where the view is, in the solver that lays it out
    // (an island's own): its frame, window, appearance and the first responder stay as they
    // are, and so do the constraints of the islands it is in.
    gfx::Size systemLayoutSizeFitting(gfx::Size targetSize);
    virtual gfx::Size intrinsicContentSize() const { return {kNoIntrinsicMetric, kNoIntrinsicMetric}; }
    // Call when what intrinsicContentSize returns has changed.
    void invalidateIntrinsicContentSize();
    // True for a view whose intrinsic size follows its width (text wrapping within it): after
    // constraints give it a new width, the window asks for its intrinsic size again.
    virtual bool intrinsicContentSizeDependsOnWidth() const { return false; }
    double contentHuggingPriority(LayoutAxis axis) const;
    void setContentHuggingPriority(double priority, LayoutAxis axis);
    double contentCompressionResistancePriority(LayoutAxis axis) const;
    void setContentCompressionResistancePriority(double priority, LayoutAxis axis);
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
    LayoutDirection effectiveLayoutDirection() const;
    // A layout island lays its subviews out with a solver of its own, in its own coordinates, so
    // moving it (or taking it out of the window and putting it back, as a table does with the
    // cells it reuses) leaves their constraints in place. It works while the view is laid out
    // by its frame and no constraint relates a view inside it to one outside; a constraint that
    // does gives the island up for good, and the subviews are then solved with the window's.
    void setLayoutIsland(bool island);
    bool isLayoutIsland() const { return islandEngine_ != nullptr; }
    // The solver this view's rectangle lives in: the nearest island above it, else its window's.
    LayoutEngine* layoutEngine() const;
    // The island's own solver, when this view is one.
    LayoutEngine* islandLayoutEngine() const { return islandEngine_.get(); }

    // Anchors.
    LayoutAnchor leftAnchor() { return anchor(LayoutAttribute::Left); }
    LayoutAnchor rightAnchor() { return anchor(LayoutAttribute::Right); }
    LayoutAnchor topAnchor() { return anchor(LayoutAttribute::Top); }
    LayoutAnchor bottomAnchor() { return anchor(LayoutAttribute::Bottom); }
    LayoutAnchor leadingAnchor() { return anchor(LayoutAttribute::Leading); }
    LayoutAnchor trailingAnchor() { return anchor(LayoutAttribute::Trailing); }
    LayoutAnchor widthAnchor() { return anchor(LayoutAttribute::Width); }
    LayoutAnchor heightAnchor() { return anchor(LayoutAttribute::Height); }
    LayoutAnchor centerXAnchor() { return anchor(LayoutAttribute::CenterX); }
    LayoutAnchor centerYAnchor() { return anchor(LayoutAttribute::CenterY); }
    // The active constraints that relate this view.
    const std::vector<std::shared_ptr<LayoutConstraint>>& constraints() const { return constraints_; }

    // Drawing: `draw` paints the view's own content in its bounds coordinates, after its
    // background and before its subviews. `hasContent` tells the renderer that draw paints
    // something (so a translucent view with content needs an opacity group).
    virtual void draw(gfx::Painter& painter, const gfx::Rect& rect);
    virtual bool hasContent() const { return false; }

    // Environment.
    gfx::TraitCollection traitCollection() const;
    virtual void traitCollectionDidChange(const gfx::TraitCollection& previous);
    virtual void didMoveToWindow() {}
    virtual void tintColorDidChange() {}

    // Animation. Inside `changes`, setting the frame, centre, bounds (also through
    // `layoutIfNeeded`), alpha, background colour or transform changes the model value at
    // once (getters return it) and animates what is drawn from what was drawn before to it,
    // on the main run loop's clock, after `delay` seconds and over `duration` seconds, on the
    // curve the options name. `completion` runs on a later turn of the main run loop: with
    // true once everything started here has run to its end (or nothing was animated), with
    // false when any of it was removed or replaced by a newer animation of the same property.
    // A change outside an animate block (or with actions disabled by a `Transaction`) ends a
    // running animation of that property. Animations go on after a view leaves its window
    // and end (with false) when the view is destroyed. Main thread only.
    static void animate(double duration, double delay, unsigned options, const std::function<void()>& changes,
                        std::function<void(bool finished)> completion = {});
    static void animate(double duration, const std::function<void()>& changes,
                        std::function<void(bool finished)> completion = {});

    // What is drawn now: the model values with running animations applied. Colours that
    // animate are resolved for this view's appearance.
    struct Presentation {
        gfx::Point center;
        gfx::Size size;
        gfx::Point boundsOrigin;
        double alpha = 1;
        gfx::Color backgroundColor;
        Transform3D transform;
        gfx::Rect bounds() const { return {boundsOrigin, size}; }
    };
    Presentation presentation() const;
    double presentationAlpha() const;

    // Hit testing, in this view's bounds coordinates. A hidden, (almost) transparent or
    // non-interactive view and its subviews are never hit, nor is a point outside the bounds;
    // nor is a view while an animation without AnimationOptionAllowUserInteraction runs on
    // it. Hit testing and conversions use model values and respect transforms.
    virtual std::shared_ptr<View> hitTest(gfx::Point point);
    virtual bool pointInside(gfx::Point point) const;
    // Gesture recognisers, owned by the view; adding one moves it from any other view.
    void addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    void removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const {
        return gestureRecognizers_;
    }
    // Whether `recognizer` (of this view or an ancestor) may begin with a touch on this view,
    // taking the touch from it; asked of every view from the touched one up to the recogniser's.
    virtual bool gestureRecognizerShouldBegin(GestureRecognizer&) { return true; }

    // Between this view's coordinates and `other`'s; a null `other` means the root of the tree
    // (the window).
    gfx::Point convertPoint(gfx::Point point, const View* to) const;
    gfx::Point convertPointFrom(gfx::Point point, const View* from) const;
    gfx::Rect convertRect(const gfx::Rect& rect, const View* to) const;

    // The solver's unknowns for this view: its rectangle in window coordinates.
    struct LayoutVariables {
        layout::Variable left, top, width, height;
    };
    const LayoutVariables& layoutVariables() const { return variables_; }

protected:
    View();

private:
    friend class LayoutConstraint;
    friend class LayoutEngine;
    friend class Layer;
    // Every animatable setter comes here: stores the model value and tells the scheduler.
    void changeAnimatable(AnimatableProperty property, const AnimatableValue& value);
    AnimatableValue modelValue(AnimatableProperty property) const;
    void storeModelValue(AnimatableProperty property, const AnimatableValue& value);
    AnimatableValue presentationValue(AnimatableProperty property) const;
    // Makes what the property shows now its model value (through the setters, so layout hears).
    void setPresentedAsModel(AnimatableProperty property);
    // Maps this view's bounds coordinates into its superview's (model values).
    gfx::AffineTransform transformToSuperview() const;
    gfx::Point layoutOriginInWindow() const;
    friend class Window;
    LayoutAnchor anchor(LayoutAttribute attribute) { return {weak_from_this(), attribute}; }
    // The highest index `view` may be inserted at among the subviews (the window keeps its
    // overlays above everything else).
    virtual std::size_t subviewIndexLimit(const View&) const { return subviews_.size(); }
    void applyGeometry(gfx::Point center, gfx::Size size, gfx::Point boundsOrigin);
    static constexpr int kMeasuringPasses = 8;
    static constexpr double kDetachedScale = 2;  // the pixel grid of a tree in no window
    gfx::Point islandOrigin() const;
    gfx::Point engineOriginOf(const LayoutEngine& engine) const;
    gfx::Size measureInScratchWindow(gfx::Size targetSize);
    void resizeSubviewsWithOldSize(gfx::Size oldSize);
    void moveToWindow(const std::shared_ptr<Window>& window, bool join);
    void collectSubtree(std::vector<View*>& out);
    void layoutSubtreeIfNeeded();
    void notifyTintChange();
    // The views whose rectangles live in the same solver as this one's, this one first: the
    // subtree, except what lies inside islands below it.
    void collectLayoutExterior(std::vector<View*>& out);
    // The views inside this island: its subviews' exteriors.
    std::vector<View*> islandInterior();
    void leaveLayout(LayoutEngine* engine);
    void joinLayout();
    static void installPending(const std::vector<View*>& views);
    void formIsland();
    void dissolveIsland();
    void giveUpIsland();
    void matchIslandDirection();
    // The solver this view's subviews live in.
    LayoutEngine* subviewLayoutEngine() const {
        return islandEngine_ ? islandEngine_.get() : ownLayoutEngine_ ? ownLayoutEngine_ : layoutEngine();
    }
    void addConstraint(const std::shared_ptr<LayoutConstraint>& constraint);
    void removeConstraint(const LayoutConstraint* constraint);

    gfx::Point center_;
    gfx::Size size_;
    gfx::Point boundsOrigin_;
    double alpha_ = 1;
    bool hidden_ = false;
    bool clipsToBounds_ = false;
    bool userInteractionEnabled_ = true;
    bool needsLayout_ = true;
    bool translatesMask_ = true;
    unsigned autoresizingMask_ = AutoresizingNone;
    int tag_ = 0;
    gfx::Color backgroundColor_;
    std::optional<gfx::Color> tintColor_;
    Layer layer_{*this};
    double hugging_[2] = {LayoutPriority::kDefaultLow, LayoutPriority::kDefaultLow};
    double compression_[2] = {LayoutPriority::kDefaultHigh, LayoutPriority::kDefaultHigh};
    std::vector<std::shared_ptr<View>> subviews_;
    std::weak_ptr<View> superview_;
    std::weak_ptr<Window> window_;
    std::weak_ptr<Responder> owningResponder_;
    std::vector<std::shared_ptr<LayoutConstraint>> constraints_;
    std::vector<std::shared_ptr<GestureRecognizer>> gestureRecognizers_;
    LayoutVariables variables_;
    bool wantsIsland_ = false;
    bool islandGivenUp_ = false;
    LayoutEngine* ownLayoutEngine_ = nullptr;  // a window's
    // Last: destroyed first, while the constraints and views it knows are still alive.
    std::unique_ptr<LayoutEngine> islandEngine_;
};

}  // namespace ui
