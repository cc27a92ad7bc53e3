#pragma once
// TZyrConfigPump: the parts of a configuration transfer that both relay families share —
// identification of the target and the engine's prefix, the firmware version, configuration
// mode, the station net file, the segment and switch tables, the binary inputs in use and
// the port settings of the devices.
#include <vector>

#include "config/config_msgs.h"
#include "config/net_list_data.h"
#include "config/reported_station.h"
#include "config/zyr_data.h"
#include "link/link_ui.h"
#include "protocol/config_pump.h"

namespace trivex {

class TZyrConfigPump : public TConfigPump {
 public:
  using TConfigPump::TConfigPump;
  int FirmwareVersion() const { return version_; }
  TConfigMsgs& Msgs() { return msgs_; }
  // Information boxes ("Info"); without one they go to the link's user interface.
  std::function<void(const std::string& caption, const std::string& text)> on_info;

 protected:
  // `request_prefix` + "ver+"; true when the exchange worked and the version is not 0. A
  // failure shows the version error box naming `id_text`.
  bool CheckVersion(const std::string& request_prefix, const std::string& id_text,
                    std::string_view expected_type, int& version);
  // "AA::,Kenn,!+": the prefix becomes empty when the target is the device at the port.
  bool IdentifyTarget(int target_id);
  bool BeginConfig();
  bool EndConfig();
  bool SendNetFile(const std::vector<std::string>& lines);
  // Reads the net file into `lines` (cleared when the joined blocks are shorter than the
  // size); `offered` tells whether the device had any block.
  bool ReadNetFile(std::vector<std::string>& lines, bool& offered);
  bool SendSegments(const TNetListData& net, int fields);
  bool ReadSegments(TNetListData& net, int fields);
  bool SendSwitches(const TNetListData& net);
  bool ReadSwitches(TNetListData& net);
  // "%sZyrBIFu %d=2" and "%sZyrBIInv %d=%d" for every input with a function.
  bool SendBinaryInputs(const TNetListData& net);
  // Port settings of every device of the configuration's device list.
  bool ReadPortSettings(TZyrData& config);
  // Shows an error box (caption "Error").
  void ErrorBox(const std::string& text);
  void InfoBox(const std::string& text);

  TConfigMsgs msgs_;
  int version_ = 0;
};

}  // namespace trivex
