#pragma once
// Feeds arbitrary bytes to the logbook: as raw records, as log file lines and as raw events
// for every decoder. Bad data may raise the documented errors; anything else (a crash, a read
// outside the data, a hang, another exception) is a fault. Used by the fuzz-style test and by
// the libFuzzer target.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/device_time.h"
#include "logbook/dm_log_events.h"
#include "logbook/dp_log_events.h"
#include "logbook/log_file_error.h"
#include "logbook/log_file_header.h"
#include "logbook/log_record_list.h"
#include "logbook/zyr_log_events.h"

namespace trivex::fuzz {

inline void DecodeAndRender(const TRawLogEvent& raw) {
  TLogRenderContext text, csv;
  csv.mode = TLogRenderContext::kCsv;
  csv.decimal_separator = ',';
  csv.list_separator = ';';
  for (int family = 0; family < 3; ++family) {
    try {
      std::unique_ptr<TLogEvent> e = family == 0   ? CreateZyrLogEvent(raw, true)
                                     : family == 1 ? CreateDmLogEvent(raw)
                                                   : CreateDpLogEvent(raw, true);
      if (!e) continue;
      std::string out = e->Render(text);
      e->Render(csv, out);
      // A CSV line never leaves a quote open.
      size_t quotes = 0;
      for (char c : e->Render(csv)) quotes += c == '"';
      if (quotes % 2 != 0) __builtin_trap();
    } catch (const ELogFileError&) {
    }
  }
}

inline void WalkRecords(TLogRecordList& list, uint32_t secs, int steps) {
  TRawLogEvent raw;
  try {
    if (list.SeekTime(secs)) {
      for (int n = 0; n < 64 && list.ReadEvent(raw); ++n) DecodeAndRender(raw);
    }
  } catch (const ELogFileError&) {
  }
  try {
    list.SetCursor(list.Count() - 1, list.Empty() ? 0 : list.Last().DataLength());
    list.StepEvents(-steps);
    list.StepEvents(steps / 2 + 1);
    list.ReadLastEvent(raw);
  } catch (const ELogFileError&) {
  }
  list.TrimTail();
}

// Byte 0 chooses the form of the rest: 0 records (a length byte before each), 1 log file
// lines, 2 one raw event (u16 code, then its data).
inline void FuzzLogbookInput(const uint8_t* data, size_t size) {
  if (size < 1) return;
  const int mode = data[0] % 3;
  ++data;
  --size;
  if (mode == 0) {
    TLogRecordList list;
    size_t pos = 0;
    while (pos < size) {
      const size_t len = data[pos++];
      const size_t take = std::min(len, size - pos);
      try {
        list.Add(TLogRecord(data + pos, take));
      } catch (const ConvertError&) {
      }
      pos += take;
    }
    WalkRecords(list, size > 4 ? ReadBE32(data) : 0, static_cast<int>(size % 17));
  } else if (mode == 1) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TLogFileHeader header;
    TLogRecordList list;
    size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
      size_t end = text.find('\r', start);
      if (end == std::string_view::npos) end = text.size();
      const std::string_view line = text.substr(start, end - start);
      try {
        if (first) header.Parse(line);
        else list.Add(TLogRecord::FromLine(line));
      } catch (const ConvertError&) {
      }
      first = false;
      start = end + 1;
      if (start < text.size() && text[start] == '\n') ++start;
    }
    header.DisplayText();
    header.ToLine();
    WalkRecords(list, 0, 3);
  } else if (size >= 2) {
    TRawLogEvent raw;
    raw.code = ReadBE16(data);
    raw.data.assign(data + 2, data + size);
    DecodeAndRender(raw);
  }
}

}  // namespace trivex::fuzz
