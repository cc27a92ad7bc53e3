#include "logbook/log_render_context.h"

#include <algorithm>
#include <cctype>

namespace trivex {

size_t Utf8Length(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string FullDateTimeFormat(const SystemFormats& formats) {
  std::string date;
  for (char c : formats.short_date) date += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (date.find("yyyy") == std::string::npos) {
    const size_t yy = date.find("yy");
    if (yy != std::string::npos) date.insert(yy, "yy");
  }
  std::string out = date + " hh";
  out += formats.time_separator;
  out += "nn";
  out += formats.time_separator;
  out += "ss";
  out += formats.decimal_separator;
  out += "zzz";
  return out;
}

std::string FormatLogTime(std::string_view format, DateTime value, const TLogRenderContext& ctx) {
  return FormatDateTime(format, value, '/', ctx.time_separator);
}

int DateFormatWidth(std::string_view format) {
  auto width = [&](DateTime t) {
    return static_cast<int>(Utf8Length(FormatDateTime(format, t, '/', ':')));
  };
  constexpr int64_t kDay = 86400000;
  // Seven consecutive days give every weekday name ...
  const DateTime first = DateTime::FromCivil(2000, 1, 13, 23, 59, 59, 999);
  int best = -1;
  DateTime best_day = first;
  for (int i = 0; i < 7; ++i) {
    const DateTime t = DateTime::FromMs(first.ms() + i * kDay);
    const int w = width(t);
    if (w > best) {
      best = w;
      best_day = t;
    }
  }
  // ... and from the widest of them, steps of four (twice five) weeks reach every month.
  DateTime t = best_day;
  for (int i = 1; i <= 11; ++i) {
    t = DateTime::FromMs(t.ms() + (i == 4 || i == 8 ? 35 : 28) * kDay);
    best = std::max(best, width(t));
  }
  return best;
}

TLogRenderContext MakeLogRenderContext(int mode, std::string_view display_format,
                                       const SystemFormats& formats) {
  TLogRenderContext ctx;
  ctx.mode = mode;
  ctx.display_format = std::string(display_format);
  ctx.display_width = DateFormatWidth(display_format);
  ctx.full_format = FullDateTimeFormat(formats);
  ctx.time_separator = formats.time_separator;
  ctx.decimal_separator = formats.decimal_separator;
  ctx.list_separator = formats.list_separator;
  return ctx;
}

TLogRenderContext MakeLogRenderContext(int mode, std::string_view display_format) {
  return MakeLogRenderContext(mode, display_format, CurrentFormats());
}

}  // namespace trivex
