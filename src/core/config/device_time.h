#pragma once
// Device time: devices count unsigned 32-bit seconds from 1990-01-01 00:00:00 in their local
// time, optionally with a 16-bit millisecond count. Multi-byte numbers in device records are
// big-endian.
#include <cstdint>
#include <stdexcept>
#include <cstring>
#include <string>
#include <vector>

#include "lang/date_time.h"

namespace trivex {

// A text or record that cannot be converted (malformed numbers, times out of range).
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int64_t kDeviceEpochMs = 631152000000LL;  // 1990-01-01 in ms since 1970-01-01

inline DateTime DeviceSecsToDateTime(uint32_t secs, uint16_t ms = 0) {
  return DateTime::FromMs(kDeviceEpochMs + int64_t{secs} * 1000 + ms);
}
// Rounds to the nearest second; outside 0 .. 2^32-1 seconds after the epoch it raises
// ConvertError "%s kann nicht in Secs umgerechnet werden" with the date-time text.
uint32_t DateTimeToDeviceSecs(DateTime value);
// The lenient form: 0 below the range, 0xFFFFFFFF above it.
uint32_t DateTimeToDeviceSecsLenient(DateTime value);

inline uint16_t ReadBE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
inline uint32_t ReadBE32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
inline void WriteBE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
inline void WriteBE32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}

// Appends a big-endian number to a byte buffer (building device records and blocks).
inline void AppendBE16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}
inline void AppendBE32(std::vector<uint8_t>& b, uint32_t v) {
  AppendBE16(b, v >> 16);
  AppendBE16(b, v & 0xFFFF);
}
inline void AppendBEFloat(std::vector<uint8_t>& b, float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  AppendBE32(b, u);
}

}  // namespace trivex
