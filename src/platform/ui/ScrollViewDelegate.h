#pragma once

namespace ui {

class ScrollView;

// What a scroll view tells its owner. Every method is optional.
class ScrollViewDelegate {
public:
    virtual ~ScrollViewDelegate() = default;
    // After every change of the content offset: dragging, decelerating, bouncing, animating
    // and offsets set in code.
    virtual void scrollViewDidScroll(ScrollView&) {}
    virtual void scrollViewWillBeginDragging(ScrollView&) {}
    // `decelerate`: the content goes on moving (momentum or a bounce back) after the finger.
    virtual void scrollViewDidEndDragging(ScrollView&, bool /*decelerate*/) {}
    virtual void scrollViewDidEndDecelerating(ScrollView&) {}
    // After `setContentOffset(offset, true)` has reached its offset.
    virtual void scrollViewDidEndScrollingAnimation(ScrollView&) {}
};

}  // namespace ui
