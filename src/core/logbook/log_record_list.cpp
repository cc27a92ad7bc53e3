#include "logbook/log_record_list.h"

#include <algorithm>
#include <cstring>

#include "config/device_time.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_logbook.h"
#include "logbook/log_file_error.h"

namespace trivex {

void TLogRecordList::Add(std::unique_ptr<TLogRecord> record) { records_.push_back(std::move(record)); }

void TLogRecordList::Insert(int index, std::unique_ptr<TLogRecord> record) {
  records_.insert(records_.begin() + index, std::move(record));
}

void TLogRecordList::Delete(int index) { records_.erase(records_.begin() + index); }

std::unique_ptr<TLogRecord> TLogRecordList::Release(int index) {
  auto record = std::move(records_[static_cast<size_t>(index)]);
  records_.erase(records_.begin() + index);
  return record;
}

std::unique_ptr<TLogRecord> TLogRecordList::Replace(int index, std::unique_ptr<TLogRecord> record) {
  std::swap(records_[static_cast<size_t>(index)], record);
  return record;
}

void TLogRecordList::Clear() {
  records_.clear();
  cur_rec_ = cur_off_ = -1;
  mark_rec_ = mark_off_ = -1;
}

void TLogRecordList::SetCursor(int record, int offset) {
  cur_rec_ = record;
  cur_off_ = offset;
}

bool TLogRecordList::EnsureRecord(int index) {
  if (index < 0) return false;
  while (static_cast<size_t>(index) >= records_.size()) {
    if (!supplier_) return false;
    auto record = supplier_();
    if (!record) {
      supplier_ = nullptr;  // the source is exhausted
      return false;
    }
    records_.push_back(std::move(record));
  }
  return true;
}

void TLogRecordList::DropFront(int count) {
  count = std::clamp(count, 0, Count());
  if (count == 0) return;
  records_.erase(records_.begin(), records_.begin() + count);
  auto shift = [count](int& rec, int& off) {
    if (rec < 0) return;
    if (rec < count) rec = off = -1;
    else rec -= count;
  };
  shift(cur_rec_, cur_off_);
  shift(mark_rec_, mark_off_);
}

int TLogRecordList::FindRecord(uint32_t secs) const {
  if (records_.empty() || Last().RecordTime() < secs) return -1;
  int lo = 0, hi = Count() - 1;  // the record at hi is never older than secs
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if ((*this)[mid].RecordTime() < secs) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

bool TLogRecordList::SeekTime(uint32_t secs) { return SeekToRecord(FindRecord(secs), secs); }

bool TLogRecordList::SeekTime(DateTime when) { return SeekTime(DateTimeToDeviceSecsLenient(when)); }

bool TLogRecordList::SeekToRecord(int b, uint32_t secs) {
  if (b < 0 || b >= Count()) return false;
  const int start = b == 0 ? 0 : b - 1;
  cur_rec_ = mark_rec_ = start;
  cur_off_ = mark_off_ = Feo(start);
  // Also in the first record: its time need not be that of its first event.
  for (;;) {
    uint32_t s;
    uint16_t ms;
    if (!PeekTime(s, ms) || s >= secs || !StepEvents(1)) break;
  }
  return true;
}

bool TLogRecordList::EventAvailable() {
  if (cur_rec_ < 0 || cur_rec_ >= Count() || cur_off_ < 0) return false;
  return cur_off_ < Len(cur_rec_) || EnsureRecord(cur_rec_ + 1);
}

int TLogRecordList::NextEventStart(int rec) {
  for (int r = rec + 1; EnsureRecord(r); ++r)
    if ((*this)[r].HasEventStart()) return r;
  return -1;
}

bool TLogRecordList::CopyForward(Pos& p, uint8_t* dst, int n) {
  while (n > 0) {
    const int len = Len(p.rec);
    if (p.off >= len) {
      if (!EnsureRecord(p.rec + 1)) return false;
      ++p.rec;
      p.off = 0;
      continue;
    }
    const int k = std::min(n, len - p.off);
    std::memcpy(dst, (*this)[p.rec].Data() + p.off, static_cast<size_t>(k));
    p.off += k;
    dst += k;
    n -= k;
  }
  return true;
}

bool TLogRecordList::Advance(Pos& p, int n) {
  p.off += n;
  while (p.off > Len(p.rec)) {
    p.off -= Len(p.rec);
    if (!EnsureRecord(p.rec + 1)) return false;
    ++p.rec;
  }
  return true;
}

bool TLogRecordList::Retreat(Pos& p, int n) {
  p.off -= n;
  while (p.off < 0) {
    if (p.rec == 0) return false;
    --p.rec;
    p.off += Len(p.rec);
  }
  return true;
}

void TLogRecordList::ThrowEndOfData(Pos start) const {
  throw ELogFileError(Format(lang::Tr(tx::logbook::UnexpectedEndOfData),
                             {RecordTimeText((*this)[start.rec].RecordTime()), start.off}));
}

void TLogRecordList::ThrowIntegrity(Pos start) const {
  throw ELogFileError(Format(lang::Tr(tx::logbook::DataIntegrityError),
                             {RecordTimeText((*this)[start.rec].RecordTime()), start.off}));
}

bool TLogRecordList::PeekTime(uint32_t& secs, uint16_t& msecs) {
  if (!EventAvailable()) return false;
  Pos p{cur_rec_, cur_off_};
  if (p.off >= Len(p.rec)) {
    const int r = NextEventStart(p.rec);
    if (r < 0) return false;
    p = {r, Feo(r)};
  }
  uint8_t head[6];
  if (!CopyForward(p, head, 6)) return false;
  secs = ReadBE32(head);
  msecs = ReadBE16(head + 4);
  return true;
}

bool TLogRecordList::ReadEvent(TRawLogEvent& event) {
  if (!EventAvailable()) return false;
  Pos p{cur_rec_, cur_off_};
  if (p.off >= Len(p.rec)) {
    // Nothing of an event is left in this record: the next event starts at the first-event
    // offset of the next record in which one begins.
    const int r = NextEventStart(p.rec);
    if (r < 0) return false;
    p = {r, Feo(r)};
  }
  const Pos start = p;
  uint8_t head[10];
  if (!CopyForward(p, head, 10)) ThrowEndOfData(start);
  const int n = ReadBE16(head + 8);
  event.secs = ReadBE32(head);
  event.msecs = ReadBE16(head + 4);
  event.code = ReadBE16(head + 6);
  event.data.resize(static_cast<size_t>(n));
  if (!CopyForward(p, event.data.data(), n)) ThrowEndOfData(start);

  bool trailer_known = true;
  int trailer = 0;
  if (Len(p.rec) - p.off < 2) {
    // The trailer (or its second half) lies in the next record, which then starts its first
    // event right after it.
    if (!EnsureRecord(p.rec + 1)) ThrowEndOfData(start);
    ++p.rec;
    p.off = Feo(p.rec);
    if (p.off == 2 && Len(p.rec) >= 2) trailer = ReadBE16((*this)[p.rec].Data());
    else trailer_known = false;
  } else {
    trailer = ReadBE16((*this)[p.rec].Data() + p.off);
    p.off += 2;
  }
  if (n % 2 != 0 || (trailer_known && trailer < n + 12)) ThrowIntegrity(start);
  cur_rec_ = mark_rec_ = p.rec;
  cur_off_ = mark_off_ = p.off;
  return true;
}

bool TLogRecordList::StepEvents(int n) {
  int steps = 0;
  if (n > 0) {
    while (steps < n && EventAvailable()) {
      if (cur_off_ >= Len(cur_rec_)) {
        // Go on where the next event begins; this does not count as a step.
        do {
          ++cur_rec_;
          cur_off_ = Feo(cur_rec_);
        } while (cur_off_ >= Len(cur_rec_) && EnsureRecord(cur_rec_ + 1));
        continue;
      }
      Pos p{cur_rec_, cur_off_};
      uint8_t len_bytes[2];
      if (!Advance(p, 8) || !CopyForward(p, len_bytes, 2)) break;  // the stream ends inside
      if (!Advance(p, ReadBE16(len_bytes) + 2)) break;
      cur_rec_ = p.rec;
      cur_off_ = p.off;
      ++steps;
    }
  } else if (n < 0 && cur_rec_ >= 0 && cur_rec_ < Count()) {
    cur_off_ = std::clamp(cur_off_, 0, Len(cur_rec_));
    while (steps < -n && (cur_rec_ > 0 || cur_off_ > Feo(0))) {
      Pos p{cur_rec_, cur_off_};
      if (!Retreat(p, 2)) break;
      Pos t = p;
      uint8_t tb[2];
      if (!CopyForward(t, tb, 2)) ThrowEndOfData(p);
      const int trailer = ReadBE16(tb);
      if (trailer == 0) {
        // Filler: the walk goes on at the end of the record before the filler.
        if (p.rec == 0) break;
        cur_rec_ = p.rec - 1;
        cur_off_ = Len(cur_rec_);
        continue;
      }
      if (trailer % 2 != 0 || trailer < 12) ThrowIntegrity(p);
      if (!Retreat(p, trailer - 2)) ThrowEndOfData(p);
      cur_rec_ = p.rec;
      cur_off_ = p.off;
      ++steps;
    }
  }
  if (steps == (n < 0 ? -n : n)) {
    mark_rec_ = cur_rec_;
    mark_off_ = cur_off_;
    return true;
  }
  return false;
}

bool TLogRecordList::SeekAndRead(DateTime when, TRawLogEvent& event) {
  return SeekTime(when) && ReadEvent(event);
}

bool TLogRecordList::ReadLastEvent(TRawLogEvent& event) {
  if (Empty()) return false;
  cur_rec_ = Count() - 1;
  cur_off_ = Len(cur_rec_);
  return StepEvents(-1) && ReadEvent(event);
}

bool TLogRecordList::TrimTail(int* removed) {
  int dropped = 0;
  bool found = false;
  while (!records_.empty()) {
    if (!Last().HasEventStart()) {
      records_.pop_back();
      ++dropped;
      continue;
    }
    TLogRecord& last = Last();
    const int len = last.DataLength();
    int pos = last.FirstEventOffset();
    int cut = pos;
    while (len - pos > 11) {
      pos += ReadBE16(last.Data() + pos + 8) + 12;
      if (pos <= len) cut = pos;
    }
    if (cut % 2 != 0) {
      // The record cannot end there; it is dropped and read again by the next update.
      records_.pop_back();
      ++dropped;
      continue;
    }
    last.SetDataLength(cut);
    found = true;
    break;
  }
  if (removed) *removed = dropped;
  cur_rec_ = Count() - 1;
  cur_off_ = found ? Last().DataLength() : -1;
  return found;
}

}  // namespace trivex
