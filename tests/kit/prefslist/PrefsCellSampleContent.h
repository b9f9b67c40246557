#pragma once

#include <string>

#include "base/Date.h"
#include "ui/TableViewCell.h"

namespace testsupport {

// Fills a preference cell the way the list fills a row of its type: icon tile in the row's
// accent at 0.4 alpha with the tinted symbol, title and second line, and the type's value or
// control in a visible state (switch on, slider at 0.6 of its track, stepper at 4, the middle
// of three segments, a fixed date in English and UTC, generated previews). The same cell
// always gets the same content, so renders of it are stable. An empty `title` keeps the
// class's sample title; a bench passes row numbers instead.
void fillWithSampleContent(ui::TableViewCell& cell, const std::string& title = {});

// Tuesday 5 March 2024, 14:07 UTC: the date every sample date row shows.
inline constexpr base::Date kSampleDate = base::Date::fromUnixTime(1709647620);

}  // namespace testsupport
