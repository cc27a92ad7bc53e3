#pragma once
// Result codes of a framed exchange.
#include <string>

namespace trivex {

enum TLinkResult : int {
  kLinkOk = 0,
  kLinkWriteError = -1,   // writing the request failed
  kLinkTimeout = -2,      // no complete reply before the deadline
  kLinkRejected = -3,     // the reply's status byte was not ACK
  kLinkChecksum = -4,     // the reply's checksum did not match
  kLinkServerError = -5,  // bus server connection missing or failed
  kLinkFileCrc = -6,      // file block CRC error
};

// The error text of results -1 .. -4 in the current language; empty for any other value.
std::string LinkResultText(int result);

}  // namespace trivex
