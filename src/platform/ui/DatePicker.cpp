#include "ui/DatePicker.h"

#include <algorithm>
#include <cmath>

#include "base/Clock.h"
#include "base/Log.h"
#include "gfx/Painter.h"
#include "gfx/TextLayout.h"
#include "ui/DatePickerPopover.h"
#include "ui/Touch.h"

namespace ui {

namespace {

constexpr const char* kDatePattern = "d MMM y";
constexpr const char* kTimePattern = "HH:mm";
constexpr double kTextPointSize = 17;

gfx::Font pillFont() { return gfx::Font::system(kTextPointSize); }

}  // namespace

std::shared_ptr<DatePicker> DatePicker::create() { return std::shared_ptr<DatePicker>(new DatePicker()); }

DatePicker::DatePicker()
    : date_(base::Clock::current()->currentDate()),
      dateFormatter_(kDatePattern),
      timeFormatter_(kTimePattern) {
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultHigh, LayoutAxis::Vertical);
}

void DatePicker::setDatePickerMode(DatePickerMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    textsDidChange();
}

bool DatePicker::acceptsDate(base::Date date) const {
    if (std::isfinite(date.timeIntervalSinceReferenceDate())) return true;
    base::Log::line("DatePicker: a date that is not finite was refused");
    return false;
}

void DatePicker::setDate(base::Date date, bool /*animated*/) {
    if (!acceptsDate(date) || date == date_) return;
    date_ = date;
    textsDidChange();
}

void DatePicker::userDidPickDate(base::Date date) {
    if (!acceptsDate(date) || date == date_) return;
    setDate(date);
    sendActionsForControlEvents(ControlEventValueChanged);
}

void DatePicker::setLocale(base::Locale locale) {
    if (locale == dateFormatter_.locale()) return;
    dateFormatter_.setLocale(locale);
    timeFormatter_.setLocale(std::move(locale));
    textsDidChange();
}

void DatePicker::setTimeZone(base::TimeZone timeZone) {
    if (timeZone.identifier() == dateFormatter_.timeZone().identifier()) return;
    dateFormatter_.setTimeZone(timeZone);
    timeFormatter_.setTimeZone(std::move(timeZone));
    textsDidChange();
}

void DatePicker::textsDidChange() {
    pillLayouts_.clear();
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

std::vector<std::string> DatePicker::displayedTexts() const {
    std::vector<std::string> texts;
    if (mode_ != DatePickerMode::Time) texts.push_back(dateFormatter_.stringFromDate(date_));
    if (mode_ != DatePickerMode::Date) texts.push_back(timeFormatter_.stringFromDate(date_));
    return texts;
}

const std::vector<gfx::TextLayout>& DatePicker::pillLayouts() const {
    if (!pillLayouts_.empty()) return pillLayouts_;
    for (auto& text : displayedTexts()) {
        gfx::TextLayout layout(std::move(text), pillFont());
        layout.setMaximumLines(1);
        pillLayouts_.push_back(std::move(layout));
    }
    return pillLayouts_;
}

std::vector<double> DatePicker::textWidths() const {
    std::vector<double> widths;
    for (const auto& layout : pillLayouts()) widths.push_back(std::ceil(layout.size().width));
    return widths;
}

gfx::Size DatePicker::intrinsicContentSize() const {
    double width = 0;
    for (double text : textWidths()) width += text + 2 * kPillPadding + (width > 0 ? kPillSpacing : 0);
    return {width, kPillHeight};
}

// The pills end at the trailing edge and are centred vertically; right to left mirrors them.
// In bounds narrower than the intrinsic width the padding gives way first (down to a minimum),
// so that a long month name does not push the pills over the neighbouring view.
std::vector<gfx::Rect> DatePicker::pillRects() const {
    gfx::Size size = bounds().size();
    std::vector<double> texts = textWidths();
    if (texts.empty()) return {};
    double textTotal = kPillSpacing * static_cast<double>(texts.size() - 1);
    for (double text : texts) textTotal += text;
    double fitting = (size.width - textTotal) / (2.0 * static_cast<double>(texts.size()));
    double padding = std::clamp(fitting, kMinimumPillPadding, kPillPadding);
    double x = size.width - textTotal - 2 * padding * static_cast<double>(texts.size());
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    std::vector<gfx::Rect> rects;
    for (double text : texts) {
        double width = text + 2 * padding;
        gfx::Rect pill{x, (size.height - kPillHeight) / 2, width, kPillHeight};
        if (rightToLeft) pill.x = size.width - pill.x - width;
        rects.push_back(pill);
        x += width + kPillSpacing;
    }
    return rects;
}

void DatePicker::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    std::vector<gfx::Rect> pills = pillRects();
    const auto& layouts = pillLayouts();
    gfx::Color textColor = isEnabled() ? tintColor() : gfx::Color::tertiaryLabel();
    for (std::size_t i = 0; i < pills.size() && i < layouts.size(); ++i) {
        gfx::Rect pill = pills[i].offsetBy(rect.x, rect.y);
        painter.fillRoundedRect(pill, gfx::CornerStyle::continuous(kPillCornerRadius),
                                gfx::Color::tertiarySystemFill());
        const gfx::TextLayout& layout = layouts[i];
        gfx::Size textSize = layout.size();
        painter.drawText(layout, {pill.midX() - textSize.width / 2, pill.midY() - textSize.height / 2},
                         textColor);
    }
}

void DatePicker::touchesEnded(const Touches& touches) {
    const bool tracked = isTracking();
    Control::touchesEnded(touches);
    if (!tracked || !isEnabled()) return;
    gfx::Point point = touches.front().locationInView(this);
    for (const gfx::Rect& pill : pillRects()) {
        if (!pill.contains(point)) continue;
        DatePickerPopover::present(std::static_pointer_cast<DatePicker>(shared_from_this()));
        return;
    }
}

}  // namespace ui
