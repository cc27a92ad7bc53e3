#pragma once
// Durations in texts: "h:nn:ss" / "n:ss" for display, "(h:)min:s" for entry, and whole
// minute texts "m:ss".
#include <cstdint>
#include <string>
#include <string_view>

namespace trivex {

// "h:nn:ss" from 3600 s on, "n:ss" below (negative values with a leading "-").
std::string SecondsText(int64_t seconds);

// Entry of "(h:)min:s": up to two ":"-separated integer prefixes; the last part may be
// fractional with either decimal separator. Result in seconds ((h * 60 + min) * 60 + s).
// Raises ConvertError for any other text.
double ParseDuration(std::string_view text);

// "%d:%2.2d" of minutes and seconds ("1:05" for 65).
std::string MinSecText(int seconds);
// "m:s" -> m * 60 + s (a text without ":" is seconds). Raises ConvertError otherwise.
int ParseMinSec(std::string_view text);

}  // namespace trivex
