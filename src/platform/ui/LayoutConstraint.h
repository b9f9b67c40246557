#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "layout/Constraint.h"
#include "ui/LayoutAnchor.h"

namespace ui {

class LayoutEngine;

// A relation between two anchors (or an anchor and a constant):
//     first RELATION second * multiplier + constant
// Made by LayoutAnchor. Activating it hands it to the views it relates, which keep it alive;
// once those views are in the same window it enters that window's solver (or the solver of the
// layout island that holds them, also outside a window), and editing its
// constant or priority later changes it there in place. A required constraint the solver
// cannot satisfy is logged and left out; it stays active and is tried again when it is next
// installed.
class LayoutConstraint : public std::enable_shared_from_this<LayoutConstraint> {
public:
    static std::shared_ptr<LayoutConstraint> create(LayoutAnchor first, layout::Relation relation,
                                                    std::optional<LayoutAnchor> second, double multiplier,
                                                    double constant);

    static void activate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints);
    static void deactivate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints);

    const LayoutAnchor& firstAnchor() const { return first_; }
    const std::optional<LayoutAnchor>& secondAnchor() const { return second_; }
    layout::Relation relation() const { return relation_; }
    double multiplier() const { return multiplier_; }

    double constant() const { return constant_; }
    void setConstant(double constant);
    double priority() const { return priority_; }
    void setPriority(double priority);
    bool isActive() const { return active_; }
    void setActive(bool active);

    // Whether it is in a solver now (active, its views share a window, and it was satisfiable).
    bool isInstalled() const { return engine_ != nullptr; }
    std::string description() const;

private:
    friend class LayoutEngine;
    friend class View;
    friend class Window;
    LayoutConstraint(LayoutAnchor first, layout::Relation relation, std::optional<LayoutAnchor> second,
                     double multiplier, double constant);
    std::vector<std::shared_ptr<View>> views() const;

    LayoutAnchor first_;
    layout::Relation relation_;
    std::optional<LayoutAnchor> second_;
    double multiplier_;
    double constant_;
    double priority_ = 1000;
    bool active_ = false;
    LayoutEngine* engine_ = nullptr;
    layout::Constraint solverConstraint_;
};

}  // namespace ui
