#include "protocol/zyr_d_config_pump.h"

#include "config/net_list_converter.h"

#include <cmath>
#include <ctime>

#include "config/config_checker.h"
#include "config/device_id.h"
#include "config/enumerations.h"
#include "lang/format.h"
#include "lang/texts_transfer.h"
#include "protocol/commands.h"
#include "protocol/reply.h"
#include "protocol/request.h"

namespace trivex {

namespace {

DateTime LocalNow() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return DateTime::FromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

bool IsCode(const VarDesc& d) { return d.type == VarType::Bool || d.type == VarType::Enum; }

std::string ValueText(const VarDesc& d, double v) {
  if (d.type == VarType::Real || d.type == VarType::RealText) return FormatG(v, '.');
  return std::to_string(static_cast<long long>(std::llround(v)));
}

double ReplyValue(const std::string& reply) {
  auto v = reply::Number(reply);
  return v ? *v : 0;
}

}  // namespace

bool TZyrDConfigPump::ValidDeviceName(std::string_view name) {
  if (name.size() > 8) return false;
  for (unsigned char ch : name)
    if (ch < 32 || ch == 127 || ch == '"' || ch == '\'' || ch == ',') return false;
  return true;
}

std::string TZyrDConfigPump::Id(int p) const { return DeviceIdText(cfg_->devices[static_cast<size_t>(p)].id); }

std::string TZyrDConfigPump::ChannelText(int p, int input) const {
  std::string id = Id(p);
  if (!id.empty() && id.back() == ':') id.pop_back();
  return id + std::to_string(input);
}

// The master's channel-1 current ratio times its nominal current (0 counts as 1), or 1
// when the master is not in the station list.
double TZyrDConfigPump::MasterCurrentFactor() const {
  const TNetListData* net = sending_ ? station_ : &rep_->net;
  const TDevice* m = net ? net->devices.Get(cfg_->master_id) : nullptr;
  if (!m) return 1;
  const double kni = m->I(1).kni == 0 ? 1 : m->I(1).kni;
  const double inom = m->I(1).inom == 0 ? 1 : m->I(1).inom;
  return kni * inom;
}

void TZyrDConfigPump::TooOld(const VarDesc& d, double value) {
  if (counting_ || !sending_) return;
  const std::string_view name = d.name;
  const char* label = lang::Tr(tx::transfer::CommandFrom);
  if (name == "Zyr5CLogOn" || name == "Zyr5CLogTime") label = lang::Tr(tx::transfer::CyclicHarmonicsFrom);
  else if (name == "ZyrWCLogOn" || name == "ZyrWCLogTime") label = lang::Tr(tx::transfer::CyclicLogFrom);
  msgs_.AddRow(TConfigMsgs::kSend, label, d.since_version, d.name, VarValueText(d, d.def), VarValueText(d, value));
}

bool TZyrDConfigPump::Var(BlockValues& b, int idx, const std::string* pfx) {
  const VarDesc& d = b.desc().vars[static_cast<size_t>(idx)];
  const std::string& p = pfx ? *pfx : prefix_;
  if (version_ < d.since_version) {
    TooOld(d, b[idx]);
    return true;
  }
  if (sending_) return CommandStep(p + d.name + "=" + ValueText(d, b[idx]));
  std::string reply;
  if (!QueryStep(p + d.name + std::string(IsCode(d) ? req::kCode : req::kNumber), reply)) return false;
  if (!counting_) b[idx] = ReplyValue(reply);
  return true;
}

bool TZyrDConfigPump::PerDevice(BlockValues& b, int idx, const char* send_fmt, const char* read_name, int since,
                                int below, std::vector<BlockValues>* copies) {
  const VarDesc& d = b.desc().vars[static_cast<size_t>(idx)];
  if (version_ < since) {
    TooOld(VarDesc{d.name, d.type, d.def, d.enum_info, NAN, NAN, since, nullptr}, b[idx]);
    return true;
  }
  if (below && version_ >= below) return true;
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    const std::string id = Id(p);
    if (sending_) {
      std::string element = d.type == VarType::Real || d.type == VarType::RealText
                                ? FormatWith('.', send_fmt, {id, b[idx]})
                                : FormatWith('.', send_fmt, {id, static_cast<long long>(std::llround(b[idx]))});
      if (!CommandStep(element)) return false;
      continue;
    }
    std::string reply;
    if (!QueryStep(id + read_name + std::string(IsCode(d) ? req::kCode : req::kNumber), reply)) return false;
    if (counting_) continue;
    const double v = ReplyValue(reply);
    if (copies) (*copies)[static_cast<size_t>(p)][idx] = v;
    if (cfg_->devices[static_cast<size_t>(p)].id == cfg_->master_id) b[idx] = v;
  }
  return true;
}

bool TZyrDConfigPump::Num(const std::string& send, const std::string& query, double& value) {
  if (sending_) return CommandStep(send);
  std::string reply;
  if (!QueryStep(query, reply)) return false;
  if (!counting_) value = ReplyValue(reply);
  return true;
}

// --- checks before a send -----------------------------------------------------------

bool TZyrDConfigPump::VersionOfSlaves() {
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    if (cfg_->devices[static_cast<size_t>(p)].id == cfg_->master_id) continue;
    int v = 0;
    if (!CheckVersion(Id(p), Id(p), "ZYR-D", v)) return false;
    if (v != version_) {
      ErrorBox(Format(lang::Tr(tx::transfer::ErrorWhile), {action_, Format(lang::Tr(tx::transfer::FirmwareDiffers), {Id(p)})}));
      return false;
    }
  }
  return true;
}

bool TZyrDConfigPump::HardwareCheck() {
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    std::string reply;
    if (!QueryStep(Id(p) + "ZyrRelFu" + std::string(req::kAll), reply)) return false;
    const size_t n = reply::Items(reply).size();
    IoCard& c = cards_[static_cast<size_t>(p)];
    if (n == 13) c = {13, 16};
    else if (n == 6) c = {6, 16};
    else c = {5, 12};
  }
  return true;
}

bool TZyrDConfigPump::FitCheck() {
  auto fail = [&](int p, const std::string& what) {
    ErrorBox(Format(lang::Tr(tx::transfer::ErrorWhile),
                    {action_, Format(lang::Tr(tx::transfer::IoCardUnsupported), {Id(p), what})}));
    return false;
  };
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    const auto& relay6 = cfg_->relays[static_cast<size_t>(p)][5];
    if (cards_[static_cast<size_t>(p)].relays < 6 && (relay6.fu != bafAus || relay6.mfu != mfAus))
      return fail(p, std::string(lang::Tr(tx::transfer::Relay)) + " 6");
  }
  struct Ref {
    const BlockValues* b;
    int id, bi;
  };
  const Ref refs[] = {
      {&cfg_->harmonics, harm::Zyr5ResetId, harm::Zyr5ResetBI}, {&cfg_->harmonics, harm::Zyr5GateId, harm::Zyr5GateBI},
      {&cfg_->pulsing, puls::ZyrPResetId, puls::ZyrPResetBI}, {&cfg_->transients, trans::ZyrTResetId, trans::ZyrTResetBI},
      {&cfg_->wattmetric, watt::ZyrWResetId, watt::ZyrWResetBI}, {&cfg_->wattmetric, watt::ZyrWPrioId, watt::ZyrWPrioBI},
      {&cfg_->wattmetric, watt::ZyrWCTrigId, watt::ZyrWCTrigBI}, {&cfg_->wattmetric, watt::ZyrWCResetId, watt::ZyrWCResetBI},
  };
  for (const Ref& r : refs) {
    const int id = r.b->I(r.id), bi = r.b->I(r.bi);
    if (id == 0 || bi == 0) continue;
    const int p = cfg_->IndexOfDevice(static_cast<uint8_t>(id));
    if (p < 0) continue;
    if (bi > cards_[static_cast<size_t>(p)].inputs)
      return fail(p, std::string(lang::Tr(tx::transfer::BinIn)) + Format(" %d", {bi}));
  }
  return true;
}

// --- the sequence, both directions ---------------------------------------------------

bool TZyrDConfigPump::General() {
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    const std::string id = Id(p);
    TDeviceRecord& rec = cfg_->devices[static_cast<size_t>(p)];
    if (sending_) {
      if (!CommandStep(id + Format("ZyrMasterId=%d", {cfg_->master_id}))) return false;
      if (!CommandStep(id + "Station=" + rec.name)) return false;
      if (version_ >= 1310 && !CommandStep(id + Format("ZyrLogTime=%d", {cfg_->ZyrLogTime}))) return false;
    } else {
      std::string reply;
      if (!QueryStep(id + "ZyrMasterId#+", reply)) return false;
      if (!counting_) rep_->net.devices.Get(rec.id, true)->master_id = static_cast<uint8_t>(ReplyValue(reply));
      if (!QueryStep(id + "Station#+", reply)) return false;
      if (!counting_) rec.name = reply;
    }
  }
  if (!sending_) {
    std::string reply;
    if (version_ >= 1310) {
      if (!QueryStep(prefix_ + "ZyrLogTime#_", reply)) return false;
      if (!counting_) cfg_->ZyrLogTime = static_cast<int>(ReplyValue(reply));
    }
  }
  if (version_ >= 1102) {
    if (!Num(prefix_ + FormatWith('.', "ZyrEMsgDelay=%g", {cfg_->ZyrEMsgDelay}), prefix_ + "ZyrEMsgDelay#+", cfg_->ZyrEMsgDelay)) return false;
    if (!Num(prefix_ + FormatWith('.', "ZyrMsgBreak=%g", {cfg_->ZyrMsgBreak}), prefix_ + "ZyrMsgBreak#+", cfg_->ZyrMsgBreak)) return false;
  }
  if (!sending_) {
    std::string reply;
    if (!QueryStep(prefix_ + "ZyrTOpFreq#", reply)) return false;
    if (!counting_) {
      cfg_->ZyrtOpFreq = ReplyValue(reply);
      if (version_ < 1430) cfg_->nominal_frequency = cfg_->ZyrtOpFreq > 0 && cfg_->ZyrtOpFreq < 30 ? 1 : 2;
    }
  }
  return true;
}

bool TZyrDConfigPump::DeviceList() {
  const int n = cfg_->DeviceCount();
  if (sending_ && !CommandStep(prefix_ + Format("ZyrCnfDevCnt=%d", {n}))) return false;
  for (int p = 0; p < n; ++p) {
    const int d = p + 1;
    const uint8_t address = cfg_->devices[static_cast<size_t>(p)].id;
    const std::string id = Id(p);
    if (sending_ && !CommandStep(prefix_ + Format("ZyrDevId %d=%d", {d, address}))) return false;
    TDevice fallback;
    TDevice* dev = nullptr;
    if (sending_) {
      const TDevice* s = station_->devices.Get(address);
      fallback = s ? *s : TDevice{};
      dev = &fallback;
    } else {
      dev = rep_->net.devices.Get(address, true);
    }
    TRelayTransformers local_fallback;
    TRelayTransformers& local = sending_ ? local_fallback : rep_->local[address];
    for (int c = 1; c <= kZyrDInputs; ++c) {
      TVoltageInput& u = dev->U(c);
      TCurrentInput& i = dev->I(c);
      const size_t k = static_cast<size_t>(c - 1);
      double seg = u.segment;
      const double knu = u.knu, vnom = u.vnom == 0 ? 100 : u.vnom;
      const double kni = i.kni == 0 ? 1 : i.kni, inom = i.inom == 0 ? 1 : i.inom;
      if (!Num(prefix_ + Format("ZyrCnfVSeg %d %d=%d", {d, c, static_cast<long long>(u.segment)}),
               prefix_ + Format("ZyrCnfVSeg+# %d %d", {d, c}), seg)) return false;
      u.segment = static_cast<int32_t>(seg);
      if (!Num(prefix_ + FormatWith('.', "ZyrKnu %d %d=%g", {d, c, knu}), prefix_ + Format("ZyrKnu+# %d %d", {d, c}), u.knu)) return false;
      if (!Num(id + FormatWith('.', "ZyrKnu %d=%g", {c, knu}), id + Format("ZyrKnu+# %d", {c}), local.knu[k])) return false;
      if (!Num(prefix_ + FormatWith('.', "ZyrVnom %d %d=%g", {d, c, vnom}), prefix_ + Format("ZyrVnom+# %d %d", {d, c}), u.vnom)) return false;
      if (!Num(id + FormatWith('.', "ZyrVnom %d=%g", {c, vnom}), id + Format("ZyrVnom+# %d", {c}), local.vnom[k])) return false;
      seg = i.segment;
      if (!Num(prefix_ + Format("ZyrCnfISeg %d %d=%d", {d, c, static_cast<long long>(i.segment)}),
               prefix_ + Format("ZyrCnfISeg+# %d %d", {d, c}), seg)) return false;
      i.segment = static_cast<int32_t>(seg);
      if (!Num(prefix_ + FormatWith('.', "ZyrKni %d %d=%g", {d, c, kni}), prefix_ + Format("ZyrKni+# %d %d", {d, c}), i.kni)) return false;
      if (!Num(id + FormatWith('.', "ZyrKni %d=%g", {c, kni}), id + Format("ZyrKni+# %d", {c}), local.kni[k])) return false;
      if (!Num(prefix_ + FormatWith('.', "ZyrInom %d %d=%g", {d, c, inom}), prefix_ + Format("ZyrInom+# %d %d", {d, c}), i.inom)) return false;
      if (!Num(id + FormatWith('.', "ZyrInom %d=%g", {c, inom}), id + Format("ZyrInom+# %d", {c}), local.inom[k])) return false;
    }
  }
  return true;
}

bool TZyrDConfigPump::Harmonics() {
  BlockValues& h = cfg_->harmonics;
  if (!Var(h, harm::Zyr5Active)) return false;
  if (!Num(prefix_ + FormatWith('.', "Zyr5Vearth=%g", {cfg_->ZyrUearth}), prefix_ + "Zyr5Vearth+#", cfg_->ZyrUearth)) return false;
  // Firmware up to 1.0.15 holds the minimum current in percent of the master's channel 1.
  if (version_ <= 1015) {
    double v = h[harm::Zyr5Imin] * 100 / MasterCurrentFactor();
    if (!Num(prefix_ + "Zyr5Imin=" + FormatG(v, '.'), prefix_ + "Zyr5Imin+#", v)) return false;
    if (!sending_ && !counting_) h[harm::Zyr5Imin] = v * MasterCurrentFactor() / 100;
  } else if (!Var(h, harm::Zyr5Imin)) {
    return false;
  }
  if (!Var(h, harm::Zyr5dImin)) return false;
  for (int i = harm::Zyr5Use1st; i <= harm::Zyr5UseAll; ++i)
    if (!Var(h, i)) return false;
  if (!Var(h, harm::Zyr5UseAngle) || !Var(h, harm::Zyr5Angle)) return false;
  if (sending_) {
    if (!CommandStep(prefix_ + "Zyr5Msg=3")) return false;
  } else if (!Var(h, harm::Zyr5Msg)) {
    return false;
  }
  if (!Var(h, harm::Zyr5MsgDelay) || !Var(h, harm::Zyr5Log)) return false;
  if (sending_) {
    if (!Var(h, harm::Zyr5UseXFreq) || !Var(h, harm::Zyr5XFreq)) return false;
  }
  if (!PerDevice(h, harm::Zyr5UseXFreq, "%sZyr5UseXFreq=%d", "Zyr5UseXFreq", 1010)) return false;
  if (!PerDevice(h, harm::Zyr5XFreq, "%sZyr5XFreq=%g", "Zyr5XFreq", 1010)) return false;
  for (int i : {harm::Zyr5MsgDurtn, harm::Zyr5ResetId, harm::Zyr5ResetBI, harm::Zyr5GateId, harm::Zyr5GateBI,
                harm::Zyr5SignalAll, harm::Zyr5Single, harm::Zyr5MeasRpt, harm::Zyr5CLogOn, harm::Zyr5CLogTime})
    if (!Var(h, i)) return false;
  return true;
}

bool TZyrDConfigPump::Pulsing() {
  BlockValues& b = cfg_->pulsing;
  // Every relay keeps its own copy of the pulse detection values.
  const int with_copy[] = {puls::ZyrPActive, puls::ZyrPImin, puls::ZyrPTon, puls::ZyrPToff,
                           puls::ZyrPCyclesGross, puls::ZyrPCyclesNet};
  for (int i : with_copy) {
    if (!Var(b, i)) return false;
    if (!sending_ && version_ >= b.desc().vars[static_cast<size_t>(i)].since_version) {
      const std::string name = b.desc().vars[static_cast<size_t>(i)].name;
      for (int p = 0; p < cfg_->DeviceCount(); ++p) {
        std::string reply;
        if (!QueryStep(Id(p) + name + std::string(i == puls::ZyrPActive ? req::kCode : req::kNumber), reply)) return false;
        if (!counting_) cfg_->pulse_copy[static_cast<size_t>(p)][i] = ReplyValue(reply);
      }
    }
  }
  for (int i : {puls::ZyrPMsgDurtn, puls::ZyrPLog, puls::ZyrPResetId, puls::ZyrPResetBI, puls::ZyrPDominant,
                puls::ZyrPSingleTimer, puls::ZyrPVLess, puls::ZyrPGrpLess})
    if (!Var(b, i)) return false;
  return true;
}

bool TZyrDConfigPump::Transients() {
  BlockValues& t = cfg_->transients;
  for (int i : {trans::ZyrTActive, trans::ZyrTVmin, trans::ZyrTImin}) {
    if (!Var(t, i)) return false;
    if (!sending_ && version_ >= 1019) {
      const std::string name = t.desc().vars[static_cast<size_t>(i)].name;
      for (int p = 0; p < cfg_->DeviceCount(); ++p) {
        std::string reply;
        if (!QueryStep(Id(p) + name + std::string(i == trans::ZyrTActive ? req::kCode : req::kNumber), reply)) return false;
        if (!counting_) cfg_->trans_copy[static_cast<size_t>(p)][i] = ReplyValue(reply);
      }
    }
  }
  // The trigger mask of each relay: bit i - 1 for each current input i that measures a feeder.
  if (version_ >= 1019) {
    for (int p = 0; p < cfg_->DeviceCount(); ++p) {
      if (sending_) {
        int mask = 0;
        if (const TDevice* d = station_->devices.Get(cfg_->devices[static_cast<size_t>(p)].id))
          for (int c = 1; c <= kZyrDInputs; ++c)
            if (d->I(c).segment != 0) mask |= 1 << (c - 1);
        cfg_->trans_trigger[static_cast<size_t>(p)] = mask;
        if (!CommandStep(Id(p) + Format("ZyrTVTrigger=%d", {mask}))) return false;
      } else {
        double v = 0;
        if (!Num({}, Id(p) + "ZyrTVTrigger+#", v)) return false;
        if (!counting_) cfg_->trans_trigger[static_cast<size_t>(p)] = static_cast<int>(v);
      }
    }
  } else {
    TooOld(VarDesc{"ZyrTVTrigger", VarType::Int, 0, nullptr, NAN, NAN, 1019, nullptr}, 0);
  }
  if (!Var(t, trans::ZyrTMode)) return false;
  if (sending_ && version_ >= 1019) {
    if (!CommandStep(prefix_ + "ZyrTMsg=3")) return false;
  } else if (!Var(t, trans::ZyrTMsg)) {
    return false;
  }
  for (int i : {trans::ZyrTMsgDurtn, trans::ZyrTResetId, trans::ZyrTResetBI, trans::ZyrTLog})
    if (!Var(t, i)) return false;
  if (version_ < 1019) return true;
  if (!PerDevice(t, trans::ZyrTXLog, "%sZyrTXLog=%d", "ZyrTXLog", 1201)) return false;
  if (!PerDevice(t, trans::ZyrTMsgDelay, "%sZyrTMsgDelay=%g", "ZyrTMsgDelay", 1202)) return false;
  if (!PerDevice(t, trans::ZyrTProzMax, "%sZyrTProzMax=%g", "ZyrTProzMax", 1306)) return false;
  if (!PerDevice(t, trans::ZyrTDDWavy, "%sZyrTDDWavy=%g", "ZyrTDDWavy", 1019, 1323)) return false;
  if (!PerDevice(t, trans::ZyrTDDDive, "%sZyrTDDDive=%g", "ZyrTDDDive", 1019, 1323)) return false;
  if (version_ >= 1323) {
    for (int p = 0; p < cfg_->DeviceCount(); ++p)
      for (int c = 1; c <= kZyrDInputs; ++c) {
        double& v = cfg_->cur_red[static_cast<size_t>(4 * p + c - 1)];
        const std::string ch = ChannelText(p, c);
        if (!Num(prefix_ + FormatWith('.', "ZyrTCurRed %s=%g", {ch, v}), prefix_ + "ZyrTCurRed+# " + ch, v)) return false;
      }
  }
  if (!PerDevice(t, trans::ZyrTRotM, "%sZyrTROTM = %g ", "ZyrTRotM", 1408)) return false;
  if (!PerDevice(t, trans::ZyrTDeDur, "%sZyrTDeDur = %d", "ZyrTDeDur", 1408)) return false;
  if (!PerDevice(t, trans::ZyrTDDfreq, "%sZyrTDDFreq = %g", "ZyrTDDFreq", 1427)) return false;
  if (!PerDevice(t, trans::ZyrTVHz, "%sZyrTVHz = %g", "ZyrTVHz", 1427)) return false;
  if (!PerDevice(t, trans::ZyrTfMsgDur, "%sZyrTfMsgDur = %g", "ZyrTfMsgDur", 1427)) return false;
  if (!PerDevice(t, trans::ZyrTHoldfr, "%sZyrTHoldfr=%g", "ZyrTHoldfr", 1427)) return false;
  if (!PerDevice(t, trans::ZyrTqu2blo, "%sZyrTqu2blo = %g", "ZyrTqu2blo", 1432)) return false;
  // The nominal frequency code travels as the carrier frequency of the transient evaluation.
  if (version_ >= 1430) {
    for (int p = 0; p < cfg_->DeviceCount(); ++p) {
      double v = cfg_->nominal_frequency;
      if (!Num(Format("%sZyrTCarFreq = %d ", {Id(p), cfg_->nominal_frequency}), Id(p) + "ZyrTCarFreq+#", v)) return false;
      if (!sending_ && !counting_ && cfg_->devices[static_cast<size_t>(p)].id == cfg_->master_id)
        cfg_->nominal_frequency = static_cast<int>(v);
    }
  }
  return true;
}

bool TZyrDConfigPump::Wattmetric() {
  BlockValues& w = cfg_->wattmetric;
  if (!Var(w, watt::ZyrWActive)) return false;
  if (version_ >= 1029) {
    for (int p = 0; p < cfg_->DeviceCount(); ++p)
      for (int c = 1; c <= kZyrDInputs; ++c) {
        const size_t k = static_cast<size_t>(4 * p + c - 1);
        const std::string ch = ChannelText(p, c);
        if (!Num(prefix_ + FormatWith('.', "ZyrWImin %s=%g", {ch, cfg_->watt_imin[k]}), prefix_ + "ZyrWImin+# " + ch, cfg_->watt_imin[k])) return false;
        if (!Num(prefix_ + FormatWith('.', "ZyrWAngle %s=%g", {ch, cfg_->watt_angle[k]}), prefix_ + "ZyrWAngle+# " + ch, cfg_->watt_angle[k])) return false;
      }
  }
  for (int i : {watt::ZyrWSignalAll, watt::ZyrWdImin, watt::ZyrWMsgDelay, watt::ZyrWMsgDurtn, watt::ZyrWResetId,
                watt::ZyrWResetBI, watt::ZyrWPrioId, watt::ZyrWPrioBI, watt::ZyrWCTrigId, watt::ZyrWCTrigBI,
                watt::ZyrWCResetId, watt::ZyrWCResetBI, watt::ZyrWCurrGate, watt::ZyrWCurrMsg, watt::ZyrWMeasRpt,
                watt::ZyrWLog, watt::ZyrWHold1st, watt::ZyrWCLogOn, watt::ZyrWCLogTime})
    if (!Var(w, i)) return false;
  return true;
}

bool TZyrDConfigPump::Qui() {
  BlockValues& q = cfg_->qui;
  auto* copies = &cfg_->qui_copy;
  return PerDevice(q, qui::ZyrIMsgDelay, "%sZyrIMsgDelay = %g", "ZyrIMsgDelay", 1400) &&
         PerDevice(q, qui::ZyrIMsgDurtn, "%sZyrIMsgDurtn = %g", "ZyrIMsgDurtn", 1400) &&
         PerDevice(q, qui::ZyrIResetID, "%sZyrIResetID = %d", "ZyrIResetID", 1400) &&
         PerDevice(q, qui::ZyrIResetBI, "%sZyrIResetBI = %d", "ZyrIResetBI", 1400) &&
         PerDevice(q, qui::ZyrIActive, "%sZyrIActive = %d", "ZyrIActive", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrIVmin, "%sZyrIVmin = %g", "ZyrIVmin", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrIImin, "%sZyrIImin = %g", "ZyrIImin", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrILog, "%sZyrILog = %d", "ZyrILog", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrIXLog, "%sZyrIXLog = %d", "ZyrIXLog", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrICLogOn, "%sZyrICLogOn = %d", "ZyrICLogOn", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrICLogTime, "%sZyrICLogTime = %g", "ZyrICLogTime", 1400, 0, copies) &&
         PerDevice(q, qui::ZyrIObsT, "%sZyrIOBST = %d", "ZyrIObsT", 1408);
}

bool TZyrDConfigPump::BinaryInputs() {
  if (!sending_) {
    for (int p = 0; p < cfg_->DeviceCount(); ++p) {
      TDevice* d = rep_->net.devices.Get(cfg_->devices[static_cast<size_t>(p)].id, true);
      for (int i = 1; i <= cards_[static_cast<size_t>(p)].inputs; ++i) {
        double fu = 0, inv = 0;
        if (!Num({}, Id(p) + Format("ZyrBIFu_+# %d", {i}), fu)) return false;
        if (!Num({}, Id(p) + Format("ZyrBIInv_+# %d", {i}), inv)) return false;
        if (!counting_) d->reported[static_cast<size_t>(i - 1)] = {static_cast<int>(fu), inv != 0};
      }
    }
    return true;
  }
  if (!SendBinaryInputs(*station_)) return false;
  struct Ref {
    const BlockValues* b;
    int id, bi, inv;
  };
  const Ref refs[] = {
      {&cfg_->harmonics, harm::Zyr5ResetId, harm::Zyr5ResetBI, harm::Zyr5ResetInv},
      {&cfg_->harmonics, harm::Zyr5GateId, harm::Zyr5GateBI, harm::Zyr5GateInv},
      {&cfg_->pulsing, puls::ZyrPResetId, puls::ZyrPResetBI, puls::ZyrPResetInv},
      {&cfg_->transients, trans::ZyrTResetId, trans::ZyrTResetBI, trans::ZyrTResetInv},
      {&cfg_->wattmetric, watt::ZyrWResetId, watt::ZyrWResetBI, watt::ZyrWResetInv},
      {&cfg_->wattmetric, watt::ZyrWPrioId, watt::ZyrWPrioBI, watt::ZyrWPrioInv},
      {&cfg_->wattmetric, watt::ZyrWCTrigId, watt::ZyrWCTrigBI, watt::ZyrWCTrigInv},
      {&cfg_->wattmetric, watt::ZyrWCResetId, watt::ZyrWCResetBI, watt::ZyrWCResetInv},
      {&cfg_->qui, qui::ZyrIResetID, qui::ZyrIResetBI, qui::ZyrIResetInv},
  };
  for (const Ref& r : refs) {
    if (version_ < r.b->desc().vars[static_cast<size_t>(r.id)].since_version) continue;
    const int id = r.b->I(r.id), bi = r.b->I(r.bi);
    if (id <= 0 || id > 255 || bi <= 0) continue;
    const std::string pfx = DeviceIdText(id);
    if (!CommandStep(pfx + Format("ZyrBIFu %d=2", {bi}))) return false;
    if (!CommandStep(pfx + Format("ZyrBIInv %d=%d", {bi, r.b->B(r.inv) ? 1 : 0}))) return false;
  }
  return true;
}

bool TZyrDConfigPump::Outputs() {
  if (version_ >= 1008) {
    for (int s = 1; s <= kSignals; ++s) {
      TLocSignal& sig = cfg_->loc_signals[static_cast<size_t>(s - 1)];
      double v[5] = {double(sig.harm), double(sig.trans), double(sig.puls), double(sig.watt), double(sig.qui)};
      const char* names[5] = {"ZyrMHarmDir", "ZyrMTransDir", "ZyrMPulsDir", "ZyrMWattDir", "ZyrMQuiDir"};
      for (int k = 0; k < (version_ >= 1400 ? 5 : 4); ++k)
        if (!Num(prefix_ + Format("%s %d=%d", {names[k], s, static_cast<long long>(v[k])}),
                 prefix_ + Format("%s_+# %d", {names[k], s}), v[k])) return false;
      if (!sending_ && !counting_) {
        sig.harm = static_cast<TOberwellenRichtung>(v[0]);
        sig.trans = static_cast<TWischerRichtung>(v[1]);
        sig.puls = static_cast<TPulsortungsRichtung>(v[2]);
        sig.watt = static_cast<TWattmetrischeRichtung>(v[3]);
        if (version_ >= 1400) sig.qui = static_cast<TQuiRichtung>(v[4]);
      }
    }
  }
  static const char* const kMethods[4] = {"Harm", "Trans", "Puls", "Watt"};
  auto outputs = [&](const char* kind, int p, TOutput* out, int count) {
    const std::string id = Id(p);
    for (int r = 1; r <= count; ++r) {
      TOutput& o = out[r - 1];
      double fu = o.fu, inv = o.inv, mfu = o.mfu, mchan = o.mchan;
      if (!Num(id + Format("Zyr%sFu %d=%d", {kind, r, static_cast<int>(o.fu)}), id + Format("Zyr%sFu_+# %d", {kind, r}), fu)) return false;
      if (!Num(id + Format("Zyr%sInv %d=%d", {kind, r, o.inv ? 1 : 0}), id + Format("Zyr%sInv_+# %d", {kind, r}), inv)) return false;
      if (version_ >= 1008) {
        if (!Num(prefix_ + Format("ZyrM%sFu %d %d=%d", {kind, p + 1, r, static_cast<int>(o.mfu)}),
                 prefix_ + Format("ZyrM%sFu_+# %d %d", {kind, p + 1, r}), mfu)) return false;
        if (!Num(prefix_ + Format("ZyrM%sChan %d %d=%d", {kind, p + 1, r, o.mchan}),
                 prefix_ + Format("ZyrM%sChan+# %d %d", {kind, p + 1, r}), mchan)) return false;
      } else if (sending_) {
        // Older firmware knows no signals: the master takes the directions each output has.
        const TOutputDirections d = TZyrDConfigChecker::ImpliedDirections(*cfg_, o.mfu);
        for (int m = 0; m < 4; ++m)
          if (!CommandStep(prefix_ + Format("Zyr%s%sDir %d %d=%d", {kind, kMethods[m], p + 1, r, d[m]}))) return false;
      } else {
        TOutputDirections d{};
        for (int m = 0; m < 4; ++m) {
          double v = 0;
          if (!Num({}, prefix_ + Format("Zyr%s%sDir_+# %d %d", {kind, kMethods[m], p + 1, r}), v)) return false;
          d[m] = static_cast<int>(v);
        }
        if (!counting_) {
          auto& list = (kind[0] == 'R' ? rep_->relay_dirs : rep_->led_dirs)[cfg_->devices[static_cast<size_t>(p)].id];
          if (list.size() < static_cast<size_t>(r)) list.resize(static_cast<size_t>(r));
          list[static_cast<size_t>(r - 1)] = d;
        }
      }
      if (!sending_ && !counting_) {
        o.fu = static_cast<uint8_t>(fu);
        o.inv = inv != 0;
        if (version_ >= 1008) {
          o.mfu = static_cast<uint8_t>(mfu);
          o.mchan = static_cast<int>(mchan);
        }
      }
    }
    return true;
  };
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    const int relays = std::min(kZyrDRelays, cards_[static_cast<size_t>(p)].relays);
    if (!outputs("Rel", p, cfg_->relays[static_cast<size_t>(p)].data(), relays)) return false;
    if (!outputs("Led", p, cfg_->leds[static_cast<size_t>(p)].data(), kZyrDLeds)) return false;
  }
  return true;
}

bool TZyrDConfigPump::Blocks() {
  if (!General()) return false;
  if (version_ >= 1208) {
    if (sending_) {
      if (!SendNetFile(cfg_->switches)) return false;
    } else {
      bool offered = false;
      if (!ReadNetFile(cfg_->switches, offered)) return false;
      if (!offered) InfoBox(lang::Tr(tx::transfer::NetFileMissing));
    }
  } else if (!sending_ && !counting_) {
    cfg_->switches.clear();
    InfoBox(lang::Tr(tx::transfer::NetFileMissing));
  }
  const int fields = version_ < 1018 ? 5 : 6;
  if (sending_) {
    if (!SendSegments(*station_, fields) || !SendSwitches(*station_)) return false;
  } else {
    if (!ReadSegments(rep_->net, fields) || !ReadSwitches(rep_->net)) return false;
  }
  return DeviceList() && Harmonics() && Pulsing() && Transients() && Wattmetric() && Qui() && BinaryInputs() &&
         Outputs();
}

bool TZyrDConfigPump::LedPictureCheck(bool mark_changes, bool& changed) {
  changed = false;
  if (version_ <= 1004) return true;
  const uint32_t saved_timeout = timeout_;
  timeout_ = 2000;
  for (int p = 0; p < cfg_->DeviceCount(); ++p) {
    std::string reply;
    if (!QueryStep(Id(p) + "ZyrLPic#+", reply)) {
      timeout_ = saved_timeout;
      return false;
    }
    if (counting_) continue;
    const auto v = reply::Number(reply);
    const uint32_t number = v ? static_cast<uint32_t>(std::nearbyint(*v)) : 0;
    uint32_t& stored = cfg_->config_ids[static_cast<size_t>(p)];
    if (number != stored) {
      if (mark_changes) msgs_.AddIdRow(Id(p), stored, number);
      stored = number;
      changed = true;
    }
  }
  timeout_ = saved_timeout;
  if (changed && mark_changes) cfg_->tracker.ChangePerm();
  return true;
}

// --- send ------------------------------------------------------------------------------

int TZyrDConfigPump::Send(TZyrDData& config, const TNetListData& station) {
  if (Running()) return 1;
  cfg_ = &config;
  station_ = &station;
  sending_ = true;
  action_ = lang::Tr(tx::transfer::ActionSending);
  msgs_ = TConfigMsgs();
  // Names travel unquoted inside a comma-separated request: one that could end the element
  // or start another is refused before anything is sent.
  for (int p = 0; p < config.DeviceCount(); ++p) {
    const TDeviceRecord& rec = config.devices[static_cast<size_t>(p)];
    if (!ValidDeviceName(rec.name)) {
      ErrorBox(Format(lang::Tr(tx::transfer::BadDeviceName), {rec.name, DeviceIdText(rec.id)}));
      return 1;
    }
  }
  if (config.nominal_frequency != 1 && config.nominal_frequency != 2) {
    int code = config.nominal_frequency;
    if (!ask_frequency || !ask_frequency(code) || (code != 1 && code != 2)) return 1;
    config.nominal_frequency = code;
    config.tracker.ChangePerm();
  }
  return RunFramed([this] { return SendSequence(); });
}

int TZyrDConfigPump::SendSequence() {
  StartClock();
  app_.SetStatusText(0, lang::Tr(tx::transfer::StatusSend));
  const std::string master = DeviceIdText(cfg_->master_id);
  if (!IdentifyTarget(cfg_->master_id)) return 1;
  if (!CheckVersion(prefix_, master, "ZYR-D", version_)) return 1;
  if (!VersionOfSlaves() || !HardwareCheck() || !FitCheck()) return 1;

  // The step count is the sequence run dry.
  counting_ = true;
  counted_ = 0;
  Blocks();
  counting_ = false;
  AddSteps(counted_ + 2 * static_cast<uint32_t>(cfg_->DeviceCount()) + 2);
  msgs_.Start(TConfigMsgs::kSend, version_);
  timeout_ = 2000;

  bool ok = BeginConfig();
  for (int p = 0; ok && p < cfg_->DeviceCount(); ++p)
    if (cfg_->devices[static_cast<size_t>(p)].id != cfg_->master_id) ok = CommandStep(Id(p) + std::string(cmd::kConfigBegin));
  if (ok) ok = Blocks() && !Stopped();

  // Configuration mode ends on every relay, also after a failure or Stop.
  const bool aborted = Stopped();
  SetUserAbort(false);
  timeout_ = 5000;
  bool ended = true;
  for (int p = 0; p < cfg_->DeviceCount(); ++p)
    if (cfg_->devices[static_cast<size_t>(p)].id != cfg_->master_id)
      ended = CommandStep(Id(p) + std::string(cmd::kConfigEnd)) && LastResult() == 0 && ended;
  ended = EndConfig() && LastResult() == 0 && ended;
  if (aborted) SetUserAbort(true);
  int result = 1;
  if (ok && ended && !aborted) {
    bool changed = false;
    LedPictureCheck(true, changed);
    result = changed || msgs_.RowCount() > 0 ? 2 : 0;
    cfg_->last_sent = LocalNow();
    cfg_->last_sent_version = version_;
    cfg_->tracker.ChangePerm();
  }
  ShowElapsed();
  return result;
}

// --- read ------------------------------------------------------------------------------

int TZyrDConfigPump::Read(TZyrDData& config, TReportedStation& reported, int address) {
  if (Running()) return 1;
  cfg_ = &config;
  rep_ = &reported;
  sending_ = false;
  action_ = lang::Tr(tx::transfer::ActionReading);
  msgs_ = TConfigMsgs();
  return RunFramed([this, address] { return ReadSequence(address); });
}

int TZyrDConfigPump::ReadSequence(int address) {
  StartClock();
  app_.SetStatusText(0, lang::Tr(tx::transfer::StatusRead));
  rep_->Clear();
  std::string reply;
  if (!QueryStep(DeviceIdText(address) + "ZyrMasterId#", reply)) return 1;
  const auto m = reply::Integer(reply);
  cfg_->master_id = static_cast<uint8_t>(m && *m >= 1 && *m <= 255 ? *m : address);
  const std::string master = DeviceIdText(cfg_->master_id);
  if (!IdentifyTarget(cfg_->master_id)) return 1;
  if (!CheckVersion(prefix_, master, "ZYR-D", version_)) return 1;
  if (!QueryStep(prefix_ + "ZyrCnfDevCnt#", reply)) return 1;
  const long long count = reply::Integer(reply).value_or(0);
  if (count > kMaxDevices || count < 0) {
    ErrorBox(Format(lang::Tr(tx::transfer::ErrorWhile),
                    {action_, Format(lang::Tr(tx::transfer::DeviceCountTooHigh), {master, count, kMaxDevices})}));
    return 1;
  }
  rep_->device_count = static_cast<int>(count);
  std::vector<uint8_t> ids;
  for (int d = 1; d <= count; ++d) {
    if (!QueryStep(prefix_ + Format("ZyrDevId# %d", {d}), reply)) return 1;
    const auto a = reply::Integer(reply);
    if (a && *a >= 1 && *a <= 255 && std::find(ids.begin(), ids.end(), *a) == ids.end())
      ids.push_back(static_cast<uint8_t>(*a));
  }
  if (ids.empty()) ids.push_back(cfg_->master_id);
  cfg_->SetDeviceIds(ids);
  if (!HardwareCheck()) return 1;
  cfg_->last_read = LocalNow();
  cfg_->last_read_version = version_;

  counting_ = true;
  counted_ = 0;
  ReadPortSettings(*cfg_);
  Blocks();
  bool unused = false;
  LedPictureCheck(false, unused);
  counting_ = false;
  AddSteps(counted_);
  msgs_.Start(TConfigMsgs::kConsistency, version_);
  timeout_ = 2000;

  bool ok = ReadPortSettings(*cfg_) && Blocks();
  if (ok) ok = LedPictureCheck(false, unused);
  ShowElapsed();
  return ok && !Stopped() ? 0 : 1;
}

void RebuildNetListText(TZyrDData& read, const TReportedStation& reported) {
  if (!read.switches.empty() || reported.net.segments.Empty()) return;
  try {
    TNetListConverter::Generate(stZYRD, reported.net, read.switches);
  } catch (const ENetList&) {
    read.switches.clear();
  }
}

std::string ReadConfigDisplayName(const std::string& type, int address, const std::string& name) {
  std::string id = DeviceIdText(address);
  if (!id.empty() && id.back() == ':') id.pop_back();
  return type + "_" + id + "_" + name;
}

}  // namespace trivex
