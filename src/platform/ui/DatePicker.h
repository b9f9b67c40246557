#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Date.h"
#include "base/DateFormatter.h"
#include "gfx/TextLayout.h"
#include "ui/Control.h"

namespace ui {

enum class DatePickerMode { Time, Date, DateAndTime };

enum class DatePickerStyle { Automatic, Compact, Inline, Wheels };

// Picks a date and time. In the compact style it shows the date and the time (as its mode
// asks) as grey rounded pills with the text in the tint colour, side by side at the trailing
// edge of its bounds; its intrinsic size is that of the pills. Only the compact drawing
// exists, so every preferred style is shown compact.
//
// `setDate` changes the date silently. The editor that lets a person change it (a popover in
// the window's overlay) calls `userDidPickDate`, which sets the date and sends value changed.
// Dates are shown in the picker's locale and time zone, by default the user's.
class DatePicker : public Control {
public:
    static constexpr double kPillHeight = 34;
    static constexpr double kPillPadding = 11;
    static constexpr double kMinimumPillPadding = 6;
    static constexpr double kPillSpacing = 6;
    static constexpr double kPillCornerRadius = 8;

    static std::shared_ptr<DatePicker> create();
    const char* className() const override { return "DatePicker"; }

    DatePickerMode datePickerMode() const { return mode_; }
    void setDatePickerMode(DatePickerMode mode);
    DatePickerStyle preferredDatePickerStyle() const { return preferredStyle_; }
    void setPreferredDatePickerStyle(DatePickerStyle style) { preferredStyle_ = style; }
    // The style in use: always compact (see above).
    DatePickerStyle datePickerStyle() const { return DatePickerStyle::Compact; }

    base::Date date() const { return date_; }
    // A date that is not finite is refused (logged); the picker keeps its date. `animated` is
    // accepted for the platform's signature; the change is immediate.
    void setDate(base::Date date, bool animated = false);
    // What a person's choice goes through: sets the date and sends value changed when it moved.
    void userDidPickDate(base::Date date);

    const base::Locale& locale() const { return dateFormatter_.locale(); }
    void setLocale(base::Locale locale);
    const base::TimeZone& timeZone() const { return dateFormatter_.timeZone(); }
    void setTimeZone(base::TimeZone timeZone);

    // The texts shown, one per pill, date before time.
    std::vector<std::string> displayedTexts() const;
    // The pills in bounds coordinates, in the order of displayedTexts.
    std::vector<gfx::Rect> pillRects() const;

    gfx::Size intrinsicContentSize() const override;
    gfx::Size sizeThatFits(gfx::Size) const override { return intrinsicContentSize(); }
    bool hasContent() const override { return true; }
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    // A tap that lifts on a pill opens the editor popover (DatePickerPopover).
    void touchesEnded(const Touches& touches) override;

protected:
    DatePicker();

private:
    bool acceptsDate(base::Date date) const;
    void textsDidChange();
    std::vector<double> textWidths() const;
    const std::vector<gfx::TextLayout>& pillLayouts() const;

    DatePickerMode mode_ = DatePickerMode::DateAndTime;
    DatePickerStyle preferredStyle_ = DatePickerStyle::Automatic;
    base::Date date_;
    base::DateFormatter dateFormatter_;
    base::DateFormatter timeFormatter_;
    // The pills' texts, shaped, kept until the date, mode, locale or time zone changes.
    mutable std::vector<gfx::TextLayout> pillLayouts_;
};

}  // namespace ui
