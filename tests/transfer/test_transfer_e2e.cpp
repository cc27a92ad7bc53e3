// The ZYR-D transfer against the simulator: the exact requests of a send on two firmware
// versions, send / read / verify round trip, a changed value found by the verification,
// Stop during a send, a refused element, the checks made before anything is sent, and the
// command line's verify and check.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "config/config_checker.h"
#include "config/net_list_converter.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "link/kombi_communicator.h"
#include "link_test_support.h"
#include "protocol/reply.h"
#include "protocol/zyr_d_config_pump.h"

using namespace trivex;
using namespace trivex::test;

namespace {

// This folder's own data beside the source.
const std::string kData = std::string(__FILE__).substr(0, std::string(__FILE__).rfind('/')) + "/data";

std::unique_ptr<TCommunicator> SerialFor(const std::string& path) {
  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({path});
  serial->ScanPorts();
  serial->SetComNum(1);
  return serial;
}

std::unique_ptr<TZyrDData> SmallSystem(int relays) {
  auto c = std::make_unique<TZyrDData>();
  std::vector<uint8_t> ids;
  for (int i = 0; i < relays; ++i) ids.push_back(static_cast<uint8_t>(i + 1));
  c->SetDeviceIds(ids);
  const char* names[] = {"Master", "Feeder1", "Feeder2"};
  for (int i = 0; i < relays; ++i) c->devices[static_cast<size_t>(i)].name = names[i];
  c->master_id = 1;
  c->nominal_frequency = 2;
  c->harmonics[harm::Zyr5Angle] = 12.5;
  c->switches = {
      "Uo\t\t\t\t\t\t\t\tA:\t\t\tUen1\t20000/100",
      "X\t\t\tJ01:\tQ01\t\tA:\tE01\tA1:\tIo1\t200/5",
      "\t\t\tJ01:\tQ00\t\tA:\t~E03",
  };
  return c;
}

struct Rig {
  explicit Rig(std::vector<std::string> sim_args) : sim(std::move(sim_args)) {
    link = std::make_unique<TKombiCommunicator>(&ui, nullptr, SerialFor(sim.path()));
    pump = std::make_unique<TZyrDConfigPump>(*link, app);
    pump->final_pause_ms = 0;
    pump->on_request = [this](const std::string& r) { requests.push_back(r); };
    pump->on_info = [this](const std::string&, const std::string& t) { infos.push_back(t); };
  }
  SimProcess sim;
  FakeLinkUi ui;
  NullAppUi app;
  std::unique_ptr<TKombiCommunicator> link;
  std::unique_ptr<TZyrDConfigPump> pump;
  std::vector<std::string> requests;
  std::vector<std::string> infos;
};

TNetListData Compiled(const TZyrDData& c) { return TNetListConverter::Compile(stZYRD, c.master_id, c.switches); }

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

class TransferE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    lang::SetCurrentLanguage(lang::English);
    SetUserAbort(false);
  }
};

TEST_F(TransferE2E, GoldenRequestsOfASendOnTwoFirmwareVersions) {
  struct Case {
    const char* station;
    int relays;
    const char* golden;
    bool net_file_and_qui;
  } cases[] = {
      {"station_1432.txt", 3, "golden_send_1432.txt", true},
      {"station_1207.txt", 2, "golden_send_1207.txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    Rig rig({"--station", kData + "/" + c.station});
    auto config = SmallSystem(c.relays);
    ASSERT_NE(rig.pump->Send(*config, Compiled(*config)), 1);
    const std::string got = Joined(rig.requests);
    const std::string path = kData + "/" + c.golden;
    if (std::getenv("TRIVEX_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << got;
    std::ifstream in(path, std::ios::binary);
    std::stringstream want;
    want << in.rdbuf();
    EXPECT_EQ(got, want.str());
    EXPECT_EQ(got.find("ZyrNetFile=") != std::string::npos, c.net_file_and_qui);
    EXPECT_EQ(got.find("ZyrIMsgDelay = ") != std::string::npos, c.net_file_and_qui);
    // Configuration mode: master first on, slaves after; slaves first off, master last.
    EXPECT_EQ(rig.requests[rig.requests.size() - c.relays - 1], "ZyrConfig=0");
  }
}

TEST_F(TransferE2E, SendReadVerifyAndOneChangedValue) {
  Rig rig({"--station", kData + "/station_1432.txt"});
  auto config = SmallSystem(3);
  const TNetListData compiled = Compiled(*config);
  ASSERT_NE(rig.pump->Send(*config, compiled), 1);
  EXPECT_EQ(rig.pump->Msgs().RowCount(), 0);

  auto verify = [&](TConfigMsgs& rows) {
    TZyrDData read;
    TReportedStation reported;
    EXPECT_EQ(rig.pump->Read(read, reported, 1), 0);
    EXPECT_EQ(read.switches, config->switches);
    TZyrDConfigChecker consistency;
    TZyrDData copy;
    copy.Assign(read);
    EXPECT_TRUE(consistency.CheckConsistency(rig.pump->FirmwareVersion(), copy, reported, config.get()))
        << (consistency.Msgs().RowCount() ? consistency.Msgs().Rows()[0][2] : "");
    TZyrDConfigChecker checker;
    const bool same = checker.Verify(rig.pump->FirmwareVersion(), *config, reported, read, compiled);
    rows = checker.Msgs();
    EXPECT_EQ(rows.IdRowCount(), 3);
    // The ports are set on the system page, not by the transfer: take what the relays hold.
    for (int p = 0; p < 3; ++p) {
      auto& d = config->devices[static_cast<size_t>(p)];
      const auto& r = read.devices[static_cast<size_t>(p)];
      d.com1 = r.com1, d.com2 = r.com2, d.tynet_l = r.tynet_l, d.tynet_r = r.tynet_r;
    }
    return same;
  };
  TConfigMsgs rows;
  verify(rows);
  EXPECT_TRUE(verify(rows)) << (rows.RowCount() ? rows.Rows()[0][0] + " " + rows.Rows()[0][2] : "");

  // Somebody changes the angle on the master behind the program's back.
  rig.link->Open();
  std::string reply;
  ASSERT_EQ(rig.link->SendRecvSync("ZyrConfig=1,Zyr5Angle=20,ZyrConfig=0", reply, 1000), 0);
  rig.link->Close();
  EXPECT_FALSE(verify(rows));
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.Rows()[0][0], "harmonics/angle");
  EXPECT_EQ(rows.Rows()[0][2], "Zyr5Angle");
  EXPECT_EQ(rows.Rows()[0][3], "12.5");
  EXPECT_EQ(rows.Rows()[0][4], "20");
}

TEST_F(TransferE2E, StopDuringASendStillEndsConfigurationModeEverywhere) {
  Rig rig({"--station", kData + "/station_1432.txt"});
  auto config = SmallSystem(3);
  rig.pump->on_request = [&](const std::string& r) {
    rig.requests.push_back(r);
    if (r.find("Zyr5Use7th") != std::string::npos) SetUserAbort(true);  // Stop in the harmonics block
  };
  EXPECT_EQ(rig.pump->Send(*config, Compiled(*config)), 1);
  const std::vector<std::string> tail(rig.requests.end() - 3, rig.requests.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"A1:ZyrConfig=0", "A2:ZyrConfig=0", "ZyrConfig=0"}));
  EXPECT_EQ(std::count_if(rig.requests.begin(), rig.requests.end(),
                          [](const std::string& r) { return r.find("Zyr5Use9th") != std::string::npos; }), 0);
  // Every relay refuses configuration elements again.
  SetUserAbort(false);
  rig.link->Open();
  for (const char* r : {"Zyr5Angle=1", "A1:ZyrKnu 1=2", "A2:Station=x"}) {
    std::string reply;
    const int result = rig.link->SendRecvSync(r, reply, 1000);
    EXPECT_TRUE(reply::IsRefusal(reply)) << r << " " << result << " " << reply;
  }
}

TEST_F(TransferE2E, ARefusedElementShowsTheTransferErrorText) {
  Rig rig({"--station", kData + "/station_1432.txt", "--fault", "refuse:Zyr5Angle=:1"});
  auto config = SmallSystem(3);
  EXPECT_NE(rig.pump->Send(*config, Compiled(*config)), 1);  // Ignore goes on
  ASSERT_EQ(rig.ui.questions.size(), 1u);
  EXPECT_EQ(rig.ui.questions[0].rfind("Error while sending the Configuration:\r\nZyr5Angle=12.5\r\n<<", 0), 0u)
      << rig.ui.questions[0];
}

TEST_F(TransferE2E, ChecksBeforeAnythingIsSentOrRead) {
  {
    Rig rig({"--station", kData + "/station_1432.txt"});
    auto config = SmallSystem(3);
    for (const char* bad : {"Feeder,1", "ab\"c", "it's", "TooLongName", "x\ty"}) {
      config->devices[1].name = bad;
      EXPECT_EQ(rig.pump->Send(*config, Compiled(*config)), 1) << bad;
    }
    EXPECT_TRUE(rig.requests.empty());
    ASSERT_FALSE(rig.ui.messages.empty());
    EXPECT_NE(rig.ui.messages.back().text.find("x\ty"), std::string::npos);
  }
  {
    Rig rig({"--station", kData + "/station_1432.txt"});
    rig.link->Open();
    std::string reply;
    ASSERT_EQ(rig.link->SendRecvSync("ZyrConfig=1,ZyrCnfDevCnt=17,ZyrConfig=0", reply, 1000), 0);
    rig.link->Close();
    TZyrDData read;
    TReportedStation reported;
    EXPECT_EQ(rig.pump->Read(read, reported, 1), 1);
    ASSERT_FALSE(rig.ui.messages.empty());
    EXPECT_NE(rig.ui.messages.back().text.find("17"), std::string::npos);
    EXPECT_EQ(read.DeviceCount(), 0);  // the fresh configuration was not touched by the read
  }
}

TEST_F(TransferE2E, OldFirmwareGetsNoNetFileAndTheMinimumCurrentInPercent) {
  Rig rig({"--station", kData + "/station_1015.txt"});
  auto config = SmallSystem(2);
  // A current ratio of 0 counts as 1, as in the device list: 0.4 A of 1 A nominal is 40 %.
  config->switches = {"Uo\t\t\t\t\t\t\t\tA:\t\t\tUen1\t20000/100"};
  ASSERT_NE(rig.pump->Send(*config, Compiled(*config)), 1);
  EXPECT_NE(std::find(rig.requests.begin(), rig.requests.end(), "Zyr5Imin=40"), rig.requests.end());
  TZyrDData read;
  TReportedStation reported;
  EXPECT_EQ(rig.pump->Read(read, reported, 1), 0);
  EXPECT_TRUE(read.switches.empty());
  EXPECT_EQ(rig.infos.size(), 1u);
  EXPECT_DOUBLE_EQ(read.harmonics[harm::Zyr5Imin], 0.4);
}


// A station of three relays with extra lines per relay section.
std::string StationFile(const std::string& name, const std::map<std::string, std::string>& extra,
                        const std::string& version = "1.4.32") {
  const std::string path = std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()) + ".txt");
  std::ofstream f(path);
  f << "port = A:\n";
  for (const char* id : {"A:", "A1:", "A2:"}) {
    f << "[" << id << "]\ntype = ZYR-D\nversion = " << version << "\nname = R" << id << "\n";
    if (auto it = extra.find(id); it != extra.end()) f << it->second << "\n";
  }
  return path;
}

TEST_F(TransferE2E, SlaveFirmwareAndIoCardAreCheckedBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> station;
    bool relay6_on_a1;
    int reset_input_on_a1;  // harmonics reset input of A1:, 0 none
    const char* refusal;    // nullptr: the send goes through
  } cases[] = {
      {"slave firmware differs", {{"A2:", "version = 1.4.31"}}, false, 0,
       "Error while sending the Configuration:\r\nFirmware versions of master and\r\ndevice A2: are different"},
      {"card of 5 relays, relay 6 set", {{"A1:", "SimRelays = 5"}}, true, 0,
       "The I/O-card of device A1: doesn't\r\nsupport the configuration of Relay 6"},
      {"card of 5 relays, input 13 used", {{"A1:", "SimRelays = 5"}}, false, 13,
       "The I/O-card of device A1: doesn't\r\nsupport the configuration of BinIn 13"},
      {"card of 5 relays, relay 6 free", {{"A1:", "SimRelays = 5"}}, false, 12, nullptr},
      {"card of 6 relays, relay 6 set", {{"A1:", "SimRelays = 6"}}, true, 16, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string station = StationFile("trivex_fit", c.station);
    Rig rig({"--station", station});
    auto config = SmallSystem(3);
    if (c.relay6_on_a1) config->relays[1][5].fu = bafMaster;
    if (c.reset_input_on_a1) {
      config->harmonics[harm::Zyr5ResetId] = 2;
      config->harmonics[harm::Zyr5ResetBI] = c.reset_input_on_a1;
    }
    const int result = rig.pump->Send(*config, Compiled(*config));
    std::filesystem::remove(station);
    const size_t writes = std::count_if(rig.requests.begin(), rig.requests.end(),
                                        [](const std::string& r) { return r.find('=') != std::string::npos; });
    if (!c.refusal) {
      EXPECT_NE(result, 1);
      EXPECT_GT(writes, 100u);
      continue;
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(writes, 0u) << rig.requests.back();
    ASSERT_FALSE(rig.ui.messages.empty());
    EXPECT_NE(rig.ui.messages.back().text.find(c.refusal), std::string::npos) << rig.ui.messages.back().text;
  }
}

TEST_F(TransferE2E, CommandLineVerifyExitsOneOnDifferencesAndCheckPrintsItsRows) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("trivex_cli_verify_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string sent = (dir / "sent.ini").string(), read = (dir / "read.ini").string();
  auto config = SmallSystem(3);
  config->SetFileName(sent);
  ASSERT_TRUE(config->Save());
  Rig rig({"--station", kData + "/station_1432.txt"});
  auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", rig.sim.path(), "--lang", "en"});
    return RunProcess(TRIVEX_CLI_PATH, args);
  };
  ASSERT_EQ(cli({"config", "send", sent}).status, 0);
  // What the relays hold, ports included, read back into a file: no differences.
  ASSERT_EQ(cli({"config", "read", "--device", "A:", "-o", read}).status, 0);
  ProcessResult same = cli({"config", "verify", read});
  EXPECT_EQ(same.status, 0) << same.out << same.err;
  EXPECT_EQ(same.out, "");

  // The angle changed on the master behind the program's back.
  rig.link->Open();
  std::string reply;
  ASSERT_EQ(rig.link->SendRecvSync("ZyrConfig=1,Zyr5Angle=20,ZyrConfig=0", reply, 1000), 0);
  rig.link->Close();
  ProcessResult differs = cli({"config", "verify", read});
  EXPECT_EQ(differs.status, 1) << differs.err;
  EXPECT_EQ(differs.out, "harmonics/angle\t1.0.03\tZyr5Angle\t12.5\t20\n");

  // The check alone: firmware 1.0.17 knows no voltage group of a segment; the row is printed
  // on standard output in the language asked for.
  EXPECT_EQ(RunProcess(TRIVEX_CLI_PATH, {"config", "check", sent}).status, 0);
  struct Lang {
    const char* code;
    const char* label;
  } langs[] = {{"en", "station cfg/segment 0/voltage group\t"}, {"de", "Stationskonfig./Segment 0/Spannungsgruppe\t"}};
  for (const Lang& l : langs) {
    ProcessResult check = RunProcess(TRIVEX_CLI_PATH, {"--lang", l.code, "config", "check", sent, "--firmware", "1.0.17"});
    EXPECT_EQ(check.status, 1) << check.err;
    EXPECT_EQ(check.out.rfind(l.label, 0), 0u) << check.out;
    EXPECT_EQ(check.err, "");
  }
  fs::remove_all(dir);
}

TEST_F(TransferE2E, OldFirmwareVerifiesTheDirectionsOfEachOutput) {
  const std::string station = StationFile("trivex_dirs", {}, "1.0.07");
  Rig rig({"--station", station});
  auto config = SmallSystem(3);
  config->relays[0][0].mfu = mfOberschwRueck;  // master relay 1: harmonics backwards
  config->loc_signals[1].watt = wmrVorwaerts;
  config->leds[2][2].mfu = mfOrtung2;  // LED 3 of A2: signal 2, wattmetric forwards
  const TNetListData compiled = Compiled(*config);
  ASSERT_NE(rig.pump->Send(*config, compiled), 1);
  auto sent = [&](const std::string& r) { return std::count(rig.requests.begin(), rig.requests.end(), r); };
  EXPECT_EQ(sent(Format("ZyrRelHarmDir 1 1=%d", {static_cast<int>(owrRueckwaerts)})), 1);
  EXPECT_EQ(sent(Format("ZyrLedWattDir 3 3=%d", {static_cast<int>(wmrVorwaerts)})), 1);

  auto direction_rows = [&] {
    TZyrDData read;
    TReportedStation reported;
    EXPECT_EQ(rig.pump->Read(read, reported, 1), 0);
    TZyrDConfigChecker checker;
    checker.Verify(rig.pump->FirmwareVersion(), *config, reported, read, compiled);
    std::vector<std::vector<std::string>> rows;
    for (const auto& r : checker.Msgs().Rows())
      if (r[0].find("direction relay") != std::string::npos) rows.push_back(r);
    return rows;
  };
  EXPECT_TRUE(direction_rows().empty());
  // The master loses the wattmetric direction of that LED.
  rig.link->Open();
  std::string reply;
  ASSERT_EQ(rig.link->SendRecvSync("ZyrConfig=1,ZyrLedWattDir 3 3=0,ZyrConfig=0", reply, 1000), 0);
  rig.link->Close();
  const auto rows = direction_rows();
  std::filesystem::remove(station);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], "wattmetric direction relay");
  EXPECT_EQ(rows[0][2], "ZyrLedWattDir 3 3");
  EXPECT_EQ(rows[0][3], std::to_string(static_cast<int>(wmrVorwaerts)));
  EXPECT_EQ(rows[0][4], "0");
}

}  // namespace
