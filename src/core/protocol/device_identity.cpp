#include "protocol/device_identity.h"

#include "config/device_id.h"
#include "config/text_util.h"
#include "protocol/reply.h"

namespace trivex {

std::vector<std::string> ParseDirectoryReply(std::string_view text) {
  return reply::Lines(reply::StripLeadingCrLf(text));
}

VerDotInfo ParseVerDotReply(std::string_view text) {
  text = reply::StripLeadingCrLf(text);
  VerDotInfo info;
  size_t semi = text.find(';');
  info.type = std::string(TrimBlanks(text.substr(0, semi)));
  if (semi == std::string_view::npos) return info;
  std::string_view v = text.substr(semi + 1);
  if (v.size() < 6) return info;
  int number = 0;
  for (size_t i : {0u, 2u, 4u, 5u}) {
    if (v[i] < '0' || v[i] > '9') return info;
    number = number * 10 + (v[i] - '0');
  }
  info.version = number;
  return info;
}

std::optional<int> ParseKennReply(std::string_view text) {
  auto v = reply::Integer(text);
  if (!v || *v < 0 || *v > 255) return std::nullopt;
  return static_cast<int>(*v);
}

std::string TransferPrefix(std::optional<int> port_device, int target_id) {
  if (port_device && *port_device == target_id) return {};
  return DeviceIdText(target_id);
}

}  // namespace trivex
