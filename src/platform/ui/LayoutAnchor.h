#pragma once

#include <memory>

#include "ui/LayoutAttribute.h"

namespace ui {

class View;
class LayoutConstraint;

// One edge, centre or dimension of a view, from which constraints are made:
//     label->leadingAnchor().equalTo(card->leadingAnchor(), 16)->setActive(true);
//     icon->widthAnchor().equalToConstant(29)->setActive(true);
// Constraints come back inactive. Relating anchors of different axes, or a position anchor
// to a bare constant, is a programmer error (std::invalid_argument).
class LayoutAnchor {
public:
    LayoutAnchor(std::weak_ptr<View> view, LayoutAttribute attribute);

    std::shared_ptr<View> view() const { return view_.lock(); }
    LayoutAttribute attribute() const { return attribute_; }

    std::shared_ptr<LayoutConstraint> equalTo(const LayoutAnchor& other, double constant = 0) const;
    std::shared_ptr<LayoutConstraint> greaterThanOrEqualTo(const LayoutAnchor& other,
                                                           double constant = 0) const;
    std::shared_ptr<LayoutConstraint> lessThanOrEqualTo(const LayoutAnchor& other, double constant = 0) const;
    // Dimensions only: this = other * multiplier + constant.
    std::shared_ptr<LayoutConstraint> equalTo(const LayoutAnchor& other, double multiplier,
                                              double constant) const;

    std::shared_ptr<LayoutConstraint> equalToConstant(double constant) const;
    std::shared_ptr<LayoutConstraint> greaterThanOrEqualToConstant(double constant) const;
    std::shared_ptr<LayoutConstraint> lessThanOrEqualToConstant(double constant) const;

private:
    std::weak_ptr<View> view_;
    LayoutAttribute attribute_;
};

}  // namespace ui
