#pragma once
// What a ZYR-D relay answers for a variable that was never written: the defaults of its
// function blocks, its station model tables (empty), its device list (the ZYR-D relays of
// the simulated station), its transformer data and its outputs.
#include <optional>
#include <string>

#include "sim_device.h"

namespace trivex::sim {

// The default text of a read on a ZYR-D relay; nullopt when the name is no ZYR-D variable.
std::optional<std::string> ZyrDDefault(SimStation& station, const SimDevice& device, const ReadElement& read);

// Number of relays of the device's I/O card (device variable "SimRelays", default 13).
int SimRelayCount(const SimDevice& device);

}  // namespace trivex::sim
