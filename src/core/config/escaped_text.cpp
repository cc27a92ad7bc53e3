#include "config/escaped_text.h"

namespace trivex {
namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
bool IsOctal(char c) { return c >= '0' && c <= '7'; }
}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : text) {
    auto b = static_cast<unsigned char>(ch);
    switch (b) {
      case 7: out += "\\g"; break;
      case 8: out += "\\b"; break;
      case 9: out += "\\t"; break;
      case 10: out += "\\n"; break;
      case 13: out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default:
        if (b < 32) {
          out += '\\';
          out += static_cast<char>('0' + (b >> 6));
          out += static_cast<char>('0' + ((b >> 3) & 7));
          out += static_cast<char>('0' + (b & 7));
        } else {
          out += ch;
        }
    }
  }
  return out;
}

std::string UnescapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch != '\\' || i + 1 >= text.size()) {
      out += ch;
      continue;
    }
    char e = text[++i];
    switch (e) {
      case 'g': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 'x': {
        int value = 0, n = 0;
        while (n < 2 && i + 1 < text.size() && HexDigit(text[i + 1]) >= 0) {
          value = value * 16 + HexDigit(text[++i]);
          ++n;
        }
        out += n ? static_cast<char>(value) : 'x';
        break;
      }
      default:
        if (IsOctal(e)) {
          int value = e - '0';
          for (int n = 1; n < 3 && i + 1 < text.size() && IsOctal(text[i + 1]); ++n)
            value = value * 8 + (text[++i] - '0');
          out += static_cast<char>(value & 0xFF);
        } else {
          out += e;
        }
    }
  }
  return out;
}

}  // namespace trivex
