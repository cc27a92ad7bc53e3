#include "config/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "config/device_time.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/system_formats.h"
#include "lang/texts_config.h"

namespace trivex {
namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> TryParseNumber(std::string_view text, char sep) {
  text = TrimBlanks(text);
  std::string norm;
  norm.reserve(text.size());
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') norm += '-';
    ++i;
  }
  int digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) norm += text[i];
  if (i < text.size() && text[i] == sep) {
    norm += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) norm += text[i];
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    norm += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) norm += text[i++];
    int exp_digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exp_digits) norm += text[i];
    if (exp_digits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  auto r = std::from_chars(norm.data(), norm.data() + norm.size(), value);
  if (r.ec != std::errc() || r.ptr != norm.data() + norm.size()) return std::nullopt;
  return value;
}

double ParseNumberTolerant(std::string_view text, char sep) {
  if (text.empty()) return 0;
  if (auto v = TryParseNumber(text, sep)) return *v;
  if (auto v = TryParseNumber(text, sep == '.' ? ',' : '.')) return *v;
  throw ConvertError(Format(lang::Tr(tx::config::NotNumber), {text}));
}

double ParseNumberTolerant(std::string_view text) {
  return ParseNumberTolerant(text, CurrentFormats().decimal_separator);
}

std::optional<long long> TryParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  long long value = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

bool IsIntegerText(std::string_view text) { return IsDecimalText(text, '\0'); }

bool IsDecimalText(std::string_view text, char sep) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digit = false, separator = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) digit = true;
    else if (sep != '\0' && text[i] == sep && !separator) separator = true;
    else return false;
  }
  return digit;
}

int CheckRange(double value, double bound1, double bound2) {
  double low = std::min(bound1, bound2), high = std::max(bound1, bound2);
  if (value < low) return -1;
  if (value > high) return 1;
  return 0;
}

std::string RangeMessage(double bound1, double bound2) {
  return Format(lang::Tr(tx::config::ValueRange),
                {std::min(bound1, bound2), std::max(bound1, bound2)});
}

double NormalizeAngleDeg(double radians) {
  double deg = std::fmod(radians * 180.0 / std::numbers::pi, 360.0);
  if (deg > 180.0) deg -= 360.0;
  else if (deg <= -180.0) deg += 360.0;
  return deg;
}

}  // namespace trivex
