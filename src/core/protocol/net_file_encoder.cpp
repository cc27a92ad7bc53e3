#include "protocol/net_file_encoder.h"

#include "config/cp1252.h"
#include "lang/format.h"
#include "protocol/commands.h"

namespace trivex {
namespace {

// The written form of one byte; `at_start` when it opens a piece.
std::string Form(unsigned char b, bool at_start) {
  switch (b) {
    case 7: return "\\g";
    case 8: return "\\b";
    case 9: return "\\t";
    case 10: return "\\n";
    case 13: return "\\r";
    default: break;
  }
  // Quotes would end the quoted value; a backslash would start an escape on the device.
  if (b < 32 || b == '"' || b == '\'' || b == '\\') return Format("\\x%.2X", {unsigned{b}});
  if (at_start) {
    if (b >= '0' && b <= '9') return std::string("\\ ") + static_cast<char>(b);
    if (b == '+' || b == '-' || b == '.' || b >= 128) return std::string("\\") + static_cast<char>(b);
  }
  return std::string(1, static_cast<char>(b));
}

}  // namespace

std::vector<std::string> NetFilePieces(const std::vector<std::string>& lines) {
  std::vector<std::string> pieces;
  std::string piece;
  auto put = [&](unsigned char b) {
    std::string form = Form(b, piece.empty());
    if (piece.size() + form.size() > kNetFilePieceSize) {
      pieces.push_back(std::move(piece));
      piece.clear();
      form = Form(b, true);
    }
    piece += form;
  };
  for (const auto& line : lines) {
    for (char c : Utf8ToCp1252(line)) put(static_cast<unsigned char>(c));
    put('\r');
    put('\n');
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

std::vector<std::string> NetFileElements(const std::vector<std::string>& lines) {
  std::vector<std::string> elements{std::string(cmd::kNetFileSizeReset)};
  for (const auto& piece : NetFilePieces(lines)) elements.push_back("ZyrNetFile=\"" + piece + "\"");
  return elements;
}

std::string DecodeNetFilePiece(std::string_view piece) {
  auto hex = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (size_t i = 0; i < piece.size(); ++i) {
    if (piece[i] != '\\' || i + 1 >= piece.size()) {
      out += piece[i];
      continue;
    }
    char e = piece[++i];
    switch (e) {
      case 'g': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 'x':
        if (i + 2 < piece.size() && hex(piece[i + 1]) >= 0 && hex(piece[i + 2]) >= 0) {
          out += static_cast<char>(hex(piece[i + 1]) * 16 + hex(piece[i + 2]));
          i += 2;
        } else {
          out += 'x';
        }
        break;
      case ' ':
        if (i + 1 < piece.size() && piece[i + 1] >= '0' && piece[i + 1] <= '9') out += piece[++i];
        else out += ' ';
        break;
      default: out += e;
    }
  }
  return out;
}

}  // namespace trivex
