#pragma once
// What the relays of a system report when a configuration is read: the station model as the
// master holds it (segments, switches, device list with transformer data) with, per relay,
// its master identifier and binary input functions, and each relay's own copy of its
// transformer data.
#include <array>
#include <cstdint>
#include <map>

#include "config/net_list_data.h"

namespace trivex {

struct TRelayTransformers {
  std::array<double, 4> knu{1, 1, 1, 1};
  std::array<double, 4> vnom{100, 100, 100, 100};
  std::array<double, 4> kni{1, 1, 1, 1};
  std::array<double, 4> inom{1, 1, 1, 1};
  bool operator==(const TRelayTransformers&) const = default;
};

struct TReportedStation {
  TNetListData net;
  std::map<uint8_t, TRelayTransformers> local;  // by relay identifier
  int device_count = 0;                         // "ZyrCnfDevCnt" of the master
  void Clear() {
    net.Clear();
    local.clear();
    device_count = 0;
  }
};

}  // namespace trivex
