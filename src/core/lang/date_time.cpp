#include "lang/date_time.h"

#include <cctype>

#include "lang/texts_lang.h"

namespace trivex {

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

bool IsValidCivil(const CivilTime& c) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (c.month < 1 || c.month > 12 || c.day < 1) return false;
  bool leap = (c.year % 4 == 0 && c.year % 100 != 0) || c.year % 400 == 0;
  int dim = kDays[c.month - 1] + (c.month == 2 && leap ? 1 : 0);
  return c.day <= dim && c.hour >= 0 && c.hour < 24 && c.minute >= 0 && c.minute < 60 &&
         c.second >= 0 && c.second < 60 && c.millisecond >= 0 && c.millisecond < 1000;
}

DateTime DateTime::FromCivil(const CivilTime& c) {
  int64_t days = DaysFromCivil(c.year, c.month, c.day);
  return FromMs(((days * 24 + c.hour) * 60 + c.minute) * 60000 + c.second * 1000 + c.millisecond);
}

DateTime DateTime::FromCivil(int y, int mo, int d, int h, int mi, int s, int ms) {
  return FromCivil(CivilTime{y, mo, d, h, mi, s, ms});
}

CivilTime DateTime::ToCivil() const {
  int64_t days = ms_ >= 0 ? ms_ / 86400000 : -((-ms_ + 86399999) / 86400000);
  int64_t rest = ms_ - days * 86400000;
  CivilTime c;
  CivilFromDays(days, c.year, c.month, c.day);
  c.hour = static_cast<int>(rest / 3600000);
  c.minute = static_cast<int>(rest / 60000 % 60);
  c.second = static_cast<int>(rest / 1000 % 60);
  c.millisecond = static_cast<int>(rest % 1000);
  return c;
}

int DateTime::DayOfWeek() const {
  int64_t days = ms_ >= 0 ? ms_ / 86400000 : -((-ms_ + 86399999) / 86400000);
  // 1970-01-01 was a Thursday (5 when Sunday is 1).
  int64_t w = (days + 4) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}

namespace {
void Num(std::string& out, int v, int width) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) < width) out.append(static_cast<size_t>(width) - s.size(), '0');
  out += s;
}
}  // namespace

std::string FormatDateTime(std::string_view pattern, DateTime value, char date_sep, char time_sep) {
  const CivilTime c = value.ToCivil();
  std::string out;
  out.reserve(pattern.size() + 8);
  bool last_was_hour = false;
  size_t i = 0;
  auto count = [&](char lower) {
    size_t n = 0;
    while (i + n < pattern.size() &&
           std::tolower(static_cast<unsigned char>(pattern[i + n])) == lower)
      ++n;
    return n;
  };
  while (i < pattern.size()) {
    char ch = pattern[i];
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ch == '"' || ch == '\'') {
      size_t end = pattern.find(ch, i + 1);
      if (end == std::string_view::npos) end = pattern.size();
      out.append(pattern.substr(i + 1, end - i - 1));
      i = end < pattern.size() ? end + 1 : end;
      continue;
    }
    switch (l) {
      case 'y': {
        size_t n = count('y');
        if (n <= 2) Num(out, c.year % 100, 2);
        else Num(out, c.year, 4);
        i += n;
        last_was_hour = false;
        break;
      }
      case 'm': {
        size_t n = count('m');
        if (last_was_hour && n <= 2) {
          Num(out, c.minute, n == 1 ? 1 : 2);
        } else if (n <= 2) {
          Num(out, c.month, n == 1 ? 1 : 2);
        } else {
          const auto& names = n == 3 ? tx::lang::ShortMonthNames : tx::lang::LongMonthNames;
          out += lang::TrItem(names, c.month - 1);
        }
        i += n;
        last_was_hour = false;
        break;
      }
      case 'd': {
        size_t n = count('d');
        if (n <= 2) Num(out, c.day, n == 1 ? 1 : 2);
        else if (n == 3) out += lang::TrItem(tx::lang::ShortDayNames, value.DayOfWeek() - 1);
        else out += lang::TrItem(tx::lang::LongDayNames, value.DayOfWeek() - 1);
        i += n;
        last_was_hour = false;
        break;
      }
      case 'h': {
        size_t n = count('h');
        Num(out, c.hour, n == 1 ? 1 : 2);
        i += n;
        last_was_hour = true;
        break;
      }
      case 'n': {
        size_t n = count('n');
        Num(out, c.minute, n == 1 ? 1 : 2);
        i += n;
        last_was_hour = false;
        break;
      }
      case 's': {
        size_t n = count('s');
        Num(out, c.second, n == 1 ? 1 : 2);
        i += n;
        last_was_hour = false;
        break;
      }
      case 'z': {
        size_t n = count('z');
        Num(out, c.millisecond, n >= 3 ? 3 : 1);
        i += n;
        break;
      }
      case '/':
        out += date_sep;
        ++i;
        break;
      case ':':
        out += time_sep;
        ++i;
        break;
      default:
        out += ch;
        ++i;
        // A blank or a separator between h and m keeps m meaning minutes ("hh:mm").
        break;
    }
  }
  return out;
}

}  // namespace trivex
