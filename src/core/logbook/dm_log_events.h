#pragma once
// Decoding of ZYR-DM logbook events: the ZYR-D scheme with up to five input boards of eight
// feeders each, and the admittance (DIF) and DSP status events.
#include <memory>

#include "logbook/log_event.h"

namespace trivex {

// The ZYR-DM factory; it hides no event.
std::unique_ptr<TLogEvent> CreateDmLogEvent(const TRawLogEvent& raw);

}  // namespace trivex
