// The event stream over a record list: reading events that span records, walking forward
// and backward, searching by time, cutting the tail after an interrupted fetch.
#include <gtest/gtest.h>

#include "lang/lang.h"
#include "log_builder.h"
#include "logbook/log_file_error.h"
#include "logbook/log_record_list.h"

namespace trivex {
namespace {
using namespace trivex::testing;

// Events 0..n-1 at seconds 100, 110, ...; event i carries 2 * (i % 4) data bytes.
std::vector<TRawLogEvent> Events(int n) {
  std::vector<TRawLogEvent> out;
  for (int i = 0; i < n; ++i) {
    Bytes data(static_cast<size_t>(2 * (i % 4)), static_cast<uint8_t>(i));
    out.push_back(Raw(static_cast<uint16_t>(20 + i), data, 100 + 10 * static_cast<uint32_t>(i),
                      static_cast<uint16_t>(i)));
  }
  return out;
}

std::vector<TRawLogEvent> ReadAll(TLogRecordList& list) {
  std::vector<TRawLogEvent> out;
  TRawLogEvent e;
  EXPECT_TRUE(list.SeekTime(0u));
  while (list.ReadEvent(e)) out.push_back(e);
  return out;
}

void ExpectSame(const std::vector<TRawLogEvent>& a, const std::vector<TRawLogEvent>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].secs, b[i].secs) << i;
    EXPECT_EQ(a[i].msecs, b[i].msecs) << i;
    EXPECT_EQ(a[i].code, b[i].code) << i;
    EXPECT_EQ(a[i].data, b[i].data) << i;
  }
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ELogFileError& e) {
    return e.what();
  }
  return "(no error)";
}

class EventStream : public ::testing::Test {
 protected:
  void SetUp() override { lang::SetCurrentLanguage(lang::English); }
};

// Every way of cutting the stream into records reads back the same events: heads split at
// every position, data that ends exactly at a record end (the trailer opens the next record,
// whose first-event offset is then 2), whole records in which no event begins.
TEST_F(EventStream, ReadsTheSameEventsWhereverRecordsCutTheStream) {
  const auto events = Events(12);
  for (int size : {2, 4, 6, 8, 10, 12, 14, 16, 22, 26, 40, 256}) {
    TLogRecordList list;
    BuildRecords(events, {size}, list);
    SCOPED_TRACE(size);
    ExpectSame(ReadAll(list), events);
  }
}

TEST_F(EventStream, HeadSplitThreePlusSevenAndTrailerOpeningTheNextRecord) {
  const TRawLogEvent a = Raw(17, {}, 500), b = Raw(18, {1, 2}, 600);
  const Bytes sa = EventBytes(a), sb = EventBytes(b);
  // Record 0 ends where A's data ends; record 1 starts with A's trailer (offset 2) and holds
  // 3 bytes of B's head; record 2 the other 7 and the rest of B.
  TLogRecordList list;
  list.Add(Record(500, 0, Bytes(sa.begin(), sa.begin() + 10)));
  Bytes r1(sa.begin() + 10, sa.end());
  r1.insert(r1.end(), sb.begin(), sb.begin() + 4);
  list.Add(Record(600, 2, r1));
  list.Add(Record(600, 10, Bytes(sb.begin() + 4, sb.end())));
  ExpectSame(ReadAll(list), {a, b});
}

TEST_F(EventStream, TrailerSplitOneAndOneIsUnknownAndTheNextEventStartsAtOffsetOne) {
  const TRawLogEvent a = Raw(17, {9, 9}, 500), b = Raw(18, {}, 600);
  const Bytes sa = EventBytes(a), sb = EventBytes(b);  // 14 and 12 bytes
  TLogRecordList list;
  Bytes r0{0x00};  // the end of an older event
  r0.insert(r0.end(), sa.begin(), sa.begin() + 13);
  list.Add(Record(500, 1, r0));
  Bytes r1{sa[13]};
  r1.insert(r1.end(), sb.begin(), sb.end());
  r1.push_back(0);
  list.Add(Record(600, 1, r1));
  TRawLogEvent e;
  ASSERT_TRUE(list.SeekTime(0u));
  ASSERT_TRUE(list.ReadEvent(e));
  EXPECT_EQ(e.data, (Bytes{9, 9}));
  EXPECT_EQ(list.CursorRecord(), 1);
  EXPECT_EQ(list.CursorOffset(), 1);
  ASSERT_TRUE(list.ReadEvent(e));
  EXPECT_EQ(e.code, 18);
}

TEST_F(EventStream, WalksForwardAndBackwardOverEveryEvent) {
  const auto events = Events(9);
  for (int size : {4, 10, 18, 256}) {
    SCOPED_TRACE(size);
    TLogRecordList list;
    BuildRecords(events, {size}, list);
    TRawLogEvent e;
    ASSERT_TRUE(list.ReadLastEvent(e));
    EXPECT_EQ(e.code, events.back().code);
    // From the end, step back k events and read the k-th newest.
    for (int k = 1; k <= 9; ++k) {
      list.SetCursor(list.Count() - 1, list.Last().DataLength());
      ASSERT_TRUE(list.StepEvents(-k));
      ASSERT_TRUE(list.ReadEvent(e));
      EXPECT_EQ(e.code, events[static_cast<size_t>(9 - k)].code);
    }
    list.SetCursor(list.Count() - 1, list.Last().DataLength());
    EXPECT_FALSE(list.StepEvents(-10));  // the beginning comes first
    ASSERT_TRUE(list.SeekTime(0u));
    ASSERT_TRUE(list.StepEvents(4));
    ASSERT_TRUE(list.ReadEvent(e));
    EXPECT_EQ(e.code, events[4].code);
    EXPECT_FALSE(list.StepEvents(5));  // only four are left
  }
}

TEST_F(EventStream, ZeroTrailerIsFillerAndTheWalkGoesOnInTheRecordBefore) {
  const auto events = Events(3);
  TLogRecordList list;
  BuildRecords(events, {256}, list);
  // A record whose leading partial event was zeroed (as the first record of a fetch is).
  Bytes r1{0, 0, 0, 0};
  const Bytes sc = EventBytes(Raw(99, {}, 900));
  r1.insert(r1.end(), sc.begin(), sc.end());
  list.Add(Record(900, 4, r1));
  list.SetCursor(1, 4);
  ASSERT_TRUE(list.StepEvents(-1));  // the filler is skipped, then the newest event of record 0
  EXPECT_EQ(list.CursorRecord(), 0);
  TRawLogEvent e;
  ASSERT_TRUE(list.ReadEvent(e));
  EXPECT_EQ(e.code, events[2].code);
}

TEST_F(EventStream, BrokenEventsRaiseErrorsNamingTheRecordAndOffset) {
  const auto events = Events(2);
  Bytes stream = EventBytes(events[0]);
  const Bytes second = EventBytes(events[1]);
  stream.insert(stream.end(), second.begin(), second.end());

  // The stream ends inside an event.
  TLogRecordList cut;
  cut.Add(Record(100, 0, Bytes(stream.begin(), stream.end() - 4)));
  TRawLogEvent e;
  ASSERT_TRUE(cut.SeekTime(0u));
  ASSERT_TRUE(cut.ReadEvent(e));
  EXPECT_EQ(ErrorOf([&] { cut.ReadEvent(e); }),
            "unexpected end of data in event starting in record 01.01.1990 00:01:40 offset 12");

  // A trailer that does not match the data length.
  Bytes bad = stream;
  bad[11] = 4;  // first trailer: 4 instead of 12
  TLogRecordList list;
  list.Add(Record(100, 0, bad));
  ASSERT_TRUE(list.SeekTime(0u));
  EXPECT_EQ(ErrorOf([&] { list.ReadEvent(e); }),
            "data integrity error in event starting in record 01.01.1990 00:01:40 offset 0");

  // Walking backwards by trailers taken from the data never leaves the records: odd
  // trailers, trailers below 12 and trailers that point before the first record are refused.
  for (unsigned trailer : {13u, 4u, 2u, 2000u}) {
    Bytes walk = stream;
    walk[walk.size() - 2] = static_cast<uint8_t>(trailer >> 8);
    walk[walk.size() - 1] = static_cast<uint8_t>(trailer);
    TLogRecordList w;
    w.Add(Record(100, 0, walk));
    w.SetCursor(0, static_cast<int>(walk.size()));
    EXPECT_NE(ErrorOf([&] { w.StepEvents(-1); }), "(no error)") << trailer;
  }
}

TEST_F(EventStream, RecordsWithoutAnEventStartAreSkipped) {
  const TRawLogEvent a = Raw(17, {}, 500), b = Raw(18, {}, 600);
  const Bytes sa = EventBytes(a), sb = EventBytes(b);
  TLogRecordList list;
  list.Add(Record(500, 0, sa));
  list.Add(Record(500, 4, {7, 7, 7, 7}));  // first-event offset = data length: nothing begins
  list.Add(Record(600, 0, sb));
  ExpectSame(ReadAll(list), {a, b});
}

TEST_F(EventStream, FindsRecordsAndEventsByTime) {
  TLogRecordList empty;
  EXPECT_EQ(empty.FindRecord(0), -1);
  EXPECT_FALSE(empty.SeekTime(0u));

  const auto events = Events(40);  // seconds 100 .. 490
  TLogRecordList list;
  BuildRecords(events, {16}, list);
  EXPECT_EQ(list.FindRecord(10000), -1);  // every record is older
  EXPECT_FALSE(list.SeekTime(10000u));
  EXPECT_EQ(list.FindRecord(0), 0);
  for (int r = 0; r < list.Count(); ++r) {
    const uint32_t t = list[r].RecordTime();
    const int found = list.FindRecord(t);
    EXPECT_LE(found, r);
    EXPECT_EQ(list[found].RecordTime(), t);
    if (found > 0) {
      EXPECT_LT(list[found - 1].RecordTime(), t);
    }
  }
  TRawLogEvent e;
  for (uint32_t secs : {0u, 100u, 101u, 255u, 260u, 490u}) {
    ASSERT_TRUE(list.SeekTime(secs)) << secs;
    ASSERT_TRUE(list.ReadEvent(e)) << secs;
    EXPECT_EQ(e.secs, std::max<uint32_t>(100, (secs + 9) / 10 * 10)) << secs;
  }
  EXPECT_TRUE(list.SeekAndRead(DeviceSecsToDateTime(300), e));
  EXPECT_EQ(e.secs, 300u);
  uint32_t s;
  uint16_t ms;
  ASSERT_TRUE(list.SeekTime(300u));
  ASSERT_TRUE(list.PeekTime(s, ms));
  EXPECT_EQ(s, 300u);
  EXPECT_EQ(ms, 20);
  ASSERT_TRUE(list.ReadEvent(e));
  EXPECT_EQ(e.secs, 300u);  // peeking did not move
}

TEST_F(EventStream, TrimTailCutsAfterTheLastCompleteEvent) {
  const auto events = Events(6);
  Bytes stream;
  for (const auto& e : events) {
    const Bytes b = EventBytes(e);
    stream.insert(stream.end(), b.begin(), b.end());
  }
  // An interrupted fetch: the last record ends inside event 5, and two records hold only
  // the middle of an event.
  TLogRecordList list;
  list.Add(Record(100, 0, Bytes(stream.begin(), stream.end() - 6)));
  list.Add(Record(100, 4, {1, 2, 3, 4}));
  list.Add(Record(100, 2, {1, 2}));
  int removed = -1;
  ASSERT_TRUE(list.TrimTail(&removed));
  EXPECT_EQ(removed, 2);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0].DataLength(), static_cast<int>(stream.size() - EventBytes(events[5]).size()));
  std::vector<TRawLogEvent> expected(events.begin(), events.end() - 1);
  ExpectSame(ReadAll(list), expected);

  // No complete event: the record ends at its first-event offset.
  TLogRecordList partial;
  partial.Add(Record(100, 2, {0, 0, 1, 2, 3, 4}));
  ASSERT_TRUE(partial.TrimTail());
  EXPECT_EQ(partial[0].DataLength(), 2);

  // A cut at an odd position cannot be made: the record goes.
  TLogRecordList odd;
  odd.Add(Record(100, 0, Bytes(stream.begin(), stream.begin() + 12)));
  odd.Add(Record(100, 1, {0, 1, 2, 3}));
  ASSERT_TRUE(odd.TrimTail(&removed));
  EXPECT_EQ(removed, 1);
  EXPECT_EQ(odd.Count(), 1);

  TLogRecordList none;
  none.Add(Record(100, 4, {1, 2, 3, 4}));
  EXPECT_FALSE(none.TrimTail(&removed));
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(EventStream, SupplierFeedsRecordsAsTheWalkNeedsThem) {
  const auto events = Events(30);
  TLogRecordList source;
  BuildRecords(events, {6}, source);
  int next = 0;
  TLogRecordList list;
  list.SetSupplier([&]() -> std::unique_ptr<TLogRecord> {
    if (next >= source.Count()) return nullptr;
    return std::make_unique<TLogRecord>(source[next++]);
  });
  ASSERT_TRUE(list.EnsureRecord(0));
  ASSERT_TRUE(list.SeekToRecord(0, 0));
  TRawLogEvent e;
  std::vector<TRawLogEvent> read;
  while (list.ReadEvent(e)) {
    read.push_back(e);
    list.DropFront(list.CursorRecord());
    EXPECT_LE(list.Count(), 8);  // only the records of the event at hand are kept
  }
  ExpectSame(read, events);
}

}  // namespace
}  // namespace trivex
