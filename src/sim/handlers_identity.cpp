// Identity and discovery commands: "ver+", "ver.+", "device.+", "dir+", "station#+" and the
// empty address element of "AA::".
#include "sim_device.h"

namespace trivex::sim {
namespace {

bool Identity(ElementContext& ctx, std::string_view element, std::string& out) {
  const SimDevice& d = ctx.device;
  if (element == ":") return true;  // "AA::" selects the device at the port, nothing more
  if (element == "ver+") {
    std::string v = d.version;
    if (v.size() < 8) v.resize(8, ' ');  // the version field is eight characters wide
    out += d.type + ": Version " + v;
    return true;
  }
  if (element == "ver.+") {
    out += d.type + ";" + d.version;
    return true;
  }
  if (element == "device.+") {
    out += d.name;
    return true;
  }
  if (element == "station#+") {
    out += d.station;
    return true;
  }
  if (element == "dir+") {
    std::string list;
    for (const auto& dev : ctx.station.devices) {
      if (!list.empty()) list += "\r\n";
      list += dev->Identifier();
    }
    out += list;
    return true;
  }
  return false;
}

}  // namespace
}  // namespace trivex::sim

TRIVEX_SIM_HANDLER("identity", 100, trivex::sim::Identity);
