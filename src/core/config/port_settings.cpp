#include "config/port_settings.h"

#include <charconv>

#include "config/text_util.h"
#include "lang/format.h"

namespace trivex {
namespace {

constexpr const char* kModeWords[] = {"OFF", "ECL", "DCF77", "ECL+HP"};
constexpr const char* kParityWords[] = {"P-", "PO", "PE"};
constexpr const char* kHandshakeWords[] = {"H-", "XON", "RTS"};
constexpr const char* kTynetModeWords[] = {"2W", "4W"};
constexpr const char* kTynetBaudWords[] = {"15K6", "31K2", "62K5", "125K", "375K"};

template <size_t N>
const char* Word(const char* const (&words)[N], int code) {
  return code >= 0 && code < static_cast<int>(N) ? words[code] : "";
}

bool ParseBaud(std::string_view word, TComBaud& baud) {
  word = TrimBlanks(word);
  if (!word.empty() && AsciiUpper(word.back()) == 'K') word.remove_suffix(1);
  int n = 0;
  auto r = std::from_chars(word.data(), word.data() + word.size(), n);
  bool number = !word.empty() && r.ec == std::errc() && r.ptr == word.data() + word.size();
  struct Accepted {
    int short_form, long_form;
    TComBaud baud;
  };
  static constexpr Accepted kAccepted[] = {
      {1, 1200, cb1200},     {2, 2400, cb2400},     {4, 4800, cb4800},   {9, 9600, cb9600},
      {19, 19200, cb19200},  {38, 38400, cb38400},  {57, 57600, cb57600}, {76, 76800, cb76800},
      {115, 115200, cb115200}, {110, 110, cb110},   {150, 150, cb150},   {300, 300, cb300}};
  if (number) {
    for (const auto& a : kAccepted) {
      if (n == a.short_form || n == a.long_form) {
        baud = a.baud;
        return true;
      }
    }
  }
  baud = cb115200;
  return false;
}

}  // namespace

std::string ComSettingsText(const TComSettings& s) {
  return Format("%s/%s/%s/%s", {Word(kModeWords, s.mode), EnumName(s.baud).substr(2),
                                Word(kParityWords, s.parity),
                                Word(kHandshakeWords, s.handshake)});
}

bool ParseComSettings(std::string_view text, TComSettings& s) {
  s = TComSettings{};  // 115200 baud, no parity, RTS/CTS
  auto parts = SplitAt(text, '/');
  std::string_view mode = TrimBlanks(parts[0]);
  bool ok = true;
  if (EqualsNoCase(mode, "ECL")) s.mode = cmEcl;
  else if (EqualsNoCase(mode, "ECL+HP")) s.mode = cmEclHp;
  else if (EqualsNoCase(mode, "DCF77")) s.mode = cmDcf;
  else if (EqualsNoCase(mode, "OFF")) s.mode = cmOff;
  else {
    s.mode = cmOff;
    ok = false;
  }
  if (s.mode != cmEcl && s.mode != cmEclHp) return ok;

  ok = ParseBaud(parts.size() > 1 ? parts[1] : std::string_view{}, s.baud) && ok;

  std::string_view parity = parts.size() > 2 ? TrimBlanks(parts[2]) : std::string_view{};
  if (EqualsNoCase(parity, "PO")) s.parity = cpOdd;
  else if (EqualsNoCase(parity, "PE")) s.parity = cpEven;
  else if (EqualsNoCase(parity, "P-")) s.parity = cpOff;
  else {
    s.parity = cpOff;
    ok = false;
  }

  // The handshake is the whole rest of the text.
  std::string_view handshake;
  if (parts.size() > 3) {
    size_t at = static_cast<size_t>(parts[3].data() - text.data());
    handshake = TrimBlanks(text.substr(at));
  }
  if (EqualsNoCase(handshake, "XON")) s.handshake = chXonXoff;
  else if (EqualsNoCase(handshake, "RTS")) s.handshake = chRtsCts;
  else if (EqualsNoCase(handshake, "H-")) s.handshake = chOff;
  else {
    s.handshake = chOff;
    ok = false;
  }
  return ok;
}

std::string TynetSettingsText(const TTynetSettings& s) {
  std::string mode = Word(kTynetModeWords, s.mode);
  if (s.mode == em2W && s.terminated) mode += '+';
  return Format("%s/%s", {mode, Word(kTynetBaudWords, s.baud)});
}

bool ParseTynetSettings(std::string_view text, TTynetSettings& s) {
  s = TTynetSettings{};
  std::string work(TrimBlanks(text));
  if (work.size() >= 3 && work[2] == '+') {
    s.terminated = true;
    work.erase(2, 1);
  }
  auto parts = SplitAt(work, '/');
  std::string_view mode = TrimBlanks(parts[0]);
  bool ok = true;
  if (EqualsNoCase(mode, "4D") || EqualsNoCase(mode, "4W")) s.mode = em4W;
  else if (EqualsNoCase(mode, "2D") || EqualsNoCase(mode, "2W")) s.mode = em2W;
  else {
    s.mode = em2W;
    ok = false;
  }
  std::string_view baud = parts.size() > 1 ? TrimBlanks(parts[1]) : std::string_view{};
  if (EqualsNoCase(baud, "125000") || EqualsNoCase(baud, "125K")) s.baud = eb125000;
  else if (EqualsNoCase(baud, "375000") || EqualsNoCase(baud, "375K")) s.baud = eb375000;
  else if (EqualsNoCase(baud, "62500") || EqualsNoCase(baud, "62K5")) s.baud = eb62500;
  else {
    s.baud = eb62500;
    ok = false;
  }
  return ok;
}

}  // namespace trivex
