#include "ui/DatePicker.h"

#include <cmath>

#include "base/Clock.h"
#include "base/Log.h"
#include "gfx/Painter.h"
#include "gfx/TextLayout.h"

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
    dateFormatter_.setLocale(locale);
    timeFormatter_.setLocale(std::move(locale));
    textsDidChange();
}

void DatePicker::setTimeZone(base::TimeZone timeZone) {
    dateFormatter_.setTimeZone(timeZone);
    timeFormatter_.setTimeZone(std::move(timeZone));
    textsDidChange();
}

void DatePicker::textsDidChange() {
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

std::vector<std::string> DatePicker::displayedTexts() const {
    std::vector<std::string> texts;
    if (mode_ != DatePickerMode::Time) texts.push_back(dateFormatter_.stringFromDate(date_));
    if (mode_ != DatePickerMode::Date) texts.push_back(timeFormatter_.stringFromDate(date_));
    return texts;
}

std::vector<double> DatePicker::pillWidths() const {
    std::vector<double> widths;
    for (const auto& text : displayedTexts()) {
        widths.push_back(std::ceil(gfx::TextLayout::measure(text, pillFont(), std::nullopt, 1).width) +
                         2 * kPillPadding);
    }
    return widths;
}

gfx::Size DatePicker::intrinsicContentSize() const {
    double width = 0;
    for (double pill : pillWidths()) width += pill + (width > 0 ? kPillSpacing : 0);
    return {width, kPillHeight};
}

// The pills end at the trailing edge and are centred vertically; right to left mirrors them.
std::vector<gfx::Rect> DatePicker::pillRects() const {
    gfx::Size size = bounds().size();
    std::vector<double> widths = pillWidths();
    double x = size.width - intrinsicContentSize().width;
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    std::vector<gfx::Rect> rects;
    for (double width : widths) {
        gfx::Rect pill{x, (size.height - kPillHeight) / 2, width, kPillHeight};
        if (rightToLeft) pill.x = size.width - pill.x - width;
        rects.push_back(pill);
        x += width + kPillSpacing;
    }
    return rects;
}

void DatePicker::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    std::vector<std::string> texts = displayedTexts();
    std::vector<gfx::Rect> pills = pillRects();
    gfx::Color textColor = isEnabled() ? tintColor() : gfx::Color::tertiaryLabel();
    for (std::size_t i = 0; i < pills.size(); ++i) {
        gfx::Rect pill = pills[i].offsetBy(rect.x, rect.y);
        painter.fillRoundedRect(pill, gfx::CornerStyle::continuous(kPillCornerRadius),
                                gfx::Color::tertiarySystemFill());
        gfx::TextLayout layout(texts[i], pillFont());
        layout.setMaximumLines(1);
        gfx::Size textSize = layout.size();
        painter.drawText(layout, {pill.midX() - textSize.width / 2, pill.midY() - textSize.height / 2},
                         textColor);
    }
}

}  // namespace ui
