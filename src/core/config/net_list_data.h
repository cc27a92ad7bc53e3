#pragma once
// TNetListData: the station model that the relays need for their direction decisions —
// segments, switches and relays with their inputs — compiled from the net list text or
// reported by the relays.
#include <array>

#include "config/net_list_device.h"
#include "config/net_list_schalter.h"
#include "config/net_list_segment.h"

namespace trivex {

inline constexpr int kNetVirtualInputs = 255;

class TNetListData {
 public:
  TSegmentList segments;
  TSchalterList switches;
  TDeviceList devices;
  // Virtual inputs 1..255 (index 0 unused): the switch each one reports.
  std::array<TBinaryInput, kNetVirtualInputs + 1> virtual_inputs{};
  // A feeder line gave neither a switch position nor a binary input.
  bool switches_incomplete = false;

  void Clear();
  // For every switch with a binary input: takes the inversion that the relay (or the
  // virtual input table) holds for that input.
  void Refresh();
  bool operator==(const TNetListData&) const = default;
};

}  // namespace trivex
