#include "config/bool_text.h"

#include "config/text_util.h"
#include "lang/texts_config.h"

namespace trivex {

const char* BoolText(bool value) { return value ? "TRUE" : "FALSE"; }

bool ParseBoolText(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text == "0") return false;
  char first = AsciiUpper(text.front());
  return first != 'N' && first != 'F';
}

bool ParseSettingsBool(std::string_view text) {
  text = TrimBlanks(text);
  for (std::string_view f : {"", "0", "n", "no", "nein", "f", "false", "falsch"})
    if (EqualsNoCase(text, f)) return false;
  return true;
}

const char* YesNoText(bool value) {
  return lang::Tr(value ? tx::config::Yes : tx::config::No);
}

}  // namespace trivex
