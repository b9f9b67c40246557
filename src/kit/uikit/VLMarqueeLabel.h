#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Observation.h"
#include "gfx/AttributedString.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/TextLayout.h"
#include "ui/AnimationOptions.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/View.h"

// A one-line label that scrolls its text when it does not fit.
//
// While the text fits, the main label fills the view with `textAlignment` and nothing moves.
// When it is wider, two copies of it sit side by side `labelSpacing` apart in a scroll view,
// and each pass runs: rest for `pauseInterval`, then slide the content by one text width plus
// the spacing at `scrollSpeed` points per second (direction 1: towards the left), at which
// point the second copy stands exactly where the first began; the offset jumps back
// invisibly and the next pass starts. A pass is one view animation of the scroll view's
// content offset, so nothing of the marquee's own runs per frame.
//
// The edges fade through a gradient mask that is rebuilt only when the state changes: at rest
// with direction 1 only the trailing (right) edge fades, with direction 0 neither, during a
// pass both. Any change of text, font, size or fade length lays the labels out again, which
// resets the offset and restarts the cycle; an interrupted pass chains no other.
class VLMarqueeLabel : public ui::View {
public:
    static constexpr double kDefaultFadeLength = 7.0;

    // initWithFrame:
    static std::shared_ptr<VLMarqueeLabel> create(const gfx::Rect& frame = {});
    ~VLMarqueeLabel() override;
    const char* className() const override { return "VLMarqueeLabel"; }

    std::int64_t scrollDirection() const { return scrollDirection_; }
    void setScrollDirection(std::int64_t direction);
    float scrollSpeed() const { return scrollSpeed_; }
    void setScrollSpeed(float speed);
    double pauseInterval() const { return pauseInterval_; }
    void setPauseInterval(double interval) { pauseInterval_ = interval; }
    std::int64_t labelSpacing() const { return labelSpacing_; }
    void setLabelSpacing(std::int64_t spacing) { labelSpacing_ = spacing; }
    unsigned animationOptions() const { return animationOptions_; }
    void setAnimationOptions(unsigned options) { animationOptions_ = options; }
    double fadeLength() const { return fadeLength_; }
    void setFadeLength(double length);
    gfx::TextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(gfx::TextAlignment alignment) { textAlignment_ = alignment; }
    bool scrolling() const { return scrolling_; }

    const std::array<std::shared_ptr<ui::Label>, 2>& labels() const { return labels_; }
    const std::shared_ptr<ui::Label>& mainLabel() const { return labels_[0]; }
    const std::shared_ptr<ui::ScrollView>& scrollView();

    // Forwarded to both labels, read from the main one.
    const std::string& text() const { return mainLabel()->text(); }
    void setText(const std::string& text) { setText(text, true); }
    void setText(const std::string& text, bool refreshLabels);
    const std::optional<gfx::AttributedString>& attributedText() const {
        return mainLabel()->attributedText();
    }
    void setAttributedText(const gfx::AttributedString& text) { setAttributedText(text, true); }
    void setAttributedText(const gfx::AttributedString& text, bool refreshLabels);
    const gfx::Font& font() const { return mainLabel()->font(); }
    void setFont(const gfx::Font& font);
    const gfx::Color& textColor() const { return mainLabel()->textColor(); }
    void setTextColor(const gfx::Color& color);
    const std::optional<gfx::Color>& shadowColor() const { return mainLabel()->shadowColor(); }
    void setShadowColor(const std::optional<gfx::Color>& color);
    gfx::Size shadowOffset() const { return mainLabel()->shadowOffset(); }
    void setShadowOffset(gfx::Size offset);

    // The view's own geometry setters, each followed by a fresh layout of the labels. Frames
    // the superview or constraints assign are noticed in `layoutSubviews`.
    void setFrame(const gfx::Rect& frame);
    void setBounds(const gfx::Rect& bounds);

    void refreshLabels();
    void scrollLabelIfNeeded();
    void applyGradientMaskForFadeLength(double fadeLength, bool enableFade);
    void enableShadow();
    // Restarts passes when the program comes back to the front. Callers opt in.
    void observeApplicationNotifications();
    // For callers that observe orientation changes themselves: lays out and restarts after 0.1 s.
    void onUIApplicationDidChangeStatusBarOrientationNotification();

    gfx::Size intrinsicContentSize() const override;
    void didMoveToWindow() override;
    void layoutSubviews() override;

protected:
    VLMarqueeLabel() = default;

private:
    void commonInit();
    void didChangeFrame();
    bool textIsWiderThanView() const;

    std::int64_t scrollDirection_ = 1;
    float scrollSpeed_ = 30.0f;
    double pauseInterval_ = 1.5;
    std::int64_t labelSpacing_ = 20;
    unsigned animationOptions_ = ui::AnimationOptionCurveLinear;
    double fadeLength_ = 0;  // set to kDefaultFadeLength last of all, which lays out
    gfx::TextAlignment textAlignment_ = gfx::TextAlignment::Left;
    bool scrolling_ = false;
    std::array<std::shared_ptr<ui::Label>, 2> labels_;
    std::shared_ptr<ui::ScrollView> scrollView_;
    std::optional<gfx::Size> laidOutSize_;
    std::vector<base::Observation> observations_;
};
