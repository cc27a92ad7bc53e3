#pragma once
// The precise tick counter: a monotonic counter in nanoseconds with elapsed-time helpers.
#include <cstdint>
#include <string>

namespace trivex {

int64_t PreciseTicks();
inline constexpr double kTicksPerMs = 1e6;
// Elapsed time between two counter readings (the cost of reading the counter subtracted).
double ElapsedSeconds(int64_t later, int64_t earlier);
// Milliseconds with three decimals ("12.345").
std::string FormatElapsedMs(int64_t later, int64_t earlier);
// "h:mm:ss.zzz" (with fraction) or "h:mm:ss"; a negative span gets a leading "-".
std::string FormatElapsedHms(bool with_fraction, int64_t later, int64_t earlier);

}  // namespace trivex
