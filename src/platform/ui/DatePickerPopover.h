#pragma once

#include <memory>
#include <vector>

#include "base/Date.h"
#include "base/TimeZone.h"
#include "ui/View.h"

namespace ui {

class Button;
class DatePicker;
class Label;

// The editor a compact date picker opens when its pills are tapped: a card in the window's
// overlay stack, next to the picker (below it, or above when there is no room), with one row
// per field the picker's mode shows (day, month, year; hour, minute), each with the value and
// minus and plus buttons in the picker's tint, and a "Done" button.
//
// A minus or plus tap moves the date by one unit of its field (the others following, as a
// calendar does: 23:59 plus a minute is 00:00 of the next day) and hands it to the picker's
// `userDidPickDate`, which sends value changed. Stepping a month or year keeps the day within
// the new month: 31 January plus a month is 29 February in a leap year, not 2 March.
//
// The popover fills the window so that it sees taps outside its card: such a tap, or Done,
// closes it. It holds its picker weakly and closes if the picker goes away.
class DatePickerPopover : public View {
public:
    enum class Unit { Day, Month, Year, Hour, Minute };

    static constexpr double kCardWidth = 280;
    static constexpr double kRowHeight = 44;
    static constexpr double kPadding = 12;
    static constexpr double kMargin = 8;

    // Opens the editor for `picker` (in a window) and returns it; a picker that already has
    // one open gets that one back.
    static std::shared_ptr<DatePickerPopover> present(const std::shared_ptr<DatePicker>& picker);
    // The open editor of `picker`, if any.
    static std::shared_ptr<DatePickerPopover> of(const DatePicker& picker);

    // `date` moved by `delta` units of `unit` in `picker`'s time zone (day clamped for months
    // and years); the date itself when it is not finite.
    static base::Date stepped(base::Date date, Unit unit, int delta, const base::TimeZone& timeZone);

    const char* className() const override { return "DatePickerPopover"; }
    const std::shared_ptr<View>& card() const { return card_; }
    const std::vector<Unit>& units() const { return units_; }
    // The row buttons of a unit shown (null for a unit the mode hides) and Done.
    std::shared_ptr<Button> minusButton(Unit unit) const;
    std::shared_ptr<Button> plusButton(Unit unit) const;
    const std::shared_ptr<Button>& doneButton() const { return done_; }
    // The value text of a unit's row ("5", "Mar", "2024", "14", "07").
    std::string valueText(Unit unit) const;

    void close();
    void touchesEnded(const Touches& touches) override;

private:
    struct Row {
        Unit unit;
        std::shared_ptr<Label> title, value;
        std::shared_ptr<Button> minus, plus;
    };

    explicit DatePickerPopover(const std::shared_ptr<DatePicker>& picker);
    void build();
    void addRow(Unit unit, double y);
    std::shared_ptr<Button> makeStepButton(const char* title, Unit unit, int delta, double x, double y);
    void step(Unit unit, int delta);
    void refresh();
    void placeCard();
    const Row* row(Unit unit) const;

    std::weak_ptr<DatePicker> picker_;
    std::vector<Unit> units_;
    std::vector<Row> rows_;
    std::shared_ptr<View> card_;
    std::shared_ptr<Button> done_;
};

}  // namespace ui
