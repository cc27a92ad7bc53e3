#pragma once
// Finding and identifying devices: the directory of the bus ("aa:dir+"), the type and
// version of a device ("ver.+"), the address number of the device at the port
// ("AA::,Kenn,!+") and the address prefix a transfer puts before its requests.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trivex {

// The identifiers of a directory reply, one per line, in the order of the reply.
std::vector<std::string> ParseDirectoryReply(std::string_view reply);

// The reply to "ver.+": the type name before the first ';' and the version number made of
// the characters 1, 3, 5 and 6 after it ("ZYR-D;1.1.03" -> "ZYR-D", 1103; 0 when those are
// not digits).
struct VerDotInfo {
  std::string type;
  int version = 0;
};
VerDotInfo ParseVerDotReply(std::string_view reply);

// The reply to "AA::,Kenn,!+" as an address number; nullopt when it is not an integer.
std::optional<int> ParseKennReply(std::string_view reply);

// The transfer's own prefix: empty when the device at the port is the target (the Kenn reply
// equals the target's address number), else the target's identifier.
std::string TransferPrefix(std::optional<int> port_device, int target_id);

}  // namespace trivex
