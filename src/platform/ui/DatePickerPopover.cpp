#include "ui/DatePickerPopover.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Calendar.h"
#include "base/DateFormatter.h"
#include "ui/Button.h"
#include "ui/DatePicker.h"
#include "ui/Label.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {
namespace {

constexpr double kStepButtonSize = 44;
constexpr double kTitleWidth = 80;

const char* unitName(DatePickerPopover::Unit unit) {
    switch (unit) {
        case DatePickerPopover::Unit::Day:
            return "Day";
        case DatePickerPopover::Unit::Month:
            return "Month";
        case DatePickerPopover::Unit::Year:
            return "Year";
        case DatePickerPopover::Unit::Hour:
            return "Hour";
        case DatePickerPopover::Unit::Minute:
            return "Minute";
    }
    return "";
}

const char* unitPattern(DatePickerPopover::Unit unit) {
    switch (unit) {
        case DatePickerPopover::Unit::Day:
            return "d";
        case DatePickerPopover::Unit::Month:
            return "MMM";
        case DatePickerPopover::Unit::Year:
            return "y";
        case DatePickerPopover::Unit::Hour:
            return "HH";
        case DatePickerPopover::Unit::Minute:
            return "mm";
    }
    return "";
}

int daysInMonth(int year, int month, const base::TimeZone& zone) {
    // Noon of the first of the next month, less a day, is in the last day of this one.
    base::DateComponents next{year, month + 1, 1, 12, 0, 0};
    auto last = base::Calendar::components(base::Calendar::date(next, zone).addingTimeInterval(-86400), zone);
    return last ? last->day : 28;
}

}  // namespace

base::Date DatePickerPopover::stepped(base::Date date, Unit unit, int delta, const base::TimeZone& timeZone) {
    auto parts = base::Calendar::components(date, timeZone);
    if (!parts) return date;
    switch (unit) {
        case Unit::Day:
            parts->day += delta;
            break;
        case Unit::Hour:
            parts->hour += delta;
            break;
        case Unit::Minute:
            parts->minute += delta;
            break;
        case Unit::Month:
        case Unit::Year: {
            // Move the month, then keep the day inside it.
            int months = parts->year * 12 + (parts->month - 1) + (unit == Unit::Month ? delta : 12 * delta);
            parts->year = int(std::floor(months / 12.0));
            parts->month = months - parts->year * 12 + 1;
            parts->day = std::min(parts->day, daysInMonth(parts->year, parts->month, timeZone));
            break;
        }
    }
    return base::Calendar::date(*parts, timeZone);
}

std::shared_ptr<DatePickerPopover> DatePickerPopover::of(const DatePicker& picker) {
    auto window = picker.window();
    if (!window) return nullptr;
    for (const auto& overlay : window->overlays()) {
        auto popover = std::dynamic_pointer_cast<DatePickerPopover>(overlay);
        if (popover && popover->picker_.lock().get() == &picker) return popover;
    }
    return nullptr;
}

std::shared_ptr<DatePickerPopover> DatePickerPopover::present(const std::shared_ptr<DatePicker>& picker) {
    if (!picker || !picker->window()) return nullptr;
    if (auto open = of(*picker)) return open;
    std::shared_ptr<DatePickerPopover> popover(new DatePickerPopover(picker));
    popover->build();
    picker->window()->pushOverlay(popover);
    return popover;
}

DatePickerPopover::DatePickerPopover(const std::shared_ptr<DatePicker>& picker) : picker_(picker) {
    if (picker->datePickerMode() != DatePickerMode::Time) units_ = {Unit::Day, Unit::Month, Unit::Year};
    if (picker->datePickerMode() != DatePickerMode::Date) {
        units_.push_back(Unit::Hour);
        units_.push_back(Unit::Minute);
    }
}

void DatePickerPopover::build() {
    auto picker = picker_.lock();
    setFrame(picker->window()->bounds());
    setTintColor(picker->tintColor());
    card_ = View::create();
    card_->setBackgroundColor(gfx::Color::secondarySystemBackground());
    card_->layer().setCornerRadius(13);
    addSubview(card_);

    double y = kPadding;
    for (Unit unit : units_) {
        addRow(unit, y);
        y += kRowHeight;
    }
    done_ = Button::create();
    done_->setTitle("Done");
    done_->setTitleColor(tintColor());
    done_->setTitleFont(gfx::Font::system(17, gfx::FontWeight::Semibold));
    done_->setFrame({kCardWidth - kPadding - 80, y, 80, kRowHeight});
    done_->addAction(ControlEventTouchUpInside, [this] { close(); });
    card_->addSubview(done_);
    card_->setFrame({0, 0, kCardWidth, y + kRowHeight + kPadding});
    placeCard();
    refresh();
}

void DatePickerPopover::addRow(Unit unit, double y) {
    Row row{unit, Label::create(unitName(unit)), Label::create(), nullptr, nullptr};
    row.title->setFrame({16, y, kTitleWidth, kRowHeight});
    row.title->setTextColor(gfx::Color::secondaryLabel());
    double plusX = kCardWidth - 16 - kStepButtonSize;
    double minusX = plusX - 8 - kStepButtonSize;
    row.value->setFrame({16 + kTitleWidth, y, minusX - 16 - kTitleWidth - 8, kRowHeight});
    row.value->setTextAlignment(gfx::TextAlignment::Right);
    row.value->setFont(gfx::Font::system(17, gfx::FontWeight::Semibold));
    row.minus = makeStepButton("−", unit, -1, minusX, y);
    row.plus = makeStepButton("+", unit, +1, plusX, y);
    for (const auto& view :
         std::initializer_list<std::shared_ptr<View>>{row.title, row.value, row.minus, row.plus})
        card_->addSubview(view);
    rows_.push_back(std::move(row));
}

std::shared_ptr<Button> DatePickerPopover::makeStepButton(const char* title, Unit unit, int delta, double x,
                                                          double y) {
    auto button = Button::create();
    button->setTitle(title);
    button->setTitleColor(tintColor());
    button->setTitleFont(gfx::Font::system(22, gfx::FontWeight::Medium));
    button->setBackgroundColor(tintColor().withAlphaComponent(0.12));
    button->layer().setCornerRadius(8);
    button->setFrame({x, y + 4, kStepButtonSize, kRowHeight - 8});
    button->addAction(ControlEventTouchUpInside, [this, unit, delta] { step(unit, delta); });
    return button;
}

void DatePickerPopover::placeCard() {
    auto picker = picker_.lock();
    gfx::Size card = card_->bounds().size();
    gfx::Rect anchor = picker ? picker->convertRect(picker->bounds(), nullptr) : gfx::Rect{};
    if (picker && !picker->pillRects().empty()) {
        auto pills = picker->pillRects();
        anchor = picker->convertRect(
            {pills.front().origin(), gfx::Size{pills.back().maxX() - pills.front().x, pills.front().height}},
            nullptr);
    }
    const gfx::Size screen = bounds().size();
    double x = std::clamp(anchor.maxX() - card.width, kMargin,
                          std::max(kMargin, screen.width - kMargin - card.width));
    double y = anchor.maxY() + kMargin;
    if (y + card.height > screen.height - kMargin)
        y = std::max(kMargin, anchor.minY() - kMargin - card.height);
    card_->setFrame({x, y, card.width, card.height});
}

void DatePickerPopover::step(Unit unit, int delta) {
    auto picker = picker_.lock();
    if (!picker) return close();
    auto protector = shared_from_this();
    picker->userDidPickDate(stepped(picker->date(), unit, delta, picker->timeZone()));
    refresh();
}

void DatePickerPopover::refresh() {
    auto picker = picker_.lock();
    if (!picker) return;
    for (Row& row : rows_) {
        base::DateFormatter formatter(unitPattern(row.unit), picker->locale(), picker->timeZone());
        row.value->setText(formatter.stringFromDate(picker->date()));
    }
}

const DatePickerPopover::Row* DatePickerPopover::row(Unit unit) const {
    for (const Row& row : rows_)
        if (row.unit == unit) return &row;
    return nullptr;
}

std::shared_ptr<Button> DatePickerPopover::minusButton(Unit unit) const {
    const Row* found = row(unit);
    return found ? found->minus : nullptr;
}

std::shared_ptr<Button> DatePickerPopover::plusButton(Unit unit) const {
    const Row* found = row(unit);
    return found ? found->plus : nullptr;
}

std::string DatePickerPopover::valueText(Unit unit) const {
    const Row* found = row(unit);
    return found ? found->value->text() : std::string();
}

void DatePickerPopover::close() {
    auto protector = shared_from_this();
    if (auto window = this->window()) window->removeOverlay(shared_from_this());
}

void DatePickerPopover::touchesEnded(const Touches& touches) {
    // The card's own blank areas hand their touches up to here: only a tap outside closes.
    gfx::Point point = touches.front().locationInView(this);
    if (!card_->frame().contains(point)) close();
}

}  // namespace ui
