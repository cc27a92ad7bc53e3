#include "logbook/log_file_reader.h"

namespace trivex {
namespace {
// Records behind the cursor are freed in batches; the vector then moves only a few.
constexpr int kDropBatch = 256;
}  // namespace

TLogFileReader::TLogFileReader(const std::string& path) : stream_(path, TTextStream::kOpenRead) {
  stream_.ReadLine(line_);
  line_number_ = 1;
  header_.Parse(line_);
  list_.SetSupplier([this] { return NextRecord(); });
}

std::unique_ptr<TLogRecord> TLogFileReader::NextRecord() {
  if (header_.IsEmpty() || stream_.ReadLine(line_) == 0) return nullptr;
  ++line_number_;
  return std::make_unique<TLogRecord>(TLogRecord::FromLine(line_));
}

bool TLogFileReader::SeekTime(uint32_t secs) {
  positioned_ = true;
  if (!list_.EnsureRecord(0)) return false;
  if (list_[0].RecordTime() >= secs) return list_.SeekToRecord(0, secs);
  // Keep the newest record that is older than secs in front of the first that is not.
  for (;;) {
    if (!list_.EnsureRecord(1)) return false;
    if (list_[1].RecordTime() >= secs) return list_.SeekToRecord(1, secs);
    list_.DropFront(1);
  }
}

bool TLogFileReader::ReadEvent(TRawLogEvent& event) {
  if (!positioned_ && !SeekTime(0)) return false;
  const bool read = list_.ReadEvent(event);
  if (list_.CursorRecord() >= kDropBatch) list_.DropFront(list_.CursorRecord());
  return read;
}

}  // namespace trivex
