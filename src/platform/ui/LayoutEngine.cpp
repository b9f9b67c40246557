#include "ui/LayoutEngine.h"

#include <algorithm>

#include "base/Log.h"
#include "layout/Errors.h"
#include "ui/LayoutConstraint.h"
#include "ui/View.h"

namespace ui {

namespace {

bool isDirectional(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::Leading || attribute == LayoutAttribute::Trailing;
}

// The required or preferred strength of a platform priority.
layout::Strength strengthFor(double priority) {
    return priority >= LayoutPriority::kRequired ? layout::Strength::required()
                                                 : layout::Strength::priority(priority);
}

}  // namespace

LayoutEngine::~LayoutEngine() {
    for (LayoutConstraint* constraint : installed_) {
        constraint->engine_ = nullptr;
        constraint->solverConstraint_ = {};
    }
}

// ---- Constraints made by anchors ----

const View::LayoutVariables& LayoutEngine::variablesOf(const View& view) const {
    return &view == islandRoot_ ? rootVariables_ : view.layoutVariables();
}

layout::Expression LayoutEngine::expressionFor(const LayoutAnchor& anchor, const View& view,
                                               bool mirrored) const {
    const auto& v = variablesOf(view);
    switch (anchor.attribute()) {
        case LayoutAttribute::Left:
            return v.left;
        case LayoutAttribute::Right:
            return v.left + v.width;
        case LayoutAttribute::Top:
            return v.top;
        case LayoutAttribute::Bottom:
            return v.top + v.height;
        case LayoutAttribute::Width:
            return v.width;
        case LayoutAttribute::Height:
            return v.height;
        case LayoutAttribute::CenterY:
            return v.top + v.height * 0.5;
        // In a mirrored constraint x grows leftwards: positions are negated.
        case LayoutAttribute::CenterX:
            return mirrored ? -(v.left + v.width * 0.5) : v.left + v.width * 0.5;
        case LayoutAttribute::Leading:
            return mirrored ? -(v.left + v.width) : layout::Expression(v.left);
        case LayoutAttribute::Trailing:
            return mirrored ? -layout::Expression(v.left) : v.left + v.width;
    }
    return {};
}

layout::Constraint LayoutEngine::build(LayoutConstraint& constraint) {
    const auto& first = constraint.firstAnchor();
    const auto& second = constraint.secondAnchor();
    bool mirrored = direction_ == LayoutDirection::RightToLeft &&
                    (isDirectional(first.attribute()) || (second && isDirectional(second->attribute())));
    layout::Expression lhs = expressionFor(first, *first.view(), mirrored);
    layout::Expression rhs(constraint.constant());
    if (second)
        rhs = expressionFor(*second, *second->view(), mirrored) * constraint.multiplier() +
              constraint.constant();
    layout::Constraint built;
    switch (constraint.relation()) {
        case layout::Relation::Equal:
            built = lhs == rhs;
            break;
        case layout::Relation::LessOrEqual:
            built = lhs <= rhs;
            break;
        case layout::Relation::GreaterOrEqual:
            built = lhs >= rhs;
            break;
    }
    return built.withStrength(strengthFor(constraint.priority()));
}

bool LayoutEngine::addLogged(const layout::Constraint& constraint,
                             const std::function<std::string()>& describe) {
    try {
        solver_.addConstraint(constraint);
        dirty_ = true;
        return true;
    } catch (const layout::UnsatisfiableConstraint&) {
        base::Log::line("ui: unable to satisfy " + describe() + "; it is left out");
    } catch (const layout::Error& error) {
        base::Log::line(std::string("ui: constraint refused (") + error.what() + "): " + describe());
    }
    return false;
}

bool LayoutEngine::addLogged(const layout::Constraint& constraint, const char* what) {
    return addLogged(constraint, [what] { return std::string(what); });
}

void LayoutEngine::install(LayoutConstraint& constraint) {
    if (constraint.engine_) return;
    auto views = constraint.views();
    if (views.empty() || !constraint.first_.view() || (constraint.second_ && !constraint.second_->view()))
        return;
    for (const auto& view : views) participate(*view);
    layout::Constraint built = build(constraint);
    if (!addLogged(built, [&constraint] { return constraint.description(); })) return;
    constraint.engine_ = this;
    constraint.solverConstraint_ = built;
    installed_.insert(&constraint);
}

// The engine every view's rectangle lives in, or the island of one of them that holds the others.
LayoutEngine* LayoutEngine::sharedEngine(const std::vector<std::shared_ptr<View>>& views) {
    LayoutEngine* common = views.front()->layoutEngine();
    for (const auto& view : views) {
        if (view->layoutEngine() != common) common = nullptr;
    }
    if (common) return common;
    for (const auto& root : views) {
        LayoutEngine* island = root->islandLayoutEngine();
        if (!island) continue;
        bool inside = true;
        for (const auto& view : views) inside = inside && (view == root || view->layoutEngine() == island);
        if (inside) return island;
    }
    return nullptr;
}

// Views of one window related across an island's edge: the island cannot be solved on its own.
bool LayoutEngine::giveUpIslandsBetween(const std::vector<std::shared_ptr<View>>& views) {
    auto window = views.front()->window();
    for (const auto& view : views) {
        if (!window || view->window() != window || !view->layoutEngine()) return false;
    }
    std::vector<std::shared_ptr<View>> separating;
    for (const auto& view : views) {
        for (auto above = view->superview(); above; above = above->superview()) {
            if (!above->islandLayoutEngine()) continue;
            bool holdsAll = true;
            for (const auto& other : views) holdsAll = holdsAll && other->isDescendantOf(*above);
            if (!holdsAll) separating.push_back(above);
        }
    }
    for (const auto& island : separating) {
        base::Log::line(std::string("ui: a constraint crosses the edge of a ") + island->className() +
                        "; its subviews are laid out with the window's");
        island->giveUpIsland();
    }
    return !separating.empty();
}

void LayoutEngine::installWhereItBelongs(LayoutConstraint& constraint) {
    if (constraint.engine_ || !constraint.first_.view() ||
        (constraint.second_ && !constraint.second_->view()))
        return;
    auto views = constraint.views();
    LayoutEngine* engine = sharedEngine(views);
    if (!engine && giveUpIslandsBetween(views)) engine = sharedEngine(views);
    if (engine) engine->install(constraint);
}

void LayoutEngine::uninstall(LayoutConstraint& constraint) {
    if (constraint.engine_ != this) return;
    if (solver_.hasConstraint(constraint.solverConstraint_))
        solver_.removeConstraint(constraint.solverConstraint_);
    constraint.engine_ = nullptr;
    constraint.solverConstraint_ = {};
    installed_.erase(&constraint);
    dirty_ = true;
}

void LayoutEngine::constantDidChange(LayoutConstraint& constraint) {
    if (constraint.engine_ != this) return;
    try {
        // `first == second + c` is kept as `first - second - c == 0`.
        solver_.setConstant(constraint.solverConstraint_, -constraint.constant());
        dirty_ = true;
    } catch (const layout::Error&) {
        base::Log::line("ui: unable to satisfy " + constraint.description() + "; it is left out");
        uninstall(constraint);
    }
}

void LayoutEngine::strengthDidChange(LayoutConstraint& constraint) {
    if (constraint.engine_ != this) return;
    uninstall(constraint);
    install(constraint);
}

// ---- Views in the solver ----

void LayoutEngine::participate(View& view) {
    if (participates(view)) return;
    // An island's root is its origin: the climb up the frame-laid superviews ends there.
    if (view.translatesAutoresizingMaskIntoConstraints() && &view != islandRoot_) {
        if (auto superview = view.superview()) participate(*superview);
    }
    Participant participant;
    if (view.translatesAutoresizingMaskIntoConstraints() || &view == islandRoot_) {
        addFrameConstraints(view, participant);
    } else {
        addIntrinsicConstraints(view, participant);
    }
    participants_.emplace(&view, std::move(participant));
}

// The frame of a frame-laid-out view as offsets from its superview's rectangle in the engine's
// coordinates (left, top), and its size. An island's root is the origin of its island.
std::array<double, 4> LayoutEngine::frameOffsets(const View& view) const {
    gfx::Rect frame = view.layoutFrame();
    if (&view == islandRoot_) return {0, 0, frame.width, frame.height};
    gfx::Point origin = frame.origin();
    if (auto superview = view.superview()) {
        origin.x -= superview->bounds().x;
        origin.y -= superview->bounds().y;
    } else {
        origin = view.bounds().origin();  // the root's own coordinates
    }
    return {origin.x, origin.y, frame.width, frame.height};
}

void LayoutEngine::addFrameConstraints(View& view, Participant& participant) {
    const auto& v = variablesOf(view);
    auto offsets = frameOffsets(view);
    auto superview = &view == islandRoot_ ? nullptr : view.superview();
    layout::Expression left, top;
    if (superview) {
        left = variablesOf(*superview).left;
        top = variablesOf(*superview).top;
    }
    participant.frame = {v.left == left + offsets[0], v.top == top + offsets[1], v.width == offsets[2],
                         v.height == offsets[3]};
    for (const auto& constraint : participant.frame) addLogged(constraint, "a frame");
}

void LayoutEngine::frameDidChange(View& view) {
    auto it = participants_.find(&view);
    if (it == participants_.end() || it->second.frame.empty()) return;
    auto offsets = frameOffsets(view);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& constraint = it->second.frame[i];
        if (constraint.constant() == -offsets[i] || !solver_.hasConstraint(constraint)) continue;
        try {
            solver_.setConstant(constraint, -offsets[i]);
            dirty_ = true;
        } catch (const layout::Error&) {
            base::Log::line(std::string("ui: a ") + view.className() +
                            "'s frame conflicts with required constraints");
        }
    }
}

void LayoutEngine::addIntrinsicConstraints(View& view, Participant& participant) {
    gfx::Size size = view.intrinsicContentSize();
    const auto& v = variablesOf(view);
    auto add = [&](const layout::Variable& variable, double metric, LayoutAxis axis) {
        if (metric < 0) return;
        layout::Constraint hugging =
            (variable <= metric).withStrength(strengthFor(view.contentHuggingPriority(axis)));
        layout::Constraint compression =
            (variable >= metric).withStrength(strengthFor(view.contentCompressionResistancePriority(axis)));
        if (addLogged(hugging, "a content hugging size")) participant.intrinsic.push_back(hugging);
        if (addLogged(compression, "a compression resistance size"))
            participant.intrinsic.push_back(compression);
    };
    add(v.width, size.width, LayoutAxis::Horizontal);
    add(v.height, size.height, LayoutAxis::Vertical);
}

void LayoutEngine::intrinsicContentSizeDidChange(View& view) {
    auto it = participants_.find(&view);
    if (it == participants_.end() || view.translatesAutoresizingMaskIntoConstraints() || &view == islandRoot_)
        return;
    removeAll(it->second.intrinsic);
    addIntrinsicConstraints(view, it->second);
}

void LayoutEngine::beginMeasuring(View& view, gfx::Size target) {
    if (measuring_.count(&view)) return;
    participate(view);
    Participant& participant = participants_.at(&view);
    bool byFrame = !participant.frame.empty();
    if (byFrame) {
        for (std::size_t size : {2, 3}) {
            if (solver_.hasConstraint(participant.frame[size]))
                solver_.removeConstraint(participant.frame[size]);
        }
    }
    const auto& v = variablesOf(view);
    double held = byFrame ? LayoutPriority::kRequired : LayoutPriority::kRequired - 1;
    std::vector<layout::Constraint> standIns{
        (v.width == std::max(target.width, 0.0)).withStrength(strengthFor(held)),
        (v.height == std::max(target.height, 0.0))
            .withStrength(strengthFor(LayoutPriority::kFittingSizeLevel))};
    for (const auto& constraint : standIns) addLogged(constraint, "a measuring size");
    measuring_.emplace(&view, std::move(standIns));
    dirty_ = true;
}

gfx::Size LayoutEngine::measuredSize(const View& view) const {
    const auto& v = variablesOf(view);
    return {v.width.value(), v.height.value()};
}

void LayoutEngine::endMeasuring(View& view) {
    auto it = measuring_.find(&view);
    if (it == measuring_.end()) return;
    removeAll(it->second);
    measuring_.erase(it);
    auto participant = participants_.find(&view);
    if (participant == participants_.end() || participant->second.frame.empty()) return;
    // The frame as it is now: it may have been set while measuring.
    auto offsets = frameOffsets(view);
    const auto& v = variablesOf(view);
    for (std::size_t size : {2, 3}) {
        layout::Constraint& constraint = participant->second.frame[size];
        if (solver_.hasConstraint(constraint)) continue;
        constraint = (size == 2 ? v.width : v.height) == offsets[size];
        addLogged(constraint, "a frame");
    }
}

void LayoutEngine::layoutModeDidChange(View& view) {
    auto it = participants_.find(&view);
    if (it == participants_.end()) return;
    removeAll(it->second.frame);
    removeAll(it->second.intrinsic);
    participants_.erase(it);
    participate(view);
}

void LayoutEngine::viewWillLeave(View& view) {
    for (const auto& constraint : std::vector(view.constraints())) uninstall(*constraint);
    auto it = participants_.find(&view);
    if (it == participants_.end()) return;
    removeAll(it->second.frame);
    removeAll(it->second.intrinsic);
    participants_.erase(it);
}

void LayoutEngine::removeAll(std::vector<layout::Constraint>& constraints) {
    for (const auto& constraint : constraints) {
        if (solver_.hasConstraint(constraint)) solver_.removeConstraint(constraint);
    }
    constraints.clear();
    dirty_ = true;
}

bool LayoutEngine::solveIfNeeded() {
    if (!dirty_) return false;
    solver_.updateVariables();
    dirty_ = false;
    return true;
}

}  // namespace ui
