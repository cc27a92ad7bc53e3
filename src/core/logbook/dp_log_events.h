#pragma once
// Decoding of the logbook events of the VAD-AZ and ZED-UDE coil regulators.
#include <memory>

#include "logbook/log_event.h"

namespace trivex {

// The regulator factory; it picks the class by the code without bit 15. `show_io` adds the
// function and input/output state lists to the standard regulator events.
std::unique_ptr<TLogEvent> CreateDpLogEvent(const TRawLogEvent& raw, bool show_io);

}  // namespace trivex
