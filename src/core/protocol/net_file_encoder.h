#pragma once
// The station net list travels to a relay as a series of "ZyrNetFile=\"...\"" elements, each
// quoted part a piece of at most 8 characters. Every line is followed by CR LF; control
// characters, quotes and backslashes are written as escapes, and a piece never begins with
// a character the device would read as the start of a number or an escape.
#include <string>
#include <string_view>
#include <vector>

namespace trivex {

inline constexpr size_t kNetFilePieceSize = 8;

// The pieces of the text (lines in UTF-8; sent in Windows-1252).
std::vector<std::string> NetFilePieces(const std::vector<std::string>& lines);
// "ZyrNetFSize=0" followed by one "ZyrNetFile=\"piece\"" element per piece.
std::vector<std::string> NetFileElements(const std::vector<std::string>& lines);

// How the device reads a piece back into bytes (Windows-1252): "\g" "\b" "\t" "\n" "\r",
// "\x" with two hexadecimal digits, "\ " before a digit, and a backslash before any other
// character standing for that character.
std::string DecodeNetFilePiece(std::string_view piece);

}  // namespace trivex
