#include "ui/SegmentedControl.h"

#include <algorithm>
#include <cmath>

#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "ui/Touch.h"

namespace ui {

namespace {

constexpr double kCornerRadius = 9;
constexpr double kPlateInset = 2;
constexpr double kPlateRadius = 7;
constexpr double kTitlePadding = 6;
constexpr double kIntrinsicPadding = 14;
constexpr double kDividerInset = 8;
constexpr double kDefaultFontSize = 13;

gfx::Color defaultSelectedTint() {
    return gfx::Color::dynamic(gfx::Color::whiteColor(), gfx::Color(99 / 255.0, 99 / 255.0, 102 / 255.0));
}

gfx::Color dividerColor() { return gfx::Color(142 / 255.0, 142 / 255.0, 147 / 255.0, 0.3); }

}  // namespace

std::shared_ptr<SegmentedControl> SegmentedControl::create() {
    return std::shared_ptr<SegmentedControl>(new SegmentedControl());
}

SegmentedControl::SegmentedControl() {
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Vertical);
}

SegmentedControlAppearance& SegmentedControl::appearance() {
    static SegmentedControlAppearance shared;
    return shared;
}

void SegmentedControl::removeAllSegments() {
    titles_.clear();
    selected_ = kNoSegment;
    pressed_ = kNoSegment;
    invalidateIntrinsicContentSize();
}

void SegmentedControl::insertSegmentWithTitle(const std::string& title, int index, bool /*animated*/) {
    int at = std::clamp(index, 0, numberOfSegments());
    titles_.insert(titles_.begin() + at, title);
    if (selected_ != kNoSegment && selected_ >= at) ++selected_;
    pressed_ = kNoSegment;
    invalidateIntrinsicContentSize();
}

std::optional<std::string> SegmentedControl::titleForSegmentAtIndex(int index) const {
    if (index < 0 || index >= numberOfSegments()) return std::nullopt;
    return titles_[static_cast<std::size_t>(index)];
}

void SegmentedControl::setSelectedSegmentIndex(int index) {
    selected_ = index >= 0 && index < numberOfSegments() ? index : kNoSegment;
}

gfx::Color SegmentedControl::selectedSegmentTintColor() const {
    return selectedTint_.value_or(defaultSelectedTint());
}

void SegmentedControl::setTitleTextAttributes(std::optional<TextAttributes> attributes, unsigned state) {
    if (attributes) {
        titleAttributes_[state] = std::move(*attributes);
    } else {
        titleAttributes_.erase(state);
    }
    invalidateIntrinsicContentSize();
}

std::optional<TextAttributes> SegmentedControl::titleTextAttributes(unsigned state) const {
    auto found = titleAttributes_.find(state);
    if (found == titleAttributes_.end()) return std::nullopt;
    return found->second;
}

TextAttributes SegmentedControl::effectiveTitleTextAttributes(unsigned state) const {
    const SegmentedControlAppearance& shared = appearance();
    const std::optional<TextAttributes> sources[] = {
        titleTextAttributes(state), shared.titleTextAttributes(state),
        titleTextAttributes(ControlStateNormal), shared.titleTextAttributes(ControlStateNormal)};
    TextAttributes result;
    for (const auto& source : sources) {
        if (!source) continue;
        if (!result.font) result.font = source->font;
        if (!result.foregroundColor) result.foregroundColor = source->foregroundColor;
    }
    bool selected = (state & ControlStateSelected) != 0;
    if (!result.font)
        result.font = gfx::Font::system(kDefaultFontSize,
                                        selected ? gfx::FontWeight::Semibold : gfx::FontWeight::Regular);
    if (!result.foregroundColor) result.foregroundColor = gfx::Color::label();
    if (state & ControlStateDisabled) {
        result.foregroundColor =
            result.foregroundColor->withAlphaComponent(result.foregroundColor->alpha() * 0.35);
    }
    return result;
}

int SegmentedControl::visualPosition(int index) const {
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    return rightToLeft ? numberOfSegments() - 1 - index : index;
}

gfx::Rect SegmentedControl::segmentRect(int index) const {
    gfx::Rect b = bounds();
    if (index < 0 || index >= numberOfSegments()) return {b.x, b.y, 0, 0};
    double width = b.width / numberOfSegments();
    return {b.x + width * visualPosition(index), b.y, width, b.height};
}

int SegmentedControl::segmentAtPoint(gfx::Point point) const {
    gfx::Rect b = bounds();
    if (titles_.empty() || !b.contains(point)) return kNoSegment;
    int count = numberOfSegments();
    int position = std::clamp(static_cast<int>((point.x - b.x) / (b.width / count)), 0, count - 1);
    return visualPosition(position);  // the mapping is its own inverse
}

unsigned SegmentedControl::segmentState(int index) const {
    unsigned state = ControlStateNormal;
    if (index == selected_) state |= ControlStateSelected;
    if (index == pressed_ && isHighlighted()) state |= ControlStateHighlighted;
    if (!isEnabled()) state |= ControlStateDisabled;
    return state;
}

gfx::Size SegmentedControl::intrinsicContentSize() const {
    double widest = 0;
    for (const auto& title : titles_) {
        for (unsigned state : {unsigned(ControlStateNormal), unsigned(ControlStateSelected)}) {
            widest = std::max(
                widest, gfx::TextLayout::measure(title, *effectiveTitleTextAttributes(state).font).width);
        }
    }
    return {std::ceil(numberOfSegments() * (widest + 2 * kIntrinsicPadding)), kHeight};
}

gfx::Size SegmentedControl::sizeThatFits(gfx::Size) const { return intrinsicContentSize(); }

void SegmentedControl::touchesBegan(const Touches& touches) {
    Control::touchesBegan(touches);
    pressed_ = kNoSegment;
    if (isTracking() && !touches.empty()) pressed_ = segmentAtPoint(touches.front().locationInView(this));
}

void SegmentedControl::touchesEnded(const Touches& touches) {
    bool tracking = isTracking();
    pressed_ = kNoSegment;
    int released = touches.empty() ? kNoSegment : segmentAtPoint(touches.front().locationInView(this));
    Control::touchesEnded(touches);
    if (!tracking || released == kNoSegment || released == selected_) return;
    selected_ = released;
    sendActionsForControlEvents(ControlEventValueChanged);
}

void SegmentedControl::touchesCancelled(const Touches& touches) {
    pressed_ = kNoSegment;
    Control::touchesCancelled(touches);
}

void SegmentedControl::drawTitle(gfx::Painter& painter, int index) {
    TextAttributes attributes = effectiveTitleTextAttributes(segmentState(index));
    gfx::Rect area = segmentRect(index);
    double width = std::max(0.0, area.width - 2 * kTitlePadding);
    gfx::TextLayout layout(titles_[static_cast<std::size_t>(index)], *attributes.font);
    layout.setWidth(width);
    layout.setMaximumLines(1);
    layout.setAlignment(gfx::TextAlignment::Center);
    double height = layout.size().height;
    painter.drawText(layout, {area.x + kTitlePadding, area.y + (area.height - height) / 2},
                     *attributes.foregroundColor);
}

void SegmentedControl::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    // 1. The track.
    painter.fillRoundedRect(rect, gfx::CornerStyle::continuous(kCornerRadius),
                            gfx::Color::tertiarySystemFill());
    int count = numberOfSegments();

    // 2. Dividers between neighbours, except beside the selected plate.
    for (int position = 1; position < count; ++position) {
        int left = visualPosition(position - 1), right = visualPosition(position);
        if (left == selected_ || right == selected_) continue;
        double x = rect.x + rect.width * position / count;
        painter.fillRect({x - 0.5, rect.y + kDividerInset, 1, rect.height - 2 * kDividerInset},
                         dividerColor());
    }

    // 3. The selected segment's plate with a faint shadow.
    if (selected_ != kNoSegment) {
        gfx::Rect area = segmentRect(selected_);
        gfx::Rect plate{area.x + kPlateInset, area.y + kPlateInset, area.width - 2 * kPlateInset,
                        area.height - 2 * kPlateInset};
        painter.fillRoundedRect({plate.x, plate.y + 0.5, plate.width, plate.height},
                                gfx::CornerStyle::continuous(kPlateRadius), gfx::Color(0, 0, 0, 0.06));
        painter.fillRoundedRect(plate, gfx::CornerStyle::continuous(kPlateRadius),
                                selectedSegmentTintColor());
    }

    // 4. The titles.
    for (int index = 0; index < count; ++index) drawTitle(painter, index);
}

}  // namespace ui
