// trivex-sim's answers (addressing, identity, variables, station file) and the command
// line's "ports" and "request" against it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "link/communicator.h"
#include "link_test_support.h"

using namespace trivex;
using namespace trivex::test;

namespace {

struct Exchange {
  const char* request;
  const char* reply;
};

void Expect(TCommunicator& link, const std::vector<Exchange>& script) {
  for (const auto& e : script) {
    std::string reply;
    ASSERT_EQ(link.SendRecvSync(e.request, reply, 1000, false), 0) << e.request;
    EXPECT_EQ(reply, e.reply) << e.request;
  }
}

std::unique_ptr<TCommunicator> OpenLink(const std::string& path) {
  auto link = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  link->SetExtraPorts({path});
  link->ScanPorts();
  link->SetActive(true);
  return link;
}

TEST(Simulator, DefaultStationAddressingAndVariables) {
  SimProcess sim;
  auto link = OpenLink(sim.path());
  Expect(*link, {
                    {"ver+", "ZYR-D: Version 1.2.20  "},
                    {"A1:ver.+", "ZYR-D;1.2.20"},
                    {"b:ver.+", "ZYR-DM;0.2.13"},
                    {"aa:dir+", "A:\r\nA1:\r\nB:"},
                    {"aa:device.+", "ZYR-D Master"},
                    {"B:device.+", "ZYR-DM Feeder"},
                    {"A1:station#+", "Sub Nord"},
                    {"AA::", ""},
                    {"AA::,Kenn,!+", "1"},
                    {"B:Kenn,!+", "11"},
                    {"C:ver+", ""},  // nobody at that address
                    // Writes (devices take them in configuration mode) and the read suffixes.
                    {"all,ZyrConfig=1", ""},
                    {"ZyrWLog=1", ""},
                    {"ZyrWLog_+#", "1"},
                    {"zyrwlog+#", "1"},
                    {"ZyrWImin I2=0.5", ""},
                    {"ZyrWImin+# I2", "0.5"},
                    {"ZyrMRelFu 1 2=3", ""},
                    {"ZyrMRelFu_+# 1 2", "3"},
                    {"ZyrRelFu 10=c,ZyrRelFu 2=b,ZyrRelFu 1=a", ""},
                    // A relay list names every relay of the I/O card, one a line.
                    {"ZyrRelFu#+ *", "a\r\nb\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nc\r\n0\r\n0\r\n0"},
                    {"ZyrRelFu#+ 10", "c"},
                    {"ZyrMasterId#", "1"},
                    {"ZyrStation=\"North, bay 3\"", ""},
                    {"ZyrStation+.", "North, bay 3"},
                    // Another device; a leading comma keeps addressing it.
                    {"A1:ZyrX=7", ""},
                    {",ZyrX+#", "7"},
                    {"ZyrX+#", "\r\n<<Unknown variable ZyrX\r"},  // not on the device at the port
                    // "all," writes on every device.
                    {"all,ZyrY=5", ""},
                    {"B:ZyrY+#", "5"},
                    {"gibberish ?", "\r\n<<Unknown command gibberish ?\r"},
                    {"all,ZyrConfig=0", ""},
                    {"ZyrWLog=2", "\r\n<<Not in configuration mode\r"},
                });
}

TEST(Simulator, StationFileAndLeadingCrLf) {
  TempFile station(
      "# two regulators\n"
      "port = B:\n"
      "crlf = 1\n"
      "[A:]\n"
      "type = VAD-AZ\n"
      "version = 2.2.00\n"
      "[B:]\n"
      "type = ZED-UDE\n"
      "name = Coil 2\n"
      "RegSoll = 12.5\n");
  SimProcess sim({"--station", station.path()});
  auto link = OpenLink(sim.path());
  Expect(*link, {
                    {"ver.+", "\r\nZED-UDE;1.2.20"},
                    {"A:ver.+", "\r\nVAD-AZ;2.2.00"},
                    {"aa:device.+", "\r\nCoil 2"},
                    {"RegSoll+#", "\r\n12.5"},
                    {"AA::,Kenn,!+", "\r\n11"},
                });
  TempFile bad("[AA:]\ntype = ZYR-D\n");  // not a device identifier
  auto r = RunProcess(TRIVEX_SIM_PATH, {"--station", bad.path()});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("line 1"), std::string::npos) << r.err;
}

TEST(Simulator, FaultCountsAndControlLines) {
  SimProcess sim({"--fault", "noreply:A1::1"});
  auto link = OpenLink(sim.path());
  std::string reply;
  EXPECT_EQ(link->SendRecvSync("A1:ver+", reply, 100, false), -2);  // the first one only
  EXPECT_EQ(link->SendRecvSync("A1:ver+", reply, 1000, false), 0);
  sim.Control("fault badsum");
  EXPECT_EQ(link->SendRecvSync("ver+", reply, 1000, false), -4);
  sim.Control("clear");
  EXPECT_EQ(link->SendRecvSync("ver+", reply, 1000, false), 0);
}

TEST(Simulator, PacingAndTurnaround) {
  // 9600 baud: a "ver+" request frame of 12 bytes and its reply frame of 29 bytes take
  // (12 - 1 + 29) byte times of 10 bits on the line, about 41.7 ms; the turnaround adds 20 ms.
  SimProcess sim({"--baud", "9600", "--delay", "20"});
  auto link = OpenLink(sim.path());
  std::string reply;
  auto t0 = std::chrono::steady_clock::now();
  ASSERT_EQ(link->SendRecvSync("ver+", reply, 1000, false), 0);
  double ms = MsSince(t0);
  EXPECT_GE(ms, 61.5);
  EXPECT_LT(ms, 200);
}

TEST(CommandLine, PortsListsAnAddedPath) {
  SimProcess sim;
  TempFile config_home;  // an empty settings folder: no stored settings
  std::string home = config_home.path() + ".d";
  mkdir(home.c_str(), 0700);
  auto r = RunProcess(TRIVEX_CLI_PATH, {"--port", sim.path(), "ports"}, {{"XDG_CONFIG_HOME", home}, {"HOME", home}});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\t" + sim.path() + "\t9600, N, 8, 1, -\n"), std::string::npos) << r.out;
  // Every line: COM<n>, TAB, path, TAB, settings.
  size_t lines = 0;
  for (size_t p = 0; (p = r.out.find('\n', p)) != std::string::npos; ++p) ++lines;
  EXPECT_EQ(r.out.rfind("COM", 0), 0u);
  EXPECT_GE(lines, 1u);
  std::string cmd = "rm -rf '" + home + "'";
  EXPECT_EQ(system(cmd.c_str()), 0);
}

TEST(CommandLine, RequestPrintsEachReplyAndMapsFailures) {
  SimProcess sim({"--fault", "noreply:Slow"});
  auto r = RunProcess(TRIVEX_CLI_PATH,
                      {"--port", sim.path(), "request", "ZyrConfig=1", "ZyrA=x", "ZyrA+#", "B:ver.+"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "\n\nx\nZYR-DM;0.2.13\n");
  r = RunProcess(TRIVEX_CLI_PATH, {"--port", sim.path(), "--timeout", "100", "request", "ver.+", "Slow", "ver+"});
  EXPECT_EQ(r.status, 12);
  EXPECT_EQ(r.out, "ZYR-D;1.2.20\n");  // the command ends at the failure
  EXPECT_EQ(r.err, "trivex-cli: Timeout\n");
  r = RunProcess(TRIVEX_CLI_PATH, {"--port", "/dev/ttyNONE9", "request", "ver+"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("is no longer accessible."), std::string::npos) << r.err;
  r = RunProcess(TRIVEX_CLI_PATH, {"request", "ver+"});
  EXPECT_EQ(r.status, 64);
}

}  // namespace
