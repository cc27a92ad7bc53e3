#pragma once
// Quoted values and word lists.
#include <string>
#include <string_view>
#include <vector>

namespace trivex {

// A value of at least two characters whose first and last characters are the same quote
// character (double or single quote) loses both; any other value stays unchanged.
std::string_view Unquote(std::string_view value);

// Splits a word list: words are separated by blanks, tabs, line breaks or commas; a word
// that begins with a double or single quote runs to the matching closing quote and may
// contain separators, a doubled quote inside standing for one quote; "//" outside a word
// ends the list (the rest is a comment).
std::vector<std::string> SplitWordList(std::string_view text);

}  // namespace trivex
