#include "ui/LayoutAnchor.h"

#include <stdexcept>

#include "ui/LayoutConstraint.h"

namespace ui {

namespace {

// Positions relate within an axis; any two dimensions relate (an aspect ratio).
void requireSameAxis(LayoutAttribute a, LayoutAttribute b) {
    if (isDimension(a) != isDimension(b) || (!isDimension(a) && axisOf(a) != axisOf(b))) {
        throw std::invalid_argument("layout anchors of different kinds cannot be related");
    }
    // Leading and trailing flip with the layout direction; left and right never do.
    auto directional = [](LayoutAttribute x) {
        return x == LayoutAttribute::Leading || x == LayoutAttribute::Trailing;
    };
    auto absolute = [](LayoutAttribute x) {
        return x == LayoutAttribute::Left || x == LayoutAttribute::Right;
    };
    if ((directional(a) && absolute(b)) || (absolute(a) && directional(b))) {
        throw std::invalid_argument("leading and trailing anchors cannot be related to left and right");
    }
}

void requireDimension(LayoutAttribute attribute) {
    if (!isDimension(attribute)) {
        throw std::invalid_argument("only a width or height anchor can equal a constant");
    }
}

}  // namespace

LayoutAnchor::LayoutAnchor(std::weak_ptr<View> view, LayoutAttribute attribute)
    : view_(std::move(view)), attribute_(attribute) {}

std::shared_ptr<LayoutConstraint> LayoutAnchor::equalTo(const LayoutAnchor& other, double constant) const {
    requireSameAxis(attribute_, other.attribute_);
    return LayoutConstraint::create(*this, layout::Relation::Equal, other, 1, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::greaterThanOrEqualTo(const LayoutAnchor& other,
                                                                     double constant) const {
    requireSameAxis(attribute_, other.attribute_);
    return LayoutConstraint::create(*this, layout::Relation::GreaterOrEqual, other, 1, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::lessThanOrEqualTo(const LayoutAnchor& other,
                                                                  double constant) const {
    requireSameAxis(attribute_, other.attribute_);
    return LayoutConstraint::create(*this, layout::Relation::LessOrEqual, other, 1, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::equalTo(const LayoutAnchor& other, double multiplier,
                                                        double constant) const {
    requireSameAxis(attribute_, other.attribute_);
    requireDimension(attribute_);
    return LayoutConstraint::create(*this, layout::Relation::Equal, other, multiplier, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::equalToConstant(double constant) const {
    requireDimension(attribute_);
    return LayoutConstraint::create(*this, layout::Relation::Equal, std::nullopt, 0, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::greaterThanOrEqualToConstant(double constant) const {
    requireDimension(attribute_);
    return LayoutConstraint::create(*this, layout::Relation::GreaterOrEqual, std::nullopt, 0, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::lessThanOrEqualToConstant(double constant) const {
    requireDimension(attribute_);
    return LayoutConstraint::create(*this, layout::Relation::LessOrEqual, std::nullopt, 0, constant);
}

}  // namespace ui
