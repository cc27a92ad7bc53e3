#pragma once
// Small text helpers shared by the definitions: trimming and ASCII case-insensitive compares.
// Letters outside ASCII are compared as they are (texts are UTF-8 inside the program).
#include <string>
#include <string_view>
#include <vector>

namespace trivex {

// Removes blanks and control characters (bytes up to 32) at both ends.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeftBlanks(std::string_view text);
std::string_view TrimRightBlanks(std::string_view text);

char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Splits at every occurrence of `separator` (empty parts kept; "" gives one empty part).
std::vector<std::string_view> SplitAt(std::string_view text, char separator);

}  // namespace trivex
