// Log records in their byte and line forms, the header line, the text stream and log files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/device_time.h"
#include "lang/lang.h"
#include "lang/system_formats.h"
#include "log_builder.h"
#include "logbook/log_file.h"
#include "logbook/log_file_header.h"
#include "logbook/text_stream.h"

namespace trivex {
namespace {
using namespace trivex::testing;
namespace fs = std::filesystem;

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lang::SetCurrentLanguage(lang::English);
    saved_ = CurrentFormats();
    dir_ = fs::temp_directory_path() / ("trivex_logfile_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetCurrentFormats(saved_);
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
  }
  static std::string ConvertErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const ConvertError& e) {
      return e.what();
    }
    return "(no error)";
  }

  SystemFormats saved_;
  fs::path dir_;
};

TEST_F(LogFileTest, RecordFromBytesChecksHeaderAndLength) {
  const Bytes good = RecordBytes(1000, 2, {1, 2, 3, 4});
  TLogRecord r(good.data(), good.size());
  EXPECT_EQ(r.RecordTime(), 1000u);
  EXPECT_EQ(r.DataLength(), 4);
  EXPECT_EQ(r.FirstEventOffset(), 2);
  EXPECT_EQ(r.Data()[3], 4);

  struct Case {
    const char* what;
    Bytes bytes;
  };
  Bytes version2 = good;
  version2[4] = 2;
  Bytes too_many_words = good;
  too_many_words[5] = 129;
  Bytes claims_more = good;
  claims_more[5] = 3;  // 6 data bytes announced, 4 present
  const Case bad[] = {{"version 2", version2},
                      {"129 words", too_many_words},
                      {"words beyond the bytes present", claims_more},
                      {"short header", Bytes(good.begin(), good.begin() + 7)}};
  for (const Case& c : bad)
    EXPECT_EQ(ConvertErrorOf([&] { TLogRecord(c.bytes.data(), c.bytes.size()); }), "Data represent no log record")
        << c.what;
  // Bytes after the announced words are not part of the record.
  Bytes longer = good;
  longer.push_back(0x55);
  longer.push_back(0x66);
  EXPECT_EQ(TLogRecord(longer.data(), longer.size()), r);
}

TEST_F(LogFileTest, SetDataLengthAcceptsEvenLengthsUpToTheBytesPresent) {
  TLogRecord r = Record(1000, 0, {1, 2, 3, 4, 5, 6});
  for (int ignored : {3, 8, 512, -2, 6}) {
    r.SetDataLength(ignored);
    EXPECT_EQ(r.DataLength(), 6) << ignored;
  }
  r.SetDataLength(4);
  EXPECT_EQ(r.DataLength(), 4);
  EXPECT_EQ(r.RawBytes()[5], 2);  // the word count in the header follows
  EXPECT_EQ(r.ToLine(), "01.01.1990 00:16:40;000003E8010200000102" "0304");
  r.SetDataLength(6);  // the bytes are still there
  EXPECT_EQ(r.DataLength(), 6);
}

TEST_F(LogFileTest, RecordLinesRoundTripWhateverTheSystemDateFormat) {
  const TLogRecord r = Record(DateTimeToDeviceSecs(DateTime::FromCivil(2024, 2, 29, 23, 59, 58)), 0,
                              {0xDE, 0xAD, 0xBE, 0xEF});
  for (const char* date : {"yyyy-mm-dd", "dd.mm.yyyy", "m/d/yy"}) {
    SystemFormats f;
    f.short_date = date;
    f.decimal_separator = ',';
    SetCurrentFormats(f);
    const std::string line = r.ToLine();
    EXPECT_EQ(line, "29.02.2024 23:59:58;" + line.substr(20));
    EXPECT_EQ(TLogRecord::FromLine(line), r) << date;
  }
  // Day and month may have one digit; seconds may be missing when they are 0.
  const TLogRecord z = Record(DateTimeToDeviceSecs(DateTime::FromCivil(2024, 3, 5, 7, 8)), 0, {});
  EXPECT_EQ(TLogRecord::FromLine("5.3.2024 7:08;" + z.ToLine().substr(20)), z);
}

TEST_F(LogFileTest, MalformedRecordLinesAreRejected) {
  const std::string line = Record(1000, 0, {1, 2}).ToLine();  // 01.01.1990 00:16:40;...
  const std::string hex = line.substr(20);
  for (const std::string& bad :
       {"01.01.1990 00:16:41;" + hex,  // the time does not match the record's own time
        "01.01.1990 00:16:40" + hex,   // no ';'
        "01.01.1990 00:16:40;" + hex.substr(1),
        "01.01.1990 00:16:40;" + hex.substr(0, 8),  // header cut short (bytes check)
        "01.01.1990 00:16:40;" + hex + "X0",
        "32.01.1990 00:16:40;" + hex, std::string("garbage")}) {
    const std::string error = ConvertErrorOf([&] { TLogRecord::FromLine(bad); });
    EXPECT_TRUE(error == "String represents no log record" || error == "Data represent no log record")
        << bad << " -> " << error;
  }
  EXPECT_EQ(ConvertErrorOf([&] { TLogRecord::FromLine("01.01.1990 00:16:41;" + hex); }),
            "String represents no log record");
  // A date outside the device range raises the conversion error of the strict conversion.
  EXPECT_NE(ConvertErrorOf([&] { TLogRecord::FromLine("01.01.1980 00:00:00;" + hex); })
                .find("1980-01-01 00:00:00"),
            std::string::npos);
}

TEST_F(LogFileTest, HeaderLines) {
  TLogFileHeader h;
  EXPECT_TRUE(h.IsEmpty());
  h.Parse("id=A1;name=Nord;grp=Station;typ=ZYR-D;ver=3;fi=5;li=2;mod=8;von=100;bis=4294967295;closed=1");
  EXPECT_TRUE(h.IsValid());
  EXPECT_FALSE(h.IsEmpty());
  EXPECT_EQ(h.id, "A1");
  EXPECT_EQ(h.typ, "ZYR-D");
  EXPECT_EQ(h.li, 2);
  EXPECT_EQ(h.bis, 4294967295u);
  EXPECT_TRUE(h.closed);
  EXPECT_EQ(h.ToLine(),
            "id=A1;name=Nord;grp=Station;typ=ZYR-D;ver=3;fi=5;li=2;mod=8;von=100;bis=4294967295;closed=1");

  struct Case {
    const char* line;
    bool valid;
  };
  const Case cases[] = {
      {"id=A1", true},                                      // everything else cleared
      {"ID=A1;Name=x", true},                               // keys in any case
      {"id=A1;name=x;typ=ZYR-D;grp=g", true},               // id..von may stand out of order
      {"id=A1;mod=8;bis=5;von=3", false},                   // bis only at its own place
      {"id=A1;color=red;name=x", false},                    // unknown key
      {"id=A1;name", false},                                // no '='
  };
  for (const Case& c : cases) {
    h.Parse(c.line);
    EXPECT_EQ(h.IsValid(), c.valid) << c.line;
  }
  h.Parse("id=A1");
  EXPECT_EQ(h.name, "");
  EXPECT_EQ(h.mod, 0u);
  EXPECT_THROW(h.Parse("id=A1;name=x;grp=g;typ=t;ver=x1"), ConvertError);
  h.Parse("");
  EXPECT_TRUE(h.IsEmpty());
  EXPECT_EQ(h.ToLine(), "");

  // Separators inside texts cannot break the line.
  h.Parse("id=A1;name=n;grp=g;typ=ZYR-D;ver=1;fi=0;li=0;mod=8;von=0;bis=0;closed=0");
  h.name = "a;b=c";
  TLogFileHeader back;
  back.Parse(h.ToLine());
  EXPECT_TRUE(back.IsValid());
  EXPECT_EQ(back.name, "a_b_c");
}

TEST_F(LogFileTest, HeaderDisplayText) {
  SystemFormats f;
  f.short_date = "dd.mm.yyyy";
  SetCurrentFormats(f);
  TLogFileHeader h;
  h.Parse("id=B;name=Nord;grp=G;typ=ZYR-DM;ver=1;fi=0;li=0;mod=8;von=0;bis=86400;closed=1");
  EXPECT_EQ(h.DisplayText(),
            "Device:  B: \"Nord\" (ZYR-DM)    Entries:  from 01.01.1990 00:00:00  until 02.01.1990 00:00:00 "
            "(closed)");
  h.grp.clear();
  EXPECT_EQ(h.DisplayText(), "");
}

TEST_F(LogFileTest, TextStreamLines) {
  const std::string path = Path("lines.txt");
  WriteFile(path, "one\r\ntwo\rthree\nstill three\r\n\r\nlast");
  TTextStream s(path, TTextStream::kOpenRead);
  std::string line;
  EXPECT_EQ(s.ReadLine(line), 3u);
  EXPECT_EQ(line, "one");
  EXPECT_EQ(s.ReadLine(line), 3u);  // CR alone ends a line
  EXPECT_EQ(s.ReadLine(line), 17u);  // LF alone does not
  EXPECT_EQ(line, "three\nstill three");
  EXPECT_EQ(s.ReadLine(line), 0u);  // empty line
  EXPECT_FALSE(s.OpenLine());
  EXPECT_EQ(s.ReadLine(line), 4u);
  EXPECT_TRUE(s.OpenLine());  // the end without CR LF
  EXPECT_EQ(s.ReadLine(line), 0u);

  // Writing: an open line is ended before the next one.
  const std::string out = Path("out.txt");
  {
    TTextStream w(out, TTextStream::kCreate);
    w.WriteText("a;b");
    EXPECT_TRUE(w.OpenLine());
    w.WriteLine("c");
    w.WriteText("d\r\n");
    EXPECT_FALSE(w.OpenLine());
    w.Close();
  }
  EXPECT_EQ(ReadFile(out), "a;b\r\nc\r\nd\r\n");

  // The last line, across the search windows.
  for (size_t n : {size_t{0}, size_t{10}, size_t{4095}, size_t{4096}, size_t{9000}}) {
    WriteFile(out, "first\r\n" + std::string(n, 'x') + "\r\nlast line\r\n");
    TTextStream w(out, TTextStream::kOpenReadWrite);
    ASSERT_TRUE(w.SeekLastLine());
    EXPECT_FALSE(w.OpenLine());
    EXPECT_EQ(w.ReadLine(line), 9u) << n;
    EXPECT_EQ(line, "last line");
  }
  WriteFile(out, std::string(5000, 'y'));
  TTextStream one(out, TTextStream::kOpenRead);
  ASSERT_TRUE(one.SeekLastLine());
  EXPECT_TRUE(one.OpenLine());
  EXPECT_EQ(one.Position(), 0);
  WriteFile(out, "");
  TTextStream none(out, TTextStream::kOpenRead);
  EXPECT_FALSE(none.SeekLastLine());
  EXPECT_THROW(TTextStream(Path("missing/file"), TTextStream::kOpenRead), EStreamError);
}

TEST_F(LogFileTest, SaveAndLoadGiveIdenticalRecordsAndKeepABackup) {
  TLogFileHeader header;
  header.Parse("id=A;name=Süd;grp=G;typ=ZYR-D;ver=1;fi=0;li=3;mod=16;von=100;bis=400;closed=0");
  TLogRecordList records;
  std::vector<TRawLogEvent> events;
  for (int i = 0; i < 50; ++i) events.push_back(Raw(20, Bytes(static_cast<size_t>(i % 6) * 2, 7), 100 + i));
  BuildRecords(events, {64}, records);

  const std::string path = Path("sub/dir/station.log");  // directories are created
  SaveLogFile(path, header, records, true);
  EXPECT_FALSE(fs::exists(path + ".bak"));  // nothing to keep yet
  const std::string first = ReadFile(path);
  EXPECT_EQ(first.substr(0, first.find("\r\n")), header.ToLine());

  TLogFileHeader h2;
  TLogRecordList r2;
  LoadLogFile(path, h2, r2);
  EXPECT_EQ(h2.ToLine(), header.ToLine());
  ASSERT_EQ(r2.Count(), records.Count());
  for (int i = 0; i < records.Count(); ++i) EXPECT_EQ(r2[i], records[i]) << i;

  r2.Delete(0);
  SaveLogFile(path, h2, r2, true);
  EXPECT_EQ(ReadFile(path + ".bak"), first);
  SaveLogFile(path, h2, r2, false);  // a new log: no backup step
  EXPECT_EQ(ReadFile(path + ".bak"), first);
  for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
    EXPECT_EQ(entry.path().extension() == ".tmp", false) << entry.path();
}

TEST_F(LogFileTest, LoadingStopsAtAnEmptyLineAndReportsBadLines) {
  const TLogRecord a = Record(100, 0, {1, 2}), b = Record(200, 0, {3, 4});
  const std::string head = "id=A;name=n;grp=g;typ=ZYR-D;ver=1;fi=0;li=0;mod=8;von=0;bis=0;closed=0\r\n";
  TLogFileHeader h;
  TLogRecordList r;

  WriteFile(Path("gap.log"), head + a.ToLine() + "\r\n\r\n" + b.ToLine() + "\r\n");
  LoadLogFile(Path("gap.log"), h, r);
  EXPECT_EQ(r.Count(), 1);

  WriteFile(Path("new.log"), "\r\n" + a.ToLine() + "\r\n");
  LoadLogFile(Path("new.log"), h, r);
  EXPECT_TRUE(h.IsEmpty());
  EXPECT_EQ(r.Count(), 0);

  LoadLogFile(Path("missing.log"), h, r);
  EXPECT_TRUE(h.IsEmpty());

  WriteFile(Path("bad.log"), head + a.ToLine() + "\r\nnot a record\r\n" + b.ToLine() + "\r\n");
  EXPECT_EQ(ConvertErrorOf([&] { LoadLogFile(Path("bad.log"), h, r); }), "String represents no log record");
  EXPECT_EQ(r.Count(), 1);  // what was read before stays
}

}  // namespace
}  // namespace trivex
