#include "logbook/log_texts.h"

#include <cstring>

#include "config/device_id.h"
#include "config/device_time.h"
#include "lang/lang.h"
#include "lang/texts_logbook.h"
#include "logbook/log_file_error.h"

namespace trivex::logtext {

void ThrowInvalidData(const char* class_name) {
  throw ELogFileError(std::string(class_name) + ".Create: invalid Data");
}

uint8_t TEventData::U8(size_t off) const {
  Require(off + 1);
  return raw_.data[off];
}

uint16_t TEventData::U16(size_t off) const {
  Require(off + 2);
  return ReadBE16(raw_.data.data() + off);
}

uint32_t TEventData::U32(size_t off) const {
  Require(off + 4);
  return ReadBE32(raw_.data.data() + off);
}

float TEventData::F32(size_t off) const {
  const uint32_t bits = U32(off);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

const uint8_t* TEventData::Bytes(size_t off, size_t n) const {
  Require(off + n);
  return raw_.data.data() + off;
}

std::string Fmt(const TLogRenderContext& ctx, std::string_view fmt, std::initializer_list<FmtArg> args) {
  return FormatWith(ctx.decimal_separator, fmt, args);
}

std::string Pad(std::string_view text, int width) {
  std::string out(text);
  const int len = static_cast<int>(Utf8Length(text));
  if (len < width) out.append(static_cast<size_t>(width - len), ' ');
  return out;
}

std::string Blanks(int count) { return std::string(static_cast<size_t>(count > 0 ? count : 0), ' '); }

std::string DeviceText(const uint8_t* bytes, size_t max_len, const TLogRenderContext& ctx) {
  std::string out;
  for (size_t i = 0; i < max_len && bytes[i] != 0; ++i) {
    const uint8_t b = bytes[i];
    if (b < 0x20 || b == 0x7F) {
      out += ' ';
    } else if (b < 0x80) {
      if (b == '"' && IsCsv(ctx)) out += '"';
      out += static_cast<char>(b);
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string AddressText(int address) { return DeviceIdText(address); }

namespace {
std::string BitNumbers(uint8_t byte, int first_bit, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (byte & (1 << (first_bit + i))) {
      if (!out.empty()) out += ',';
      out += static_cast<char>('1' + i);
    }
  }
  return out;
}
}  // namespace

std::string GroupList(uint8_t byte) { return BitNumbers(byte, 4, 4); }
std::string BusBarList(uint8_t byte) { return BitNumbers(byte, 1, 3); }
std::string GroupText(uint8_t byte) {
  return std::string(lang::Tr(tx::logbook::GroupShort)) + ":" + GroupList(byte);
}
std::string BusBarText(uint8_t byte) {
  return std::string(lang::Tr(tx::logbook::BusBar)) + ":" + BusBarList(byte);
}

uint16_t ConvertStateWord(uint16_t word) {
  const uint16_t lo = word & 0x0F0F;
  const uint16_t hi = (word >> 4) & 0x0F0F;
  return static_cast<uint16_t>((~lo & hi) | ((lo & ~hi) << 4));
}

int FeederKind(uint16_t word, int k) {
  const unsigned m = word & (0x1111u << k);
  int kind = 0;
  if (m & 0x000F) kind += 1;
  if (m & 0x00F0) kind += 2;
  if (m & 0x0F00) kind += 4;
  if (m & 0xF000) kind += 8;
  return kind;
}

std::string FeederDirectionWord(int kind) {
  switch (kind) {
    case 0: return {};
    case 1:
    case 4: return lang::Tr(tx::logbook::Come);
    case 2:
    case 8: return lang::Tr(tx::logbook::Go);
    case 6:
    case 9: return lang::Tr(tx::logbook::Inverse);
    default: return lang::Tr(tx::logbook::StateError);
  }
}

std::string FeederLocationWord(int kind) {
  switch (kind) {
    case 0: return {};
    case 1:
    case 2: return lang::Tr(tx::logbook::Line);
    case 4:
    case 8: return lang::Tr(tx::logbook::BusBar);
    case 6: return lang::Tr(tx::logbook::LineToBusBar);
    case 9: return lang::Tr(tx::logbook::BusBarToLine);
    default: return Format("$%2.2X", {kind});
  }
}

std::string FaultRecordText(uint32_t number, const TLogRenderContext& ctx) {
  return Fmt(ctx, "%s: %.8d", {lang::Tr(tx::logbook::FaultRecord), number});
}

std::string FeederCodeLetter(int code) {
  const char* word = code == 1 ? lang::Tr(tx::logbook::BusBar) : lang::Tr(tx::logbook::Line);
  return std::string(word, word[0] ? 1 : 0);
}

}  // namespace trivex::logtext
