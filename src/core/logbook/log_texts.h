#pragma once
// Texts and readers shared by the event classes of the device families.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "lang/format.h"
#include "lang/lang.h"
#include "logbook/log_render_context.h"
#include "logbook/raw_log_event.h"

namespace trivex::logtext {

// Raises ELogFileError "<class_name>.Create: invalid Data".
[[noreturn]] void ThrowInvalidData(const char* class_name);

// Bounds-checked big-endian reads of event data; a read outside the data raises the invalid
// data error of the class.
class TEventData {
 public:
  TEventData(const TRawLogEvent& raw, const char* class_name) : raw_(raw), class_name_(class_name) {}
  size_t Size() const { return raw_.data.size(); }
  void Require(size_t n) const {
    if (Size() < n) ThrowInvalidData(class_name_);
  }
  uint8_t U8(size_t off) const;
  uint16_t U16(size_t off) const;
  int16_t S16(size_t off) const { return static_cast<int16_t>(U16(off)); }
  uint32_t U32(size_t off) const;
  float F32(size_t off) const;
  const uint8_t* Bytes(size_t off, size_t n) const;

 private:
  const TRawLogEvent& raw_;
  const char* class_name_;
};

// Line building: numbers with the context's decimal separator; texts padded on the right to
// a width in characters.
std::string Fmt(const TLogRenderContext& ctx, std::string_view fmt, std::initializer_list<FmtArg> args);
std::string Pad(std::string_view text, int width);
std::string Blanks(int count);
inline std::string Sep(const TLogRenderContext& ctx) { return std::string(1, ctx.list_separator); }
inline bool IsCsv(const TLogRenderContext& ctx) { return ctx.mode == TLogRenderContext::kCsv; }
// A text of the language tables in the current language.
inline std::string Tx(const lang::Text3& text) { return lang::Tr(text); }
// A text from device data made safe for a line: control characters become blanks, bytes above
// 127 are taken as Latin-1; in CSV mode a double quote is doubled.
std::string DeviceText(const uint8_t* bytes, size_t max_len, const TLogRenderContext& ctx);

// Device address text of an address byte ("-:" for 0, "A:", "A1:", ..).
std::string AddressText(int address);
// Group numbers 1..4 of bits 4..7 and bus bar numbers 1..3 of bits 1..3, joined by ",".
std::string GroupList(uint8_t byte);
std::string BusBarList(uint8_t byte);
std::string GroupText(uint8_t byte);   // "Grp:1,2"
std::string BusBarText(uint8_t byte);  // "BB:1"

// State words of codes 128 and above use the new bit layout; this turns them into the old.
uint16_t ConvertStateWord(uint16_t word);
// Kind of feeder k (0..3) in a feeder state word: 1 comes/line, 2 goes/line, 4 comes/bus bar,
// 8 goes/bus bar, and their sums.
int FeederKind(uint16_t word, int k);
std::string FeederDirectionWord(int kind);
std::string FeederLocationWord(int kind);

// "Fault record: 00001234".
std::string FaultRecordText(uint32_t number, const TLogRenderContext& ctx);
// The letter of a feeder code (1 bus bar side, 2 line side).
std::string FeederCodeLetter(int code);
// Phase in radians to degrees.
inline double Degrees(double radians) { return radians * 57.295779513082320877; }

}  // namespace trivex::logtext
