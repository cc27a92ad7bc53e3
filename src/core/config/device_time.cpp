#include "config/device_time.h"

#include "lang/format.h"
#include "lang/texts_config.h"

namespace trivex {
namespace {
// Rounded seconds after the device epoch (may be out of range).
int64_t RoundedSecs(DateTime value) {
  int64_t ms = value.ms() - kDeviceEpochMs;
  return ms >= 0 ? (ms + 500) / 1000 : -((-ms + 499) / 1000);
}
}  // namespace

uint32_t DateTimeToDeviceSecs(DateTime value) {
  int64_t s = RoundedSecs(value);
  if (s < 0 || s > 0xFFFFFFFFLL)
    throw ConvertError(Format(lang::Tr(tx::config::NotDeviceSecs),
                              {FormatDateTime("yyyy-mm-dd hh:nn:ss", value, '-', ':')}));
  return static_cast<uint32_t>(s);
}

uint32_t DateTimeToDeviceSecsLenient(DateTime value) {
  int64_t s = RoundedSecs(value);
  if (s < 0) return 0;
  if (s > 0xFFFFFFFFLL) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(s);
}

}  // namespace trivex
