#pragma once
// The firmware version check before a configuration transfer: the reply to prefix + "ver+"
// must begin with the expected type name and ": Version" (without regard to case); the
// version is the eight characters after the following blank.
#include <string>
#include <string_view>

namespace trivex {

struct VersionCheck {
  bool ok = false;
  int version = 0;      // 0 when the check failed
  std::string detail;   // why it failed: "Device A1: doesn't respond", ...
  std::string message;  // the whole error text: "Error while <action> the Configuration:..."
};

// `reply` as the device sent it (a leading CR LF is allowed), `expected_type` e.g. "ZYR-D",
// `id_text` the target's identifier ("A1:"), `action` the transfer's action text.
VersionCheck CheckVersionReply(std::string_view reply, std::string_view expected_type,
                               std::string_view id_text, std::string_view action);

// "Error while %s the Configuration:\r\n%s\r\n%s" in the current language.
std::string ConfigErrorText(std::string_view action, std::string_view request,
                            std::string_view reply);
// The reply part of that text for a failed exchange: "[no response]" for -2, "CRC error" for
// -6, "[communication failure]" for other negative results, else the reply itself.
std::string ConfigErrorReplyText(int result, std::string_view reply);

}  // namespace trivex
