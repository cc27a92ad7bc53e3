#pragma once
// One event as the event stream of a record list yields it, before decoding.
#include <cstdint>
#include <vector>

#include "config/device_time.h"

namespace trivex {

struct TRawLogEvent {
  uint32_t secs = 0;           // device time
  uint16_t msecs = 0;
  uint16_t code = 0;           // event code; its meaning depends on the device family
  std::vector<uint8_t> data;   // the event data (its size is the event's data length)

  DateTime Time() const { return DeviceSecsToDateTime(secs, msecs); }
};

}  // namespace trivex
