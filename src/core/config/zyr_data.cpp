#include "config/zyr_data.h"

#include <algorithm>
#include <charconv>

#include "config/bool_text.h"
#include "config/device_id.h"
#include "config/device_time.h"
#include "config/ini_file.h"
#include "config/ini_read.h"
#include "config/number_text.h"
#include "config/text_util.h"
#include "config/word_list.h"
#include "config/version_number.h"
#include "lang/format.h"
#include "lang/texts_cfgfile.h"

namespace trivex {

namespace {

// "yyyy-mm-dd hh:nn:ss" as written in General; nullopt for any other text.
std::optional<DateTime> ParseFileDateTime(const std::string& text) {
  int v[6] = {};
  const char seps[6] = {'-', '-', ' ', ':', ':', '\0'};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  while (p < end && *p == ' ') ++p;
  for (int i = 0; i < 6; ++i) {
    auto [q, ec] = std::from_chars(p, end, v[i]);
    if (ec != std::errc()) return std::nullopt;
    p = q;
    if (i < 5) {
      if (p >= end || *p != seps[i]) return std::nullopt;
      ++p;
    }
  }
  CivilTime c{v[0], v[1], v[2], v[3], v[4], v[5], 0};
  if (!IsValidCivil(c)) return std::nullopt;
  return DateTime::FromCivil(c);
}

std::string FileDateTimeText(DateTime t) { return FormatDateTime("yyyy-mm-dd hh:nn:ss", t, '-', ':'); }




}  // namespace

int& TZyrData::DefaultNominalFrequency() {
  static int value = 0;
  return value;
}

TSystemType DetectSystemType(const IniFile& ini) {
  return ReadEnumKey<TSystemType>(ini, "General", "SystemType", stZYRD);
}

TDeviceRecord TZyrData::DefaultDeviceRecord(uint8_t id) const {
  TDeviceRecord r;
  r.id = id;
  return r;
}

void TZyrData::SetDefaults() {
  file_path.clear();
  display_name.clear();
  master_id = 1;
  ZyrUearth = 30;
  ZyrEMsgDelay = 0;
  ZyrMsgBreak = 0;
  last_sent.reset();
  last_sent_version = 0;
  last_read.reset();
  last_read_version = 0;
  nominal_frequency = DefaultNominalFrequency();
  for (int i = 0; i < kMaxDevices; ++i) devices[static_cast<size_t>(i)] = DefaultDeviceRecord(static_cast<uint8_t>(10 * i + 1));
  extra_devices.clear();
  switches.clear();
  current_device = -1;
  device_ids.clear();
  all_ids.clear();
  config_ids.fill(0);
  ZyrLogTime = 0;
  ZyrtOpFreq = 0;
  BuildInputNames();
}

void TZyrData::BuildInputNames() {
  binary_input_names = {"none"};
  for (int i = 1; i <= 16; ++i) binary_input_names.push_back(Format("BinIn %d", {i}));
  virtual_input_names = {"none"};
  for (int i = 1; i <= 255; ++i) virtual_input_names.push_back(Format("Virt. %d", {i}));
}

void TZyrData::CopyBase(const TZyrData& s, bool whole) {
  if (whole) {
    file_path = s.file_path;
    last_sent = s.last_sent;
    last_sent_version = s.last_sent_version;
    extra_devices = s.extra_devices;
  }
  display_name = s.display_name;
  name_prefix = s.name_prefix;
  system_type = s.system_type;
  master_id = s.master_id;
  ZyrUearth = s.ZyrUearth;
  ZyrEMsgDelay = s.ZyrEMsgDelay;
  ZyrMsgBreak = s.ZyrMsgBreak;
  last_read = s.last_read;
  last_read_version = s.last_read_version;
  nominal_frequency = s.nominal_frequency;
  devices = s.devices;
  switches = s.switches;
  device_ids = s.device_ids;
  config_ids = s.config_ids;
  binary_input_names = s.binary_input_names;
  virtual_input_names = s.virtual_input_names;
  ZyrLogTime = s.ZyrLogTime;
  ZyrtOpFreq = s.ZyrtOpFreq;
  if (whole) {
    all_ids = s.all_ids;
    current_device = s.current_device;
  } else {
    RebuildAllIds();
    current_device = device_ids.empty() ? -1 : 0;
  }
}

void TZyrData::Assign(const TZyrData& src) { CopyBase(src, false); }
void TZyrData::TakeLoaded(const TZyrData& src) { CopyBase(src, true); }

void TZyrData::RebuildAllIds() {
  all_ids = device_ids;
  for (const auto& e : extra_devices) all_ids.push_back(e.id);
}

int TZyrData::AddExtraDevice(uint8_t id) {
  TDeviceRecord r = DefaultDeviceRecord(id);
  r.name = ExtraDeviceName();
  extra_devices.push_back(r);
  all_ids.push_back(id);
  return static_cast<int>(extra_devices.size()) - 1;
}

int TZyrData::IndexOfDevice(uint8_t id) const {
  auto it = std::find(device_ids.begin(), device_ids.end(), id);
  return it == device_ids.end() ? -1 : static_cast<int>(it - device_ids.begin());
}

void TZyrData::SetDeviceList(const std::vector<std::string>& id_texts) {
  std::vector<uint8_t> ids;
  for (const auto& t : id_texts) ids.push_back(static_cast<uint8_t>(ParseDeviceId(t)));
  SetDeviceIds(ids);
}

void TZyrData::SetDeviceIds(const std::vector<uint8_t>& ids) {
  if (ids.size() > static_cast<size_t>(kMaxDevices))
    throw ConvertError(Format(lang::Tr(tx::cfgfile::ErrDeviceCount), {static_cast<int>(ids.size()), kMaxDevices}));
  const auto old = devices;
  const size_t old_count = device_ids.size();
  for (size_t p = 0; p < ids.size(); ++p) {
    const uint8_t id = ids[p];
    TDeviceRecord rec;
    bool found = false;
    for (size_t q = 0; q < old_count && q < old.size(); ++q) {
      if (old[q].id == id) {
        rec = old[q];
        found = true;
        break;
      }
    }
    if (!found) {
      auto it = std::find_if(extra_devices.begin(), extra_devices.end(),
                             [&](const TDeviceRecord& r) { return r.id == id; });
      if (it != extra_devices.end()) {
        rec = *it;
        extra_devices.erase(it);
      } else {
        rec = DefaultDeviceRecord(id);
      }
    }
    devices[p] = rec;
  }
  device_ids = ids;
  RebuildAllIds();
  if (current_device >= DeviceCount() || current_device < 0) current_device = device_ids.empty() ? -1 : 0;
}

std::string TZyrData::CaptionText() const {
  std::string s;
  if (file_path.empty()) {
    s = lang::Tr(tx::cfgfile::CaptionDefaultValues);
  } else {
    if (!name_prefix.empty()) s = name_prefix + " ";
    s += display_name;
  }
  if (!tracker.Saved()) s += std::string(" - ") + lang::Tr(tx::cfgfile::CaptionModified);
  return s;
}

void TZyrData::SetFileName(const std::string& path) {
  file_path = path;
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() >= 4) {
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".ini") name.resize(name.size() - 4);
  }
  display_name = name;
}

bool TZyrData::Save() {
  if (IsReadOnlyFile(file_path)) return false;
  IniWriter out;
  WriteFile(out);
  WriteFileAtomically(file_path, out.Bytes());
  return true;
}

void TZyrData::LoadGeneral(const IniFile& ini) {
  if (ini.HasKey("General", "ZyrUearth")) ZyrUearth = ReadRealKey(ini, "General", "ZyrUearth", 30);
  else ZyrUearth = ReadRealKey(ini, "Harmonics", "Zyr5Vearth", 30);
  ZyrEMsgDelay = ReadRealKey(ini, "General", "ZyrEMsgDelay", 0);
  ZyrMsgBreak = ReadRealKey(ini, "General", "ZyrMsgBreak", 0);
  last_sent = ParseFileDateTime(ini.Read("General", "LastSentDateTime"));
  last_sent_version = ParseVersion(ini.Read("General", "LastSentVersion"));
  ZyrLogTime = static_cast<int>(ReadIntKey(ini, "General", "ZyrLogTime", 0));
  last_read = ParseFileDateTime(ini.Read("General", "LastReadDateTime"));
  last_read_version = ParseVersion(ini.Read("General", "LastReadVersion"));
  nominal_frequency = NominalFrequencyFromFile(static_cast<int>(ReadIntKey(ini, "General", "ZyrtCarFreq", 0)));
}

void TZyrData::LoadSwitches(const IniFile& ini) {
  long long lines = ReadIntKey(ini, "Switches", "Lines", 0);
  if (lines < 0 || lines > 100000)
    throw ConvertError("[Switches] Lines: " + std::to_string(lines));
  switches.assign(static_cast<size_t>(lines), std::string());
  for (long long i = 1; i <= lines; ++i) {
    const std::string* v = ini.Find("Switches", Format("L%3.3d", {i}));
    if (v) switches[static_cast<size_t>(i - 1)] = std::string(Unquote(*v));
  }
}

void TZyrData::WriteGeneral(IniWriter& out) const {
  out.Section("General");
  out.Key("SystemType", std::string(EnumName(system_type)));
  out.Key("ZyrUearth", FormatG(ZyrUearth));
  out.Key("ZyrEMsgDelay", FormatG(ZyrEMsgDelay));
  out.Key("ZyrMsgBreak", FormatG(ZyrMsgBreak));
  if (last_sent) out.Key("LastSentDateTime", FileDateTimeText(*last_sent));
  if (last_sent_version) out.Key("LastSentVersion", VersionText(last_sent_version));
  out.Key("ZyrLogTime", std::to_string(ZyrLogTime));
  if (last_read) out.Key("LastReadDateTime", FileDateTimeText(*last_read));
  out.Key("LastReadVersion", VersionText(last_read_version ? last_read_version : 1000));
  const TZyrData& f = FrequencySource();
  out.Key("ZyrtOpFreq", FormatG(f.ZyrtOpFreq));
  out.Key("ZyrtCarFreq", std::to_string(NominalFrequencyToFile(f.nominal_frequency)));
}

void TZyrData::WriteSwitches(IniWriter& out) const {
  out.Section("Switches");
  out.Key("Lines", std::to_string(switches.size()));
  for (size_t i = 0; i < switches.size(); ++i)
    if (!switches[i].empty()) out.Key(Format("L%3.3d", {i + 1}), "\"" + switches[i] + "\"");
  out.Blank();
}

void TZyrData::WriteFile(IniWriter& out) const {
  WriteGeneral(out);
  out.Blank();
  WriteSwitches(out);
}

void TZyrData::Load(const IniFile& ini) {
  LoadGeneral(ini);
  LoadSwitches(ini);
}

void TZyrData::LoadDeviceRecord(const IniFile& ini, const std::string& s, TDeviceRecord& rec,
                                uint32_t& config_id) {
  const TDeviceRecord def = DefaultDeviceRecord(rec.id);
  rec.name = std::string(Unquote(ini.Read(s, "DevName", "\"" + def.name + "\"")));
  // A device name holds at most 8 characters (Windows-1252 bytes in the device).
  if (rec.name.size() > 8) {
    size_t cut = 0, chars = 0;
    while (cut < rec.name.size() && chars < 8) {
      unsigned char c = static_cast<unsigned char>(rec.name[cut]);
      cut += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      ++chars;
    }
    rec.name.resize(std::min(cut, rec.name.size()));
  }
  auto com = [&](const char* p, TComSettings& c, const TComSettings& d) {
    std::string pre(p);
    c.mode = ReadEnumKey(ini, s, pre + "Mode", d.mode);
    c.baud = ReadEnumKey(ini, s, pre + "Baud", d.baud);
    c.parity = ReadEnumKey(ini, s, pre + "Parity", d.parity);
    c.handshake = ReadEnumKey(ini, s, pre + "Handshake", d.handshake);
  };
  auto tynet = [&](const char* p, TTynetSettings& t, const TTynetSettings& d) {
    std::string pre(p);
    t.mode = ReadEnumKey(ini, s, pre + "Mode", d.mode);
    t.baud = ReadEnumKey(ini, s, pre + "Baud", d.baud);
    const std::string* term = ini.Find(s, pre + "Term");
    t.terminated = term ? ParseBoolText(*term) : d.terminated;
  };
  com("Com1", rec.com1, def.com1);
  com("Com2", rec.com2, def.com2);
  tynet("TynetL", rec.tynet_l, def.tynet_l);
  tynet("TynetR", rec.tynet_r, def.tynet_r);
  config_id = static_cast<uint32_t>(static_cast<unsigned long long>(ReadIntKey(ini, s, "ConfigID", 0)));
}

void TZyrData::WriteDeviceRecord(IniWriter& out, const TDeviceRecord& rec, uint32_t config_id) const {
  out.Key("DevName", "\"" + rec.name + "\"");
  auto com = [&](const char* p, const TComSettings& c) {
    std::string pre(p);
    out.Key(pre + "Mode", std::string(EnumName(c.mode)));
    out.Key(pre + "Baud", std::string(EnumName(c.baud)));
    out.Key(pre + "Parity", std::string(EnumName(c.parity)));
    out.Key(pre + "Handshake", std::string(EnumName(c.handshake)));
  };
  auto tynet = [&](const char* p, const TTynetSettings& t) {
    std::string pre(p);
    out.Key(pre + "Mode", std::string(EnumName(t.mode)));
    out.Key(pre + "Baud", std::string(EnumName(t.baud)));
    out.Key(pre + "Term", BoolText(t.terminated));
  };
  com("Com1", rec.com1);
  com("Com2", rec.com2);
  tynet("TynetL", rec.tynet_l);
  tynet("TynetR", rec.tynet_r);
  out.Key("ConfigID", std::to_string(config_id));
}

}  // namespace trivex
