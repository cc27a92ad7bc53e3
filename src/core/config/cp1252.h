#pragma once
// Windows-1252, the encoding of configuration files, log files and device texts. The program
// keeps UTF-8 inside and converts where texts cross those boundaries.
#include <string>
#include <string_view>

namespace trivex {

// Every byte maps to one character (the five unassigned bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D
// map to the control characters of the same number, so any byte string survives a round trip).
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte, and malformed UTF-8, become `replacement`.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?');

}  // namespace trivex
