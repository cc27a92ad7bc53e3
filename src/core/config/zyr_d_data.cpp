#include "config/zyr_d_data.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "config/bool_text.h"
#include "config/device_id.h"
#include "config/device_time.h"
#include "config/ini_file.h"
#include "config/ini_read.h"
#include "config/number_text.h"
#include "lang/format.h"
#include "lang/texts_cfgfile.h"

namespace trivex {

namespace {
std::string N2(int n) { return Format("%2.2d", {n}); }
}  // namespace

bool MasterChannelIsInput(int mf) {
  return mf != mfAus && !(mf >= mfErdschlussInfo && mf <= mfQuiInfo);
}

TZyrDData::TZyrDData() {
  system_type = stZYRD;
  SetDefaults();
}

std::array<TOutput, kZyrDRelays> TZyrDData::DefaultRelays(int p) {
  std::array<TOutput, kZyrDRelays> r{};
  r[0].fu = bafStatus;
  for (int n = 2; n <= 5; ++n) {
    r[static_cast<size_t>(n - 1)] = TOutput{bafMaster, false, mfOrtung1, 4 * p + (n - 1)};
  }
  return r;
}

std::array<TOutput, kZyrDLeds> TZyrDData::DefaultLeds(int p) {
  std::array<TOutput, kZyrDLeds> l{};
  l[0].fu = bafStoerung;
  l[1].fu = bafStatus;
  for (int k = 1; k <= 4; ++k) {
    // Pair k: LED 2k+1 (red) and LED 2k+2 (green).
    l[static_cast<size_t>(2 * k)] = TOutput{bafMaster, false, mfOrtung1, 4 * p + k};
    l[static_cast<size_t>(2 * k + 1)] = TOutput{bafMaster, false, mfOrtung2, 4 * p + k};
  }
  return l;
}

void TZyrDData::SetDefaults() {
  TZyrData::SetDefaults();
  system_type = stZYRD;
  harmonics.SetDefaults();
  pulsing.SetDefaults();
  transients.SetDefaults();
  qui.SetDefaults();
  wattmetric.SetDefaults();
  cur_red.fill(15);
  watt_imin.fill(1);
  watt_angle.fill(0);
  loc_signals = {};
  defined_signals = 0;
  for (int p = 0; p < kMaxDevices; ++p) {
    relays[static_cast<size_t>(p)] = DefaultRelays(p);
    leds[static_cast<size_t>(p)] = DefaultLeds(p);
  }
  pulse_copy.assign(kMaxDevices, BlockValues(PulsingBlock()));
  trans_copy.assign(kMaxDevices, BlockValues(TransientsBlock()));
  qui_copy.assign(kMaxDevices, BlockValues(QuiBlock()));
  trans_trigger.fill(0);
  missing_rot_m = false;
}

void TZyrDData::CopyBlocks(const TZyrDData& s) {
  harmonics = s.harmonics;
  pulsing = s.pulsing;
  transients = s.transients;
  qui = s.qui;
  wattmetric = s.wattmetric;
  cur_red = s.cur_red;
  watt_imin = s.watt_imin;
  watt_angle = s.watt_angle;
  loc_signals = s.loc_signals;
  defined_signals = s.defined_signals;
  relays = s.relays;
  leds = s.leds;
  pulse_copy = s.pulse_copy;
  trans_copy = s.trans_copy;
  qui_copy = s.qui_copy;
  trans_trigger = s.trans_trigger;
  missing_rot_m = s.missing_rot_m;
}

void TZyrDData::Assign(const TZyrData& src) {
  TZyrData::Assign(src);
  CopyBlocks(dynamic_cast<const TZyrDData&>(src));
}

void TZyrDData::TakeLoaded(const TZyrData& src) {
  TZyrData::TakeLoaded(src);
  CopyBlocks(dynamic_cast<const TZyrDData&>(src));
}

void TZyrDData::LoadOutputs(const IniFile& ini, const std::string& s, int p, const char* kind,
                            TOutput* out, int count) {
  const std::string k(kind);
  for (int n = 1; n <= count; ++n) {
    TOutput& o = out[n - 1];
    const TOutput def = o;
    o.fu = ReadEnumKey<TAusgangsFunktion>(ini, s, k + "Fu" + N2(n), static_cast<TAusgangsFunktion>(def.fu));
    o.inv = ReadBoolKey(ini, s, k + "Inv" + N2(n), false);
    if (ini.HasKey(s, "M" + k + "Fu" + N2(n))) {
      o.mfu = ReadEnumKey<TMasterFunktion>(ini, s, "M" + k + "Fu" + N2(n), static_cast<TMasterFunktion>(def.mfu));
      o.mchan = static_cast<int>(ReadIntKey(ini, s, "M" + k + "Chan" + N2(n), def.mchan));
      continue;
    }
    o.mfu = mfAus;
    o.mchan = 0;
    if (o.fu != bafMaster) continue;
    // Files of older versions kept a direction set per output instead of a master function.
    TLocSignal set;
    set.harm = ReadEnumKey<TOberwellenRichtung>(ini, s, k + "HarmDir" + N2(n), owrAus);
    set.trans = ReadEnumKey<TWischerRichtung>(ini, s, k + "TransDir" + N2(n), wrAus);
    set.puls = ReadEnumKey<TPulsortungsRichtung>(ini, s, k + "PulsDir" + N2(n), porAus);
    set.watt = ReadEnumKey<TWattmetrischeRichtung>(ini, s, k + "WattDir" + N2(n), wmrAus);
    if (set.IsOff()) continue;
    int found = -1;
    for (int i = 0; i < defined_signals; ++i)
      if (loc_signals[static_cast<size_t>(i)] == set) found = i;
    if (found < 0 && defined_signals < kSignals) {
      loc_signals[static_cast<size_t>(defined_signals)] = set;
      found = defined_signals++;
    }
    if (found < 0) continue;  // four other loc_signals are defined already
    o.mfu = static_cast<uint8_t>(mfOrtung1 + found);
    o.mchan = (n - 1) + 4 * p;
  }
}

void TZyrDData::Load(const IniFile& ini) {
  TZyrData::Load(ini);
  ReadBlockVars(ini, harmonics);
  ReadBlockVars(ini, pulsing);
  ReadBlockVars(ini, transients);
  missing_rot_m = !ini.HasKey("Transients", "ZyrTRotM");
  for (int i = 1; i <= kZyrDChannels; ++i)
    cur_red[static_cast<size_t>(i - 1)] = ReadRealKey(ini, "Transients", Format("ZyrTCurRed%d", {i}), 15);
  ReadBlockVars(ini, qui);
  ReadBlockVars(ini, wattmetric);
  if (ReadBoolKey(ini, "Wattmetric", "ZyrWAllEqual", false)) {
    const double imin = ReadRealKey(ini, "Wattmetric", "ZyrWImin1", 1);
    const double angle = ReadRealKey(ini, "Wattmetric", "ZyrWAngle1", 0);
    watt_imin.fill(imin);
    watt_angle.fill(angle);
  } else {
    // Older files numbered sixteen inputs per relay.
    const int per = ini.HasKey("Wattmetric", "ZyrWActive") && ini.HasKey("Wattmetric", "ZyrWImin244") ? 16 : 4;
    for (int p = 0; p < kMaxDevices; ++p) {
      for (int i = 1; i <= kZyrDInputs; ++i) {
        const int key = per * p + i;
        const size_t at = static_cast<size_t>(4 * p + i - 1);
        watt_imin[at] = ReadRealKey(ini, "Wattmetric", Format("ZyrWImin%d", {key}), 1);
        watt_angle[at] = ReadRealKey(ini, "Wattmetric", Format("ZyrWAngle%d", {key}), 0);
      }
    }
  }

  loc_signals = {};
  defined_signals = 0;
  if (ini.HasKey("Signals", "MHarmDir01")) {
    for (int n = 1; n <= kSignals; ++n) {
      TLocSignal& sig = loc_signals[static_cast<size_t>(n - 1)];
      sig.harm = ReadEnumKey<TOberwellenRichtung>(ini, "Signals", "MHarmDir" + N2(n), owrAus);
      sig.trans = ReadEnumKey<TWischerRichtung>(ini, "Signals", "MTransDir" + N2(n), wrAus);
      sig.puls = ReadEnumKey<TPulsortungsRichtung>(ini, "Signals", "MPulsDir" + N2(n), porAus);
      sig.watt = ReadEnumKey<TWattmetrischeRichtung>(ini, "Signals", "MWattDir" + N2(n), wmrAus);
      sig.qui = ReadEnumKey<TQuiRichtung>(ini, "Signals", "MQuiDir" + N2(n), qirAus);
    }
    defined_signals = kSignals;
    while (defined_signals > 0 && loc_signals[static_cast<size_t>(defined_signals - 1)].IsOff()) --defined_signals;
  }

  const long long count = ReadIntKey(ini, "Devices", "Count", DeviceCount());
  if (count < 0 || count > kMaxDevices)
    throw ConvertError(Format(lang::Tr(tx::cfgfile::ErrDeviceCount), {count, kMaxDevices}));
  const std::string* master = ini.Find("Devices", "MasterId");
  if (master) master_id = static_cast<uint8_t>(ParseDeviceId(*master));
  std::vector<uint8_t> ids;
  std::set<uint8_t> seen;
  for (int p = 0; p < count; ++p) {
    const std::string section = Format("%s%2.2d", {"Device", p});
    const std::string* id_text = ini.Find(section, "Id");
    uint8_t id = id_text ? static_cast<uint8_t>(ParseDeviceId(*id_text)) : devices[static_cast<size_t>(p)].id;
    if (!seen.insert(id).second)
      throw ConvertError(Format(lang::Tr(tx::cfgfile::ErrDuplicateDevice), {DeviceIdText(id)}));
    ids.push_back(id);
  }
  SetDeviceIds(ids);
  for (int p = 0; p < count; ++p) {
    const size_t at = static_cast<size_t>(p);
    const std::string section = Format("%s%2.2d", {"Device", p});
    LoadDeviceRecord(ini, section, devices[at], config_ids[at]);
    relays[at] = DefaultRelays(p);
    leds[at] = DefaultLeds(p);
    LoadOutputs(ini, section, p, "Rel", relays[at].data(), kZyrDRelays);
    LoadOutputs(ini, section, p, "Led", leds[at].data(), kZyrDLeds);
  }
  AfterLoad();
}

void TZyrDData::AfterLoad() {
  const int n = DeviceCount();
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return device_ids[static_cast<size_t>(a)] < device_ids[static_cast<size_t>(b)];
  });
  std::vector<int> new_pos(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) new_pos[static_cast<size_t>(order[static_cast<size_t>(i)])] = i;

  // Master channels that name an input of a relay follow that relay to its new position.
  auto renumber = [&](TOutput& o) {
    if (!MasterChannelIsInput(o.mfu) || o.mchan <= 0) return;
    const int old_p = (o.mchan - 1) / kZyrDInputs;
    const int input = (o.mchan - 1) % kZyrDInputs + 1;
    if (old_p < n) o.mchan = 4 * new_pos[static_cast<size_t>(old_p)] + input;
  };
  for (int p = 0; p < n; ++p) {
    for (auto& o : relays[static_cast<size_t>(p)]) renumber(o);
    for (auto& o : leds[static_cast<size_t>(p)]) renumber(o);
  }

  auto permute = [&](auto& arr) {
    auto copy = arr;
    for (int i = 0; i < n; ++i) arr[static_cast<size_t>(i)] = copy[static_cast<size_t>(order[static_cast<size_t>(i)])];
  };
  auto permute_inputs = [&](std::array<double, kZyrDChannels>& arr) {
    auto copy = arr;
    for (int i = 0; i < n; ++i)
      for (int k = 0; k < kZyrDInputs; ++k)
        arr[static_cast<size_t>(4 * i + k)] = copy[static_cast<size_t>(4 * order[static_cast<size_t>(i)] + k)];
  };
  permute(config_ids);
  permute(devices);
  permute(relays);
  permute(leds);
  permute(pulse_copy);
  permute(trans_copy);
  permute(qui_copy);
  permute(trans_trigger);
  permute_inputs(cur_red);
  permute_inputs(watt_imin);
  permute_inputs(watt_angle);
  std::vector<uint8_t> sorted;
  for (int i = 0; i < n; ++i) sorted.push_back(devices[static_cast<size_t>(i)].id);
  device_ids = sorted;
  RebuildAllIds();
  current_device = n ? 0 : -1;
}

void TZyrDData::FinalCheck() {
  if (IndexOfDevice(master_id) >= 0) return;
  master_id = device_ids.empty() ? 1 : device_ids[0];
  tracker.ChangePerm();
}

void TZyrDData::WriteOutputs(IniWriter& out, const char* kind, const TOutput& o, int n) const {
  const std::string k(kind);
  out.Key(k + "Fu" + N2(n), std::string(EnumName(static_cast<TAusgangsFunktion>(o.fu))));
  out.Key(k + "Inv" + N2(n), BoolText(o.inv));
  out.Key("M" + k + "Fu" + N2(n), std::string(EnumName(static_cast<TMasterFunktion>(o.mfu))));
  out.Key("M" + k + "Chan" + N2(n), std::to_string(o.mchan));
}

void TZyrDData::WriteFile(IniWriter& out) const {
  TZyrData::WriteFile(out);  // General, Switches
  const int n = DeviceCount();

  out.Section("Harmonics");
  WriteBlockVars(out, harmonics, 0, 1);
  out.Key("Zyr5Vearth", FormatG(ZyrUearth));
  WriteBlockVars(out, harmonics, 1);
  out.Blank();

  out.Section("Pulsing");
  WriteBlockVars(out, pulsing);
  out.Blank();

  out.Section("Transients");
  WriteBlockVars(out, transients, 0, trans::ZyrTVHz);
  for (int i = 1; i <= 4 * n; ++i) out.Key(Format("ZyrTCurRed%d", {i}), FormatG(cur_red[static_cast<size_t>(i - 1)]));
  WriteBlockVars(out, transients, trans::ZyrTVHz);
  out.Blank();

  out.Section("Qui");
  WriteBlockVars(out, qui);
  out.Blank();

  out.Section("Wattmetric");
  WriteBlockVars(out, wattmetric, 0, 1);
  for (int i = 1; i <= 4 * n; ++i) {
    out.Key(Format("ZyrWImin%d", {i}), FormatG(watt_imin[static_cast<size_t>(i - 1)]));
    out.Key(Format("ZyrWAngle%d", {i}), FormatG(watt_angle[static_cast<size_t>(i - 1)]));
  }
  WriteBlockVars(out, wattmetric, 1);
  out.Blank();

  out.Section("Signals");
  for (int s = 1; s <= kSignals; ++s) {
    const TLocSignal& sig = loc_signals[static_cast<size_t>(s - 1)];
    out.Key("MHarmDir" + N2(s), std::string(EnumName(sig.harm)));
    out.Key("MTransDir" + N2(s), std::string(EnumName(sig.trans)));
    out.Key("MPulsDir" + N2(s), std::string(EnumName(sig.puls)));
    out.Key("MWattDir" + N2(s), std::string(EnumName(sig.watt)));
    out.Key("MQuiDir" + N2(s), std::string(EnumName(sig.qui)));
  }
  out.Blank();

  out.Section("Devices");
  out.Key("Count", std::to_string(n));
  out.Key("MasterId", DeviceIdText(master_id));
  for (int p = 0; p < n; ++p) {
    const size_t at = static_cast<size_t>(p);
    out.Blank();
    out.Section(Format("%s%2.2d", {"Device", p}));
    out.Key("Id", DeviceIdText(devices[at].id));
    WriteDeviceRecord(out, devices[at], config_ids[at]);
    for (int r = 1; r <= kZyrDRelays; ++r) WriteOutputs(out, "Rel", relays[at][static_cast<size_t>(r - 1)], r);
    for (int l = 1; l <= kZyrDLeds; ++l) WriteOutputs(out, "Led", leds[at][static_cast<size_t>(l - 1)], l);
  }
  out.Blank();
}

}  // namespace trivex
