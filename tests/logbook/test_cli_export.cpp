// trivex-cli logbook export: the lines the logbook window would show or export.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang/lang.h"
#include "log_builder.h"
#include "logbook/log_event.h"
#include "logbook/log_export.h"
#include "logbook/log_file.h"

namespace trivex {
namespace {
using namespace trivex::testing;
namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out, err;
};

CliRun Cli(const std::string& args) {
  const std::string err_file = fs::temp_directory_path() / ("trivex_cli_err_" + std::to_string(::getpid()));
  const std::string cmd = std::string(TRIVEX_CLI_PATH) + " " + args + " 2>" + err_file;
  CliRun r;
  FILE* p = ::popen(cmd.c_str(), "r");
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::ifstream e(err_file);
  std::stringstream s;
  s << e.rdbuf();
  r.err = s.str();
  fs::remove(err_file);
  return r;
}

class CliExport : public ::testing::Test {
 protected:
  void SetUp() override {
    lang::SetCurrentLanguage(lang::English);
    dir_ = fs::temp_directory_path() / ("trivex_cli_export_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    header_.Parse("id=A;name=Nord;grp=G;typ=ZYR-D;ver=1;fi=0;li=0;mod=64;von=0;bis=0;closed=0");
    // Earth faults and simple events every 10 s from 2024-01-01 10:00:00.
    const uint32_t base = DateTimeToDeviceSecs(DateTime::FromCivil(2024, 1, 1, 10, 0, 0));
    for (int i = 0; i < 40; ++i) {
      const uint32_t t = base + 10 * static_cast<uint32_t>(i);
      events_.push_back(i % 2 ? Raw(65, {}, t, 250) : Raw(17, Cat({{0x12, 0}, F32(1.5f)}), t, 250));
    }
    BuildRecords(events_, {40}, records_);
    path_ = (dir_ / "nord.log").string();
    SaveLogFile(path_, header_, records_, false);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  }
  static Bytes F32(float f) {
    Bytes b;
    AppendBEFloat(b, f);
    return b;
  }
  // The lines the logbook window builds from the loaded file for the same range.
  std::string Expected(int mode, uint32_t from, uint32_t until, char list = ',') {
    TLogRenderContext ctx;
    ctx.mode = mode;
    ctx.list_separator = list;
    std::string out;
    const auto factory = LogEventFactoryForType("ZYR-D", true);
    ForEachEventInRange(records_, from, until, [&](const TRawLogEvent& raw) { factory(raw)->Render(ctx, out); });
    return out;
  }

  fs::path dir_;
  std::string path_;
  TLogFileHeader header_;
  TLogRecordList records_;
  std::vector<TRawLogEvent> events_;
};

TEST_F(CliExport, TextAndCsvLinesOfARange) {
  CliRun all = Cli("logbook export " + path_);
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out, Expected(TLogRenderContext::kText, 0, 0xFFFFFFFF));
  EXPECT_NE(all.out.find("2024-01-01 10:00:00,250 Earth fault      come             Grp:1 BB:1 Uampl=1.5V\r\n"),
            std::string::npos);

  // Both ends are inclusive, in whole seconds.
  CliRun range = Cli("logbook export " + path_ + " --csv --list-separator ';' --from '2024-01-01 10:01:00' --to "
                  "'2024-01-01 10:02:00'");
  ASSERT_EQ(range.status, 0) << range.err;
  const uint32_t base = DateTimeToDeviceSecs(DateTime::FromCivil(2024, 1, 1, 10, 0, 0));
  EXPECT_EQ(range.out, Expected(TLogRenderContext::kCsv, base + 60, base + 120, ';'));
  EXPECT_EQ(std::count(range.out.begin(), range.out.end(), '\n'), 7);
  EXPECT_EQ(range.out.rfind("\"2024-01-01 10:01:00.250\";\"Earth fault\";\"come\";;;\"Grp:1\";\"BB:1\";", 0), 0u);

  CliRun german = Cli("--lang de logbook export " + path_ + " --to '2024-01-01 10:00:00'");
  EXPECT_EQ(german.out, "2024-01-01 10:00:00,250 Erdschluss       kommt            Grp:1 SS:1 Uampl=1.5V\r\n");

  const std::string out = (dir_ / "out.csv").string();
  CliRun file = Cli("logbook export --csv -o " + out + " " + path_);
  ASSERT_EQ(file.status, 0) << file.err;
  std::ifstream f(out, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  EXPECT_EQ(s.str(), Expected(TLogRenderContext::kCsv, 0, 0xFFFFFFFF));
}

TEST_F(CliExport, BadInputAndUsage) {
  const std::string text = (dir_ / "notes.txt").string();
  std::ofstream(text) << "hello world\r\nsecond line\r\n";
  CliRun not_log = Cli("logbook export " + text);
  EXPECT_EQ(not_log.status, 65);
  EXPECT_NE(not_log.err.find("is not a log file"), std::string::npos) << not_log.err;

  CliRun missing = Cli("logbook export " + (dir_ / "missing.log").string());
  EXPECT_EQ(missing.status, 65);

  // A broken record line: what came before is written, the error names the line.
  std::ifstream in(path_, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  std::string content = s.str();
  const size_t third = content.find("\r\n", content.find("\r\n", content.find("\r\n") + 2) + 2);
  content.insert(third + 2, "01.01.2024 00:00:00;00\r\n");
  const std::string broken = (dir_ / "broken.log").string();
  std::ofstream(broken, std::ios::binary) << content;
  CliRun bad = Cli("logbook export " + broken);
  EXPECT_EQ(bad.status, 65);
  EXPECT_NE(bad.err.find("line 4: String represents no log record"), std::string::npos) << bad.err;
  EXPECT_FALSE(bad.out.empty());

  const std::string other = (dir_ / "other.log").string();
  std::ofstream(other, std::ios::binary) << "id=A;name=x;grp=g;typ=XYZ;ver=1;fi=0;li=0;mod=1;von=0;bis=0;closed=0\r\n";
  EXPECT_EQ(Cli("logbook export " + other).status, 65);
  const std::string empty = (dir_ / "empty.log").string();
  std::ofstream(empty, std::ios::binary) << "";
  CliRun e = Cli("logbook export " + empty);
  EXPECT_EQ(e.status, 0);
  EXPECT_EQ(e.out, "");

  EXPECT_EQ(Cli("logbook export " + path_ + " --from yesterday").status, 64);
  EXPECT_EQ(Cli("logbook export").status, 64);
  EXPECT_EQ(Cli("logbook export a.log b.log").status, 64);
}

}  // namespace
}  // namespace trivex
