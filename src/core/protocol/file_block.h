#pragma once
// Binary replies and file blocks. Devices keep three control bytes out of binary replies:
// 0x01 shifts only the next byte, 0x02 starts and 0x03 ends a shifted stretch; a shifted byte
// travels 32 higher than its value, and the control bytes themselves carry no data.
// A file block ("fread.+ FILE N") is such a reply whose decoded bytes end with the CRC-16
// (start value 0) of the bytes before them, high byte first.
#include <optional>
#include <string>
#include <string_view>

namespace trivex {

// Removes the escapes. `complete` (when given) is set false when the text ends in a lone
// 0x01 whose byte is missing.
std::string Destuff(std::string_view stuffed, bool* complete = nullptr);
// The device's escaping: a shifted stretch starts before a byte below 32 and ends before a
// byte of 224 or more, so the text holds no control characters other than the markers.
std::string Stuff(std::string_view bytes);

// Decodes a file block reply (after the reply conventions): the data without its CRC, or
// nullopt when the escapes are broken, the block is shorter than its CRC or the CRC does not
// match (the exchange result is then -6, "CRC error").
std::optional<std::string> DecodeFileBlock(std::string_view stuffed);
// What a device sends for a block of data: the data and its CRC, escaped.
std::string EncodeFileBlock(std::string_view data);

inline constexpr int kResultCrcError = -6;

// The check after a successful file block exchange: removes a leading CR LF, fails on a "<<"
// refusal (result unchanged), then decodes; a broken block fails with result -6. On success
// `reply` holds the block's data without its CRC.
bool CheckFileBlockReply(std::string& reply, int& result);

}  // namespace trivex
