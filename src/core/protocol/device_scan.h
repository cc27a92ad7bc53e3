#pragma once
// Discovery of the devices on a link: "aa:dir+" lists the identifiers; each device is then
// asked for its type and version (prefix + "ver.+") and its name (prefix + "device.+").
// The exchange is handed in, so the scan runs over any link (and over a fake in tests).
#include <functional>
#include <string>
#include <vector>

namespace trivex {

struct ScannedDevice {
  std::string address;  // the identifier from the directory, used as the request prefix
  std::string type;     // "ZYR-D"; empty when the device did not answer
  int version = 0;      // 1430; 0 when unknown
  std::string name;     // empty when the device did not answer
};

// One framed exchange: the link result code (0 success) and the reply text as it arrived.
using DeviceExchange = std::function<int(const std::string& request, std::string& reply)>;

// The devices in directory order. `result` gets the link result of the directory request
// (the list is empty when it failed); a device that does not answer keeps its entry with
// empty fields. Texts are converted from Windows-1252.
std::vector<ScannedDevice> ScanDevices(const DeviceExchange& exchange, int& result);

}  // namespace trivex
