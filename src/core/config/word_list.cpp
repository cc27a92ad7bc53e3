#include "config/word_list.h"

namespace trivex {
namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }
}  // namespace

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

std::vector<std::string> SplitWordList(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(text[i])) {
      ++i;
      continue;
    }
    if (text.substr(i, 2) == "//") break;
    std::string word;
    char quote = text[i];
    if (quote == '"' || quote == '\'') {
      // Quoted word: up to the closing quote; a doubled quote is one quote character.
      for (++i; i < text.size(); ++i) {
        if (text[i] == quote) {
          if (i + 1 < text.size() && text[i + 1] == quote) {
            word += quote;
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          word += text[i];
        }
      }
    } else {
      while (i < text.size() && !IsSeparator(text[i])) word += text[i++];
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace trivex
