#include "protocol/device_scan.h"

#include <optional>

#include "config/cp1252.h"
#include "config/text_util.h"
#include "protocol/commands.h"
#include "protocol/device_identity.h"
#include "protocol/reply.h"

namespace trivex {
namespace {

// The reply of a successful, accepted exchange; nullopt otherwise.
std::optional<std::string> Ask(const DeviceExchange& exchange, const std::string& request,
                               int* result = nullptr) {
  std::string text;
  int r = exchange(request, text);
  if (result) *result = r;
  if (r != 0 || !reply::Accept(text)) return std::nullopt;
  return text;
}

}  // namespace

std::vector<ScannedDevice> ScanDevices(const DeviceExchange& exchange, int& result) {
  std::vector<ScannedDevice> devices;
  auto dir = Ask(exchange, std::string(cmd::kDirectory), &result);
  if (!dir) {
    if (result == 0) result = -3;  // a refusal of the directory request
    return devices;
  }
  for (const std::string& address : ParseDirectoryReply(*dir)) {
    ScannedDevice d;
    d.address = address;
    if (auto ver = Ask(exchange, address + std::string(cmd::kVersionDot))) {
      VerDotInfo info = ParseVerDotReply(*ver);
      d.type = Cp1252ToUtf8(info.type);
      d.version = info.version;
    }
    if (auto name = Ask(exchange, address + std::string(cmd::kDeviceName)))
      d.name = Cp1252ToUtf8(TrimBlanks(*name));
    devices.push_back(std::move(d));
  }
  return devices;
}

}  // namespace trivex
