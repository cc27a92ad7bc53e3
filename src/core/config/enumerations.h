#pragma once
// The enumerations of the relay configuration. Each value has three forms: its code (the
// position in the list, stored in memory and sent to the device), its name (the identifier as
// written here, stored in configuration files) and its display text in the current language.
//
//   EnumName(mrBoth)              -> "mrBoth"
//   EnumCode<TMeldeRichtung>("MRBOTH") -> 3   (ASCII letters compared without case; -1 unknown)
//   EnumDisplay(mrBoth)           -> "Both"  (current language; "" where none is shown)
//   EnumDisplayList<TComMode>()   -> "OFF\r\nStandard\r\nDCF77" (the drop-down items)
//
// A name lookup gives -1 for an unknown name; callers keep their field's default then.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "lang/lang.h"

namespace trivex {

enum TSystemType : uint8_t { stUnknown, stZYRD, stZYRDM, stOther };
enum TMeldeRichtung : uint8_t { mrNone, mrForward, mrBackward, mrBoth };
enum TLogEntry : uint8_t { leNone, leBegin, leEnd, leBeginEnd };
enum TWischerAuswertMode : uint8_t { wamImmer, wamWennUen };
enum TWischerExtraLog : uint8_t { welNone, welIfMsg, welAlways };
enum TDmAdmittanzAlgo : uint8_t { aaStandard, aaRazo };
enum TOberwellenRichtung : uint8_t { owrAus, owrVorwaerts, owrRueckwaerts, owrBeide };
enum TWischerRichtung : uint8_t { wrAus, wrVorwaerts, wrRueckwaerts, wrBeide };
enum TQuiRichtung : uint8_t { qirAus, qirVorwaerts, qirRueckwaerts, qirBeide };
enum TWattmetrischeRichtung : uint8_t { wmrAus, wmrVorwaerts, wmrRueckwaerts, wmrBeide };
enum TPulsortungsRichtung : uint8_t { porAus, porVorwaerts };
enum TDifRichtung : uint8_t { drAus, drVorwaerts };
enum TDmCoupledEnables : uint8_t { ceSeparate, ceOred };
enum TComMode : uint8_t { cmOff, cmEcl, cmDcf, cmEclHp };
enum TComBaud : uint8_t {
  cb110, cb150, cb300, cb1200, cb2400, cb4800, cb9600, cb19200, cb38400, cb57600, cb76800,
  cb115200
};
enum TComParity : uint8_t { cpOff, cpOdd, cpEven };
enum TComHandshake : uint8_t { chOff, chXonXoff, chRtsCts };
enum TTynetMode : uint8_t { em2W, em4W };
enum TTynetBaud : uint8_t { eb15600, eb31200, eb62500, eb125000, eb375000 };
enum TDspDevTypes : uint8_t { dspNone, dspMasterU, dspSlaveU, dspSlaveI };
enum TBinIODevTypes : uint8_t { bioNone, bio16_0, bio0_16, bio4_7, bio12_5, bio16_6 };
enum TLedDevTypes : uint8_t { ledNone, led2bi, led8bi, led16mono, led5bi };

enum TAusgangsFunktion : uint8_t {
  bafAus, bafProg, bafMaster, bafStatus, bafStoerung, bafStatusAndNotStoerung, bafTynetL,
  bafTynetR, bafTynetErr, bafMasterLost, bafMasterError, bafSlaveLost, bafFastQuI1v,
  bafFastQuI2v, bafFastQuI3v, bafFastQuI4v, bafFastQuI1r, bafFastQuI2r, bafFastQuI3r,
  bafFastQuI4r, bafUenTrigg
};
enum TMasterFunktion : uint8_t {
  mfAus, mfWischerVor, mfWischerRueck, mfOberschwVor, mfOberschwRueck, mfPulsortungVor,
  mfWattmetrVor, mfWattmetrRueck, mfOrtung1, mfOrtung2, mfOrtung3, mfOrtung4,
  mfErdschlussInfo, mfWischerInfo, mfOberschwInfo, mfPulsortungInfo, mfWattmetrInfo,
  mfQuiInfo, mfQuiVor, mfQuiRueck
};
enum TDmAusgangsFunktion : uint8_t {
  dbafAus, dbafProg, dbafMaster, dbafStatus, dbafStoerung, dbafStatusAndNotStoerung,
  dbafTynetL, dbafTynetR, dbafTynetErr, dbafMasterLost, dbafMasterError, dbafSlaveLost,
  dbafDspStatus, dbafCouplSw, dbafCouplExt, dbafCoupling, dbafCI1on, dbafCI2on, dbafCI3on,
  dbafCI4on, dbafErrDP1, dbafErrDP2, dbafErrDP3, dbafErrDP4, dbafErrSE1, dbafErrSE2,
  dbafErrSE3, dbafErrSE4, dbafEnablePilSS1, dbafEnablePilSS2, dbafEnablePilSS3,
  dbafEnablePigSS1, dbafEnablePigSS2, dbafEnablePigSS3
};
enum TDmMasterFunktion : uint8_t {
  dmfAus, dmfWischerVor, dmfWischerRueck, dmfOberschwVor, dmfOberschwRueck, dmfPulsortungVor,
  dmfWattmetrVor, dmfWattmetrRueck, dmfDifVor, dmfDifVorSupp, dmfOrtung1, dmfOrtung2,
  dmfOrtung3, dmfOrtung4, dmfErdschlussInfo, dmfWischerInfo, dmfOberschwInfo,
  dmfPulsortungInfo, dmfWattmetrInfo, dmfDifInfo
};

// How one enumeration is written and shown.
struct EnumInfo {
  std::span<const char* const> names;  // in code order
  // The drop-down list of the configuration pages (CR LF separated) or null when the values
  // are not shown with language texts; baud rates show their number instead (numeric_display).
  const lang::Text3* display = nullptr;
  // The code of each drop-down item where the list does not offer every value in code order
  // (empty: item i is code i).
  std::span<const uint8_t> display_codes = {};
  bool numeric_display = false;  // the name without its two-letter prefix ("cb9600" -> "9600")
};

template <class E> const EnumInfo& EnumInfoOf();

#define TRIVEX_DECLARE_ENUM_INFO(E) template <> const EnumInfo& EnumInfoOf<E>();
TRIVEX_DECLARE_ENUM_INFO(TSystemType)
TRIVEX_DECLARE_ENUM_INFO(TMeldeRichtung)
TRIVEX_DECLARE_ENUM_INFO(TLogEntry)
TRIVEX_DECLARE_ENUM_INFO(TWischerAuswertMode)
TRIVEX_DECLARE_ENUM_INFO(TWischerExtraLog)
TRIVEX_DECLARE_ENUM_INFO(TDmAdmittanzAlgo)
TRIVEX_DECLARE_ENUM_INFO(TOberwellenRichtung)
TRIVEX_DECLARE_ENUM_INFO(TWischerRichtung)
TRIVEX_DECLARE_ENUM_INFO(TQuiRichtung)
TRIVEX_DECLARE_ENUM_INFO(TWattmetrischeRichtung)
TRIVEX_DECLARE_ENUM_INFO(TPulsortungsRichtung)
TRIVEX_DECLARE_ENUM_INFO(TDifRichtung)
TRIVEX_DECLARE_ENUM_INFO(TDmCoupledEnables)
TRIVEX_DECLARE_ENUM_INFO(TComMode)
TRIVEX_DECLARE_ENUM_INFO(TComBaud)
TRIVEX_DECLARE_ENUM_INFO(TComParity)
TRIVEX_DECLARE_ENUM_INFO(TComHandshake)
TRIVEX_DECLARE_ENUM_INFO(TTynetMode)
TRIVEX_DECLARE_ENUM_INFO(TTynetBaud)
TRIVEX_DECLARE_ENUM_INFO(TDspDevTypes)
TRIVEX_DECLARE_ENUM_INFO(TBinIODevTypes)
TRIVEX_DECLARE_ENUM_INFO(TLedDevTypes)
TRIVEX_DECLARE_ENUM_INFO(TAusgangsFunktion)
TRIVEX_DECLARE_ENUM_INFO(TMasterFunktion)
TRIVEX_DECLARE_ENUM_INFO(TDmAusgangsFunktion)
TRIVEX_DECLARE_ENUM_INFO(TDmMasterFunktion)
#undef TRIVEX_DECLARE_ENUM_INFO

// Untyped helpers behind the templates.
std::string_view EnumNameOf(const EnumInfo& info, int code);  // "" outside the range
int EnumCodeOf(const EnumInfo& info, std::string_view name);  // -1 when unknown
std::string EnumDisplayOf(const EnumInfo& info, int code);    // "" when not shown
std::string EnumDisplayListOf(const EnumInfo& info);
int EnumCodeOfDisplayIndex(const EnumInfo& info, int index);  // -1 outside the list
int EnumDisplayIndexOf(const EnumInfo& info, int code);       // -1 when not offered

template <class E> int EnumCount() { return static_cast<int>(EnumInfoOf<E>().names.size()); }
template <class E> std::string_view EnumName(E value) {
  return EnumNameOf(EnumInfoOf<E>(), static_cast<int>(value));
}
template <class E> int EnumCode(std::string_view name) {
  return EnumCodeOf(EnumInfoOf<E>(), name);
}
template <class E> std::string EnumDisplay(E value) {
  return EnumDisplayOf(EnumInfoOf<E>(), static_cast<int>(value));
}
template <class E> std::string EnumDisplayList() { return EnumDisplayListOf(EnumInfoOf<E>()); }

// Master channel texts of the relay pages (index = channel): 8 entries, or 12 with the
// four master voltage inputs.
std::string MasterChannelText(int channel, bool with_voltages = false);
const lang::Text3& MasterChannelList(bool with_voltages);

// The nominal frequency byte of the ZYR-D system data: 0 not set, 1 = 16.7 Hz, 2 = 50 Hz.
// Configuration files and the device variable carry it as 0 = 50 Hz, 2 = 16.7 Hz.
inline constexpr const char* kNominalFrequencyList = "  \r\n16.7\r\n50";
int NominalFrequencyFromFile(int file_value);  // 0 -> 2, 2 -> 1, other -> 0
int NominalFrequencyToFile(int code);          // 1 -> 2, other -> 0

}  // namespace trivex
