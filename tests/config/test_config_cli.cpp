// trivex-cli config new / save-as as a user runs them.
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "config_fixture.h"

namespace {
struct CliRun {
  int status;
  std::string out;
};
CliRun Cli(const std::string& args) {
  std::string cmd = std::string(TRIVEX_CLI_PATH) + " " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  int st = pclose(p);
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out};
}
}  // namespace

class ConfigCli : public TempDir {};

TEST_F(ConfigCli, NewAndSaveAsRoundTripAndBadFiles) {
  for (const char* type : {"ZYR-D", "ZYR-DM"}) {
    SCOPED_TRACE(type);
    const std::string a = Path(std::string(type) + ".ini"), b = Path(std::string(type) + "-copy.ini");
    ASSERT_EQ(Cli(std::string("config new --type ") + type + " -o " + a).status, 0);
    ASSERT_EQ(Cli("config save-as " + a + " " + b).status, 0);
    EXPECT_EQ(Read(a), Read(b));
  }
  EXPECT_NE(Read(Path("ZYR-DM.ini")).find("SystemType=stZYRDM\r\n"), std::string::npos);
  Write("bad.ini", "[Devices]\r\nCount=40\r\n");
  CliRun bad = Cli("--lang en config save-as " + Path("bad.ini") + " " + Path("out.ini"));
  EXPECT_EQ(bad.status, 65);
  EXPECT_NE(bad.out.find("40"), std::string::npos) << bad.out;
  EXPECT_EQ(Cli("config new --type XYZ -o " + Path("x.ini")).status, 64);
  ASSERT_EQ(Cli("--lang en config report " + Path("ZYR-D.ini") + " -o " + Path("r.html")).status, 0);
  EXPECT_NE(Read(Path("r.html")).find("Zyr5Imin</td><td>0.4"), std::string::npos);
  EXPECT_EQ(Cli("config report " + Path("bad.ini")).status, 65);
}
