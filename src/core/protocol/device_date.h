#pragma once
// Setting a device's clock: the device tells its date pattern ("DatumFormat+.", eight
// characters such as "tt.mm.jj" with t = day, m = month, j = year); the time stamp formatted
// with it travels as "Date//=" + text.
#include <optional>
#include <string>
#include <string_view>

#include "lang/date_time.h"

namespace trivex {

// The program's date-time pattern for a device date pattern, or nullopt when the reply (after
// the reply conventions) is not exactly eight characters. "/" becomes a literal slash,
// t/T -> d, j/J -> y, other characters unchanged, then " hh:nn:ss" with literal colons.
std::optional<std::string> DeviceDatePattern(std::string_view reply);

// "Date//=" + the time formatted with the pattern ("all," in front for every device).
std::string DateRequest(std::string_view pattern, DateTime time, bool all_devices = false);

}  // namespace trivex
