// Configuration of a ZYR-D system: configuration mode ("ZyrConfig=1" ... "ZyrConfig=0"),
// outside of which a relay refuses every written variable "Zyr..." and "Station"; the
// configuration id that a relay computes from its configuration when the mode ends
// ("ZyrLPic#+"); the relay list of the I/O card ("ZyrRelFu#+ *"); the station name
// ("Station#+"); and the defaults of every ZYR-D variable that was never written.
// The net file ("ZyrNetFSize", "ZyrNetFile") is kept by the file handlers.
#include <cstdint>
#include <map>

#include "config/text_util.h"
#include "sim_device.h"
#include "sim_zyrd_defaults.h"

namespace trivex::sim {
namespace {

struct ConfigState {
  bool config_mode = false;
  std::map<std::string, std::string> written;  // lower-case key -> value, for the id
  std::optional<uint32_t> config_id;
};

uint32_t ConfigId(const ConfigState& s) {
  uint32_t h = 2166136261u;
  auto add = [&](std::string_view t) {
    for (unsigned char c : t) h = (h ^ c) * 16777619u;
  };
  for (const auto& [k, v] : s.written) {
    add(k);
    add("=");
    add(v);
    add("\n");
  }
  return h & 0x7FFFFFFFu;
}

bool IsConfigVariable(std::string_view key) {
  return StartsWithNoCase(key, "Zyr") || EqualsNoCase(key, "Station");
}

bool Config(ElementContext& ctx, std::string_view element, std::string& out) {
  SimDevice& d = ctx.device;
  ConfigState& st = d.Ext<ConfigState>();
  std::string key, value;
  if (ParseWriteElement(element, key, value)) {
    if (EqualsNoCase(key, "ZyrConfig")) {
      const std::string_view v = TrimBlanks(value);
      if (v == "1") {
        st.config_mode = true;
      } else if (v == "0") {
        if (st.config_mode) st.config_id = ConfigId(st);
        st.config_mode = false;
      } else {
        ctx.Refuse("ZyrConfig takes 0 or 1");
      }
      return true;
    }
    if (!IsConfigVariable(key)) return false;
    if (!st.config_mode) {
      ctx.Refuse("Not in configuration mode");
      return true;
    }
    std::string v(TrimBlanks(value));
    if (EqualsNoCase(key, "Station")) d.station = v;
    std::string k;
    for (const auto& w : SplitAt(TrimBlanks(key), ' '))
      if (!w.empty()) k += (k.empty() ? "" : " ") + AsciiLowerCase(w);
    st.written[k] = v;
    d.vars.Set(key, std::move(v));
    return true;
  }
  ReadElement read;
  if (!ParseReadElement(element, read)) return false;
  if (EqualsNoCase(read.name, "Station") && read.indices.empty()) {
    out += d.station;
    return true;
  }
  if (EqualsNoCase(read.name, "ZyrLPic")) {
    out += std::to_string(st.config_id.value_or(1000u + static_cast<uint32_t>(d.address)));
    return true;
  }
  if (d.type != "ZYR-D") return false;
  if ((EqualsNoCase(read.name, "ZyrRelFu") || EqualsNoCase(read.name, "ZyrLedFu")) && !read.indices.empty() &&
      read.indices.front() == "*") {
    const int count = EqualsNoCase(read.name, "ZyrRelFu") ? SimRelayCount(d) : 10;
    std::string list;
    for (int i = 1; i <= count; ++i) {
      if (i > 1) list += "\r\n";
      list += d.vars.Get(read.name + " " + std::to_string(i)).value_or("0");
    }
    out += list;
    return true;
  }
  std::string k = read.name;
  for (const auto& i : read.indices) k += ' ' + i;
  if (d.vars.Has(k)) return false;  // the variable handler answers stored values
  auto def = ZyrDDefault(ctx.station, d, read);
  if (!def) return false;
  out += *def;
  return true;
}

}  // namespace
}  // namespace trivex::sim

TRIVEX_SIM_HANDLER("config", 400, trivex::sim::Config);
