#pragma once
// One block of a device logbook: an 8-byte header (record time u32, version u8, data words u8,
// first-event offset u16; big-endian) and up to 256 data bytes that carry a piece of the event
// stream. The raw bytes are kept as received; they are what the log file stores.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "lang/date_time.h"

namespace trivex {

class TLogRecord {
 public:
  static constexpr int kHeaderSize = 8;
  static constexpr int kMaxDataSize = 256;

  // From the bytes a device sends. Raises ConvertError "Data represent no log record" when
  // the version is not 1, the word count exceeds 128 or the bytes do not hold the header and
  // all data words. Bytes after the data words are ignored.
  TLogRecord(const uint8_t* bytes, size_t size);
  // From one log file line ("dd.mm.yyyy hh:nn:ss;" and the raw bytes in hexadecimal). Raises
  // ConvertError "String represents no log record" for a malformed line or a time that does
  // not match the record's own time, and the errors of the constructor above.
  static TLogRecord FromLine(std::string_view line);
  // The log file line of this record.
  std::string ToLine() const;

  uint32_t RecordTime() const { return time_; }
  DateTime RecordDateTime() const;
  int Version() const { return raw_[4]; }
  int DataLength() const { return data_len_; }
  int FirstEventOffset() const { return first_event_; }
  // True when an event begins in this record.
  bool HasEventStart() const { return first_event_ < data_len_; }

  const uint8_t* Data() const { return raw_ + kHeaderSize; }
  uint8_t* MutableData() { return raw_ + kHeaderSize; }
  // Header and the current data bytes.
  std::span<const uint8_t> RawBytes() const {
    return {raw_, static_cast<size_t>(kHeaderSize + data_len_)};
  }
  // Shortens (or restores) the data part. Ignored unless `bytes` is even, not above the data
  // bytes the record was made with, and different from the current length; rewrites the
  // header's word count.
  void SetDataLength(int bytes);

  bool operator==(const TLogRecord& other) const;

 private:
  TLogRecord() = default;
  void Assign(const uint8_t* bytes, size_t size);

  uint8_t raw_[kHeaderSize + kMaxDataSize] = {};
  uint32_t time_ = 0;
  int data_len_ = 0;
  int received_len_ = 0;  // data bytes present when the record was made
  int first_event_ = 0;
};

// The record time text of log file lines and of the event stream's messages.
std::string RecordTimeText(uint32_t device_secs);

}  // namespace trivex
