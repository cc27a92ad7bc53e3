#pragma once
// Escaped texts (modem and terminal settings store control characters this way).
//   Encoding: 7 "\g", 8 "\b", 9 "\t", 10 "\n", 13 "\r", '"' "\"", '\' "\\", other bytes
//   below 32 a backslash and three octal digits; every other byte unchanged.
//   Decoding: the same forms, "\x" with one or two hexadecimal digits, octal escapes of one
//   to three digits; after a backslash any other character stands for itself (a lone
//   backslash at the end stays a backslash).
#include <string>
#include <string_view>

namespace trivex {

std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view text);

}  // namespace trivex
