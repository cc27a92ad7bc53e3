#include "link/precise_ticks.h"

#include <chrono>
#include <cmath>

#include "lang/format.h"

namespace trivex {
namespace {

int64_t Calibration() {
  // Two readings in a row: what reading the counter itself costs.
  static const int64_t offset = [] {
    int64_t a = PreciseTicks();
    int64_t b = PreciseTicks();
    return b - a;
  }();
  return offset;
}

}  // namespace

int64_t PreciseTicks() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

double ElapsedSeconds(int64_t later, int64_t earlier) {
  return static_cast<double>(later - earlier - Calibration()) / (kTicksPerMs * 1000.0);
}

std::string FormatElapsedMs(int64_t later, int64_t earlier) {
  return Format("%.3f", {ElapsedSeconds(later, earlier) * 1000.0});
}

std::string FormatElapsedHms(bool with_fraction, int64_t later, int64_t earlier) {
  double s = ElapsedSeconds(later, earlier);
  bool negative = s < 0;
  int64_t ms = std::llround(std::fabs(s) * 1000.0);
  if (!with_fraction) ms = ms / 1000 * 1000;
  int64_t h = ms / 3600000;
  int64_t m = ms / 60000 % 60;
  double sec = static_cast<double>(ms % 60000) / 1000.0;
  std::string secs = with_fraction ? Format("%06.3f", {sec}) : Format("%.2d", {static_cast<int>(sec)});
  return Format("%s%d:%.2d:%s", {negative ? "-" : "", static_cast<long long>(h), static_cast<int>(m), secs});
}

}  // namespace trivex
