#include "config/zyr_d_variables.h"

#include <string_view>

namespace trivex {

namespace {

// The firmware version from which the relays know a variable (0: every version). The
// transfer sends and reads a variable only from that version on; the checker names it in
// its rows.
struct Since {
  std::string_view name;
  int version;
};
constexpr Since kSince[] = {
    // Harmonics
    {"Zyr5UseAngle", 1003}, {"Zyr5Angle", 1003}, {"Zyr5UseXFreq", 1010}, {"Zyr5XFreq", 1010},
    {"Zyr5Use1st", 1011}, {"Zyr5MsgDurtn", 1011}, {"Zyr5ResetId", 1011}, {"Zyr5ResetBI", 1011},
    {"Zyr5ResetInv", 1011}, {"Zyr5GateId", 1013}, {"Zyr5GateBI", 1013}, {"Zyr5GateInv", 1013},
    {"Zyr5SignalAll", 1016}, {"Zyr5Single", 1026}, {"Zyr5MeasRpt", 1028},
    {"Zyr5CLogOn", 1310}, {"Zyr5CLogTime", 1310},
    // Pulse location
    {"ZyrPActive", 1006}, {"ZyrPImin", 1006}, {"ZyrPTon", 1006}, {"ZyrPToff", 1006},
    {"ZyrPCyclesNet", 1006}, {"ZyrPCyclesGross", 1006}, {"ZyrPMsgDurtn", 1006}, {"ZyrPLog", 1006},
    {"ZyrPResetId", 1006}, {"ZyrPResetBI", 1006}, {"ZyrPResetInv", 1006}, {"ZyrPDominant", 1006},
    {"ZyrPSingleTimer", 1006}, {"ZyrPVLess", 1103}, {"ZyrPGrpLess", 1216},
    // Transients
    {"ZyrTActive", 1019}, {"ZyrTVmin", 1019}, {"ZyrTImin", 1019}, {"ZyrTMode", 1019},
    {"ZyrTMsg", 1019}, {"ZyrTMsgDurtn", 1019}, {"ZyrTResetId", 1019}, {"ZyrTResetBI", 1019},
    {"ZyrTResetInv", 1019}, {"ZyrTLog", 1019}, {"ZyrTXLog", 1201}, {"ZyrTMsgDelay", 1202},
    {"ZyrTProzMax", 1306}, {"ZyrTRotM", 1408}, {"ZyrTDeDur", 1408}, {"ZyrTDDWavy", 1019},
    {"ZyrTDDDive", 1019}, {"ZyrTDDfreq", 1427}, {"ZyrTHoldfr", 1427}, {"ZyrTqu2blo", 1432},
    {"ZyrTVHz", 1427}, {"ZyrTfMsgDur", 1427},
    // Qui
    {"ZyrIActive", 1400}, {"ZyrIVmin", 1400}, {"ZyrIImin", 1400}, {"ZyrIMsgDelay", 1400},
    {"ZyrIMsgDurtn", 1400}, {"ZyrIResetID", 1400}, {"ZyrIResetBI", 1400}, {"ZyrIResetInv", 1400},
    {"ZyrILog", 1400}, {"ZyrIXLog", 1400}, {"ZyrICLogOn", 1400}, {"ZyrICLogTime", 1400},
    {"ZyrIObsT", 1408},
    // Wattmetric
    {"ZyrWActive", 1029}, {"ZyrWSignalAll", 1029}, {"ZyrWdImin", 1029}, {"ZyrWMsgDelay", 1029},
    {"ZyrWMsgDurtn", 1029}, {"ZyrWResetId", 1029}, {"ZyrWResetBI", 1029}, {"ZyrWResetInv", 1029},
    {"ZyrWPrioId", 1029}, {"ZyrWPrioBI", 1029}, {"ZyrWPrioInv", 1029}, {"ZyrWCTrigId", 1029},
    {"ZyrWCTrigBI", 1029}, {"ZyrWCTrigInv", 1029}, {"ZyrWCResetId", 1029}, {"ZyrWCResetBI", 1029},
    {"ZyrWCResetInv", 1029}, {"ZyrWCurrGate", 1029}, {"ZyrWCurrMsg", 1029}, {"ZyrWMeasRpt", 1029},
    {"ZyrWLog", 1029}, {"ZyrWHold1st", 1216}, {"ZyrWCLogOn", 1310}, {"ZyrWCLogTime", 1310},
};

constexpr int SinceVersion(std::string_view name) {
  for (const Since& s : kSince)
    if (s.name == name) return s.version;
  return 0;
}

}  // namespace

#define TRIVEX_VAR_DESC(name, type, def, info, key) \
  VarDesc{#name, VarType::type, static_cast<double>(def), info, NAN, NAN, SinceVersion(#name), key},

const BlockDesc& HarmonicsBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_HARMONICS(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Harmonics", vars};
  return block;
}

const BlockDesc& PulsingBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_PULSING(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Pulsing", vars};
  return block;
}

const BlockDesc& TransientsBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_TRANSIENTS(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Transients", vars};
  return block;
}

const BlockDesc& QuiBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_QUI(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Qui", vars};
  return block;
}

const BlockDesc& WattmetricBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_WATTMETRIC(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Wattmetric", vars};
  return block;
}

}  // namespace trivex
