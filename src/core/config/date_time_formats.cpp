#include "config/date_time_formats.h"

#include <algorithm>

#include "config/text_util.h"

namespace trivex {
namespace {

int Utf8Length(std::string_view s) {
  int n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

std::string DateTimePatternOf(std::string_view short_date, char time_separator) {
  std::string date = AsciiLowerCase(short_date);
  size_t yy = date.find("yy");
  if (yy != std::string::npos && date.find("yyyy") == std::string::npos) date.insert(yy, "yy");
  std::string sep(1, time_separator);
  return date + " hh" + sep + "nn" + sep + "ss";
}

int TDateTimeFormats::LongestWidth(std::string_view format, char time_separator) {
  auto width = [&](DateTime t) {
    return Utf8Length(trivex::FormatDateTime(format, t, '/', time_separator));
  };
  constexpr int64_t kDay = 86400000;
  DateTime start = DateTime::FromCivil(2000, 1, 13, 23, 59, 59, 999);
  int best = -1;
  DateTime best_day = start;
  for (int d = 0; d < 7; ++d) {
    DateTime t = DateTime::FromMs(start.ms() + d * kDay);
    int w = width(t);
    if (w > best) {
      best = w;
      best_day = t;
    }
  }
  // Same weekday through the months: steps of four weeks, five after the 3rd and 7th.
  DateTime t = best_day;
  for (int k = 1; k <= 11; ++k) {
    t = DateTime::FromMs(t.ms() + (k == 4 || k == 8 ? 35 : 28) * kDay);
    best = std::max(best, width(t));
  }
  return best;
}

TDateTimeFormats::TDateTimeFormats() : TDateTimeFormats(CurrentFormats()) {}

TDateTimeFormats::TDateTimeFormats(const SystemFormats& formats) { Reset(formats); }

TDateTimeFormats& TDateTimeFormats::Shared() {
  static TDateTimeFormats shared;
  return shared;
}

void TDateTimeFormats::Reset(const SystemFormats& formats) {
  time_separator_ = formats.time_separator;
  date_time_format_ = DateTimePatternOf(formats.short_date, formats.time_separator);
  full_format_ = date_time_format_ + formats.decimal_separator + "zzz";
  date_time_width_ = LongestWidth(date_time_format_, time_separator_);
  full_width_ = LongestWidth(full_format_, time_separator_);
  display_format_ = full_format_;
  display_width_ = full_width_;
}

void TDateTimeFormats::SetDisplayFormat(std::string_view format) {
  display_format_ = std::string(format);
  display_width_ = LongestWidth(display_format_, time_separator_);
}

std::string TDateTimeFormats::FormatDisplay(DateTime value) const {
  return trivex::FormatDateTime(display_format_, value, '/', time_separator_);
}
std::string TDateTimeFormats::FormatDateTime(DateTime value) const {
  return trivex::FormatDateTime(date_time_format_, value, '/', time_separator_);
}
std::string TDateTimeFormats::FormatFull(DateTime value) const {
  return trivex::FormatDateTime(full_format_, value, '/', time_separator_);
}

}  // namespace trivex
