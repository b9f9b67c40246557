#include "ui/LayoutConstraint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/LayoutEngine.h"
#include "ui/View.h"
#include "ui/Window.h"

namespace ui {

namespace {

const char* attributeName(LayoutAttribute attribute) {
    switch (attribute) {
        case LayoutAttribute::Left:
            return "left";
        case LayoutAttribute::Right:
            return "right";
        case LayoutAttribute::Top:
            return "top";
        case LayoutAttribute::Bottom:
            return "bottom";
        case LayoutAttribute::Leading:
            return "leading";
        case LayoutAttribute::Trailing:
            return "trailing";
        case LayoutAttribute::Width:
            return "width";
        case LayoutAttribute::Height:
            return "height";
        case LayoutAttribute::CenterX:
            return "centerX";
        case LayoutAttribute::CenterY:
            return "centerY";
    }
    return "?";
}

std::string anchorName(const LayoutAnchor& anchor) {
    auto view = anchor.view();
    std::string name = view ? view->className() : "(gone)";
    if (view && view->tag() != 0) name += "#" + std::to_string(view->tag());
    return name + "." + attributeName(anchor.attribute());
}

}  // namespace

std::shared_ptr<LayoutConstraint> LayoutConstraint::create(LayoutAnchor first, layout::Relation relation,
                                                           std::optional<LayoutAnchor> second,
                                                           double multiplier, double constant) {
    return std::shared_ptr<LayoutConstraint>(
        new LayoutConstraint(std::move(first), relation, std::move(second), multiplier, constant));
}

LayoutConstraint::LayoutConstraint(LayoutAnchor first, layout::Relation relation,
                                   std::optional<LayoutAnchor> second, double multiplier, double constant)
    : first_(std::move(first)),
      relation_(relation),
      second_(std::move(second)),
      multiplier_(multiplier),
      constant_(constant) {}

void LayoutConstraint::activate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) constraint->setActive(true);
}

void LayoutConstraint::deactivate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) constraint->setActive(false);
}

std::vector<std::shared_ptr<View>> LayoutConstraint::views() const {
    std::vector<std::shared_ptr<View>> views;
    if (auto view = first_.view()) views.push_back(view);
    if (second_) {
        auto view = second_->view();
        if (view && (views.empty() || views.front() != view)) views.push_back(view);
    }
    return views;
}

void LayoutConstraint::setActive(bool active) {
    if (active == active_) return;
    auto views = this->views();
    if (active) {
        if (!first_.view() || (second_ && !second_->view())) return;  // a view is gone: nothing to relate
        active_ = true;
        for (const auto& view : views) view->addConstraint(shared_from_this());
        // It enters the solver once every view it relates is in the same window (or island).
        LayoutEngine::installWhereItBelongs(*this);
        for (const auto& view : views) view->setNeedsLayout();
        return;
    }
    auto self = shared_from_this();  // the views may hold the last references
    active_ = false;
    if (engine_) engine_->uninstall(*this);
    for (const auto& view : views) view->removeConstraint(this);
}

void LayoutConstraint::setConstant(double constant) {
    if (!std::isfinite(constant) || constant == constant_) return;
    constant_ = constant;
    if (engine_) engine_->constantDidChange(*this);
}

void LayoutConstraint::setPriority(double priority) {
    if (std::isnan(priority)) return;
    priority = std::clamp(priority, 1.0, 1000.0);
    if (priority == priority_) return;
    priority_ = priority;
    if (engine_) engine_->strengthDidChange(*this);
}

std::string LayoutConstraint::description() const {
    const char* relation = relation_ == layout::Relation::Equal         ? "=="
                           : relation_ == layout::Relation::LessOrEqual ? "<="
                                                                        : ">=";
    std::string text = anchorName(first_) + " " + relation + " ";
    char number[64];
    if (second_) {
        text += anchorName(*second_);
        if (multiplier_ != 1) {
            std::snprintf(number, sizeof number, " * %g", multiplier_);
            text += number;
        }
        std::snprintf(number, sizeof number, " + %g", constant_);
    } else {
        std::snprintf(number, sizeof number, "%g", constant_);
    }
    text += number;
    std::snprintf(number, sizeof number, " @%g", priority_);
    return text + number;
}

}  // namespace ui
