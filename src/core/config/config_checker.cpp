#include "config/config_checker.h"

#include <map>
#include <string_view>

#include "config/device_id.h"
#include "config/net_list_converter.h"
#include "config/port_settings.h"
#include "lang/format.h"
#include "lang/texts_transfer.h"

namespace trivex {

namespace {

// Parameter labels of the result rows and the firmware version the comparison names where
// it differs from the version from which the relays know the variable.
struct Label {
  std::string_view name;
  const char* label;
  int since = -1;  // -1: the variable's own version
};
constexpr Label kLabels[] = {
    {"Zyr5Active", "harmonics/active"}, {"Zyr5Imin", "harmonics/Imin"}, {"Zyr5dImin", "harmonics/delta Imin"},
    {"Zyr5Use1st", "harmonics/use nth[0]"}, {"Zyr5Use3rd", "harmonics/use nth[1]"}, {"Zyr5Use5th", "harmonics/use nth[2]"},
    {"Zyr5Use7th", "harmonics/use nth[3]"}, {"Zyr5Use9th", "harmonics/use nth[4]"}, {"Zyr5Use11th", "harmonics/use nth[5]"},
    {"Zyr5Use13th", "harmonics/use nth[6]"}, {"Zyr5Use15th", "harmonics/use nth[7]"}, {"Zyr5Use17th", "harmonics/use nth[8]"},
    {"Zyr5Use19th", "harmonics/use nth[9]"}, {"Zyr5UseAll", "harmonics/use all"}, {"Zyr5UseAngle", "harmonics/use angle"},
    {"Zyr5Angle", "harmonics/angle"}, {"Zyr5Msg", "harmonics/message"}, {"Zyr5MsgDelay", "harmonics/mesage delay"},
    {"Zyr5Log", "harmonics/log entry"}, {"Zyr5UseXFreq", "harmonics/use extra frequency"},
    {"Zyr5XFreq", "harmonics/extra frequency"}, {"Zyr5MsgDurtn", "harmonics/msg duration"},
    {"Zyr5ResetId", "harmonics/reset input/id"}, {"Zyr5ResetBI", "harmonics/reset input/channel"},
    {"Zyr5GateId", "harmonics/gate input/id"}, {"Zyr5GateBI", "harmonics/gate input/channel"},
    {"Zyr5SignalAll", "harmonics/signal all"}, {"Zyr5Single", "harmonics/signal orphan"},
    {"Zyr5MeasRpt", "harmonics/measurements count"},
    {"ZyrPMsgDurtn", "pulses/msg duration"}, {"ZyrPLog", "pulse/log entry"}, {"ZyrPResetId", "pulse/reset input/id"},
    {"ZyrPResetBI", "pulse/reset input/channel"}, {"ZyrPDominant", "pulse/dominant signal"},
    {"ZyrPSingleTimer", "pulse/single timer"}, {"ZyrPVLess", "pulse/without Ven"}, {"ZyrPGrpLess", "pulsing/without groups"},
    {"ZyrPActive", "pulse/active"}, {"ZyrPImin", "pulse/Imin"}, {"ZyrPTon", "pulse/Ton"}, {"ZyrPToff", "pulse/Toff"},
    {"ZyrPCyclesGross", "pulse/cycles gross"}, {"ZyrPCyclesNet", "pulse/cycles net"},
    {"ZyrTActive", "transients/active"}, {"ZyrTVmin", "transients/Vmin"}, {"ZyrTImin", "transients/Imin"},
    {"ZyrTMode", "transients/msg mode"}, {"ZyrTMsgDurtn", "transients/msg duration"},
    {"ZyrTResetId", "transients/reset input/id"}, {"ZyrTResetBI", "transients/reset input/channel"},
    {"ZyrTLog", "transients/log entry"}, {"ZyrTXLog", "transients/extra logfile entry"},
    {"ZyrTMsgDelay", "transients/msg delay"}, {"ZyrTDDWavy", "Uo min", 1323}, {"ZyrTDDDive", "dUo   deviation", 1323},
    {"ZyrTDDfreq", "Frequency check"}, {"ZyrTqu2blo", "Blocktime after 1. message"},
    {"ZyrTHoldfr", "Pause between records"}, {"ZyrTRotM", "Rotation minimum", 1427},
    {"ZyrTDeDur", "Earthfault duration", 1427}, {"ZyrTfMsgDur", "Directsignalling duration"},
    {"ZyrIActive", "qui aktive", 1427}, {"ZyrIVmin", "dUo threshold  qui", 1427},
    {"ZyrIImin", "qui Ice minimum current", 1427}, {"ZyrIMsgDelay", "qui Signalling delay", 1427},
    {"ZyrIMsgDurtn", "qui Signalling duration", 1427}, {"ZyrIResetID", "qui Reset input", 1427},
    {"ZyrIResetBI", "qui Reset input channel ", 1427}, {"ZyrIResetInv", "qui Reset input inv", 1427},
    {"ZyrILog", "qui Logfile entry", 1427}, {"ZyrIXLog", "qui extra log ", 1427}, {"ZyrICLogOn", "qui Cyclic log", 1427},
    {"ZyrICLogTime", "qui Every", 1427}, {"ZyrIObsT", "qui Supervision time", 1427},
    {"ZyrWActive", "wattmetric/active"}, {"ZyrWSignalAll", "wattmetric/signal all"},
    {"ZyrWdImin", "wattmetric/delta Imin"}, {"ZyrWMsgDelay", "wattmetric/message delay"},
    {"ZyrWMsgDurtn", "wattmetric/msg duration"}, {"ZyrWResetId", "wattmetric/reset input/id"},
    {"ZyrWResetBI", "wattmetric/reset input/channel"}, {"ZyrWPrioId", "wattmetric/priority input/id"},
    {"ZyrWPrioBI", "wattmetric/priority input/channel"}, {"ZyrWCTrigId", "wattmetric/current increase trigger input/id"},
    {"ZyrWCTrigBI", "wattmetric/current increase trigger input/channel"},
    {"ZyrWCResetId", "wattmetric/current increase reset input/id"},
    {"ZyrWCResetBI", "wattmetric/current increase reset input/channel"},
    {"ZyrWCurrGate", "wattmetric/current increase gate time"}, {"ZyrWCurrMsg", "wattmetric/current increase msg duration"},
    {"ZyrWMeasRpt", "wattmetric/measurements count"}, {"ZyrWLog", "wattmetric/log entry"},
    {"ZyrWHold1st", "wattmetric/hold 1st"},
};

const Label* LabelOf(std::string_view name) {
  for (const Label& l : kLabels)
    if (l.name == name) return &l;
  return nullptr;
}

// Reals of the transient and qui blocks that are compared exactly.
bool Exact(std::string_view name) {
  return name == "ZyrTDDWavy" || name == "ZyrTDDDive" || name == "ZyrTDDfreq" || name == "ZyrTqu2blo" ||
         name == "ZyrTHoldfr" || name == "ZyrTRotM" || name == "ZyrTDeDur" || name == "ZyrTfMsgDur" ||
         (name.substr(0, 4) == "ZyrI" && name != "ZyrIActive");
}

std::string ValueText(const VarDesc& d, double v) {
  if (d.type == VarType::Bool) return v != 0 ? "TRUE" : "FALSE";
  if (d.type == VarType::Real || d.type == VarType::RealText) return FormatG(v, '.');
  return std::to_string(static_cast<long long>(v));
}

}  // namespace

void TZyrDConfigChecker::Row(const std::string& label, int since, const std::string& name, const std::string& a,
                             const std::string& b) {
  msgs_.AddRow(mode_, label, since, name, a, b);
}

void TZyrDConfigChecker::Real(const std::string& label, int since, const std::string& name, double a, double b,
                              bool exact) {
  if (since > version_) return Row(label, since, name, FormatG(a, '.'), {});
  if (exact ? a != b : !SameReal(a, b)) Row(label, since, name, FormatG(a, '.'), FormatG(b, '.'));
}

void TZyrDConfigChecker::Int(const std::string& label, int since, const std::string& name, long long a, long long b) {
  if (since > version_) return Row(label, since, name, std::to_string(a), {});
  if (a != b) Row(label, since, name, std::to_string(a), std::to_string(b));
}

void TZyrDConfigChecker::Segments(const TNetListData& e, const TNetListData& r) {
  Int("net model/segments/count", 0, "ZyrCnfSegCnt", e.segments.Count(), r.segments.Count());
  static const char* const kField[6] = {"id", "tags", "dev id", "U index", "I index", "voltage group"};
  const int n = std::max(e.segments.Count(), r.segments.Count());
  for (int i = 0; i < n; ++i) {
    if (i >= e.segments.Count() || i >= r.segments.Count()) {
      Row(Format("station cfg/segment %d", {i}), 0, Format("ZyrCnfSegment * %d", {i}),
          i < e.segments.Count() ? std::to_string(e.segments[i].id) : std::string(), lang::Tr(tx::transfer::MissingWord));
      continue;
    }
    const TSegment& a = e.segments[i];
    const TSegment& b = r.segments[i];
    const long long va[6] = {a.id, a.tags, a.device, a.voltage_input, a.current_input, a.voltage_group};
    const long long vb[6] = {b.id, b.tags, b.device, b.voltage_input, b.current_input, b.voltage_group};
    for (int k = 0; k < 6; ++k)
      Int(Format("station cfg/segment %d/", {i}) + kField[k], k == 5 ? 1018 : 0,
          Format("ZyrCnfSegment %d %d", {k + 1, i}), va[k], vb[k]);
  }
}

void TZyrDConfigChecker::Switches(const TNetListData& e, const TNetListData& r) {
  Int("station cfg/switch/count", 0, "ZyrCnfSwCnt", e.switches.Count(), r.switches.Count());
  static const char* const kField[6] = {"id", "segment 1", "segment 2", "dev id", "input", "closed"};
  const int n = std::max(e.switches.Count(), r.switches.Count());
  for (int i = 0; i < n; ++i) {
    if (i >= e.switches.Count() || i >= r.switches.Count()) {
      Row(Format("station cfg/switch %d", {i}), 0, Format("ZyrCnfSwitch * %d", {i}),
          i < e.switches.Count() ? std::to_string(e.switches[i].id) : std::string(), lang::Tr(tx::transfer::MissingWord));
      continue;
    }
    const TSchalter& a = e.switches[i];
    const TSchalter& b = r.switches[i];
    const long long va[6] = {a.id, a.segment1, a.segment2, a.device, a.input, a.closed};
    const long long vb[6] = {b.id, b.segment1, b.segment2, b.device, b.input, b.closed};
    for (int k = 0; k < 6; ++k)
      Int(Format("station cfg/switch %d/", {i}) + kField[k], 0, Format("ZyrCnfSwitch %d %d", {k + 1, i}), va[k], vb[k]);
  }
}

void TZyrDConfigChecker::Devices(const TZyrDData& read, const TNetListData& e, const TReportedStation& rep, bool verify) {
  Int(verify ? "Device list/Count" : "Devices/Count", 0, "ZyrCnfDevCnt", read.DeviceCount(), rep.device_count);
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const uint8_t id = read.devices[static_cast<size_t>(p)].id;
    const std::string idt = DeviceIdText(id);
    const TDevice* ed = e.devices.Get(id);
    const TDevice* rd = rep.net.devices.Get(id);
    const TDevice none;
    if (!ed) ed = &none;
    if (!rd) rd = &none;
    auto it = rep.local.find(id);
    const TRelayTransformers local = it == rep.local.end() ? TRelayTransformers{} : it->second;
    const int d = p + 1;
    for (int c = 1; c <= kZyrDInputs; ++c) {
      const size_t k = static_cast<size_t>(c - 1);
      const TVoltageInput& eu = ed->U(c);
      const TCurrentInput& ei = ed->I(c);
      const double vnom = eu.vnom == 0 ? 100 : eu.vnom, kni = ei.kni == 0 ? 1 : ei.kni, inom = ei.inom == 0 ? 1 : ei.inom;
      Int(verify ? "Device list/Uconnect" : "Devices/V-segment", 0, Format("ZyrCnfVSeg %d %d", {d, c}), eu.segment, rd->U(c).segment);
      Real(verify ? "Device list/Knu" : "Devices/knV", 0, Format("ZyrKnu %d %d", {d, c}), eu.knu, rd->U(c).knu);
      Real(verify ? "Device list/Vnom" : "Devices/Vnom", 0, Format("ZyrVnom %d %d", {d, c}), vnom, rd->U(c).vnom);
      Int(verify ? "Device list/Iconnect" : "Devices/I-segment", 0, Format("ZyrCnfISeg %d %d", {d, c}), ei.segment, rd->I(c).segment);
      Real(verify ? "Device list/Kni" : "Devices/knI", 0, Format("ZyrKni %d %d", {d, c}), kni, rd->I(c).kni);
      Real(verify ? "Device list/Inom" : "Devices/Inom", 0, Format("ZyrInom %d %d", {d, c}), inom, rd->I(c).inom);
      Real(verify ? "/Knu dev" : "Devices/knV", 0, Format("%sZyrKnu %d", {idt, c}), eu.knu, local.knu[k]);
      Real(verify ? "Device list/Vnom dev" : "Devices/Vnom", 0, Format("%sZyrVnom %d", {idt, c}), vnom, local.vnom[k]);
      Real(verify ? "/Knu dev" : "Devices/knI", 0, Format("%sZyrKni %d", {idt, c}), kni, local.kni[k]);
      Real(verify ? "Device list/Inom dev" : "Devices/Inom", 0, Format("%sZyrInom %d", {idt, c}), inom, local.inom[k]);
    }
  }
}

void TZyrDConfigChecker::BinaryInputs(const TNetListData& e, const TReportedStation& rep) {
  for (const TDevice& ed : e.devices) {
    const TDevice* rd = rep.net.devices.Get(ed.id);
    const std::string idt = DeviceIdText(ed.id);
    for (int i = 1; i <= kNetBinaryInputs; ++i) {
      if (ed.BI(i).switch_id == 0) continue;
      const TReportedInput r = rd ? rd->reported[static_cast<size_t>(i - 1)] : TReportedInput{};
      Int("Devices/BinIn/Function", 0, Format("%sZyrBIFu %d", {idt, i}), 2, r.function);
      Int("Devices/BinIn/Inv", 0, Format("%sZyrBIInv %d", {idt, i}), ed.BI(i).inverted, r.inverted);
    }
  }
}

void TZyrDConfigChecker::Block(const BlockValues& saved, const BlockValues& read) {
  const auto& vars = saved.desc().vars;
  for (size_t i = 0; i < vars.size(); ++i) {
    const VarDesc& d = vars[i];
    const Label* l = LabelOf(d.name);
    if (!l) continue;
    const int since = l->since >= 0 ? l->since : d.since_version;
    const double a = saved[static_cast<int>(i)], b = read[static_cast<int>(i)];
    if (since > version_) {
      Row(l->label, since, d.name, ValueText(d, a), {});
      continue;
    }
    const bool real = d.type == VarType::Real || d.type == VarType::RealText;
    const bool same = real ? (Exact(d.name) ? a == b : SameReal(a, b)) : a == b;
    if (!same) Row(l->label, since, d.name, ValueText(d, a), ValueText(d, b));
  }
}

void TZyrDConfigChecker::IdRows(const TZyrData* saved, const TZyrData& read) {
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const uint8_t id = read.devices[static_cast<size_t>(p)].id;
    uint32_t s = 0;
    if (saved) {
      const int q = saved->IndexOfDevice(id);
      if (q >= 0) s = saved->config_ids[static_cast<size_t>(q)];
    }
    msgs_.AddIdRow(DeviceIdText(id), s, read.config_ids[static_cast<size_t>(p)]);
  }
}

bool TZyrDConfigChecker::CheckConsistency(int version, TZyrDData& read, const TReportedStation& rep,
                                          const TZyrData* in_memory) {
  version_ = version;
  mode_ = TConfigMsgs::kConsistency;
  msgs_.Start(mode_, version);
  const TNetListData compiled = TNetListConverter::Compile(stZYRD, read.master_id, read.switches);
  read.AfterLoad();  // sorts the relays by identifier
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const uint8_t id = read.devices[static_cast<size_t>(p)].id;
    const TDevice* d = rep.net.devices.Get(id);
    const int reported = d ? d->master_id : 0;
    if (reported != read.master_id)
      Row("general/master id", 0, DeviceIdText(id) + "ZyrMasterId", DeviceIdText(read.master_id), DeviceIdText(reported));
  }
  Segments(compiled, rep.net);
  Switches(compiled, rep.net);
  Devices(read, compiled, rep, false);
  BinaryInputs(compiled, rep);
  IdRows(in_memory, read);
  return msgs_.RowCount() == 0;
}

bool TZyrDConfigChecker::Verify(int version, const TZyrDData& saved, const TReportedStation& rep, const TZyrDData& read,
                                const TNetListData& compiled) {
  version_ = version;
  mode_ = TConfigMsgs::kVerify;
  msgs_.Start(mode_, version);
  // 1. Ports, by identifier.
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const TDeviceRecord& r = read.devices[static_cast<size_t>(p)];
    const int q = saved.IndexOfDevice(r.id);
    const TDeviceRecord s = q >= 0 ? saved.devices[static_cast<size_t>(q)] : TDeviceRecord{};
    const std::string idt = DeviceIdText(r.id);
    const std::pair<std::string, std::string> ports[4][2] = {
        {{"Communications/COM1", idt + "SetCom1"}, {ComSettingsText(s.com1), ComSettingsText(r.com1)}},
        {{"Communications/COM2", idt + "SetCom2"}, {ComSettingsText(s.com2), ComSettingsText(r.com2)}},
        {{"Communications/TynetL", idt + "SetLanL"}, {TynetSettingsText(s.tynet_l), TynetSettingsText(r.tynet_l)}},
        {{"Communications/TynetR", idt + "SetLanR"}, {TynetSettingsText(s.tynet_r), TynetSettingsText(r.tynet_r)}},
    };
    for (const auto& port : ports)
      if (port[1].first != port[1].second) Row(port[0].first, 0, port[0].second, port[1].first, port[1].second);
  }
  // 2. General.
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const TDeviceRecord& r = read.devices[static_cast<size_t>(p)];
    const std::string idt = DeviceIdText(r.id);
    const TDevice* d = rep.net.devices.Get(r.id);
    const int reported = d ? d->master_id : 0;
    if (reported != saved.master_id)
      Row("general/master id", 0, idt + "ZyrMasterId", DeviceIdText(saved.master_id), DeviceIdText(reported));
    const int q = saved.IndexOfDevice(r.id);
    const std::string name = q >= 0 ? saved.devices[static_cast<size_t>(q)].name : std::string();
    if (name != r.name) Row("general/station name", 0, idt + "Station", name, r.name);
  }
  Real("general/msg delay earth fault", 1102, "ZyrEMsgDelay", saved.ZyrEMsgDelay, read.ZyrEMsgDelay);
  Real("general/msg break", 1102, "ZyrMsgBreak", saved.ZyrMsgBreak, read.ZyrMsgBreak);
  // 3. Station config file.
  if (version_ < 1208) {
    Row("Station config file", 1208, "ZyrNetFile", {}, " ");
  } else if (saved.switches != read.switches) {
    Row("Station config file", 0, "ZyrNetFile", {}, read.switches.empty() ? lang::Tr(tx::transfer::Missing) : " ");
  }
  // 4.-6. Station model.
  Segments(compiled, rep.net);
  Switches(compiled, rep.net);
  Devices(read, compiled, rep, true);
  // 7. Harmonics.
  Real("harmonics/earth fault threshold", 0, "Zyr5Vearth", saved.ZyrUearth, read.ZyrUearth);
  Block(saved.harmonics, read.harmonics);
  // 8. Pulse location.
  if (version_ <= 1005) {
    Row("pulsing general", 1006, "ZyrP...", {}, lang::Tr(tx::transfer::NotSupported));
  } else {
    for (int p = 0; p < read.DeviceCount(); ++p) {
      const std::string idt = DeviceIdText(read.devices[static_cast<size_t>(p)].id);
      for (int i : {puls::ZyrPActive, puls::ZyrPImin, puls::ZyrPTon, puls::ZyrPToff, puls::ZyrPCyclesGross, puls::ZyrPCyclesNet}) {
        const VarDesc& d = PulsingBlock().vars[static_cast<size_t>(i)];
        const double a = saved.pulsing[i], b = read.pulse_copy[static_cast<size_t>(p)][i];
        if (!SameReal(a, b)) Row(LabelOf(d.name)->label, 1006, idt + d.name, ValueText(d, a), ValueText(d, b));
      }
    }
    BlockValues s = saved.pulsing, r = read.pulsing;
    for (int i : {puls::ZyrPActive, puls::ZyrPImin, puls::ZyrPTon, puls::ZyrPToff, puls::ZyrPCyclesGross, puls::ZyrPCyclesNet})
      r[i] = s[i];  // compared per relay above
    Block(s, r);
  }
  // 9. Transients and qui.
  if (version_ <= 1018) {
    Row("transients general", 1019, "ZyrT...", {}, lang::Tr(tx::transfer::NotSupported));
  } else {
    for (int p = 0; p < read.DeviceCount(); ++p) {
      const std::string idt = DeviceIdText(read.devices[static_cast<size_t>(p)].id);
      for (int i : {trans::ZyrTActive, trans::ZyrTVmin, trans::ZyrTImin}) {
        const VarDesc& d = TransientsBlock().vars[static_cast<size_t>(i)];
        const double a = saved.transients[i], b = read.trans_copy[static_cast<size_t>(p)][i];
        if (!SameReal(a, b)) Row(LabelOf(d.name)->label, 1019, idt + d.name, ValueText(d, a), ValueText(d, b));
      }
      int mask = 0;
      if (const TDevice* d = compiled.devices.Get(read.devices[static_cast<size_t>(p)].id))
        for (int c = 1; c <= kZyrDInputs; ++c)
          if (d->I(c).segment != 0) mask |= 1 << (c - 1);
      Int("transients/trigger mask", 1019, idt + "ZyrTVTrigger", mask, read.trans_trigger[static_cast<size_t>(p)]);
    }
    BlockValues s = saved.transients, r = read.transients;
    for (int i : {trans::ZyrTActive, trans::ZyrTVmin, trans::ZyrTImin}) r[i] = s[i];
    Block(s, r);
    Block(saved.qui, read.qui);
    if (version_ >= 1323)
      for (int p = 0; p < read.DeviceCount(); ++p)
        for (int c = 1; c <= kZyrDInputs; ++c) {
          const size_t k = static_cast<size_t>(4 * p + c - 1);
          Real("Signal Noise Reduction", 1323, Format("ZyrTCurRed %d", {static_cast<int>(k) + 1}), saved.cur_red[k], read.cur_red[k]);
        }
  }
  // 10. Wattmetric.
  if (version_ <= 1028) {
    Row("wattmetric general", 1029, "ZyrW...", {}, lang::Tr(tx::transfer::NotSupported));
  } else {
    for (int p = 0; p < read.DeviceCount(); ++p)
      for (int c = 1; c <= kZyrDInputs; ++c) {
        const size_t k = static_cast<size_t>(4 * p + c - 1);
        Real("wattmetric/Imin", 1029, Format("ZyrWImin %d", {static_cast<int>(k) + 1}), saved.watt_imin[k], read.watt_imin[k]);
        Real("wattmetric/angle", 1029, Format("ZyrWAngle %d", {static_cast<int>(k) + 1}), saved.watt_angle[k], read.watt_angle[k]);
      }
    Block(saved.wattmetric, read.wattmetric);
  }
  // 11. Binary inputs.
  BinaryInputs(compiled, rep);
  // 12. Signals and outputs.
  if (version_ >= 1008) {
    for (int s = 0; s < kSignals; ++s) {
      const TLocSignal& a = saved.loc_signals[static_cast<size_t>(s)];
      const TLocSignal& b = read.loc_signals[static_cast<size_t>(s)];
      Int("localization/harmonics direction", 1008, Format("ZyrMHarmDir %d", {s + 1}), a.harm, b.harm);
      Int("localization/transients direction", 1008, Format("ZyrMTransDir %d", {s + 1}), a.trans, b.trans);
      Int("localization/pulse direction", 1008, Format("ZyrMPulsDir %d", {s + 1}), a.puls, b.puls);
      Int("localization/wattmetric direction", 1008, Format("ZyrMWattDir %d", {s + 1}), a.watt, b.watt);
    }
  }
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const uint8_t id = read.devices[static_cast<size_t>(p)].id;
    const int q = saved.IndexOfDevice(id);
    const std::string idt = DeviceIdText(id);
    auto outputs = [&](const char* kind, const char* fu_label, const char* mfu_label, const char* mchan_label,
                       const TOutput* s, const TOutput* r, int count) {
      for (int o = 1; o <= count; ++o) {
        const TOutput a = q >= 0 ? s[o - 1] : TOutput{};
        const TOutput& b = r[o - 1];
        if (version_ >= 1008) {
          Int(mfu_label, 1008, Format("ZyrM%sFu %d %d", {kind, p + 1, o}), a.mfu, b.mfu);
          Int(mchan_label, 1008, Format("ZyrM%sChan %d %d", {kind, p + 1, o}), a.mchan, b.mchan);
        }
        Int(fu_label, 0, Format("%sZyr%sFu %d", {idt, kind, o}), a.fu, b.fu);
        Int(fu_label, 0, Format("%sZyr%sInv %d", {idt, kind, o}), a.inv, b.inv);
      }
    };
    const size_t sq = static_cast<size_t>(q >= 0 ? q : 0);
    outputs("Rel", "relay function", "master relay function", "master relay channel", saved.relays[sq].data(),
            read.relays[static_cast<size_t>(p)].data(), kZyrDRelays);
    outputs("Led", "LED function", "master LED function", "master LED channel", saved.leds[sq].data(),
            read.leds[static_cast<size_t>(p)].data(), kZyrDLeds);
  }
  // 13. Configuration ids.
  IdRows(&saved, read);
  return msgs_.RowCount() == 0;
}

}  // namespace trivex
