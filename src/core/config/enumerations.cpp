#include "config/enumerations.h"

#include "config/text_util.h"
#include "lang/texts_config.h"

namespace trivex {
namespace {

constexpr const char* kSystemType[] = {"stUnknown", "stZYRD", "stZYRDM", "stOther"};
constexpr const char* kMeldeRichtung[] = {"mrNone", "mrForward", "mrBackward", "mrBoth"};
constexpr const char* kLogEntry[] = {"leNone", "leBegin", "leEnd", "leBeginEnd"};
constexpr const char* kWischerAuswertMode[] = {"wamImmer", "wamWennUen"};
constexpr const char* kWischerExtraLog[] = {"welNone", "welIfMsg", "welAlways"};
constexpr const char* kDmAdmittanzAlgo[] = {"aaStandard", "aaRazo"};
constexpr const char* kOberwellenRichtung[] = {"owrAus", "owrVorwaerts", "owrRueckwaerts",
                                               "owrBeide"};
constexpr const char* kWischerRichtung[] = {"wrAus", "wrVorwaerts", "wrRueckwaerts", "wrBeide"};
constexpr const char* kQuiRichtung[] = {"qirAus", "qirVorwaerts", "qirRueckwaerts", "qirBeide"};
constexpr const char* kWattmetrischeRichtung[] = {"wmrAus", "wmrVorwaerts", "wmrRueckwaerts",
                                                  "wmrBeide"};
constexpr const char* kPulsortungsRichtung[] = {"porAus", "porVorwaerts"};
constexpr const char* kDifRichtung[] = {"drAus", "drVorwaerts"};
constexpr const char* kDmCoupledEnables[] = {"ceSeparate", "ceOred"};
constexpr const char* kComMode[] = {"cmOff", "cmEcl", "cmDcf", "cmEclHp"};
constexpr const char* kComBaud[] = {"cb110",   "cb150",   "cb300",   "cb1200",
                                    "cb2400",  "cb4800",  "cb9600",  "cb19200",
                                    "cb38400", "cb57600", "cb76800", "cb115200"};
constexpr const char* kComParity[] = {"cpOff", "cpOdd", "cpEven"};
constexpr const char* kComHandshake[] = {"chOff", "chXonXoff", "chRtsCts"};
constexpr const char* kTynetMode[] = {"em2W", "em4W"};
constexpr const char* kTynetBaud[] = {"eb15600", "eb31200", "eb62500", "eb125000", "eb375000"};
constexpr const char* kDspDevTypes[] = {"dspNone", "dspMasterU", "dspSlaveU", "dspSlaveI"};
constexpr uint8_t kDspOffered[] = {dspNone, dspSlaveI};
constexpr const char* kBinIODevTypes[] = {"bioNone", "bio16_0", "bio0_16",
                                          "bio4_7",  "bio12_5", "bio16_6"};
constexpr uint8_t kBinIOOffered[] = {bioNone, bio16_0, bio0_16, bio4_7};
constexpr const char* kLedDevTypes[] = {"ledNone", "led2bi", "led8bi", "led16mono", "led5bi"};
constexpr uint8_t kLedOffered[] = {ledNone, led2bi, led8bi, led16mono};
constexpr const char* kAusgangsFunktion[] = {
    "bafAus",        "bafProg",        "bafMaster",    "bafStatus",    "bafStoerung",
    "bafStatusAndNotStoerung",         "bafTynetL",    "bafTynetR",    "bafTynetErr",
    "bafMasterLost", "bafMasterError", "bafSlaveLost", "bafFastQuI1v", "bafFastQuI2v",
    "bafFastQuI3v",  "bafFastQuI4v",   "bafFastQuI1r", "bafFastQuI2r", "bafFastQuI3r",
    "bafFastQuI4r",  "bafUenTrigg"};
constexpr uint8_t kAusgangsOffered[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                        17, 18, 19};
constexpr const char* kMasterFunktion[] = {
    "mfAus",          "mfWischerVor",     "mfWischerRueck",   "mfOberschwVor",
    "mfOberschwRueck", "mfPulsortungVor", "mfWattmetrVor",    "mfWattmetrRueck",
    "mfOrtung1",      "mfOrtung2",        "mfOrtung3",        "mfOrtung4",
    "mfErdschlussInfo", "mfWischerInfo",  "mfOberschwInfo",   "mfPulsortungInfo",
    "mfWattmetrInfo", "mfQuiInfo",        "mfQuiVor",         "mfQuiRueck"};
constexpr const char* kDmAusgangsFunktion[] = {
    "dbafAus",          "dbafProg",         "dbafMaster",       "dbafStatus",
    "dbafStoerung",     "dbafStatusAndNotStoerung",             "dbafTynetL",
    "dbafTynetR",       "dbafTynetErr",     "dbafMasterLost",   "dbafMasterError",
    "dbafSlaveLost",    "dbafDspStatus",    "dbafCouplSw",      "dbafCouplExt",
    "dbafCoupling",     "dbafCI1on",        "dbafCI2on",        "dbafCI3on",
    "dbafCI4on",        "dbafErrDP1",       "dbafErrDP2",       "dbafErrDP3",
    "dbafErrDP4",       "dbafErrSE1",       "dbafErrSE2",       "dbafErrSE3",
    "dbafErrSE4",       "dbafEnablePilSS1", "dbafEnablePilSS2", "dbafEnablePilSS3",
    "dbafEnablePigSS1", "dbafEnablePigSS2", "dbafEnablePigSS3"};
constexpr const char* kDmMasterFunktion[] = {
    "dmfAus",          "dmfWischerVor",    "dmfWischerRueck",  "dmfOberschwVor",
    "dmfOberschwRueck", "dmfPulsortungVor", "dmfWattmetrVor",  "dmfWattmetrRueck",
    "dmfDifVor",       "dmfDifVorSupp",    "dmfOrtung1",       "dmfOrtung2",
    "dmfOrtung3",      "dmfOrtung4",       "dmfErdschlussInfo", "dmfWischerInfo",
    "dmfOberschwInfo", "dmfPulsortungInfo", "dmfWattmetrInfo", "dmfDifInfo"};
constexpr uint8_t kComModeOffered[] = {cmOff, cmEcl, cmDcf};

}  // namespace

#define TRIVEX_ENUM_INFO(E, ...)                 \
  template <>                                   \
  const EnumInfo& EnumInfoOf<E>() {             \
    static const EnumInfo info{__VA_ARGS__};    \
    return info;                                \
  }

TRIVEX_ENUM_INFO(TSystemType, kSystemType)
TRIVEX_ENUM_INFO(TMeldeRichtung, kMeldeRichtung, &tx::config::MeldeRichtungList)
TRIVEX_ENUM_INFO(TLogEntry, kLogEntry, &tx::config::LogEntryList)
TRIVEX_ENUM_INFO(TWischerAuswertMode, kWischerAuswertMode, &tx::config::WischerAuswertModeList)
TRIVEX_ENUM_INFO(TWischerExtraLog, kWischerExtraLog, &tx::config::WischerExtraLogList)
TRIVEX_ENUM_INFO(TDmAdmittanzAlgo, kDmAdmittanzAlgo, &tx::config::DmAdmittanzAlgoList)
TRIVEX_ENUM_INFO(TOberwellenRichtung, kOberwellenRichtung, &tx::config::DirectionList)
TRIVEX_ENUM_INFO(TWischerRichtung, kWischerRichtung, &tx::config::DirectionList)
TRIVEX_ENUM_INFO(TQuiRichtung, kQuiRichtung, &tx::config::DirectionList)
TRIVEX_ENUM_INFO(TWattmetrischeRichtung, kWattmetrischeRichtung, &tx::config::DirectionList)
TRIVEX_ENUM_INFO(TPulsortungsRichtung, kPulsortungsRichtung, &tx::config::ForwardOnlyList)
TRIVEX_ENUM_INFO(TDifRichtung, kDifRichtung, &tx::config::ForwardOnlyList)
TRIVEX_ENUM_INFO(TDmCoupledEnables, kDmCoupledEnables, &tx::config::DmCoupledEnablesList)
TRIVEX_ENUM_INFO(TComMode, kComMode, &tx::config::ComModeList, kComModeOffered)
TRIVEX_ENUM_INFO(TComBaud, kComBaud, nullptr, {}, true)
TRIVEX_ENUM_INFO(TComParity, kComParity, &tx::config::ComParityList)
TRIVEX_ENUM_INFO(TComHandshake, kComHandshake, &tx::config::ComHandshakeList)
TRIVEX_ENUM_INFO(TTynetMode, kTynetMode, &tx::config::TynetModeList)
TRIVEX_ENUM_INFO(TTynetBaud, kTynetBaud, nullptr, {}, true)
TRIVEX_ENUM_INFO(TDspDevTypes, kDspDevTypes, &tx::config::DspDevTypesList, kDspOffered)
TRIVEX_ENUM_INFO(TBinIODevTypes, kBinIODevTypes, &tx::config::BinIODevTypesList, kBinIOOffered)
TRIVEX_ENUM_INFO(TLedDevTypes, kLedDevTypes, &tx::config::LedDevTypesList, kLedOffered)
TRIVEX_ENUM_INFO(TAusgangsFunktion, kAusgangsFunktion, &tx::config::AusgangsFunktionList,
                 kAusgangsOffered)
TRIVEX_ENUM_INFO(TMasterFunktion, kMasterFunktion, &tx::config::MasterFunktionList)
TRIVEX_ENUM_INFO(TDmAusgangsFunktion, kDmAusgangsFunktion, &tx::config::DmAusgangsFunktionList)
TRIVEX_ENUM_INFO(TDmMasterFunktion, kDmMasterFunktion, &tx::config::DmMasterFunktionList)
#undef TRIVEX_ENUM_INFO

std::string_view EnumNameOf(const EnumInfo& info, int code) {
  if (code < 0 || code >= static_cast<int>(info.names.size())) return {};
  return info.names[static_cast<size_t>(code)];
}

int EnumCodeOf(const EnumInfo& info, std::string_view name) {
  for (size_t i = 0; i < info.names.size(); ++i)
    if (EqualsNoCase(info.names[i], name)) return static_cast<int>(i);
  return -1;
}

int EnumCodeOfDisplayIndex(const EnumInfo& info, int index) {
  if (index < 0) return -1;
  if (info.display_codes.empty()) {
    if (info.display == nullptr && !info.numeric_display) return -1;
    return index < static_cast<int>(info.names.size()) ? index : -1;
  }
  return index < static_cast<int>(info.display_codes.size())
             ? info.display_codes[static_cast<size_t>(index)]
             : -1;
}

int EnumDisplayIndexOf(const EnumInfo& info, int code) {
  if (code < 0 || code >= static_cast<int>(info.names.size())) return -1;
  if (info.display_codes.empty()) return info.display || info.numeric_display ? code : -1;
  for (size_t i = 0; i < info.display_codes.size(); ++i)
    if (info.display_codes[i] == code) return static_cast<int>(i);
  return -1;
}

std::string EnumDisplayOf(const EnumInfo& info, int code) {
  int index = EnumDisplayIndexOf(info, code);
  if (index < 0) return {};
  if (info.numeric_display) return std::string(EnumNameOf(info, code).substr(2));
  return lang::TrItem(*info.display, index);
}

std::string EnumDisplayListOf(const EnumInfo& info) {
  if (info.numeric_display) {
    std::string list;
    for (size_t i = 0; i < info.names.size(); ++i) {
      if (i) list += "\r\n";
      list += std::string_view(info.names[i]).substr(2);
    }
    return list;
  }
  return info.display ? lang::Tr(*info.display) : "";
}

std::string MasterChannelText(int channel, bool with_voltages) {
  return lang::TrItem(MasterChannelList(with_voltages), channel);
}

const lang::Text3& MasterChannelList(bool with_voltages) {
  return with_voltages ? tx::config::MasterChannelUList : tx::config::MasterChannelList;
}

int NominalFrequencyFromFile(int file_value) {
  if (file_value == 0) return 2;
  if (file_value == 2) return 1;
  return 0;
}

int NominalFrequencyToFile(int code) { return code == 1 ? 2 : 0; }

}  // namespace trivex
