#pragma once
// How decoded events are turned into lines: the output mode (text for the logbook view, CSV
// for the table export), the time formats and the user's separators.
#include <string>
#include <string_view>

#include "config/date_time_formats.h"
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

// A context from date-time formats (display and full format) and the system formats'
// separators.
TLogRenderContext MakeLogRenderContext(int mode, const TDateTimeFormats& formats,
                                       const SystemFormats& system);
// The same from the shared instances (TDateTimeFormats::Shared(), CurrentFormats()).
TLogRenderContext MakeLogRenderContext(int mode);

// A date-time rendered with one of the context's formats.
std::string FormatLogTime(std::string_view format, DateTime value, const TLogRenderContext& ctx);

// Length of a UTF-8 text in characters.
size_t Utf8Length(std::string_view text);

}  // namespace trivex
