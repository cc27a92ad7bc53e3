#pragma once
// The events of a time range as the logbook view and its exports show them.
#include <cstddef>
#include <cstdint>
#include <ostream>

#include "logbook/log_event.h"
#include "logbook/raw_log_event.h"

namespace trivex {

class TLogFileReader;

// Calls fn for the first event at or after `from` and every following event until one is
// later than `until` (whole seconds). Source: TLogRecordList or TLogFileReader.
template <class Source, class Fn>
void ForEachEventInRange(Source& source, uint32_t from, uint32_t until, Fn&& fn) {
  TRawLogEvent event;
  if (!source.SeekTime(from)) return;
  while (source.ReadEvent(event) && event.secs <= until) fn(event);
}

// Decodes the events of the range and writes their lines in the context's output mode.
// Returns the number of decoded events. Errors of the data propagate; what was written
// before them stays written.
size_t ExportLogEvents(TLogFileReader& reader, const TLogEventFactory& factory,
                       const TLogRenderContext& ctx, uint32_t from, uint32_t until, std::ostream& out);

}  // namespace trivex
