#include "config/version_number.h"

#include "lang/format.h"

namespace trivex {

std::string VersionText(int v) {
  return Format("%d.%d.%.2d", {v / 1000, (v % 1000) / 100, v % 100});
}

int ParseVersion(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  size_t dot = text.find('.');
  if (dot == std::string_view::npos || dot == 0) return 0;
  // Major part, one digit of minor, a dot, two digits of the patch level.
  if (text.size() < dot + 5 || text[dot + 2] != '.') return 0;
  std::string digits(text.substr(0, dot));
  digits += text[dot + 1];
  digits += text.substr(dot + 3, 2);
  if (digits.size() > 9) return 0;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace trivex
