#include "protocol/device_date.h"

#include "protocol/commands.h"
#include "protocol/reply.h"

namespace trivex {

std::optional<std::string> DeviceDatePattern(std::string_view text) {
  text = reply::StripLeadingCrLf(text);
  if (text.size() != 8) return std::nullopt;
  std::string pattern;
  for (char c : text) {
    switch (c) {
      case '/': pattern += "\"/\""; break;
      case 't': case 'T': pattern += 'd'; break;
      case 'j': case 'J': pattern += 'y'; break;
      case '"': pattern += "'\"'"; break;   // a quote character stays a literal
      case '\'': pattern += "\"'\""; break;
      default: pattern += c;
    }
  }
  pattern += " hh\":\"nn\":\"ss";
  return pattern;
}

std::string DateRequest(std::string_view pattern, DateTime time, bool all_devices) {
  std::string request = all_devices ? std::string(cmd::kAllPrefix) : std::string();
  request += cmd::kDate;
  request += FormatDateTime(pattern, time);
  return request;
}

}  // namespace trivex
