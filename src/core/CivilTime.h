// Dates and times of day in the Gregorian calendar, carried back before its
// introduction as Unix time counts, with no time zone. Plain arithmetic rather
// than the C library's calendar, so that a result never depends on the
// machine's zone or locale and years before 1970 or after 2038 work alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct TDateTime {
  int64_t Year;
  int Month, Day, Hour, Minute, Second;
};

bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month);  // month 1..12
// Month, day, hour, minute and second each within its range (no leap second).
bool IsValidDateTime(const TDateTime& t);

// Days since 1970-01-01 (negative before it), and seconds both ways.
int64_t DaysFromCivil(int64_t year, int month, int day);
int64_t SecondsFromCivil(const TDateTime& t);
TDateTime CivilFromSeconds(int64_t seconds);

// "YYYY-MM-DD hh:mm:ss", the year padded to four digits.
std::string DateTimeText(const TDateTime& t);
// The same text, or the date alone for midnight: a four-digit year, the other
// fields with one or two digits, spaces around. nullopt for another form or an
// invalid field.
std::optional<TDateTime> ParseDateTime(const std::string& text);
