#include "config/device_id.h"

#include "config/device_time.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/texts_config.h"

namespace trivex {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// -1 when the text is not an identifier.
int TryParse(std::string_view text) {
  if (text.size() < 2 || text.size() > 3 || text.back() != ':') return -1;
  char letter = AsciiUpper(text[0]);
  if (letter < 'A' || letter > 'Z') return -1;
  int value = (letter - 'A') * 10 + 1;
  if (text.size() == 3) {
    char digit = text[1];
    if (digit < '0' || digit > '9') return -1;
    value += digit - '0';
  }
  return value <= 255 ? value : -1;
}

bool IsLocalName(std::string_view text) {
  if (!text.empty() && text.back() == ':') text.remove_suffix(1);
  return EqualsNoCase(text, "LT") || EqualsNoCase(text, "Virt");
}

[[noreturn]] void ThrowNotId(std::string_view text) {
  throw ConvertError(Format(lang::Tr(tx::config::NotDeviceId), {text}));
}

}  // namespace

std::string DeviceIdText(int id) {
  if (id < 1 || id > 255) return "-:";
  int b = id - 1;
  std::string text(1, static_cast<char>('A' + b / 10));
  if (b % 10 != 0) text += static_cast<char>('0' + b % 10);
  text += ':';
  return text;
}

int ParseDeviceId(std::string_view text) {
  int id = TryParse(text);
  if (id < 0) ThrowNotId(text);
  return id;
}

int ParseDeviceIdOrLocal(std::string_view text) {
  if (IsLocalName(text)) return 0;
  return ParseDeviceId(text);
}

bool IsDeviceIdText(std::string_view text) { return TryParse(text) >= 0; }

int TakeDeviceId(std::string_view& text, bool allow_local) {
  std::string_view rest = text;
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  size_t colon = rest.find(':');
  if (colon == std::string_view::npos) ThrowNotId(rest);
  std::string_view id_text = rest.substr(0, colon + 1);
  int id = allow_local && IsLocalName(id_text) ? 0 : ParseDeviceId(id_text);
  rest.remove_prefix(colon + 1);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  text = rest;
  return id;
}

}  // namespace trivex
