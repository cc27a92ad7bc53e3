#pragma once
// Date-time values of the program: local civil time without a time zone, counted in
// milliseconds. Devices keep local time, so no arithmetic here ever consults the system
// time zone and daylight-saving changes never shift or reject a value.
#include <cstdint>
#include <string>
#include <string_view>

namespace trivex {

struct CivilTime {
  int year = 1990, month = 1, day = 1;  // month 1..12, day 1..31
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class DateTime {
 public:
  constexpr DateTime() = default;
  // Milliseconds since 1970-01-01 00:00:00.000 (civil, no zone).
  static constexpr DateTime FromMs(int64_t ms) { DateTime d; d.ms_ = ms; return d; }
  static DateTime FromCivil(const CivilTime& c);  // fields must be valid
  static DateTime FromCivil(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0);
  constexpr int64_t ms() const { return ms_; }
  CivilTime ToCivil() const;
  int DayOfWeek() const;  // 1 = Sunday .. 7 = Saturday
  constexpr auto operator<=>(const DateTime&) const = default;

 private:
  int64_t ms_ = 0;
};

// Days since 1970-01-01 of a civil date and back (proleptic Gregorian).
int64_t DaysFromCivil(int y, int m, int d);
void CivilFromDays(int64_t days, int& y, int& m, int& d);
bool IsValidCivil(const CivilTime& c);

// Formats a date-time with the patterns the program's texts use: letters in either case;
// d dd (day), ddd dddd (short/long weekday name in the current language), m mm (month; after
// an h/hh they mean minutes), mmm mmmm (month name), yy yyyy, h hh, n nn (minutes), s ss,
// z zzz (milliseconds), "/" the given date separator, ":" the time separator, text in
// double or single quotes as a literal, any other character as itself.
std::string FormatDateTime(std::string_view pattern, DateTime value, char date_separator = '/',
                           char time_separator = ':');

}  // namespace trivex
