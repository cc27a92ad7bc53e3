#pragma once
// Device identifiers: a relay on the field bus has an address byte 1..255 (0 = none). Its text
// is a capital letter, an optional digit and a colon: with b = id - 1 the letter is
// 'A' + b / 10 and the digit b % 10, left out when 0. 1 = "A:", 2 = "A1:", 11 = "B:",
// 255 = "Z4:", 0 = "-:".
#include <string>
#include <string_view>

namespace trivex {

// Text of an identifier byte; 0 (and anything outside 1..255) gives "-:".
std::string DeviceIdText(int id);

// Parses a whole identifier text ("A:", "a1:", "Z4:"), letter in either case. Anything else
// raises ConvertError "\"TEXT\" is not a device ID".
int ParseDeviceId(std::string_view text);

// As ParseDeviceId, and where a reference may name the local device, "LT" and "Virt" (either
// case, with or without a colon) give 0.
int ParseDeviceIdOrLocal(std::string_view text);

// Takes an identifier from the front of a longer text: skips blanks and tabs, reads up to and
// including the first colon as the identifier, then skips the blanks and tabs after it.
// Returns the identifier and advances `text` past what was read. With allow_local, "LT:" and
// "Virt:" give 0. Raises ConvertError as ParseDeviceId (also when there is no colon).
int TakeDeviceId(std::string_view& text, bool allow_local = false);

// True when the text is a valid identifier text (no exception).
bool IsDeviceIdText(std::string_view text);

}  // namespace trivex
