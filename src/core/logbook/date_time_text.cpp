#include "logbook/date_time_text.h"

#include <cctype>
#include <vector>

namespace trivex {

bool ParseDateTimeText(std::string_view text, std::string_view pattern, DateTime& out) {
  // The fields of the pattern in order: y, M (month), d, h, n (minutes), s, z.
  std::vector<char> fields;
  bool after_hour = false;
  for (size_t i = 0; i < pattern.size();) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    if (pattern[i] == '"' || pattern[i] == '\'') {
      const size_t end = pattern.find(pattern[i], i + 1);
      i = end == std::string_view::npos ? pattern.size() : end + 1;
      continue;
    }
    size_t n = 1;
    while (i + n < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + n])) == c) ++n;
    i += n;
    switch (c) {
      case 'y': fields.push_back('y'); after_hour = false; break;
      case 'd':
        if (n > 2) return false;
        fields.push_back('d');
        after_hour = false;
        break;
      case 'm':
        if (n > 2) return false;
        fields.push_back(after_hour ? 'n' : 'M');
        after_hour = false;
        break;
      case 'h': fields.push_back('h'); after_hour = true; break;
      case 'n': fields.push_back('n'); after_hour = false; break;
      case 's': fields.push_back('s'); after_hour = false; break;
      case 'z': fields.push_back('z'); break;
      default: break;
    }
  }
  CivilTime c;
  c.year = -1;
  c.month = c.day = -1;
  size_t f = 0, pos = 0;
  while (pos < text.size() && f < fields.size()) {
    if (!std::isdigit(static_cast<unsigned char>(text[pos]))) {
      ++pos;
      continue;
    }
    int64_t v = 0;
    size_t digits = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && digits < 9) {
      v = v * 10 + (text[pos++] - '0');
      ++digits;
    }
    const int value = static_cast<int>(v);
    switch (fields[f++]) {
      case 'y': c.year = digits <= 2 ? 2000 + value : value; break;
      case 'M': c.month = value; break;
      case 'd': c.day = value; break;
      case 'h': c.hour = value; break;
      case 'n': c.minute = value; break;
      case 's': c.second = value; break;
      case 'z':
        c.millisecond = digits == 1 ? value * 100 : digits == 2 ? value * 10 : value;
        break;
    }
  }
  for (; pos < text.size(); ++pos)
    if (std::isdigit(static_cast<unsigned char>(text[pos]))) return false;  // numbers left over
  if (c.year < 0 || c.month < 0 || c.day < 0 || !IsValidCivil(c)) return false;
  out = DateTime::FromCivil(c);
  return true;
}

}  // namespace trivex
