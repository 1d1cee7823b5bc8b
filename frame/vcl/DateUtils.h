// Calendar helpers beyond SysUtils: ISO 8601 days and weeks, parts of a date,
// day arithmetic.
#pragma once

#include <cstdint>

#include "vcl/SysUtils.h"

namespace vcl {

// ISO day of the week: 1 = Monday .. 7 = Sunday.
int DayOfTheWeek(TDateTime Date);
// ISO 8601 week number (weeks run Monday to Sunday; week 1 holds the first
// Thursday of the year). YearOfWeek receives the year the week belongs to,
// which differs from the date's year around New Year.
int WeekOfTheYear(TDateTime Date);
int WeekOfTheYear(TDateTime Date, uint16_t& YearOfWeek);
// Number of ISO weeks of a year: 52 or 53.
int WeeksInAYear(uint16_t Year);

uint16_t YearOf(TDateTime Date);
uint16_t MonthOf(TDateTime Date);
uint16_t DayOf(TDateTime Date);
TDateTime IncDay(TDateTime Date, int NumberOfDays = 1);
// Whole days between two moments, always >= 0.
int64_t DaysBetween(TDateTime Now, TDateTime Then);
bool IsValidDate(uint16_t Year, uint16_t Month, uint16_t Day);
TDateTime StartOfTheMonth(TDateTime Date);
TDateTime EndOfTheMonth(TDateTime Date);

}  // namespace vcl
