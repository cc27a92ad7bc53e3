#pragma once
// Port settings of a relay and their compact text forms used in device commands
// ("SetCom1=ECL/9600/P-/RTS 0.5", "SetLanL=2W+/375K") and in the checker's tables.
#include <string>
#include <string_view>

#include "config/enumerations.h"

namespace trivex {

// A serial port of a relay: four enumeration bytes.
struct TComSettings {
  TComMode mode = cmOff;
  TComBaud baud = cb115200;
  TComParity parity = cpOff;
  TComHandshake handshake = chRtsCts;
  bool operator==(const TComSettings&) const = default;
};

// A field-bus side of a relay: line mode, baud rate and termination.
struct TTynetSettings {
  TTynetMode mode = em2W;
  TTynetBaud baud = eb62500;
  bool terminated = false;
  bool operator==(const TTynetSettings&) const = default;
};

// "mode/baud/parity/handshake", e.g. "ECL/9600/P-/RTS".
std::string ComSettingsText(const TComSettings& settings);
// Parses a serial port text (words without regard to case). Always fills `settings`; false
// when a word was not understood (that field then holds its default).
bool ParseComSettings(std::string_view text, TComSettings& settings);

// "mode/baud", e.g. "2W+/375K" (the "+" marks a terminated 2-wire line).
std::string TynetSettingsText(const TTynetSettings& settings);
bool ParseTynetSettings(std::string_view text, TTynetSettings& settings);

}  // namespace trivex
