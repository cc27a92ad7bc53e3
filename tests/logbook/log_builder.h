#pragma once
// Builds event streams and log records the way a device lays them out, for the logbook tests.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "config/device_time.h"
#include "logbook/log_record.h"
#include "logbook/log_record_list.h"
#include "logbook/raw_log_event.h"

namespace trivex::testing {

using Bytes = std::vector<uint8_t>;


inline TRawLogEvent Raw(uint16_t code, Bytes data, uint32_t secs = 1000, uint16_t ms = 0) {
  TRawLogEvent e;
  e.secs = secs;
  e.msecs = ms;
  e.code = code;
  e.data = std::move(data);
  return e;
}

// An event in stream form: head, data, trailer.
inline Bytes EventBytes(const TRawLogEvent& e) {
  Bytes b;
  AppendBE32(b, e.secs);
  AppendBE16(b, e.msecs);
  AppendBE16(b, e.code);
  AppendBE16(b, static_cast<unsigned>(e.data.size()));
  b.insert(b.end(), e.data.begin(), e.data.end());
  AppendBE16(b, static_cast<unsigned>(e.data.size() + 12));
  return b;
}

inline Bytes RecordBytes(uint32_t time, uint16_t first_event, const Bytes& data) {
  Bytes b;
  AppendBE32(b, time);
  b.push_back(1);
  b.push_back(static_cast<uint8_t>(data.size() / 2));
  AppendBE16(b, first_event);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

inline TLogRecord Record(uint32_t time, uint16_t first_event, const Bytes& data) {
  const Bytes b = RecordBytes(time, first_event, data);
  return TLogRecord(b.data(), b.size());
}

// Lays the events out as a device does and cuts the stream into records of the given data
// sizes (the last size repeats). Each record's first-event offset is that of the first event
// that begins in it (its data length when none does); its time that of the newest event that
// began so far.
inline void BuildRecords(const std::vector<TRawLogEvent>& events, std::vector<int> sizes,
                         TLogRecordList& list) {
  Bytes stream;
  std::vector<size_t> starts;
  std::vector<uint32_t> times;
  for (const auto& e : events) {
    starts.push_back(stream.size());
    times.push_back(e.secs);
    const Bytes b = EventBytes(e);
    stream.insert(stream.end(), b.begin(), b.end());
  }
  size_t pos = 0, s = 0, next_event = 0;
  uint32_t time = events.empty() ? 0 : events[0].secs;
  while (pos < stream.size()) {
    const size_t size = std::min<size_t>(static_cast<size_t>(sizes[std::min(s, sizes.size() - 1)]),
                                         stream.size() - pos);
    ++s;
    Bytes data(stream.begin() + static_cast<long>(pos), stream.begin() + static_cast<long>(pos + size));
    if (data.size() % 2) data.push_back(0);  // records hold whole words
    uint16_t feo = static_cast<uint16_t>(data.size());
    if (next_event < starts.size() && starts[next_event] < pos + size) {
      feo = static_cast<uint16_t>(starts[next_event] - pos);
      while (next_event < starts.size() && starts[next_event] < pos + size) time = times[next_event++];
    }
    list.Add(Record(time, feo, data));
    pos += size;
  }
}

}  // namespace trivex::testing
