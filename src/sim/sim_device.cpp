#include "sim_device.h"

#include <algorithm>
#include <cctype>

namespace trivex::sim {

std::string DeviceIdText(int address) {
  if (address < 1 || address > 255) return "-:";
  std::string out(1, static_cast<char>('A' + (address - 1) / 10));
  int digit = (address - 1) % 10;
  if (digit != 0) out += static_cast<char>('0' + digit);
  return out + ':';
}

int ParseDeviceIdPrefix(std::string_view text, size_t& length) {
  if (text.size() < 2) return 0;
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (letter < 'A' || letter > 'Z') return 0;
  if (text[1] == ':') {
    length = 2;
    return (letter - 'A') * 10 + 1;
  }
  if (text.size() >= 3 && text[2] == ':' && text[1] >= '0' && text[1] <= '9') {
    int v = (letter - 'A') * 10 + (text[1] - '0') + 1;
    if (v > 255) return 0;
    length = 3;
    return v;
  }
  return 0;
}

SimDevice* SimStation::Find(int address) {
  for (auto& d : devices)
    if (d->address == address) return d.get();
  return nullptr;
}

SimDevice* SimStation::PortDevice() {
  if (SimDevice* d = Find(port_address)) return d;
  return devices.empty() ? nullptr : devices.front().get();
}

SimDevice& SimStation::Add(int address, std::string type, std::string version, std::string name) {
  auto d = std::make_unique<SimDevice>();
  d->address = address;
  d->type = std::move(type);
  d->version = std::move(version);
  d->name = std::move(name);
  d->vars.Set("Kenn", std::to_string(address));
  devices.push_back(std::move(d));
  return *devices.back();
}

void BuildDefaultStation(SimStation& station) {
  station.devices.clear();
  station.port_address = 1;
  auto& master = station.Add(1, "ZYR-D", "1.2.20", "ZYR-D Master");
  auto& slave = station.Add(2, "ZYR-D", "1.2.20", "ZYR-D Slave");
  auto& dm = station.Add(11, "ZYR-DM", "0.2.13", "ZYR-DM Feeder");
  for (SimDevice* d : {&master, &slave, &dm}) d->station = "Sub Nord";  // a relay holds at most 8 characters
  master.vars.Set("ZyrMasterId", "1");
  slave.vars.Set("ZyrMasterId", "1");
}

namespace {
std::vector<HandlerEntry>& HandlerTable() {
  static std::vector<HandlerEntry> table;
  return table;
}
std::vector<StationKeyEntry>& StationKeyTable() {
  static std::vector<StationKeyEntry> table;
  return table;
}
std::vector<OptionEntry>& OptionTable() {
  static std::vector<OptionEntry> table;
  return table;
}
std::vector<RawHandlerEntry>& RawHandlerTable() {
  static std::vector<RawHandlerEntry> table;
  return table;
}
}  // namespace

namespace {
std::vector<ControlEntry>& ControlTable() {
  static std::vector<ControlEntry> table;
  return table;
}
}  // namespace
bool RegisterControl(const ControlEntry& entry) {
  ControlTable().push_back(entry);
  return true;
}
const std::vector<ControlEntry>& Controls() { return ControlTable(); }

bool RegisterRawHandler(const RawHandlerEntry& entry) {
  RawHandlerTable().push_back(entry);
  return true;
}
const std::vector<RawHandlerEntry>& RawHandlers() { return RawHandlerTable(); }

bool RegisterHandler(const HandlerEntry& entry) {
  auto& t = HandlerTable();
  auto pos = std::upper_bound(t.begin(), t.end(), entry,
                              [](const HandlerEntry& a, const HandlerEntry& b) { return a.order < b.order; });
  t.insert(pos, entry);
  return true;
}
bool RegisterStationKey(const StationKeyEntry& entry) {
  StationKeyTable().push_back(entry);
  return true;
}
bool RegisterOption(const OptionEntry& entry) {
  OptionTable().push_back(entry);
  return true;
}
const std::vector<HandlerEntry>& Handlers() { return HandlerTable(); }
const std::vector<StationKeyEntry>& StationKeys() { return StationKeyTable(); }
const std::vector<OptionEntry>& Options() { return OptionTable(); }

}  // namespace trivex::sim
