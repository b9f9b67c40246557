#include "ui/Layer.h"

#include "ui/AnimationScheduler.h"
#include "ui/View.h"

namespace ui {

Layer::~Layer() {
    removeAllAnimations();
    AnimationScheduler::shared().layerWillGoAway(*this);
}

void Layer::setTransform(const Transform3D& transform) {
    view_.changeAnimatable(AnimatableProperty::Transform, transform);
}

void Layer::removeAllAnimations() {
    while (!animations_.empty()) endAnimationAt(animations_.size() - 1, false);
}

bool Layer::blocksUserInteraction() const {
    for (const auto& animation : animations_) {
        if (!animation.allowsUserInteraction) return true;
    }
    return false;
}

const PropertyAnimation* Layer::animation(AnimatableProperty property) const {
    for (const auto& animation : animations_) {
        if (animation.property == property) return &animation;
    }
    return nullptr;
}

void Layer::addAnimation(PropertyAnimation animation) {
    removeAnimation(animation.property);
    auto group = animation.group;
    AnimatableProperty property = animation.property;
    animations_.push_back(std::move(animation));
    if (group) group->animationAdded(*this, property);
    AnimationScheduler::shared().layerDidAddAnimation(*this);
}

void Layer::removeAnimation(AnimatableProperty property) {
    for (std::size_t i = 0; i < animations_.size(); ++i) {
        if (animations_[i].property == property) {
            endAnimationAt(i, false);
            return;
        }
    }
}

void Layer::freezeAnimation(AnimatableProperty property) {
    if (!animation(property)) return;
    view_.setPresentedAsModel(property);
    removeAnimation(property);
}

void Layer::finishAnimationsEndedBy(base::Clock::TimePoint now) {
    for (std::size_t i = animations_.size(); i-- > 0;) {
        if (i < animations_.size() && animations_[i].hasEndedBy(now)) endAnimationAt(i, true);
    }
}

// Out of the list first: the group may react (it only posts its completion, never runs it).
void Layer::endAnimationAt(std::size_t index, bool finished) {
    PropertyAnimation ended = std::move(animations_[index]);
    animations_.erase(animations_.begin() + static_cast<std::ptrdiff_t>(index));
    if (ended.group) ended.group->animationEnded(*this, ended.property, finished);
}

}  // namespace ui
