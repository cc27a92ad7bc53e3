#include "protocol/commands.h"

#include "config/device_id.h"
#include "lang/format.h"

namespace trivex::cmd {

std::string FileSize(std::string_view prefix, std::string_view file) {
  return Format("%sfsr+# %s", {prefix, file});
}

std::string FileRead(std::string_view prefix, std::string_view file, int block) {
  return Format("%sfread.+ %s %d", {prefix, file, block});
}

std::string ComSettingsQuery(std::string_view prefix, std::string_view port) {
  return Format("%sSetCom%s+#", {prefix, port});
}

std::string LanSettingsQuery(std::string_view prefix, std::string_view side) {
  return Format("%sSetLan%s+#", {prefix, side});
}

std::string SetCom(std::string_view port, const TComSettings& settings) {
  return Format("SetCom%s=%s 0.5", {port, ComSettingsText(settings)});
}

std::string SetLan(std::string_view side, const TTynetSettings& settings) {
  return Format("SetLan%s=%s", {side, TynetSettingsText(settings)});
}

std::string SetKenn(int id) { return "SetKenn=" + DeviceIdText(id); }

std::string SetDeviceName(std::string_view name) {
  return "Device=\"" + std::string(name) + "\"";
}

}  // namespace trivex::cmd
