#include "config/config_checker.h"

#include <map>
#include <string_view>

#include "config/device_id.h"
#include "config/enumerations.h"
#include "config/net_list_converter.h"
#include "config/port_settings.h"
#include "lang/format.h"
#include "lang/texts_checker.h"

namespace trivex {

namespace {

// Parameter labels of the result rows and the firmware version the comparison names where
// it differs from the version from which the relays know the variable. A label with an
// index is a format text filled with it.
struct Label {
  std::string_view name;
  const lang::Text3* text;
  int since = -1;  // -1: the variable's own version
  int index = -1;
};
namespace t = tx::checker;
constexpr Label kLabels[] = {
    {"Zyr5Active", &t::HarmActive}, {"Zyr5Imin", &t::HarmImin}, {"Zyr5dImin", &t::HarmDeltaImin},
    {"Zyr5Use1st", &t::HarmUseNth, -1, 0}, {"Zyr5Use3rd", &t::HarmUseNth, -1, 1}, {"Zyr5Use5th", &t::HarmUseNth, -1, 2},
    {"Zyr5Use7th", &t::HarmUseNth, -1, 3}, {"Zyr5Use9th", &t::HarmUseNth, -1, 4}, {"Zyr5Use11th", &t::HarmUseNth, -1, 5},
    {"Zyr5Use13th", &t::HarmUseNth, -1, 6}, {"Zyr5Use15th", &t::HarmUseNth, -1, 7}, {"Zyr5Use17th", &t::HarmUseNth, -1, 8},
    {"Zyr5Use19th", &t::HarmUseNth, -1, 9}, {"Zyr5UseAll", &t::HarmUseAll}, {"Zyr5UseAngle", &t::HarmUseAngle},
    {"Zyr5Angle", &t::HarmAngle}, {"Zyr5Msg", &t::HarmMessage}, {"Zyr5MsgDelay", &t::HarmMessageDelay},
    {"Zyr5Log", &t::HarmLogEntry}, {"Zyr5UseXFreq", &t::HarmUseExtraFreq},
    {"Zyr5XFreq", &t::HarmExtraFreq}, {"Zyr5MsgDurtn", &t::HarmMsgDuration},
    {"Zyr5ResetId", &t::HarmResetId}, {"Zyr5ResetBI", &t::HarmResetChannel},
    {"Zyr5GateId", &t::HarmGateId}, {"Zyr5GateBI", &t::HarmGateChannel},
    {"Zyr5SignalAll", &t::HarmSignalAll}, {"Zyr5Single", &t::HarmSignalOrphan},
    {"Zyr5MeasRpt", &t::HarmMeasCount},
    {"ZyrPMsgDurtn", &t::PulsesMsgDuration}, {"ZyrPLog", &t::PulseLogEntry}, {"ZyrPResetId", &t::PulseResetId},
    {"ZyrPResetBI", &t::PulseResetChannel}, {"ZyrPDominant", &t::PulseDominant},
    {"ZyrPSingleTimer", &t::PulseSingleTimer}, {"ZyrPVLess", &t::PulseWithoutVen}, {"ZyrPGrpLess", &t::PulsingWithoutGroups},
    {"ZyrPActive", &t::PulseActive}, {"ZyrPImin", &t::PulseImin}, {"ZyrPTon", &t::PulseTon}, {"ZyrPToff", &t::PulseToff},
    {"ZyrPCyclesGross", &t::PulseCyclesGross}, {"ZyrPCyclesNet", &t::PulseCyclesNet},
    {"ZyrTActive", &t::TransActive}, {"ZyrTVmin", &t::TransVmin}, {"ZyrTImin", &t::TransImin},
    {"ZyrTMode", &t::TransMsgMode}, {"ZyrTMsgDurtn", &t::TransMsgDuration},
    {"ZyrTResetId", &t::TransResetId}, {"ZyrTResetBI", &t::TransResetChannel},
    {"ZyrTLog", &t::TransLogEntry}, {"ZyrTXLog", &t::TransExtraLog},
    {"ZyrTMsgDelay", &t::TransMsgDelay}, {"ZyrTDDWavy", &t::UoMin, 1323}, {"ZyrTDDDive", &t::DUoDeviation, 1323},
    {"ZyrTDDfreq", &t::FrequencyCheck}, {"ZyrTqu2blo", &t::BlockTimeAfterFirst},
    {"ZyrTHoldfr", &t::PauseBetweenRecords}, {"ZyrTRotM", &t::RotationMinimum, 1427},
    {"ZyrTDeDur", &t::EarthFaultDuration, 1427}, {"ZyrTfMsgDur", &t::DirectSignallingDuration},
    {"ZyrIActive", &t::QuiActive, 1427}, {"ZyrIVmin", &t::QuiVmin, 1427},
    {"ZyrIImin", &t::QuiImin, 1427}, {"ZyrIMsgDelay", &t::QuiMsgDelay, 1427},
    {"ZyrIMsgDurtn", &t::QuiMsgDuration, 1427}, {"ZyrIResetID", &t::QuiResetInput, 1427},
    {"ZyrIResetBI", &t::QuiResetChannel, 1427}, {"ZyrIResetInv", &t::QuiResetInv, 1427},
    {"ZyrILog", &t::QuiLogEntry, 1427}, {"ZyrIXLog", &t::QuiExtraLog, 1427}, {"ZyrICLogOn", &t::QuiCyclicLog, 1427},
    {"ZyrICLogTime", &t::QuiEvery, 1427}, {"ZyrIObsT", &t::QuiSupervisionTime, 1427},
    {"ZyrWActive", &t::WattActive}, {"ZyrWSignalAll", &t::WattSignalAll},
    {"ZyrWdImin", &t::WattDeltaImin}, {"ZyrWMsgDelay", &t::WattMsgDelay},
    {"ZyrWMsgDurtn", &t::WattMsgDuration}, {"ZyrWResetId", &t::WattResetId},
    {"ZyrWResetBI", &t::WattResetChannel}, {"ZyrWPrioId", &t::WattPrioId},
    {"ZyrWPrioBI", &t::WattPrioChannel}, {"ZyrWCTrigId", &t::WattCTrigId},
    {"ZyrWCTrigBI", &t::WattCTrigChannel},
    {"ZyrWCResetId", &t::WattCResetId},
    {"ZyrWCResetBI", &t::WattCResetChannel},
    {"ZyrWCurrGate", &t::WattCurrGate}, {"ZyrWCurrMsg", &t::WattCurrMsg},
    {"ZyrWMeasRpt", &t::WattMeasCount}, {"ZyrWLog", &t::WattLogEntry},
    {"ZyrWHold1st", &t::WattHold1st},
};

// The label in the current language, taken when the row is added.

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

TOutputDirections TZyrDConfigChecker::ImpliedDirections(const TZyrDData& c, int mfu) {
  TOutputDirections d{};  // harmonics, transients, pulse, wattmetric
  switch (mfu) {
    case mfWischerVor: d[1] = wrVorwaerts; break;
    case mfWischerRueck: d[1] = wrRueckwaerts; break;
    case mfOberschwVor: d[0] = owrVorwaerts; break;
    case mfOberschwRueck: d[0] = owrRueckwaerts; break;
    case mfPulsortungVor: d[2] = porVorwaerts; break;
    case mfWattmetrVor: d[3] = wmrVorwaerts; break;
    case mfWattmetrRueck: d[3] = wmrRueckwaerts; break;
    case mfOrtung1: case mfOrtung2: case mfOrtung3: case mfOrtung4: {
      const TLocSignal& s = c.loc_signals[static_cast<size_t>(mfu - mfOrtung1)];
      d = {s.harm, s.trans, s.puls, s.watt};
      break;
    }
    default: break;
  }
  return d;
}

std::string TZyrDConfigChecker::LabelRef::Text() const {
  return index >= 0 ? Format(lang::Tr(*text), {index}) : std::string(lang::Tr(*text));
}

void TZyrDConfigChecker::Row(LabelRef label, int since, const std::string& name, const std::string& a,
                             const std::string& b) {
  msgs_.AddRow(mode_, label.Text(), since, name, a, b);
}

void TZyrDConfigChecker::Real(LabelRef label, int since, const std::string& name, double a, double b,
                              bool exact) {
  if (since > version_) return Row(label, since, name, FormatG(a, '.'), {});
  if (exact ? a != b : !SameReal(a, b)) Row(label, since, name, FormatG(a, '.'), FormatG(b, '.'));
}

void TZyrDConfigChecker::Int(LabelRef label, int since, const std::string& name, long long a, long long b) {
  if (since > version_) return Row(label, since, name, std::to_string(a), {});
  if (a != b) Row(label, since, name, std::to_string(a), std::to_string(b));
}

void TZyrDConfigChecker::Segments(const TNetListData& e, const TNetListData& r) {
  Int(t::SegmentCount, 0, "ZyrCnfSegCnt", e.segments.Count(), r.segments.Count());
  static const lang::Text3* const kField[6] = {&t::SegmentId,     &t::SegmentTags,   &t::SegmentDevId,
                                                &t::SegmentUIndex, &t::SegmentIIndex, &t::SegmentVoltageGroup};
  const int n = std::max(e.segments.Count(), r.segments.Count());
  for (int i = 0; i < n; ++i) {
    if (i >= e.segments.Count() || i >= r.segments.Count()) {
      Row({t::Segment, i}, 0, Format("ZyrCnfSegment * %d", {i}),
          i < e.segments.Count() ? std::to_string(e.segments[i].id) : std::string(), lang::Tr(t::MissingWord));
      continue;
    }
    const TSegment& a = e.segments[i];
    const TSegment& b = r.segments[i];
    const long long va[6] = {a.id, a.tags, a.device, a.voltage_input, a.current_input, a.voltage_group};
    const long long vb[6] = {b.id, b.tags, b.device, b.voltage_input, b.current_input, b.voltage_group};
    for (int k = 0; k < 6; ++k)
      Int({*kField[k], i}, k == 5 ? 1018 : 0,
          Format("ZyrCnfSegment %d %d", {k + 1, i}), va[k], vb[k]);
  }
}

void TZyrDConfigChecker::Switches(const TNetListData& e, const TNetListData& r) {
  Int(t::SwitchCount, 0, "ZyrCnfSwCnt", e.switches.Count(), r.switches.Count());
  static const lang::Text3* const kField[6] = {&t::SwitchId,    &t::SwitchSegment1, &t::SwitchSegment2,
                                                &t::SwitchDevId, &t::SwitchInput,    &t::SwitchClosed};
  const int n = std::max(e.switches.Count(), r.switches.Count());
  for (int i = 0; i < n; ++i) {
    if (i >= e.switches.Count() || i >= r.switches.Count()) {
      Row({t::Switch, i}, 0, Format("ZyrCnfSwitch * %d", {i}),
          i < e.switches.Count() ? std::to_string(e.switches[i].id) : std::string(), lang::Tr(t::MissingWord));
      continue;
    }
    const TSchalter& a = e.switches[i];
    const TSchalter& b = r.switches[i];
    const long long va[6] = {a.id, a.segment1, a.segment2, a.device, a.input, a.closed};
    const long long vb[6] = {b.id, b.segment1, b.segment2, b.device, b.input, b.closed};
    for (int k = 0; k < 6; ++k)
      Int({*kField[k], i}, 0, Format("ZyrCnfSwitch %d %d", {k + 1, i}), va[k], vb[k]);
  }
}

void TZyrDConfigChecker::Devices(const TZyrDData& read, const TNetListData& e, const TReportedStation& rep, bool verify) {
  Int(verify ? t::DevListCount : t::DevicesCount, 0, "ZyrCnfDevCnt", read.DeviceCount(), rep.device_count);
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
      Int(verify ? t::DevListUconnect : t::DevicesVSegment, 0, Format("ZyrCnfVSeg %d %d", {d, c}), eu.segment, rd->U(c).segment);
      Real(verify ? t::DevListKnu : t::DevicesKnV, 0, Format("ZyrKnu %d %d", {d, c}), eu.knu, rd->U(c).knu);
      Real(verify ? t::DevListVnom : t::DevicesVnom, 0, Format("ZyrVnom %d %d", {d, c}), vnom, rd->U(c).vnom);
      Int(verify ? t::DevListIconnect : t::DevicesISegment, 0, Format("ZyrCnfISeg %d %d", {d, c}), ei.segment, rd->I(c).segment);
      Real(verify ? t::DevListKni : t::DevicesKnI, 0, Format("ZyrKni %d %d", {d, c}), kni, rd->I(c).kni);
      Real(verify ? t::DevListInom : t::DevicesInom, 0, Format("ZyrInom %d %d", {d, c}), inom, rd->I(c).inom);
      Real(verify ? t::DevListKnDev : t::DevicesKnV, 0, Format("%sZyrKnu %d", {idt, c}), eu.knu, local.knu[k]);
      Real(verify ? t::DevListVnomDev : t::DevicesVnom, 0, Format("%sZyrVnom %d", {idt, c}), vnom, local.vnom[k]);
      Real(verify ? t::DevListKnDev : t::DevicesKnI, 0, Format("%sZyrKni %d", {idt, c}), kni, local.kni[k]);
      Real(verify ? t::DevListInomDev : t::DevicesInom, 0, Format("%sZyrInom %d", {idt, c}), inom, local.inom[k]);
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
      Int(t::BinInFunction, 0, Format("%sZyrBIFu %d", {idt, i}), 2, r.function);
      Int(t::BinInInv, 0, Format("%sZyrBIInv %d", {idt, i}), ed.BI(i).inverted, r.inverted);
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
      Row({*l->text, l->index}, since, d.name, ValueText(d, a), {});
      continue;
    }
    const bool real = d.type == VarType::Real || d.type == VarType::RealText;
    const bool same = real ? (Exact(d.name) ? a == b : SameReal(a, b)) : a == b;
    if (!same) Row({*l->text, l->index}, since, d.name, ValueText(d, a), ValueText(d, b));
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
      Row(t::MasterId, 0, DeviceIdText(id) + "ZyrMasterId", DeviceIdText(read.master_id), DeviceIdText(reported));
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
    struct Port {
      const lang::Text3& label;
      std::string name, a, b;
    };
    const Port ports[4] = {
        {t::PortCom1, idt + "SetCom1", ComSettingsText(s.com1), ComSettingsText(r.com1)},
        {t::PortCom2, idt + "SetCom2", ComSettingsText(s.com2), ComSettingsText(r.com2)},
        {t::PortTynetL, idt + "SetLanL", TynetSettingsText(s.tynet_l), TynetSettingsText(r.tynet_l)},
        {t::PortTynetR, idt + "SetLanR", TynetSettingsText(s.tynet_r), TynetSettingsText(r.tynet_r)},
    };
    for (const auto& port : ports)
      if (port.a != port.b) Row(port.label, 0, port.name, port.a, port.b);
  }
  // 2. General.
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const TDeviceRecord& r = read.devices[static_cast<size_t>(p)];
    const std::string idt = DeviceIdText(r.id);
    const TDevice* d = rep.net.devices.Get(r.id);
    const int reported = d ? d->master_id : 0;
    if (reported != saved.master_id)
      Row(t::MasterId, 0, idt + "ZyrMasterId", DeviceIdText(saved.master_id), DeviceIdText(reported));
    const int q = saved.IndexOfDevice(r.id);
    const std::string name = q >= 0 ? saved.devices[static_cast<size_t>(q)].name : std::string();
    if (name != r.name) Row(t::StationName, 0, idt + "Station", name, r.name);
  }
  Real(t::MsgDelayEarthFault, 1102, "ZyrEMsgDelay", saved.ZyrEMsgDelay, read.ZyrEMsgDelay);
  Real(t::MsgBreak, 1102, "ZyrMsgBreak", saved.ZyrMsgBreak, read.ZyrMsgBreak);
  // 3. Station config file.
  if (version_ < 1208) {
    Row(t::StationConfigFile, 1208, "ZyrNetFile", {}, " ");
  } else if (saved.switches != read.switches) {
    Row(t::StationConfigFile, 0, "ZyrNetFile", {}, read.switches.empty() ? lang::Tr(t::Missing) : " ");
  }
  // 4.-6. Station model.
  Segments(compiled, rep.net);
  Switches(compiled, rep.net);
  Devices(read, compiled, rep, true);
  // 7. Harmonics.
  Real(t::HarmEarthFaultThreshold, 0, "Zyr5Vearth", saved.ZyrUearth, read.ZyrUearth);
  Block(saved.harmonics, read.harmonics);
  // 8. Pulse location.
  if (version_ <= 1005) {
    Row(t::PulsingGeneral, 1006, "ZyrP...", {}, lang::Tr(t::NotSupported));
  } else {
    for (int p = 0; p < read.DeviceCount(); ++p) {
      const std::string idt = DeviceIdText(read.devices[static_cast<size_t>(p)].id);
      for (int i : {puls::ZyrPActive, puls::ZyrPImin, puls::ZyrPTon, puls::ZyrPToff, puls::ZyrPCyclesGross, puls::ZyrPCyclesNet}) {
        const VarDesc& d = PulsingBlock().vars[static_cast<size_t>(i)];
        const double a = saved.pulsing[i], b = read.pulse_copy[static_cast<size_t>(p)][i];
        if (!SameReal(a, b)) Row(*LabelOf(d.name)->text, 1006, idt + d.name, ValueText(d, a), ValueText(d, b));
      }
    }
    BlockValues s = saved.pulsing, r = read.pulsing;
    for (int i : {puls::ZyrPActive, puls::ZyrPImin, puls::ZyrPTon, puls::ZyrPToff, puls::ZyrPCyclesGross, puls::ZyrPCyclesNet})
      r[i] = s[i];  // compared per relay above
    Block(s, r);
  }
  // 9. Transients and qui.
  if (version_ <= 1018) {
    Row(t::TransientsGeneral, 1019, "ZyrT...", {}, lang::Tr(t::NotSupported));
  } else {
    for (int p = 0; p < read.DeviceCount(); ++p) {
      const std::string idt = DeviceIdText(read.devices[static_cast<size_t>(p)].id);
      for (int i : {trans::ZyrTActive, trans::ZyrTVmin, trans::ZyrTImin}) {
        const VarDesc& d = TransientsBlock().vars[static_cast<size_t>(i)];
        const double a = saved.transients[i], b = read.trans_copy[static_cast<size_t>(p)][i];
        if (!SameReal(a, b)) Row(*LabelOf(d.name)->text, 1019, idt + d.name, ValueText(d, a), ValueText(d, b));
      }
      int mask = 0;
      if (const TDevice* d = compiled.devices.Get(read.devices[static_cast<size_t>(p)].id))
        for (int c = 1; c <= kZyrDInputs; ++c)
          if (d->I(c).segment != 0) mask |= 1 << (c - 1);
      Int(t::TransTriggerMask, 1019, idt + "ZyrTVTrigger", mask, read.trans_trigger[static_cast<size_t>(p)]);
    }
    BlockValues s = saved.transients, r = read.transients;
    for (int i : {trans::ZyrTActive, trans::ZyrTVmin, trans::ZyrTImin}) r[i] = s[i];
    Block(s, r);
    Block(saved.qui, read.qui);
    if (version_ >= 1323)
      for (int p = 0; p < read.DeviceCount(); ++p)
        for (int c = 1; c <= kZyrDInputs; ++c) {
          const size_t k = static_cast<size_t>(4 * p + c - 1);
          Real(t::SignalNoiseReduction, 1323, Format("ZyrTCurRed %d", {static_cast<int>(k) + 1}), saved.cur_red[k], read.cur_red[k]);
        }
  }
  // 10. Wattmetric.
  if (version_ <= 1028) {
    Row(t::WattGeneral, 1029, "ZyrW...", {}, lang::Tr(t::NotSupported));
  } else {
    for (int p = 0; p < read.DeviceCount(); ++p)
      for (int c = 1; c <= kZyrDInputs; ++c) {
        const size_t k = static_cast<size_t>(4 * p + c - 1);
        Real(t::WattImin, 1029, Format("ZyrWImin %d", {static_cast<int>(k) + 1}), saved.watt_imin[k], read.watt_imin[k]);
        Real(t::WattAngle, 1029, Format("ZyrWAngle %d", {static_cast<int>(k) + 1}), saved.watt_angle[k], read.watt_angle[k]);
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
      Int(t::LocHarmDir, 1008, Format("ZyrMHarmDir %d", {s + 1}), a.harm, b.harm);
      Int(t::LocTransDir, 1008, Format("ZyrMTransDir %d", {s + 1}), a.trans, b.trans);
      Int(t::LocPulseDir, 1008, Format("ZyrMPulsDir %d", {s + 1}), a.puls, b.puls);
      Int(t::LocWattDir, 1008, Format("ZyrMWattDir %d", {s + 1}), a.watt, b.watt);
    }
  }
  for (int p = 0; p < read.DeviceCount(); ++p) {
    const uint8_t id = read.devices[static_cast<size_t>(p)].id;
    const int q = saved.IndexOfDevice(id);
    const std::string idt = DeviceIdText(id);
    static const char* const kMethods[4] = {"Harm", "Trans", "Puls", "Watt"};
    static const lang::Text3* const kDirLabels[4] = {&t::HarmDirRelay, &t::TransDirRelay, &t::PulseDirRelay,
                                                     &t::WattDirRelay};
    auto outputs = [&](const char* kind, const lang::Text3& fu_label, const lang::Text3& mfu_label,
                       const lang::Text3& mchan_label, const std::map<uint8_t, std::vector<TOutputDirections>>& dirs,
                       const TOutput* s, const TOutput* r, int count) {
      for (int o = 1; o <= count; ++o) {
        const TOutput a = q >= 0 ? s[o - 1] : TOutput{};
        const TOutput& b = r[o - 1];
        if (version_ >= 1008) {
          Int(mfu_label, 1008, Format("ZyrM%sFu %d %d", {kind, p + 1, o}), a.mfu, b.mfu);
          Int(mchan_label, 1008, Format("ZyrM%sChan %d %d", {kind, p + 1, o}), a.mchan, b.mchan);
        } else {
          // The directions the master holds for the output against those its saved function implies.
          const TOutputDirections want = ImpliedDirections(saved, a.mfu);
          TOutputDirections got{};
          if (auto it = dirs.find(id); it != dirs.end() && it->second.size() >= static_cast<size_t>(o))
            got = it->second[static_cast<size_t>(o - 1)];
          for (int m = 0; m < 4; ++m)
            Int(*kDirLabels[m], 0, Format("Zyr%s%sDir %d %d", {kind, kMethods[m], p + 1, o}), want[m], got[m]);
        }
        Int(fu_label, 0, Format("%sZyr%sFu %d", {idt, kind, o}), a.fu, b.fu);
        Int(fu_label, 0, Format("%sZyr%sInv %d", {idt, kind, o}), a.inv, b.inv);
      }
    };
    const size_t sq = static_cast<size_t>(q >= 0 ? q : 0);
    outputs("Rel", t::RelayFunction, t::MasterRelayFunction, t::MasterRelayChannel, rep.relay_dirs,
            saved.relays[sq].data(), read.relays[static_cast<size_t>(p)].data(), kZyrDRelays);
    outputs("Led", t::LedFunction, t::MasterLedFunction, t::MasterLedChannel, rep.led_dirs, saved.leds[sq].data(),
            read.leds[static_cast<size_t>(p)].data(), kZyrDLeds);
  }
  // 13. Configuration ids.
  IdRows(&saved, read);
  return msgs_.RowCount() == 0;
}

}  // namespace trivex
