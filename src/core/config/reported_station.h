#pragma once
// What the relays of a system report when a configuration is read: the station model as the
// master holds it (segments, switches, device list with transformer data) with, per relay,
// its master identifier and binary input functions, and each relay's own copy of its
// transformer data; on firmware before 1.0.08, the four method directions of every output
// as the master holds them.
#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "config/net_list_data.h"

namespace trivex {

struct TRelayTransformers {
  std::array<double, 4> knu{1, 1, 1, 1};
  std::array<double, 4> vnom{100, 100, 100, 100};
  std::array<double, 4> kni{1, 1, 1, 1};
  std::array<double, 4> inom{1, 1, 1, 1};
  bool operator==(const TRelayTransformers&) const = default;
};

// The harmonics, transients, pulse and wattmetric direction of one output.
using TOutputDirections = std::array<int, 4>;

struct TReportedStation {
  TNetListData net;
  std::map<uint8_t, TRelayTransformers> local;  // by relay identifier
  int device_count = 0;                         // "ZyrCnfDevCnt" of the master
  // Firmware before 1.0.08: by relay identifier, output 1 at index 0.
  std::map<uint8_t, std::vector<TOutputDirections>> relay_dirs;
  std::map<uint8_t, std::vector<TOutputDirections>> led_dirs;
  void Clear() {
    net.Clear();
    local.clear();
    device_count = 0;
    relay_dirs.clear();
    led_dirs.clear();
  }
};

}  // namespace trivex
