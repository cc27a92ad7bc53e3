// Identification, date and port settings of a device: ",Kenn,!+" (the address number),
// "DatumFormat+." (the date pattern, variable "DatumFormat", default "tt.mm.jj"),
// "Date//=" + date and time in that pattern, "date//&", "SetCom<c>+#" / "SetLan<s>+#" and
// their writes "SetCom<c>=TEXT 0.5" / "SetLan<s>=TEXT", "SetKenn=ID" and "Device=\"NAME\"".
#include <string>

#include "config/device_id.h"
#include "config/device_time.h"
#include "config/port_settings.h"
#include "config/text_util.h"
#include "sim_device.h"

namespace trivex::sim {
namespace {

constexpr std::string_view kDefaultDatePattern = "tt.mm.jj";

std::string Variable(const SimDevice& d, std::string_view name, std::string_view fallback) {
  auto v = d.vars.Get(name);
  return v ? *v : std::string(fallback);
}

// True when `text` is a date and time written in the device's pattern plus " hh:nn:ss".
bool MatchesDatePattern(std::string_view pattern, std::string_view text) {
  std::string full = std::string(pattern) + " hh:nn:ss";
  if (text.size() != full.size()) return false;
  for (size_t i = 0; i < full.size(); ++i) {
    char p = AsciiLower(full[i]);
    bool digit = text[i] >= '0' && text[i] <= '9';
    if (p == 't' || p == 'm' || p == 'j' || p == 'h' || p == 'n' || p == 's') {
      if (!digit) return false;
    } else if (text[i] != full[i]) {
      return false;
    }
  }
  return true;
}

std::string DefaultComSettings(char port) {
  return port == '1' ? "ECL/9600/P-/RTS" : "OFF/115200/P-/RTS";
}
std::string DefaultLanSettings(char side) { return side == 'R' || side == 'r' ? "2W+/375K" : "2W/375K"; }

bool System(ElementContext& ctx, std::string_view element, std::string& out) {
  SimDevice& d = ctx.device;
  if (element == "!+" && EqualsNoCase(d.selected, "Kenn")) {
    out += std::to_string(d.address);
    return true;
  }
  if (EqualsNoCase(element, "DatumFormat+.")) {
    out += Variable(d, "DatumFormat", kDefaultDatePattern);
    return true;
  }
  if (StartsWithNoCase(element, "Date//=")) {
    std::string_view text = element.substr(7);
    if (!MatchesDatePattern(Variable(d, "DatumFormat", kDefaultDatePattern), text)) {
      ctx.Refuse("Date format");
      return true;
    }
    d.vars.Set("Date", std::string(text));
    return true;
  }
  if (EqualsNoCase(element, "date//&")) return true;

  // Port settings: "SetCom1+#", "SetLanL+#", "SetCom1=ECL/9600/P-/RTS 0.5", "SetLanL=2W/375K".
  bool com = StartsWithNoCase(element, "SetCom");
  bool lan = StartsWithNoCase(element, "SetLan");
  if ((com || lan) && element.size() >= 8) {
    char port = element[6];
    std::string key = std::string(element.substr(0, 7));
    std::string_view rest = element.substr(7);
    if (rest == "+#") {
      out += Variable(d, key, com ? DefaultComSettings(port) : DefaultLanSettings(port));
      return true;
    }
    if (rest.front() == '=') {
      std::string_view value = TrimBlanks(rest.substr(1));
      if (com) {
        // The last word is the switch-over delay ("0.5").
        size_t blank = value.rfind(' ');
        if (blank == std::string_view::npos) {
          ctx.Refuse("SetCom needs settings and a delay");
          return true;
        }
        TComSettings s;
        if (!ParseComSettings(value.substr(0, blank), s)) {
          ctx.Refuse("Bad port settings");
          return true;
        }
        d.vars.Set(key, ComSettingsText(s));
      } else {
        TTynetSettings s;
        if (!ParseTynetSettings(value, s)) {
          ctx.Refuse("Bad bus settings");
          return true;
        }
        d.vars.Set(key, TynetSettingsText(s));
      }
      return true;
    }
  }

  if (StartsWithNoCase(element, "SetKenn=")) {
    int address = 0;
    try {
      address = ParseDeviceId(TrimBlanks(element.substr(8)));
    } catch (const ConvertError&) {
      ctx.Refuse("Bad device ID");
      return true;
    }
    if (address != d.address && ctx.station.Find(address)) {
      ctx.Refuse("Device ID in use");
      return true;
    }
    if (ctx.station.port_address == d.address) ctx.station.port_address = address;
    d.address = address;
    return true;
  }
  if (StartsWithNoCase(element, "Device=")) {
    std::string_view value = element.substr(7);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
      ctx.Refuse("Device needs a quoted name");
      return true;
    }
    d.name = std::string(value.substr(1, value.size() - 2));
    return true;
  }
  return false;
}

}  // namespace
}  // namespace trivex::sim

TRIVEX_SIM_HANDLER("system", 150, trivex::sim::System);
