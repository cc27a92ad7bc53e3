#include "station_file.h"

#include <fstream>
#include <sstream>

namespace trivex::sim {
namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string FirstWord(const std::string& s) { return s.substr(0, s.find(' ')); }

}  // namespace

bool ParseStationText(const std::string& text, SimStation& station, std::string& error) {
  station.devices.clear();
  station.port_address = 0;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  SimDevice* device = nullptr;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(number) + ": " + what;
    return false;
  };
  while (std::getline(in, line)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return fail("section without \"]\"");
      std::string id = Trim(line.substr(1, line.size() - 2));
      size_t len = 0;
      int address = ParseDeviceIdPrefix(id, len);
      if (address == 0 || len != id.size()) return fail("\"" + id + "\" is not a device identifier");
      if (station.Find(address)) return fail("device " + id + " appears twice");
      device = &station.Add(address, "ZYR-D", "1.2.20", "Device " + id);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) return fail("expected KEY = VALUE");
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    if (!device) {
      if (key == "port") {
        size_t len = 0;
        station.port_address = ParseDeviceIdPrefix(value, len);
        if (station.port_address == 0 || len != value.size())
          return fail("\"" + value + "\" is not a device identifier");
      } else if (key == "crlf") {
        station.leading_crlf = value == "1";
      } else {
        return fail("unknown station key \"" + key + "\"");
      }
      continue;
    }
    if (key == "type") device->type = value;
    else if (key == "version") device->version = value;
    else if (key == "name") device->name = value;
    else if (key == "station") device->station = value;
    else {
      bool taken = false;
      for (const auto& k : StationKeys()) {
        if (FirstWord(key) == k.word) {
          std::string why;
          if (!k.fn(*device, key, value, why)) return fail(why);
          taken = true;
          break;
        }
      }
      if (!taken) device->vars.Set(key, value);
    }
  }
  if (station.devices.empty()) return fail("no device section");
  if (station.port_address == 0) station.port_address = station.devices.front()->address;
  if (!station.Find(station.port_address)) return fail("the port device has no section");
  return true;
}

bool LoadStationFile(const std::string& path, SimStation& station, std::string& error) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    error = "cannot read " + path;
    return false;
  }
  std::ostringstream ss;
  ss << f.rdbuf();
  if (!ParseStationText(ss.str(), station, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace trivex::sim
