#include "core/CivilTime.h"

#include <cstdio>

bool IsLeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int64_t year, int month) {
  static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

bool IsValidDateTime(const TDateTime& t) {
  return t.Month >= 1 && t.Month <= 12 && t.Day >= 1 && t.Day <= DaysInMonth(t.Year, t.Month) && t.Hour >= 0 &&
         t.Hour <= 23 && t.Minute >= 0 && t.Minute <= 59 && t.Second >= 0 && t.Second <= 59;
}

// Counted in whole 400-year cycles of 146097 days from 0000-03-01: with March
// first, the leap day ends a year, and with floor division of the cycles,
// negative years need no case of their own.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t cycle = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfCycle = y - cycle * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfCycle = yearOfCycle * 365 + yearOfCycle / 4 - yearOfCycle / 100 + dayOfYear;
  return cycle * 146097 + dayOfCycle - 719468;
}

int64_t SecondsFromCivil(const TDateTime& t) {
  return DaysFromCivil(t.Year, t.Month, t.Day) * 86400 + t.Hour * 3600 + t.Minute * 60 + t.Second;
}

TDateTime CivilFromSeconds(int64_t seconds) {
  int64_t days = seconds / 86400, rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  const int64_t shifted = days + 719468;  // days since 0000-03-01
  const int64_t cycle = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
  const int64_t dayOfCycle = shifted - cycle * 146097;
  // The cycle's leap days taken out, every year of it has 365 days.
  const int64_t yearOfCycle = (dayOfCycle - dayOfCycle / 1460 + dayOfCycle / 36524 - dayOfCycle / 146096) / 365;
  const int64_t dayOfYear = dayOfCycle - (365 * yearOfCycle + yearOfCycle / 4 - yearOfCycle / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  TDateTime t;
  t.Day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  t.Month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  t.Year = yearOfCycle + cycle * 400 + (t.Month <= 2 ? 1 : 0);
  t.Hour = int(rest / 3600);
  t.Minute = int(rest / 60 % 60);
  t.Second = int(rest % 60);
  return t;
}

std::string DateTimeText(const TDateTime& t) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d %02d:%02d:%02d", static_cast<long long>(t.Year), t.Month,
                t.Day, t.Hour, t.Minute, t.Second);
  return buffer;
}

namespace {

// A field of least to most digits at s[i].
bool Field(const std::string& s, size_t& i, size_t least, size_t most, int& value) {
  size_t n = 0;
  value = 0;
  for (; i < s.size() && n < most && s[i] >= '0' && s[i] <= '9'; ++i, ++n) value = value * 10 + (s[i] - '0');
  return n >= least;
}

bool Skip(const std::string& s, size_t& i, char c) {
  if (i >= s.size() || s[i] != c) return false;
  ++i;
  return true;
}

}  // namespace

std::optional<TDateTime> ParseDateTime(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const std::string s = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  TDateTime t{0, 0, 0, 0, 0, 0};
  int year = 0;
  size_t i = 0;
  if (!Field(s, i, 4, 4, year) || !Skip(s, i, '-') || !Field(s, i, 1, 2, t.Month) || !Skip(s, i, '-') ||
      !Field(s, i, 1, 2, t.Day))
    return std::nullopt;
  t.Year = year;
  if (i < s.size()) {
    if (!Skip(s, i, ' ')) return std::nullopt;
    while (Skip(s, i, ' ')) {
    }
    if (!Field(s, i, 1, 2, t.Hour) || !Skip(s, i, ':') || !Field(s, i, 1, 2, t.Minute) || !Skip(s, i, ':') ||
        !Field(s, i, 1, 2, t.Second) || i != s.size())
      return std::nullopt;
  }
  if (!IsValidDateTime(t)) return std::nullopt;
  return t;
}
