#include "sim_zyrd_defaults.h"

#include <charconv>

#include "config/text_util.h"
#include "config/zyr_d_variables.h"
#include "lang/format.h"

namespace trivex::sim {

namespace {

std::optional<std::string> BlockDefault(std::string_view name) {
  for (const BlockDesc* b : {&HarmonicsBlock(), &PulsingBlock(), &TransientsBlock(), &QuiBlock(), &WattmetricBlock()}) {
    const int i = b->IndexOf(name);
    if (i < 0) continue;
    const VarDesc& d = b->vars[static_cast<size_t>(i)];
    if (d.type == VarType::Real || d.type == VarType::RealText) return FormatG(d.def, '.');
    return std::to_string(static_cast<long long>(d.def));
  }
  return std::nullopt;
}

int IndexValue(const ReadElement& r, size_t k) {
  if (k >= r.indices.size()) return 0;
  int v = 0;
  std::from_chars(r.indices[k].data(), r.indices[k].data() + r.indices[k].size(), v);
  return v;
}

struct NameDefault {
  const char* name;
  const char* value;
};
constexpr NameDefault kDefaults[] = {
    {"Zyr5Vearth", "30"},   {"ZyrLogTime", "0"},    {"ZyrEMsgDelay", "0"},  {"ZyrMsgBreak", "0"},
    {"ZyrTOpFreq", "50"},   {"ZyrTCarFreq", "2"},   {"ZyrTVTrigger", "0"},  {"ZyrCnfSegCnt", "0"},
    {"ZyrCnfSwCnt", "0"},   {"ZyrCnfSegment", "0"}, {"ZyrCnfSwitch", "0"},  {"ZyrCnfVSeg", "0"},
    {"ZyrCnfISeg", "0"},    {"ZyrKnu", "1"},        {"ZyrKni", "1"},        {"ZyrInom", "1"},
    {"ZyrVnom", "100"},     {"ZyrTCurRed", "15"},   {"ZyrWImin", "1"},      {"ZyrWAngle", "0"},
    {"ZyrBIFu", "0"},       {"ZyrBIInv", "0"},      {"ZyrRelFu", "0"},      {"ZyrRelInv", "0"},
    {"ZyrLedFu", "0"},      {"ZyrLedInv", "0"},     {"ZyrMRelFu", "0"},     {"ZyrMRelChan", "0"},
    {"ZyrMLedFu", "0"},     {"ZyrMLedChan", "0"},   {"ZyrMHarmDir", "0"},   {"ZyrMTransDir", "0"},
    {"ZyrMPulsDir", "0"},   {"ZyrMWattDir", "0"},   {"ZyrMQuiDir", "0"},
    // Directions of each output, held by the master, on firmware before 1.0.08.
    {"ZyrRelHarmDir", "0"}, {"ZyrRelTransDir", "0"}, {"ZyrRelPulsDir", "0"}, {"ZyrRelWattDir", "0"},
    {"ZyrLedHarmDir", "0"}, {"ZyrLedTransDir", "0"}, {"ZyrLedPulsDir", "0"}, {"ZyrLedWattDir", "0"},
};

std::vector<const SimDevice*> ZyrDDevices(const SimStation& station) {
  std::vector<const SimDevice*> out;
  for (const auto& d : station.devices)
    if (d->type == "ZYR-D") out.push_back(d.get());
  return out;
}

}  // namespace

int SimRelayCount(const SimDevice& device) {
  if (auto v = device.vars.Get("SimRelays")) {
    int n = 13;
    std::from_chars(v->data(), v->data() + v->size(), n);
    return n;
  }
  return 13;
}

std::optional<std::string> ZyrDDefault(SimStation& station, const SimDevice& device, const ReadElement& read) {
  const std::string& n = read.name;
  if (EqualsNoCase(n, "ZyrMasterId")) {
    // A relay without a stored master belongs to the first ZYR-D relay of the station.
    auto all = ZyrDDevices(station);
    return std::to_string(all.empty() ? device.address : all.front()->address);
  }
  if (EqualsNoCase(n, "ZyrCnfDevCnt")) return std::to_string(ZyrDDevices(station).size());
  if (EqualsNoCase(n, "ZyrDevId")) {
    auto all = ZyrDDevices(station);
    const int d = IndexValue(read, 0);
    if (d < 1 || d > static_cast<int>(all.size())) return "0";
    return std::to_string(all[static_cast<size_t>(d - 1)]->address);
  }
  if (auto v = BlockDefault(n)) return v;
  for (const NameDefault& d : kDefaults)
    if (EqualsNoCase(n, d.name)) return std::string(d.value);
  return std::nullopt;
}

}  // namespace trivex::sim
