#pragma once
// The program's date-time formats (one shared instance, made at start-up from the user's
// system formats): the date-time format (short date with a four-digit year, " hh", the time
// separator, "nn", the time separator, "ss"), the full format (that plus the decimal
// separator and "zzz") and the display format (the full format until another is set), each
// with the width of the longest text it yields (in characters).
#include <string>
#include <string_view>

#include "lang/date_time.h"
#include "lang/system_formats.h"

namespace trivex {

class TDateTimeFormats {
 public:
  TDateTimeFormats();  // from CurrentFormats()
  explicit TDateTimeFormats(const SystemFormats& formats);

  // The shared instance; Reset() rebuilds it from the current system formats.
  static TDateTimeFormats& Shared();
  void Reset(const SystemFormats& formats);

  const std::string& DisplayFormat() const { return display_format_; }
  int DisplayWidth() const { return display_width_; }
  const std::string& DateTimeFormat() const { return date_time_format_; }
  int DateTimeWidth() const { return date_time_width_; }
  const std::string& FullFormat() const { return full_format_; }
  int FullWidth() const { return full_width_; }

  void SetDisplayFormat(std::string_view format);

  // Formats with the display / date-time / full format (date separator "/" as written in the
  // pattern, the time separator of the system formats).
  std::string FormatDisplay(DateTime value) const;
  std::string FormatDateTime(DateTime value) const;
  std::string FormatFull(DateTime value) const;

  // The longest text a pattern yields over a spread of dates (all weekdays, all months,
  // single- and two-digit days and months).
  static int LongestWidth(std::string_view format, char time_separator = ':');

 private:
  std::string display_format_, date_time_format_, full_format_;
  int display_width_ = 0, date_time_width_ = 0, full_width_ = 0;
  char time_separator_ = ':';
};

// The date-time pattern built from a system short date: in lower case, a two-digit year
// widened to four digits, then " hh", ":", "nn", ":", "ss" with the given time separator.
std::string DateTimePatternOf(std::string_view short_date, char time_separator);

}  // namespace trivex
