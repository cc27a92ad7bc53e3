#include "config/cp1252.h"

#include <cstdint>

namespace trivex {
namespace {

// Code points of the bytes 0x80..0x9F; the unassigned ones keep their own number.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int ByteOf(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) out += ch;
    else if (b < 0xA0) AppendUtf8(out, kHigh[b - 0x80]);
    else AppendUtf8(out, b);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view s, char replacement) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out += s[i++];
      continue;
    }
    int len = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (len == 0 || i + static_cast<size_t>(len) > s.size()) {
      out += replacement;
      ++i;
      continue;
    }
    uint32_t cp = b & (0x7F >> len);
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = cp << 6 | (c & 0x3F);
    }
    constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!ok) {
      out += replacement;
      ++i;
      continue;
    }
    if (cp < kMin[len]) {  // overlong form: one character, but not a valid one
      out += replacement;
      i += static_cast<size_t>(len);
      continue;
    }
    i += static_cast<size_t>(len);
    int byte = ByteOf(cp);
    out += byte >= 0 ? static_cast<char>(byte) : replacement;
  }
  return out;
}

}  // namespace trivex
