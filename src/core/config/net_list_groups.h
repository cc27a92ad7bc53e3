#pragma once
// Groups of connected feeders: the segments that closed switches join to a busbar form a
// group, measured by one displacement voltage; its feeders are the current-measured
// segments of the group. Up to four groups.
#include <cstdint>
#include <string>
#include <vector>

#include "config/net_list_data.h"

namespace trivex {

inline constexpr int kMaxFeederGroups = 4;

struct TAbgangGruppe {
  uint8_t device = 0;                 // the relay that measures the group
  int voltage_input = 0;              // its displacement voltage input
  std::vector<int32_t> measurements;  // voltage-measured segments of the group
  std::vector<int32_t> feeders;       // current-measured segments of the group
};

struct TAbgangGruppen {
  std::vector<TAbgangGruppe> groups;
  int unassigned = 0;  // voltage-measured segments in no group
};

// Divides the station into groups over its closed switches and stores each relay's feeder
// group numbers (current inputs 1..4) in the model. Every segment is visited at most once.
TAbgangGruppen FindAbgangGruppen(TNetListData& data, uint8_t master_id);

// "A:Une1": the group's measuring relay and input.
std::string GroupMeasurementText(const TAbgangGruppe& group);
// The feeders as "A:Io1, B:Io2", or "<empty>".
std::string GroupFeedersText(const TNetListData& data, const TAbgangGruppe& group);
// A relay input's feeder group number: "-" none, "2", "s2" found through the segment.
std::string FeederGroupText(uint8_t code);

}  // namespace trivex
