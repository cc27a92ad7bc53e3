#pragma once
// Answers the text of one request for the station: address prefix, elements, handlers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim_device.h"

namespace trivex::sim {

struct SimAnswer {
  bool reply = true;       // false: the request goes unanswered
  uint8_t status = 0x06;   // ACK
  std::string text;
};

// The text of a "<<" refusal with its reason.
std::string RefusalText(std::string_view reason);
// Elements of a request text: split at commas outside double quotes.
std::vector<std::string> SplitElements(std::string_view text);

class RequestAnswerer {
 public:
  explicit RequestAnswerer(SimStation& station) : station_(station) {}
  SimAnswer Answer(std::string_view request);

 private:
  SimStation& station_;
  int last_address_ = 0;  // the device a request with a leading comma continues with
};

}  // namespace trivex::sim
