#include "config/duration_text.h"

#include <vector>

#include "config/device_time.h"
#include "config/number_text.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/texts_config.h"

namespace trivex {
namespace {

[[noreturn]] void ThrowNotDuration(std::string_view text) {
  throw ConvertError(Format(lang::Tr(tx::config::NotDuration), {text}));
}

// A prefix part: digits only (blanks around allowed).
long long Prefix(std::string_view part, std::string_view whole) {
  part = TrimBlanks(part);
  if (part.empty() || !IsIntegerText(part) || part.front() == '-' || part.front() == '+')
    ThrowNotDuration(whole);
  auto v = TryParseInteger(part);
  if (!v || *v > 1000000000) ThrowNotDuration(whole);
  return *v;
}

}  // namespace

std::string SecondsText(int64_t seconds) {
  std::string sign;
  uint64_t s = static_cast<uint64_t>(seconds);
  if (seconds < 0) {
    sign = "-";
    s = 0 - s;
  }
  if (s >= 3600)
    return sign + Format("%u:%.2u:%.2u", {s / 3600, s / 60 % 60, s % 60});
  return sign + Format("%u:%.2u", {s / 60, s % 60});
}

double ParseDuration(std::string_view text) {
  auto parts = SplitAt(text, ':');
  if (parts.size() > 3) ThrowNotDuration(text);
  long long whole_minutes = 0;
  for (size_t i = 0; i + 1 < parts.size(); ++i) whole_minutes = whole_minutes * 60 + Prefix(parts[i], text);
  std::string_view last = TrimBlanks(parts.back());
  std::optional<double> secs = TryParseNumber(last, '.');
  if (!secs) secs = TryParseNumber(last, ',');
  if (!secs || (parts.size() > 1 && *secs < 0)) ThrowNotDuration(text);
  return static_cast<double>(whole_minutes) * 60.0 + *secs;
}

std::string MinSecText(int seconds) {
  return Format("%d:%2.2d", {seconds / 60, seconds % 60});
}

int ParseMinSec(std::string_view text) {
  auto parts = SplitAt(text, ':');
  if (parts.size() > 2) ThrowNotDuration(text);
  long long minutes = parts.size() == 2 ? Prefix(parts[0], text) : 0;
  long long secs = Prefix(parts.back(), text);
  long long total = minutes * 60 + secs;
  if (total > 0x7FFFFFFF) ThrowNotDuration(text);
  return static_cast<int>(total);
}

}  // namespace trivex
