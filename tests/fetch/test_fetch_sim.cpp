// The logbook fetch against trivex-sim through the real serial code: complete and
// incremental fetches, wrapped rings, broken CRCs, Stop, devices that add records while they
// are read, overwritten rings and devices with broken data.
#include <gtest/gtest.h>

#include "fetch_test_support.h"
#include "lang/lang.h"
#include "logbook/text_stream.h"

namespace trivex::test {
namespace {

std::string Station(const std::string& type, const std::string& version, const std::string& name,
                    const std::string& log_keys) {
  return "port = A:\n[A:]\ntype = " + type + "\nversion = " + version + "\nname = " + name + "\n" + log_keys;
}

// One simulator with one fetch set-up (link, fakes, chooser, the window's current file).
class Fetcher {
 public:
  explicit Fetcher(const std::string& station_text, std::vector<std::string> options = {})
      : station_(station_text), sim_(WithStation(station_.path(), std::move(options))) {
    lang::SetCurrentLanguage(lang::English);
    ui.link = link.get();
  }
  SimProcess& sim() { return sim_; }

  // "Read Logfile from Device..." for `device` into `file`.
  TLogFetchResult Read(const std::string& device, const std::string& file, TLogFetchOptions options = {}) {
    ui.device = device;
    ui.file = file;
    return fetch.ReadFromDevice(prefix, header, records, options);
  }
  TLogFetchResult Update(const std::string& file) { return fetch.Update(prefix, file, header, records); }
  // A complete fetch of the same device into a file of its own, for comparison.
  std::vector<TRawLogEvent> FullEvents(const std::string& device, const std::string& file) {
    TLogFileHeader h;
    TLogRecordList r;
    std::string p;
    FakeFetchUi other;
    other.device = device;
    other.file = file;
    if (chooser.Count() == 0) other.link = link.get();  // no scan yet
    ScriptAppUi quiet;
    TLogbookFetch f(*link, quiet, other, chooser);
    const TLogFetchResult result = f.ReadFromDevice(p, h, r, {true});
    EXPECT_EQ(result.outcome, TLogFetchResult::kComplete);
    return FileEvents(file);
  }
  // The record slots asked for, in order ("A:fread.+ log 5" -> 5).
  std::vector<int> SlotsRead() const {
    std::vector<int> slots;
    for (const auto& c : app.commands) {
      const size_t p = c.find("fread.+ log ");
      if (p != std::string::npos) slots.push_back(std::stoi(c.substr(p + 12)));
    }
    return slots;
  }

 private:
  static std::vector<std::string> WithStation(const std::string& path, std::vector<std::string> options) {
    options.insert(options.begin(), {"--station", path});
    return options;
  }
  TempFile station_;
  SimProcess sim_;

 public:
  FakeLinkUi link_ui;
  ScriptAppUi app;
  FakeFetchUi ui;
  TDeviceChooser chooser;
  std::unique_ptr<TKombiCommunicator> link = SimLink(sim_.path(), &link_ui);
  TLogbookFetch fetch{*link, app, ui, chooser};
  TLogFileHeader header;
  TLogRecordList records;
  std::string prefix = "AA:";
  TempDir dir;
};

TEST(FetchFromSimulator, CompleteFetchThenAnUpdateAppendsExactlyTheNewEvents) {
  Fetcher f(Station("ZYR-D", "1.2.20", "Sub/Nord:1", "log events = 150\nlog mod = 64\n"));
  // The chooser scans the link first: the fetch works on a link that was open before.
  f.link->Open();
  const std::string file = f.dir.File("ZYR-D_Sub_Nord_1_A.log");
  TLogFetchResult r = f.Read("A:", file);
  EXPECT_EQ(f.ui.proposed, "ZYR-D_Sub_Nord_1_A");
  ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
  EXPECT_TRUE(r.saved);
  EXPECT_TRUE(f.link->Active());  // open again, as before
  EXPECT_EQ(f.prefix, "A:");
  EXPECT_FALSE(std::filesystem::exists(file + ".bak"));
  const auto first = FileEvents(file);
  EXPECT_EQ(first.size(), 150u);
  EXPECT_EQ(f.header.id, "A");
  EXPECT_EQ(f.header.typ, "ZYR-D");
  EXPECT_EQ(f.header.fi, 0);
  EXPECT_EQ(f.header.li, f.records.Count() - 1);
  EXPECT_EQ(f.app.panel0, "Read logfile");
  EXPECT_EQ(f.app.busy, 1);
  EXPECT_EQ(f.app.idle, 1);
  // Header, slots 0..li, header again; progress never beyond its maximum.
  EXPECT_EQ(f.app.commands.front(), "A:fread.+ log.h 0 *");
  EXPECT_EQ(f.app.commands.back(), "A:fread.+ log.h 0 *");
  const std::vector<int> slots = f.SlotsRead();
  ASSERT_EQ(static_cast<int>(slots.size()), f.records.Count());
  for (size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(slots[i], static_cast<int>(i));
  for (auto [pos, max] : f.app.progress) EXPECT_LE(pos, max);
  const std::string before = ReadFile(file);

  f.sim().Control("addevents 40 A:");
  f.app.commands.clear();
  const int old_li = f.header.li;
  r = f.Update(file);
  ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
  // The update reads the file's newest slot again and then only what follows it.
  const std::vector<int> again = f.SlotsRead();
  ASSERT_FALSE(again.empty());
  EXPECT_EQ(again.front(), old_li);
  for (int s : again) EXPECT_GE(s, old_li);
  const auto updated = FileEvents(file);
  EXPECT_EQ(updated.size(), 190u);
  EXPECT_TRUE(SameEvents(updated, f.FullEvents("A:", f.dir.File("full.log"))));
  EXPECT_EQ(ReadFile(file + ".bak"), before);
}

TEST(FetchFromSimulator, WrappedRingIsReadFromFiToLi) {
  // 17 events fill six records of 64 bytes from slot 5 on: fi = 5, li = 2, mod = 8.
  Fetcher f(Station("ZYR-D", "1.2.20", "Ring", "log events = 17\nlog mod = 8\nlog first = 5\nlog record = 64\n"));
  const std::string file = f.dir.File("ring.log");
  const TLogFetchResult r = f.Read("A:", file);
  ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
  EXPECT_EQ(f.SlotsRead(), (std::vector<int>{5, 6, 7, 0, 1, 2}));
  // (li + mod - i) mod mod at the start of the reading.
  bool seen = false;
  for (auto [pos, max] : f.app.progress) seen = seen || max == 5;
  EXPECT_TRUE(seen);
  EXPECT_EQ(f.header.fi, 5);
  EXPECT_EQ(f.header.li, 2);
  EXPECT_EQ(FileEvents(file).size(), 17u);
}

TEST(FetchFromSimulator, OverwrittenRingStartsWithFillerAndAnUpdateContinuesAfterTheGap) {
  Fetcher f(Station("ZYR-D", "1.2.20", "Small", "log events = 60\nlog mod = 8\nlog record = 64\n"));
  const std::string file = f.dir.File("small.log");
  ASSERT_EQ(f.Read("A:", file).outcome, TLogFetchResult::kComplete);
  // The oldest record began inside an event: its first bytes read as filler.
  ASSERT_GT(f.records.Count(), 0);
  const TLogRecord& oldest = f.records[0];
  for (int k = 0; k < std::min(oldest.FirstEventOffset(), oldest.DataLength()); ++k) EXPECT_EQ(oldest.Data()[k], 0);
  const auto old_events = FileEvents(file);
  EXPECT_FALSE(old_events.empty());
  const std::string old_text = ReadFile(file);

  // The device writes far more than its ring holds: the file's newest slot is gone.
  f.sim().Control("addevents 200 A:");
  const TLogFetchResult r = f.Update(file);
  ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
  f.FullEvents("A:", f.dir.File("full.log"));
  // The file is its old records followed by the device's whole ring (a complete fetch).
  auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    size_t start = text.find("\r\n") + 2;  // after the header line
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      out.push_back(text.substr(start, end - start));
    return out;
  };
  std::vector<std::string> expected = lines(old_text);
  for (const auto& l : lines(ReadFile(f.dir.File("full.log")))) expected.push_back(l);
  EXPECT_EQ(lines(ReadFile(file)), expected);
  EXPECT_NO_THROW(FileEvents(file));
}

TEST(FetchFromSimulator, BrokenCrcAsksRetryOrCancelAndAbortKeepsTheFile) {
  Fetcher f(Station("ZYR-DM", "0.2.13", "Feeder", "log events = 120\nlog mod = 64\n"));
  const std::string file = f.dir.File("dm.log");
  ASSERT_EQ(f.Read("A:", file).outcome, TLogFetchResult::kComplete);
  const auto old_events = FileEvents(file);
  const std::string old_text = ReadFile(file);

  f.sim().Control("addevents 80 A:");
  const int bad = f.header.li + 2;  // the second new slot
  f.sim().Control("logcrc " + std::to_string(bad) + " 1");
  f.ui.answers = {TDialogAnswer::kAbort};
  TLogFetchResult r = f.Update(file);
  EXPECT_EQ(r.outcome, TLogFetchResult::kInterrupted);
  EXPECT_EQ(r.link_result, -6);
  EXPECT_TRUE(r.user_abort);
  ASSERT_EQ(f.ui.read_errors.size(), 1u);
  EXPECT_EQ(f.ui.read_errors[0].caption, "Error");
  EXPECT_EQ(f.ui.read_errors[0].text,
            "Error while reading the logfile:\r\nA:fread.+ log " + std::to_string(bad) + "\r\n[communication failure]");
  EXPECT_TRUE(f.ui.read_errors[0].retry_cancel);
  // Nothing of the old file is lost; what came before the bad block is appended.
  const auto kept = FileEvents(file);
  ASSERT_GE(kept.size(), old_events.size());
  EXPECT_TRUE(SameEvents(std::vector<TRawLogEvent>(kept.begin(), kept.begin() + static_cast<long>(old_events.size())),
                         old_events));
  EXPECT_EQ(ReadFile(file + ".bak"), old_text);
  EXPECT_EQ(f.header.bis, f.records.Last().RecordTime());

  // Retry after a broken block goes on; the next update completes the file exactly.
  f.sim().Control("logcrc " + std::to_string(f.header.li + 1) + " 1");
  f.ui.answers = {TDialogAnswer::kRetry};
  f.ui.read_errors.clear();
  r = f.Update(file);
  ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
  EXPECT_EQ(f.ui.read_errors.size(), 1u);
  EXPECT_TRUE(SameEvents(FileEvents(file), f.FullEvents("A:", f.dir.File("full.log"))));
}

TEST(FetchFromSimulator, CrcModeFollowsTypeAndFirmware) {
  struct Case {
    const char* type;
    const char* version;
    bool crc;
  } cases[] = {{"ZYR-D", "1.1.03", false}, {"ZYR-D", "1.1.04", true}, {"ZYR-DM", "0.2.13", true},
               {"VAD-AZ", "2.1.99", false}, {"VAD-AZ", "2.2.00", true}, {"ZED-UDE", "2.2.00", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.version);
    // The simulator spoils slot 0 once where the firmware sends a CRC.
    Fetcher f(Station(c.type, c.version, "Dev", "log events = 30\n"), {"--log-bad-crc", "0:1"});
    f.ui.answers = {TDialogAnswer::kRetry};
    const TLogFetchResult r = f.Read("A:", f.dir.File("dev.log"));
    ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
    EXPECT_EQ(f.ui.read_errors.size(), c.crc ? 1u : 0u);
    EXPECT_EQ(FileEvents(f.dir.File("dev.log")).size(), 30u);
  }
}

TEST(FetchFromSimulator, StopInTheMiddleKeepsCompleteEventsAndTheNextUpdateGoesOn) {
  // Records of 16 bytes: most events span several records, many records hold no event start,
  // so the trimming after Stop often drops whole records.
  Fetcher f(Station("VAD-AZ", "2.2.10", "Coil", "log events = 60\nlog mod = 200\nlog record = 16\n"));
  const auto full = f.FullEvents("A:", f.dir.File("full.log"));
  ASSERT_EQ(full.size(), 60u);
  for (int stop_at = 2; stop_at <= 14; ++stop_at) {
    SCOPED_TRACE(stop_at);
    const std::string file = f.dir.File("coil" + std::to_string(stop_at) + ".log");
    f.app.commands.clear();
    f.app.before_exchange = [stop_at](const std::string& command, int) {
      if (command == "A:fread.+ log " + std::to_string(stop_at)) SetUserAbort(true);  // Stop
    };
    TLogFetchResult r = f.Read("A:", file);
    ASSERT_EQ(r.outcome, TLogFetchResult::kInterrupted);
    EXPECT_TRUE(r.user_abort);
    EXPECT_EQ(r.link_result, 0);
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(f.SlotsRead().back(), stop_at);  // asked for, but Stop came first
    // The file ends after its last complete event; "bis" is the time of its last record and
    // "li" the slot of that record.
    EXPECT_LE(f.records.Count(), stop_at);
    EXPECT_EQ(f.header.bis, f.records.Empty() ? 0u : f.records.Last().RecordTime());
    EXPECT_EQ(f.header.li, f.records.Count() - 1);
    const auto part = FileEvents(file);
    ASSERT_LE(part.size(), full.size());
    EXPECT_TRUE(SameEvents(part, std::vector<TRawLogEvent>(full.begin(), full.begin() + static_cast<long>(part.size()))));

    // The next update neither repeats nor skips a record.
    f.app.before_exchange = nullptr;
    r = f.Update(file);
    ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
    EXPECT_TRUE(SameEvents(FileEvents(file), full));
  }
}

TEST(FetchFromSimulator, RecordsWrittenWhileTheNewestIsReadAreFetchedToo) {
  Fetcher f(Station("ZYR-D", "1.2.20", "Busy", "log events = 100\n"));
  bool added = false;
  f.app.before_exchange = [&](const std::string& command, int index) {
    // Just before the header is read again at the device's newest slot.
    if (!added && index > 0 && command == "A:fread.+ log.h 0 *") {
      f.sim().Control("addevents 50 A:");
      added = true;
    }
  };
  const std::string file = f.dir.File("busy.log");
  const TLogFetchResult r = f.Read("A:", file);
  ASSERT_EQ(r.outcome, TLogFetchResult::kComplete) << r.message;
  EXPECT_TRUE(added);
  const auto events = FileEvents(file);
  EXPECT_EQ(events.size(), 150u);
  f.app.before_exchange = nullptr;
  EXPECT_TRUE(SameEvents(events, f.FullEvents("A:", f.dir.File("full.log"))));
}

TEST(FetchFromSimulator, FileOfAnotherDeviceAsksFirstAndNoLeavesItAlone) {
  Fetcher f("port = A:\n[A:]\ntype = ZYR-D\nname = Master\nlog events = 20\n"
            "[A1:]\ntype = ZYR-D\nname = Slave\nlog events = 25\n");
  const std::string file = f.dir.File("slave.log");
  ASSERT_EQ(f.Read("A1:", file).outcome, TLogFetchResult::kComplete);
  EXPECT_EQ(f.prefix, "A1:");
  const std::string text = ReadFile(file);
  const TLogFetchResult r = f.Read("A:", file);
  EXPECT_EQ(r.outcome, TLogFetchResult::kCancelled);
  ASSERT_EQ(f.ui.questions.size(), 1u);
  EXPECT_EQ(f.ui.questions[0].caption, "Conflict");
  EXPECT_EQ(f.ui.questions[0].text, "Selected logfile and device don't match.\nproceed anyway?");
  EXPECT_EQ(ReadFile(file), text);
  EXPECT_EQ(FileEvents(file).size(), 25u);
}

TEST(FetchFromSimulator, DevicesWithoutLogbookOrWithBrokenData) {
  // The last case: a first record of two data words whose first-event offset (0xFFFF) says
  // that no event begins in it: the filler that is cleared stays inside the record.
  const std::string event = "40404040000000410000000C";  // seconds, ms 0, code 65, no data, trailer 12
  struct Case {
    const char* what;
    std::string log_keys;
    TLogFetchResult::Outcome outcome;
    std::string caption, error;
  } cases[] = {
      {"no logbook", "log type = none\nlog events = 5\n", TLogFetchResult::kNoLogbook, "Abort",
       "Selected device contains no logfile."},
      {"empty ring", "log events = 0\n", TLogFetchResult::kNothing, "", ""},
      {"slot beyond the ring", "log header = id=A;name=D;grp=E;typ=ZYR-D;ver=1;fi=9;li=2;mod=8;von=1;bis=2;closed=0\n",
       TLogFetchResult::kBadRing, "Error",
       "The device reports an impossible logbook ring (fi=9, li=2, mod=8); nothing was read."},
      {"negative slot", "log header = id=A;name=D;grp=E;typ=ZYR-D;ver=1;fi=0;li=-1;mod=8;von=1;bis=2;closed=0\n",
       TLogFetchResult::kBadRing, "Error",
       "The device reports an impossible logbook ring (fi=0, li=-1, mod=8); nothing was read."},
      {"record of version 2",
       "log header = id=A;name=D;grp=E;typ=ZYR-D;ver=1;fi=0;li=0;mod=8;von=1;bis=2;closed=0\nlog slot 0 = "
       "404040400202000000000000\n",
       TLogFetchResult::kFailed, "Error", "The device sent bad data: Data represent no log record"},
      {"offset beyond the data",
       "log header = id=A;name=D;grp=E;typ=ZYR-D;ver=1;fi=0;li=1;mod=8;von=1;bis=2;closed=0\nlog slot 0 = "
       "404040400102FFFFAABBCCDD\nlog slot 1 = 4040404001060000" + event + "\n",
       TLogFetchResult::kComplete, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fetcher f(Station("ZYR-D", "1.1.03", "D", c.log_keys));
    const std::string file = f.dir.File("d.log");
    const TLogFetchResult r = f.Read("A:", file);
    EXPECT_EQ(r.outcome, c.outcome) << r.message;
    if (c.error.empty()) {
      EXPECT_TRUE(f.ui.errors.empty());
    } else {
      ASSERT_EQ(f.ui.errors.size(), 1u);
      EXPECT_EQ(f.ui.errors[0].caption, c.caption);
      EXPECT_EQ(f.ui.errors[0].text, c.error);
    }
    EXPECT_EQ(std::filesystem::exists(file), c.outcome == TLogFetchResult::kComplete);
    if (c.outcome == TLogFetchResult::kComplete) {
      ASSERT_EQ(f.records.Count(), 2);
      EXPECT_EQ(f.records[0].ToLine().substr(20), "404040400102FFFF00000000");
      EXPECT_EQ(FileEvents(file).size(), 1u);
    }
  }
}

TEST(FetchFromSimulator, CommandLineFetchUpdateAndBrokenCrc) {
  TempFile station(Station("ZYR-DM", "0.2.13", "Feeder 7", "log events = 90\n"));
  SimProcess sim({"--station", station.path()});
  TempDir dir;
  auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", sim.path(), "logbook", "fetch"});
    return RunProcess(TRIVEX_CLI_PATH, args);
  };
  ProcessResult p = cli({"--device", "A", "--dir", dir.path()});
  ASSERT_EQ(p.status, 0) << p.err;
  const std::string file = dir.File("ZYR-DM_Feeder 7_A.log");
  EXPECT_EQ(p.out, file + "\n");
  EXPECT_EQ(FileEvents(file).size(), 90u);

  sim.Control("addevents 30 A:");
  p = cli({"--device", "A:", "--dir", dir.path()});
  ASSERT_EQ(p.status, 0) << p.err;
  EXPECT_EQ(FileEvents(file).size(), 120u);

  // A block whose CRC stays wrong: exit 16; the complete fetch replaces nothing.
  const std::string text = ReadFile(file);
  sim.Control("logcrc 1");
  p = cli({"--device", "A", "--dir", dir.path(), "--full"});
  EXPECT_EQ(p.status, 16) << p.err;
  EXPECT_NE(p.err.find("Error while reading the logfile: A:fread.+ log 1 [communication failure]"), std::string::npos)
      << p.err;
  EXPECT_EQ(ReadFile(file), text);

  EXPECT_EQ(cli({"--dir", dir.path()}).status, 64);
  EXPECT_EQ(cli({"--device", "Q:", "--dir", dir.path()}).status, 1);
}

}  // namespace
}  // namespace trivex::test
