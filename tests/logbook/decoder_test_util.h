#pragma once
// Rendering helpers for the decoder tables: a fixed context, padded columns, CSV lines.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "lang/lang.h"
#include "log_builder.h"
#include "logbook/log_event.h"
#include "logbook/log_file_error.h"

namespace trivex::testing {

// Events at 1990-01-01 00:16:40.005.
inline constexpr uint32_t kSecs = 1000;
inline constexpr uint16_t kMs = 5;
inline const std::string T = "1990-01-01 00:16:40,005";  // text mode (23 characters)
inline const std::string C = "1990-01-01 00:16:40.005";  // CSV mode

inline TLogRenderContext Context(int mode, char decimal = '.', char list = ';') {
  TLogRenderContext ctx;
  ctx.mode = mode;
  ctx.display_format = "YYYY-MM-DD hh:mm:ss,zzz";
  ctx.display_width = 23;
  ctx.full_format = std::string("yyyy-mm-dd hh:nn:ss") + decimal + "zzz";
  ctx.decimal_separator = decimal;
  ctx.list_separator = list;
  return ctx;
}

inline std::string P(const std::string& s, int width) {
  std::string out = s;
  int len = 0;
  for (unsigned char c : s) len += (c & 0xC0) != 0x80;
  if (len < width) out.append(static_cast<size_t>(width - len), ' ');
  return out;
}

// Fields each in double quotes except those given as nullptr (bare empty fields), joined by ';'.
inline std::string Csv(std::initializer_list<const char*> fields) {
  std::string out;
  bool first = true;
  for (const char* f : fields) {
    if (!first) out += ';';
    first = false;
    if (f) out += std::string("\"") + f + "\"";
  }
  return out + "\r\n";
}

struct DecoderCase {
  const char* what;
  uint16_t code;
  Bytes data;
  std::string text;  // without the final CR LF of the last line; empty: renders nothing
  std::string csv;   // with CR LF
};

inline std::string Render(const TLogEventFactory& factory, const TRawLogEvent& raw, int mode,
                          char decimal = '.', char list = ';') {
  auto event = factory(raw);
  if (!event) return "(hidden)";
  return event->Render(Context(mode, decimal, list));
}

inline void CheckCases(const TLogEventFactory& factory, const std::vector<DecoderCase>& cases) {
  lang::SetCurrentLanguage(lang::English);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TRawLogEvent raw = Raw(c.code, c.data, kSecs, kMs);
    EXPECT_EQ(Render(factory, raw, TLogRenderContext::kText), c.text.empty() ? "" : c.text + "\r\n");
    EXPECT_EQ(Render(factory, raw, TLogRenderContext::kCsv), c.csv);
  }
}

inline std::string DecodeError(const TLogEventFactory& factory, uint16_t code, const Bytes& data) {
  try {
    factory(Raw(code, data, kSecs, kMs));
  } catch (const ELogFileError& e) {
    return e.what();
  }
  return "(no error)";
}

inline Bytes Be16(unsigned v) { Bytes b; AppendBE16(b, v); return b; }
inline Bytes Be32(uint32_t v) { Bytes b; AppendBE32(b, v); return b; }
inline Bytes F32(float f) { Bytes b; AppendBEFloat(b, f); return b; }
inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace trivex::testing
