#pragma once
// The records of a log file, oldest first, and the read cursor that walks the event stream
// they carry.
//
// The data parts of consecutive records form one byte stream of events:
//   u32 seconds, u16 milliseconds, u16 code, u16 data length N (even), N data bytes,
//   u16 trailer = N + 12.
// Any part of an event may continue in the next record. A record's first-event offset tells
// where the first event that begins in it starts (not below its data length: none begins).
// The trailer lets the stream be walked backwards; a trailer of 0 found that way is filler.
//
// A list may be given a record supplier: whenever the walk needs a record after the last one
// it asks the supplier, so a file can be read as a stream (see TLogFileReader).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "lang/date_time.h"
#include "logbook/log_record.h"
#include "logbook/raw_log_event.h"

namespace trivex {

class TLogRecordList {
 public:
  using RecordSupplier = std::function<std::unique_ptr<TLogRecord>()>;

  TLogRecordList() = default;
  TLogRecordList(const TLogRecordList&) = delete;
  TLogRecordList& operator=(const TLogRecordList&) = delete;

  // List access. Indexes must be valid.
  int Count() const { return static_cast<int>(records_.size()); }
  bool Empty() const { return records_.empty(); }
  TLogRecord& operator[](int i) { return *records_[static_cast<size_t>(i)]; }
  const TLogRecord& operator[](int i) const { return *records_[static_cast<size_t>(i)]; }
  TLogRecord& Last() { return *records_.back(); }
  const TLogRecord& Last() const { return *records_.back(); }
  void Add(std::unique_ptr<TLogRecord> record);
  void Add(const TLogRecord& record) { Add(std::make_unique<TLogRecord>(record)); }
  void Insert(int index, std::unique_ptr<TLogRecord> record);
  void Delete(int index);
  // Takes the record out of the list and hands it to the caller.
  std::unique_ptr<TLogRecord> Release(int index);
  // Puts `record` at `index` and returns the record that was there.
  std::unique_ptr<TLogRecord> Replace(int index, std::unique_ptr<TLogRecord> record);
  // Removes every record; the cursor and the event start mark become -1.
  void Clear();

  // Index of the first record whose time is not older than `secs`, or -1 when the list is
  // empty or its newest record is older. Binary search: O(log n).
  int FindRecord(uint32_t secs) const;
  // Puts the cursor on the first event at or after `secs` (whole seconds); false when every
  // record is older.
  bool SeekTime(uint32_t secs);
  bool SeekTime(DateTime when);  // converted leniently
  // The cursor placement of SeekTime once the record index b = FindRecord(secs) is known:
  // from the first event that begins in record b - 1 (record 0 when b = 0) it steps over
  // the events older than `secs`.
  bool SeekToRecord(int b, uint32_t secs);
  // Time of the event at the cursor without moving; false when no event is left.
  bool PeekTime(uint32_t& secs, uint16_t& msecs);
  // Moves n events forward (n > 0) or backward (n < 0); false when the end or the beginning
  // came first. Raises ELogFileError for a trailer that is odd or below 12 or that points
  // outside the records.
  bool StepEvents(int n);
  // Reads the event at the cursor and moves past it; false when no event is left. Raises
  // ELogFileError when the records end inside the event or the event is inconsistent.
  bool ReadEvent(TRawLogEvent& event);
  bool SeekAndRead(DateTime when, TRawLogEvent& event);
  // The newest event: cursor at the end of the newest record, one step back, read.
  bool ReadLastEvent(TRawLogEvent& event);
  // After an interrupted fetch: removes the records at the end in which no event begins and
  // cuts the last one after its last complete event. A record whose cut would fall on an odd
  // position is removed as a whole. `removed` (optional) receives the number of records
  // removed. False when no record that holds the start of an event remains.
  bool TrimTail(int* removed = nullptr);

  // The read cursor: record index and offset in that record's data part.
  int CursorRecord() const { return cur_rec_; }
  int CursorOffset() const { return cur_off_; }
  void SetCursor(int record, int offset);
  // Where the event being read began: set after each read or walk; -1 after clearing.
  int MarkRecord() const { return mark_rec_; }
  int MarkOffset() const { return mark_off_; }

  // Streaming: the supplier is asked for further records whenever the walk runs past the
  // last one; it returns nullptr at the end.
  void SetSupplier(RecordSupplier supplier) { supplier_ = std::move(supplier); }
  // True when record `index` exists (asking the supplier for it if needed).
  bool EnsureRecord(int index);
  // Frees the first `count` records; the cursor and the mark move with the records.
  void DropFront(int count);

 private:
  struct Pos {
    int rec;
    int off;
  };
  int Len(int rec) const { return records_[static_cast<size_t>(rec)]->DataLength(); }
  int Feo(int rec) const { return records_[static_cast<size_t>(rec)]->FirstEventOffset(); }
  bool EventAvailable();
  // The next record after `rec` in which an event begins; -1 when there is none.
  int NextEventStart(int rec);
  // Copies n bytes from p on, continuing at the start of the following records; p ends
  // after the last byte copied. False when the records end first.
  bool CopyForward(Pos& p, uint8_t* dst, int n);
  bool Advance(Pos& p, int n);
  bool Retreat(Pos& p, int n);
  [[noreturn]] void ThrowEndOfData(Pos start) const;
  [[noreturn]] void ThrowIntegrity(Pos start) const;

  std::vector<std::unique_ptr<TLogRecord>> records_;
  RecordSupplier supplier_;
  int cur_rec_ = -1, cur_off_ = -1;
  int mark_rec_ = -1, mark_off_ = -1;
};

}  // namespace trivex
