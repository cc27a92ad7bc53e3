#pragma once
// Reads the events of a log file as a stream: records are read from the file as the event
// walk needs them and freed once it has passed them, so memory does not grow with the file.
#include <cstdint>
#include <memory>
#include <string>

#include "logbook/log_file_header.h"
#include "logbook/log_record_list.h"
#include "logbook/raw_log_event.h"
#include "logbook/text_stream.h"

namespace trivex {

class TLogFileReader {
 public:
  // Opens the file and reads its header line. Raises EStreamError when the file cannot be
  // opened and ConvertError for a malformed number in the header.
  explicit TLogFileReader(const std::string& path);

  const TLogFileHeader& Header() const { return header_; }
  // Puts the reader on the first event at or after `secs` (whole seconds), as
  // TLogRecordList::SeekTime does; false when every record is older. Call it once, before
  // reading; without it reading starts at the first event.
  bool SeekTime(uint32_t secs);
  // The next event; false at the end. Raises ConvertError for a line that is not a record and
  // ELogFileError for inconsistent events.
  bool ReadEvent(TRawLogEvent& event);
  // The line number of the last line read (the header is line 1).
  int LineNumber() const { return line_number_; }

 private:
  std::unique_ptr<TLogRecord> NextRecord();

  TTextStream stream_;
  TLogFileHeader header_;
  TLogRecordList list_;
  std::string line_;
  int line_number_ = 0;
  bool positioned_ = false;
};

}  // namespace trivex
