#pragma once
// How decoded events are turned into lines: the output mode (text for the logbook view, CSV
// for the table export), the time formats and the user's separators.
#include <string>
#include <string_view>

#include "lang/date_time.h"
#include "lang/system_formats.h"

namespace trivex {

struct TLogRenderContext {
  enum Mode : int { kText = 0, kCsv = 1 };
  int mode = kText;
  std::string display_format = "YYYY-MM-DD hh:mm:ss,zzz";  // time column of text lines
  int display_width = 23;                                  // its longest text
  std::string full_format = "yyyy-mm-dd hh:nn:ss.zzz";     // time field of CSV lines
  char time_separator = ':';
  char decimal_separator = '.';
  char list_separator = ',';  // separates CSV fields
};

// The logbook's default display format (first entry of the "DateFormats" setting).
inline constexpr const char* kDefaultLogDateFormat = "YYYY-MM-DD hh:mm:ss,zzz";

// A context from the user's system formats (CurrentFormats()) and a display format.
TLogRenderContext MakeLogRenderContext(int mode, std::string_view display_format = kDefaultLogDateFormat);
TLogRenderContext MakeLogRenderContext(int mode, std::string_view display_format,
                                       const SystemFormats& formats);

// The full date-time format: the short date with a four-digit year, " hh:nn:ss" with the
// time separator, the decimal separator and "zzz".
std::string FullDateTimeFormat(const SystemFormats& formats);
// Width in characters of the longest text a date-time format yields (over dates that cover
// every weekday and month).
int DateFormatWidth(std::string_view format);
// A date-time rendered with one of the context's formats.
std::string FormatLogTime(std::string_view format, DateTime value, const TLogRenderContext& ctx);

// Length of a UTF-8 text in characters.
size_t Utf8Length(std::string_view text);

}  // namespace trivex
