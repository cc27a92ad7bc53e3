#include "config/zyr_dm_data.h"

#include "config/bool_text.h"
#include "config/device_id.h"
#include "config/device_time.h"
#include "config/ini_file.h"
#include "config/ini_read.h"
#include "config/net_list_converter.h"
#include "config/number_text.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/texts_cfgfile.h"

namespace trivex {


int BinaryInputsOf(TBinIODevTypes t) {
  static const int n[] = {0, 16, 0, 4, 12, 16};
  return t <= bio16_6 ? n[t] : 0;
}
int RelaysOf(TBinIODevTypes t) {
  static const int n[] = {0, 0, 16, 7, 5, 6};
  return t <= bio16_6 ? n[t] : 0;
}
int LedsOf(TLedDevTypes t) {
  static const int n[] = {0, 4, 16, 16, 10};
  return t <= led5bi ? n[t] : 0;
}

bool& TZyrDmData::ShowSecondary() {
  static bool value = false;
  return value;
}

TZyrDmData::TZyrDmData() {
  system_type = stZYRDM;
  SetDefaults();
}

void TZyrDmData::BuildInputNames() {
  TZyrData::BuildInputNames();
  binary_input_names = {"none"};
  input_codes = {0};
  input_index_of_code.clear();
  input_index_of_code[0] = 0;
  for (int n = 1; n <= kDmBioSlots; ++n) {
    for (int i = 1; i <= BinaryInputsOf(bio[static_cast<size_t>(n - 1)]); ++i) {
      const int code = (n - 1) * 16 + i;
      input_index_of_code[code] = static_cast<int>(binary_input_names.size());
      binary_input_names.push_back(Format("BI %d%2.2d", {n, i}));
      input_codes.push_back(code);
    }
  }
}

void TZyrDmData::SetDefaults() {
  dsp = {dspSlaveI, dspSlaveI, dspSlaveI, dspNone, dspNone};
  bio.fill(bioNone);
  led_boards.fill(ledNone);
  led_boards[0] = led2bi;
  TZyrData::SetDefaults();
  system_type = stZYRDM;
  ZyrUearth = 30;
  device_ids = {master_id};
  devices[0].id = master_id;
  RebuildAllIds();
  current_device = 0;
  general.SetDefaults();
  general[dmgen::ZyrMGateMode] = ceOred;
  wattmetric.SetDefaults();
  dif.SetDefaults();
  watt_channels.assign(kDmDspSlots * kDmChannels, BlockValues(DmWattChannelBlock()));
  dif_channels.assign(kDmDspSlots * kDmChannels, BlockValues(DmDifChannelBlock()));
  ZyrFRatioAbs = ZyrFRatioRel = 20;
  loc_signals = {};
  for (auto& b : relays) b = {};
  for (auto& b : leds) b = {};
  relays[0][0].fu = dbafStatus;
  leds[0][0].fu = dbafStatus;
  leds[0][1].fu = dbafStoerung;
  v121_from_net_list = v122_from_net_list = false;
}

void TZyrDmData::FinalCheck() {
  v121_from_net_list = v122_from_net_list = false;
  TNetListData net;
  try {
    TNetListConverter::Compile(stZYRDM, master_id, switches, net);
  } catch (const ENetList&) {
    return;  // shown where the net list is compiled for use
  }
  const TDevice* dev = net.devices.Get(master_id);
  if (!dev) return;
  // A board's value is the segment its voltage input measures; busbar segments end in
  // the busbar's number.
  for (int slot = 1; slot <= kNetBoards; ++slot) {
    if (slot > kDmDspSlots || dsp[static_cast<size_t>(slot - 1)] != dspSlaveI) continue;
    const int digit = dev->board_values[static_cast<size_t>(slot - 1)] % 10;
    if (digit == 1 && !v121_from_net_list) {
      dif[dmdif::ZyrFV121] = slot;
      v121_from_net_list = true;
    } else if (digit == 2 && !v122_from_net_list) {
      dif[dmdif::ZyrFV122] = slot;
      v122_from_net_list = true;
    }
  }
}

void TZyrDmData::CopyDm(const TZyrDmData& s) {
  dsp = s.dsp;
  bio = s.bio;
  led_boards = s.led_boards;
  general = s.general;
  wattmetric = s.wattmetric;
  dif = s.dif;
  watt_channels = s.watt_channels;
  dif_channels = s.dif_channels;
  ZyrFRatioAbs = s.ZyrFRatioAbs;
  ZyrFRatioRel = s.ZyrFRatioRel;
  loc_signals = s.loc_signals;
  relays = s.relays;
  leds = s.leds;
  input_codes = s.input_codes;
  input_index_of_code = s.input_index_of_code;
  v121_from_net_list = s.v121_from_net_list;
  v122_from_net_list = s.v122_from_net_list;
}

void TZyrDmData::Assign(const TZyrData& src) {
  TZyrData::Assign(src);
  CopyDm(dynamic_cast<const TZyrDmData&>(src));
}

void TZyrDmData::TakeLoaded(const TZyrData& src) {
  TZyrData::TakeLoaded(src);
  CopyDm(dynamic_cast<const TZyrDmData&>(src));
}

void TZyrDmData::LoadOutputs(const IniFile& ini, const char* kind, int board, TOutput* out,
                             const TOutput* read_defaults) {
  const std::string s = "Device00";
  const std::string k(kind);
  for (int n = 1; n <= kDmOutputs; ++n) {
    TOutput& o = out[n - 1];
    const std::string fu_key = Format("%sFu%X%2.2d", {k, board, n});
    const std::string* fu = ini.Find(s, fu_key);
    o.fu = read_defaults[n - 1].fu;
    if (fu) {
      std::string name = *fu;
      // Files of older versions name the functions of the single relays ("bafStatus").
      if (StartsWithNoCase(name, "baf")) name = "d" + name;
      int code = EnumCode<TDmAusgangsFunktion>(name);
      if (code >= 0) o.fu = static_cast<uint8_t>(code);
    }
    const std::string* inv = ini.Find(s, Format("%sInv%X%2.2d", {k, board, n}));
    o.inv = inv ? ParseBoolText(*inv) : false;
    o.mfu = ReadEnumKey<TDmMasterFunktion>(ini, s, Format("M%sFu%X%2.2d", {k, board, n}),
                                           static_cast<TDmMasterFunktion>(o.mfu));
    o.mchan = static_cast<int>(ReadIntKey(ini, s, Format("M%sChan%X%2.2d", {k, board, n}), o.mchan));
  }
}

void TZyrDmData::Load(const IniFile& ini) {
  TZyrData::Load(ini);
  ReadBlockVars(ini, general);
  if (const std::string* v = ini.Find("General", "ShowSecondary")) ShowSecondary() = ParseBoolText(*v);

  const double log_in_memory = wattmetric[dmwatt::ZyrWLog];
  ReadBlockVars(ini, wattmetric);
  if (!ini.HasKey("Wattmetric", "ZyrWLog")) wattmetric[dmwatt::ZyrWLog] = log_in_memory;
  ReadBlockVars(ini, dif);

  // Board equipment first: the per-channel records exist for boards with eight currents.
  for (int n = 1; n <= kDmDspSlots; ++n)
    dsp[static_cast<size_t>(n - 1)] = ReadEnumKey(ini, "Devices", Format("ZyrDspDev%2.2d", {n}), dsp[static_cast<size_t>(n - 1)]);
  for (int n = 1; n <= kDmBioSlots; ++n)
    bio[static_cast<size_t>(n - 1)] = ReadEnumKey(ini, "Devices", Format("ZyrBIODev%2.2d", {n}), bio[static_cast<size_t>(n - 1)]);
  led_boards[0] = led2bi;
  for (int n = 1; n < kDmLedSlots; ++n)
    led_boards[static_cast<size_t>(n)] = ReadEnumKey(ini, "Devices", Format("ZyrLedDev%2.2d", {n}), led_boards[static_cast<size_t>(n)]);

  auto read_channels = [&](std::vector<BlockValues>& records, const char* section, const char* all_equal) {
    const std::string* eq = ini.Find(section, all_equal);
    const bool same = eq && ParseSettingsBool(*eq);
    if (same) {
      BlockValues first = records[0];
      ReadBlockVars(ini, first, 0, static_cast<size_t>(-1), "11");
      for (int b = 0; b < kDmDspSlots; ++b)
        if (dsp[static_cast<size_t>(b)] == dspSlaveI)
          for (int c = 0; c < kDmChannels; ++c) records[static_cast<size_t>(kDmChannels * b + c)] = first;
      return;
    }
    for (int b = 0; b < kDmDspSlots; ++b) {
      if (dsp[static_cast<size_t>(b)] != dspSlaveI) continue;
      for (int c = 0; c < kDmChannels; ++c)
        ReadBlockVars(ini, records[static_cast<size_t>(kDmChannels * b + c)], 0, static_cast<size_t>(-1),
                      Format("%d%d", {b + 1, c + 1}));
    }
  };
  read_channels(watt_channels, "Wattmetric", "ZyrWAllEqual");
  read_channels(dif_channels, "DIF", "ZyrFAllEqual");

  for (int n = 1; n <= 4; ++n) {
    TDmSignal& sig = loc_signals[static_cast<size_t>(n - 1)];
    sig.watt = ReadEnumKey(ini, "Signals", Format("MWattDir%2.2d", {n}), wmrAus);
    sig.dif = ReadEnumKey(ini, "Signals", Format("MDifDir%2.2d", {n}), drAus);
  }

  const long long count = ReadIntKey(ini, "Devices", "Count", DeviceCount());
  if (count < 0 || count > kMaxDevices)
    throw ConvertError(Format(lang::Tr(tx::cfgfile::ErrDeviceCount), {count, kMaxDevices}));
  if (const std::string* m = ini.Find("Devices", "MasterId")) master_id = static_cast<uint8_t>(ParseDeviceId(*m));
  // The relay has exactly one device record.
  devices[0].id = master_id;
  SetDeviceIds(count > 0 ? std::vector<uint8_t>{master_id} : std::vector<uint8_t>{});
  LoadDeviceRecord(ini, "Device00", devices[0], config_ids[0]);
  devices[0].id = master_id;

  TOutput relay_defaults[kDmOutputs] = {};
  TOutput led_defaults[kDmOutputs] = {};
  for (int b = 0; b < kDmBioSlots; ++b) {
    relay_defaults[0].fu = b == 0 ? dbafStatus : dbafAus;
    LoadOutputs(ini, "Rel", b + 1, relays[static_cast<size_t>(b)].data(), relay_defaults);
  }
  for (int b = 0; b < kDmLedSlots; ++b) {
    led_defaults[0].fu = b == 0 ? dbafStatus : dbafAus;
    led_defaults[1].fu = b == 0 ? dbafStoerung : dbafAus;
    LoadOutputs(ini, "Led", b, leds[static_cast<size_t>(b)].data(), led_defaults);
  }
  BuildInputNames();
}

void TZyrDmData::WriteGeneral(IniWriter& out) const {
  TZyrData::WriteGeneral(out);
  WriteBlockVars(out, general);
  out.Key("ShowSecondary", BoolText(ShowSecondary()));
}

void TZyrDmData::WriteFile(IniWriter& out) const {
  TZyrData::WriteFile(out);  // General, Switches

  out.Section("Wattmetric");
  WriteBlockVars(out, wattmetric, 0, dmwatt::ZyrWNoDisable);
  for (int b = 0; b < kDmDspSlots; ++b) {
    if (dsp[static_cast<size_t>(b)] != dspSlaveI) continue;
    for (int c = 0; c < kDmChannels; ++c)
      WriteBlockVars(out, WattChannel(b, c), 0, static_cast<size_t>(-1), Format("%d%d", {b + 1, c + 1}));
  }
  WriteBlockVars(out, wattmetric, dmwatt::ZyrWNoDisable);
  out.Blank();

  out.Section("DIF");
  WriteBlockVars(out, dif, 0, dmdif::ZyrFTdelay);
  for (int b = 0; b < kDmDspSlots; ++b) {
    if (dsp[static_cast<size_t>(b)] != dspSlaveI) continue;
    for (int c = 0; c < kDmChannels; ++c)
      WriteBlockVars(out, DifChannel(b, c), 0, static_cast<size_t>(-1), Format("%d%d", {b + 1, c + 1}));
  }
  WriteBlockVars(out, dif, dmdif::ZyrFTdelay);
  out.Blank();

  out.Section("Signals");
  for (int n = 1; n <= 4; ++n) {
    out.Key(Format("MWattDir%2.2d", {n}), std::string(EnumName(loc_signals[static_cast<size_t>(n - 1)].watt)));
    out.Key(Format("MDifDir%2.2d", {n}), std::string(EnumName(loc_signals[static_cast<size_t>(n - 1)].dif)));
  }
  out.Blank();

  out.Section("Devices");
  out.Key("Count", std::to_string(DeviceCount()));
  out.Key("MasterId", DeviceIdText(master_id));
  for (int n = 1; n <= kDmDspSlots; ++n)
    out.Key(Format("ZyrDspDev%2.2d", {n}), std::string(EnumName(dsp[static_cast<size_t>(n - 1)])));
  for (int n = 1; n <= kDmBioSlots; ++n)
    out.Key(Format("ZyrBIODev%2.2d", {n}), std::string(EnumName(bio[static_cast<size_t>(n - 1)])));
  out.Line("ZyrLedDev00=led2bi");
  for (int n = 1; n < kDmLedSlots; ++n)
    out.Key(Format("ZyrLedDev%2.2d", {n}), std::string(EnumName(led_boards[static_cast<size_t>(n)])));
  out.Blank();

  out.Section("Device00");
  out.Key("Id", DeviceIdText(master_id));
  WriteDeviceRecord(out, devices[0], config_ids[0]);
  auto write = [&](const char* kind, int board, int n, const TOutput& o) {
    out.Key(Format("%sFu%X%2.2d", {kind, board, n}), std::string(EnumName(static_cast<TDmAusgangsFunktion>(o.fu))));
    out.Key(Format("%sInv%X%2.2d", {kind, board, n}), BoolText(o.inv));
    out.Key(Format("M%sFu%X%2.2d", {kind, board, n}), std::string(EnumName(static_cast<TDmMasterFunktion>(o.mfu))));
    out.Key(Format("M%sChan%X%2.2d", {kind, board, n}), std::to_string(o.mchan));
  };
  for (int b = 1; b <= kDmBioSlots; ++b)
    for (int r = 1; r <= RelaysOf(bio[static_cast<size_t>(b - 1)]); ++r)
      write("Rel", b, r, relays[static_cast<size_t>(b - 1)][static_cast<size_t>(r - 1)]);
  for (int b = 0; b < kDmLedSlots; ++b)
    for (int r = 1; r <= LedsOf(led_boards[static_cast<size_t>(b)]); ++r)
      write("Led", b, r, leds[static_cast<size_t>(b)][static_cast<size_t>(r - 1)]);
  out.Blank();
}

}  // namespace trivex
