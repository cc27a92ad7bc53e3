#include "protocol/zyr_config_pump.h"

#include <cmath>

#include "config/cp1252.h"
#include "config/device_id.h"
#include "config/port_settings.h"
#include "lang/format.h"
#include "lang/texts_transfer.h"
#include "protocol/commands.h"
#include "protocol/device_identity.h"
#include "protocol/net_file_encoder.h"
#include "protocol/reply.h"
#include "protocol/request.h"
#include "protocol/version_check.h"

namespace trivex {

namespace {
long long IntOf(const std::string& reply) {
  auto v = reply::Number(reply);
  return v ? std::llround(*v) : 0;
}
}  // namespace

void TZyrConfigPump::ErrorBox(const std::string& text) {
  if (counting_) return;
  if (link_.Ui()) link_.Ui()->ShowMessage(TMessageKind::kError, lang::Tr(tx::transfer::ErrorCaption), text);
}

void TZyrConfigPump::InfoBox(const std::string& text) {
  if (counting_) return;
  if (on_info) on_info(lang::Tr(tx::transfer::InfoCaption), text);
  else if (link_.Ui()) link_.Ui()->ShowMessage(TMessageKind::kWarning, lang::Tr(tx::transfer::InfoCaption), text);
}

bool TZyrConfigPump::CheckVersion(const std::string& request_prefix, const std::string& id_text,
                                  std::string_view expected_type, int& version) {
  version = 0;
  std::string reply;
  const std::string request = req::WithPrefix(request_prefix, cmd::kVersion);
  if (!QueryStep(request, reply)) return false;
  if (counting_) return true;
  VersionCheck check = CheckVersionReply(reply, expected_type, id_text, action_);
  if (!check.ok) {
    ErrorBox(check.message);
    return false;
  }
  version = check.version;
  return version != 0;
}

bool TZyrConfigPump::IdentifyTarget(int target_id) {
  std::string reply;
  if (!QueryStep(std::string(cmd::kIdentify), reply)) return false;
  prefix_ = TransferPrefix(ParseKennReply(reply), target_id);
  return true;
}

bool TZyrConfigPump::BeginConfig() { return CommandStep(req::WithPrefix(prefix_, cmd::kConfigBegin)); }
bool TZyrConfigPump::EndConfig() { return CommandStep(req::WithPrefix(prefix_, cmd::kConfigEnd)); }

bool TZyrConfigPump::SendNetFile(const std::vector<std::string>& lines) {
  for (const std::string& e : NetFileElements(lines))
    if (!CommandStep(req::WithPrefix(prefix_, e))) return false;
  return true;
}

bool TZyrConfigPump::ReadNetFile(std::vector<std::string>& lines, bool& offered) {
  std::string reply;
  if (!QueryStep(cmd::FileSize(prefix_, cmd::kNetFileName), reply)) return false;
  const long long blocks = counting_ ? 0 : IntOf(reply);
  offered = blocks > 0;
  if (!QueryStep(req::WithPrefix(prefix_, cmd::kNetFileSize), reply)) return false;
  const long long size = IntOf(reply);
  if (!counting_) AddSteps(static_cast<uint32_t>(std::max(0LL, std::min(blocks, 100000LL))));
  std::string bytes;
  for (long long k = 0; k < blocks && k < 100000; ++k) {
    std::string data;
    if (!FileBlockStep(cmd::kNetFileName, static_cast<int>(k), data)) return false;
    bytes += data;
  }
  if (counting_) return true;
  lines.clear();
  if (blocks <= 0 || static_cast<long long>(bytes.size()) != size) return true;
  std::string_view text = bytes;
  while (!text.empty()) {
    size_t end = text.find("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back(Cp1252ToUtf8(text));
      break;
    }
    lines.push_back(Cp1252ToUtf8(text.substr(0, end)));
    text.remove_prefix(end + 2);
  }
  return true;
}

bool TZyrConfigPump::SendSegments(const TNetListData& net, int fields) {
  if (!CommandStep(prefix_ + Format("ZyrCnfSegCnt=%d", {net.segments.Count()}))) return false;
  for (int i = 0; i < net.segments.Count(); ++i) {
    const TSegment& s = net.segments[i];
    const long long v[6] = {s.id, s.tags, s.device, s.voltage_input, s.current_input, s.voltage_group};
    for (int k = 1; k <= fields; ++k)
      if (!CommandStep(prefix_ + Format("ZyrCnfSegment %d %d=%d", {k, i, v[k - 1]}))) return false;
  }
  return true;
}

bool TZyrConfigPump::ReadSegments(TNetListData& net, int fields) {
  std::string reply;
  if (!QueryStep(prefix_ + "ZyrCnfSegCnt+#", reply)) return false;
  const long long count = counting_ ? 0 : std::clamp(IntOf(reply), 0LL, 10000LL);
  if (!counting_) AddSteps(static_cast<uint32_t>(count * fields));
  for (int i = 0; i < count; ++i) {
    long long v[6] = {};
    for (int k = 1; k <= fields; ++k) {
      if (!QueryStep(prefix_ + Format("ZyrCnfSegment+# %d %d", {k, i}), reply)) return false;
      v[k - 1] = IntOf(reply);
    }
    TSegment s;
    s.id = static_cast<int32_t>(v[0]);
    s.tags = static_cast<uint16_t>(v[1]);
    s.device = static_cast<uint8_t>(v[2]);
    s.voltage_input = static_cast<uint8_t>(v[3]);
    s.current_input = static_cast<uint8_t>(v[4]);
    s.voltage_group = static_cast<uint8_t>(v[5]);
    net.segments.Add(s);
  }
  return true;
}

bool TZyrConfigPump::SendSwitches(const TNetListData& net) {
  if (!CommandStep(prefix_ + Format("ZyrCnfSwCnt=%d", {net.switches.Count()}))) return false;
  for (int i = 0; i < net.switches.Count(); ++i) {
    const TSchalter& s = net.switches[i];
    const long long v[6] = {s.id, s.segment1, s.segment2, s.device, s.input, s.closed ? 1 : 0};
    for (int k = 1; k <= 6; ++k)
      if (!CommandStep(prefix_ + Format("ZyrCnfSwitch %d %d=%d", {k, i, v[k - 1]}))) return false;
  }
  return true;
}

bool TZyrConfigPump::ReadSwitches(TNetListData& net) {
  std::string reply;
  if (!QueryStep(prefix_ + "ZyrCnfSwCnt+#", reply)) return false;
  const long long count = counting_ ? 0 : std::clamp(IntOf(reply), 0LL, 10000LL);
  if (!counting_) AddSteps(static_cast<uint32_t>(count * 6));
  for (int i = 0; i < count; ++i) {
    long long v[6] = {};
    for (int k = 1; k <= 6; ++k) {
      if (!QueryStep(prefix_ + Format("ZyrCnfSwitch+# %d %d", {k, i}), reply)) return false;
      v[k - 1] = IntOf(reply);
    }
    TSchalter s;
    s.id = static_cast<int32_t>(v[0]);
    s.segment1 = static_cast<int32_t>(v[1]);
    s.segment2 = static_cast<int32_t>(v[2]);
    s.device = static_cast<uint8_t>(v[3]);
    s.input = static_cast<uint8_t>(v[4]);
    s.closed = v[5] != 0;
    net.switches.Add(s);
  }
  return true;
}

bool TZyrConfigPump::SendBinaryInputs(const TNetListData& net) {
  for (const TDevice& d : net.devices) {
    const std::string id = DeviceIdText(d.id);
    for (int i = 1; i <= kNetBinaryInputs; ++i) {
      if (d.BI(i).switch_id == 0) continue;
      if (!CommandStep(id + Format("ZyrBIFu %d=2", {i}))) return false;
      if (!CommandStep(id + Format("ZyrBIInv %d=%d", {i, d.BI(i).inverted ? 1 : 0}))) return false;
    }
  }
  return true;
}

bool TZyrConfigPump::ReadPortSettings(TZyrData& config) {
  std::string reply;
  for (int p = 0; p < config.DeviceCount(); ++p) {
    TDeviceRecord& rec = config.devices[static_cast<size_t>(p)];
    const std::string id = DeviceIdText(rec.id);
    if (!QueryStep(cmd::ComSettingsQuery(id, "1"), reply)) return false;
    if (!counting_) ParseComSettings(reply, rec.com1);
    if (!QueryStep(cmd::ComSettingsQuery(id, "2"), reply)) return false;
    if (!counting_) ParseComSettings(reply, rec.com2);
    if (!QueryStep(cmd::LanSettingsQuery(id, "L"), reply)) return false;
    if (!counting_) ParseTynetSettings(reply, rec.tynet_l);
    if (!QueryStep(cmd::LanSettingsQuery(id, "R"), reply)) return false;
    if (!counting_) ParseTynetSettings(reply, rec.tynet_r);
  }
  return true;
}

}  // namespace trivex
