#pragma once
// The station file: a small INI-like text that describes the devices the simulator plays.
//
//   # comment (also ";")
//   port = A:                 the device at the port (default: the first device)
//   crlf = 1                  every reply text begins with CR LF (default 0)
//   [A:]                      a device section, named by the device's identifier
//   type = ZYR-D              ZYR-D, ZYR-DM, VAD-AZ, ZED-UDE
//   version = 1.2.20          firmware version text
//   name = ZYR-D Master       device name ("device.+")
//   station = North           station name ("station#+")
//   ZyrWLog = 1               any other key is a device variable with its value
//   ZyrMRelFu 1 2 = 3         array elements: the indices after the name
//
// Keys whose first word was registered by an area (TRIVEX_SIM_STATION_KEY) go to that area.
#include <string>

#include "sim_device.h"

namespace trivex::sim {

bool LoadStationFile(const std::string& path, SimStation& station, std::string& error);
bool ParseStationText(const std::string& text, SimStation& station, std::string& error);

}  // namespace trivex::sim
