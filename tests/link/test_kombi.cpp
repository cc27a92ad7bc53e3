// The combined link: opening with retries and messages, SendRecvRetry's counting rule and
// question, raw sending in framed mode, the link description, the exchange log, the error
// counters, and the bus-server route through a fake server.
#include <gtest/gtest.h>

#include <deque>

#include "app/app_state.h"
#include "lang/lang.h"
#include "link/frame.h"
#include "link/kombi_communicator.h"
#include "link_test_support.h"

using namespace trivex;
using namespace trivex::test;
using namespace std::chrono_literals;

namespace {

std::unique_ptr<TCommunicator> SerialFor(const std::string& path) {
  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({"/dev/ttyNONE0", path});  // the port in use is COM2
  serial->ScanPorts();
  serial->SetComNum(2);
  return serial;
}

class KombiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lang::SetCurrentLanguage(lang::English);
    SetUserAbort(false);
  }
};

TEST_F(KombiTest, RetryCountingAndQuestion) {
  // Result -3 on every attempt (or -2): how many attempts run before the user is asked.
  struct Case {
    int setting;
    const char* fault;
    int attempts;
  } cases[] = {
      {0, "nak", 1}, {1, "nak", 1}, {2, "nak", 1}, {3, "nak", 2}, {100, "nak", 50},
      {100, "noreply", 2},  // the second timeout ends the silent repetitions
      {3, "noreply", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.setting) + " " + c.fault);
    SimProcess sim({"--fault", c.fault});
    FakeLinkUi ui;
    TKombiCommunicator link(&ui, nullptr, SerialFor(sim.path()));
    link.SetRetrySetting(c.setting);
    link.Open();
    ASSERT_TRUE(link.Active());
    int attempts = 0;
    auto count = [&](TKombiCommunicator&, const std::string&, std::string&, int&, bool&) { ++attempts; };
    std::string reply;
    int result = link.SendRecvRetry("ZyrWLog+#", reply, 50, count);
    EXPECT_EQ(attempts, c.attempts);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(result, std::string(c.fault) == "nak" ? -3 : -2);
    EXPECT_EQ(link.ErrorCounters().total, static_cast<uint32_t>(c.attempts));
    EXPECT_FALSE(UserAbort());  // Ignore
  }
}

TEST_F(KombiTest, QuestionTextRetryAndAbort) {
  SimProcess sim({"--fault", "nak"});
  FakeLinkUi ui;
  ui.answers = {TDialogAnswer::kRetry, TDialogAnswer::kAbort};
  TKombiCommunicator link(&ui, nullptr, SerialFor(sim.path()));
  link.SetRetrySetting(3);
  link.Open();
  std::string reply;
  EXPECT_EQ(link.SendRecvRetry("ver+", reply, 500), -3);
  // Two silent attempts, the question, Retry: one more attempt and the question at once.
  EXPECT_EQ(link.ErrorCounters().total, 3u);
  EXPECT_EQ(link.ErrorCounters().rejected, 3u);
  ASSERT_EQ(ui.questions.size(), 2u);
  EXPECT_EQ(ui.questions[0], "Communication error\r\nver+\r\nrejected\r\nError -3 (Transmit checksum error)");
  EXPECT_TRUE(UserAbort());
}

TEST_F(KombiTest, RefusalCountsAsOtherFailureAndShowsItsText) {
  SimProcess sim({"--fault", "refuse:ZyrX:1"});
  FakeLinkUi ui;
  TKombiCommunicator link(&ui, nullptr, SerialFor(sim.path()));
  link.Open();
  auto refusal = [](TKombiCommunicator&, const std::string&, std::string& reply, int&, bool& ok) {
    if (reply.rfind("\r\n<<", 0) == 0) ok = false;
  };
  std::string reply;
  EXPECT_EQ(link.SendRecvRetry("ZyrX=1", reply, 500, refusal), 0);
  EXPECT_EQ(link.ErrorCounters().total, 1u);
  EXPECT_EQ(link.ErrorCounters().other, 1u);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0], "Communication error\r\nZyrX=1\r\n\r\n<<refused\r\r\nError 0");
  // The error event replaces the question.
  int asked = 0;
  auto on_error = [&](TKombiCommunicator&, const std::string&, const std::string&, int) {
    ++asked;
    return TDialogAnswer::kIgnore;
  };
  sim.Control("fault nak:ZyrX:1");
  EXPECT_EQ(link.SendRecvRetry("ZyrX=1", reply, 500, {}, on_error), -3);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ui.questions.size(), 1u);
}

TEST_F(KombiTest, SecondOpenOfAPortInUse) {
  SimProcess sim;
  FakeLinkUi ui1, ui2;
  TKombiCommunicator first(&ui1, nullptr, SerialFor(sim.path()));
  TKombiCommunicator second(&ui2, nullptr, SerialFor(sim.path()));
  first.Open();
  ASSERT_TRUE(first.Active());
  int after_open_calls = 0;
  bool after_open_success = true;
  second.Events().after_open = [&](TKombiCommunicator&, bool ok) {
    ++after_open_calls;
    after_open_success = ok;
  };
  auto t0 = std::chrono::steady_clock::now();
  second.Open();
  EXPECT_GE(MsSince(t0), 1000);  // eleven attempts, 100 ms apart
  EXPECT_FALSE(second.Active());
  EXPECT_EQ(after_open_calls, 1);
  EXPECT_FALSE(after_open_success);
  ASSERT_EQ(ui2.messages.size(), 1u);
  EXPECT_EQ(ui2.messages[0].text, "COM2 is already in use by another program.");
  EXPECT_EQ(ui2.messages[0].caption, "Error");
  EXPECT_TRUE(second.PortFlagged(0));
  EXPECT_EQ(second.LinkDescription(), "COM2: busy");
  // Once the other program lets go, the port opens and the flag goes.
  first.Close();
  second.Open();
  EXPECT_TRUE(second.Active());
  EXPECT_FALSE(second.PortFlagged(2));
  EXPECT_EQ(second.LinkDescription(), "COM2: 9600, N, 8, 1, -");
}

TEST_F(KombiTest, MissingDeviceIsReportedAtOnce) {
  FakeLinkUi ui;
  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({"/dev/ttyNONE0"});
  serial->ScanPorts();
  TKombiCommunicator link(&ui, nullptr, std::move(serial));
  auto t0 = std::chrono::steady_clock::now();
  link.Open();
  EXPECT_LT(MsSince(t0), 90);
  EXPECT_FALSE(link.Active());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "COM1 is no longer accessible.");
  EXPECT_EQ(ui.messages[0].kind, TMessageKind::kWarning);
  EXPECT_TRUE(link.PortFlagged(1));
}

TEST_F(KombiTest, EventsDescriptionAndModes) {
  SimProcess sim;
  FakeLinkUi ui;
  TKombiCommunicator link(&ui, nullptr, SerialFor(sim.path()));
  EXPECT_FALSE(link.ServerInstalled());
  std::vector<std::string> calls;
  link.Events().before_open = [&](TKombiCommunicator& l) {
    calls.push_back("before_open");
    l.SetMode(TKombiCommunicator::kModeFramed);
  };
  link.Events().before_close = [&](TKombiCommunicator&) { calls.push_back("before_close"); };
  link.Events().after_close = [&](TKombiCommunicator&) { calls.push_back("after_close"); };
  EXPECT_EQ(link.LinkDescription(), "COM2:");
  link.Open();
  link.Open();  // already open: nothing happens
  EXPECT_EQ(link.Serial().Timeouts(), (TCommTimeouts{0, 2, 100, 10, 100}));
  link.Close();
  link.Close();  // closed: only OnAfterClose
  EXPECT_EQ(calls, (std::vector<std::string>{"before_open", "before_close", "after_close", "after_close"}));

  link.Serial().SetModemMode(true);
  link.Serial().SetModemLabel("Office");
  EXPECT_EQ(link.LinkDescription(), "Office at COM2:");
  link.Serial().SetModemMode(false);

  link.Events() = {};
  link.SetMode(TKombiCommunicator::kModeOnline);
  link.Open();
  std::string reply;
  EXPECT_THROW(link.SendRecvSync("ver+", reply, 100), ECommError);
  // Framed mode's raw send: STX, the text, LF, no checksum; the device still answers.
  link.SetMode(TKombiCommunicator::kModeFramed);
  EXPECT_EQ(link.Send("ver.+"), 7);
  std::string in;
  link.Receive(64, in);
  EXPECT_EQ(in, BuildReplyFrame(kAck, "ZYR-D;1.2.20"));
}

TEST_F(KombiTest, ExchangeLogKeepsTheLastFiveThousandLines) {
  SimProcess sim;
  TKombiCommunicator link(nullptr, nullptr, SerialFor(sim.path()));
  link.Open();
  std::string reply;
  link.SetExchangeLogOn(false);
  link.SendRecvSync("ver+", reply, 1000);
  EXPECT_TRUE(link.ExchangeLog().empty());
  link.SetExchangeLogOn(true);
  for (int i = 0; i < 2502; ++i) ASSERT_EQ(link.SendRecvSync("Kenn+#", reply, 1000), 0);
  ASSERT_EQ(link.ExchangeLog().size(), 5000u);
  const std::string& last = link.ExchangeLog().back();
  EXPECT_NE(last.find(" PC <- Dev : 1"), std::string::npos) << last;
  const std::string& before = link.ExchangeLog()[link.ExchangeLog().size() - 2];
  EXPECT_NE(before.find(" PC -> Dev : Kenn+#"), std::string::npos) << before;
}

// --- The bus-server route ---

struct FakeServerState {
  bool connect_ok = true;
  int connects = 0, disconnects = 0;
  uint16_t next_id = 7;
  uint16_t opened_mode = 0;
  std::string opened_name;
  std::vector<uint16_t> closed, options;
  std::vector<std::string> written;
  std::string reply = "answer";
  uint32_t last_error = 0;
  int busy_polls = 3;  // Status() answers "working" this many times per exchange
  int polls = 0;
  uint16_t end_requested = 0;
  std::string chosen;
  uint16_t settings_changed = 0;
};

class FakeServer : public TBusServer, TTynetComm, TTConnectionDialog {
 public:
  explicit FakeServer(FakeServerState& s) : s_(s) {}
  bool Installed() const override { return true; }
  TTynetComm& Comm() override { return *this; }
  TTConnectionDialog& Dialog() override { return *this; }

  bool Connect() override {
    ++s_.connects;
    return s_.connect_ok;
  }
  void Disconnect() override { ++s_.disconnects; }
  uint32_t LastError(uint16_t) override { return s_.last_error; }
  uint16_t OpenConnection(uint16_t mode, const std::string& name) override {
    s_.opened_mode = mode;
    s_.opened_name = name;
    return s_.next_id;
  }
  void CloseConnection(uint16_t id) override { s_.closed.push_back(id); }
  void Write(uint16_t, const std::string& text) override {
    s_.written.push_back(text);
    busy_ = s_.busy_polls;
  }
  std::string Read(uint16_t) override { return s_.reply; }
  uint16_t Status(uint16_t) override {
    ++s_.polls;
    return busy_ > 0 ? static_cast<uint16_t>(busy_--) : 0;
  }
  void ConnectionOption(uint16_t id, uint16_t value) override {
    if (value == 0) s_.options.push_back(id);
  }
  uint16_t EndRequested() override { return s_.end_requested; }
  std::string ChooseConnection() override { return s_.chosen; }
  uint16_t ConnectionSettings() override { return s_.settings_changed; }

 private:
  FakeServerState& s_;
  int busy_ = 0;
};

TEST_F(KombiTest, ServerExchangesTranslateTheServerErrors) {
  FakeServerState s;
  FakeLinkUi ui;
  TKombiCommunicator link(&ui, std::make_unique<FakeServer>(s), SerialFor("/dev/ttyNONE1"));
  link.SetUseServer(true);  // link inactive, port not flagged: only the switch
  EXPECT_EQ(s.connects, 0);
  EXPECT_EQ(link.LinkDescription(), "Kxo-Server");
  link.Open();
  ASSERT_TRUE(link.Active());
  EXPECT_EQ(s.opened_mode, 2);
  EXPECT_EQ(s.options, (std::vector<uint16_t>{7}));
  EXPECT_TRUE(link.ServerTimerEnabled());
  EXPECT_EQ(link.LinkDescription(), "\"<default>\"");
  struct Case {
    uint32_t error;
    int result;
  } cases[] = {{0, 0}, {10012, -2}, {10014, -3}, {10015, -4}, {4711, -5}};
  for (const auto& c : cases) {
    s.last_error = c.error;
    s.polls = 0;
    std::string reply;
    EXPECT_EQ(link.SendRecvSync("ver+", reply, 1000), c.result);
    EXPECT_EQ(reply, "answer");
    EXPECT_EQ(s.polls, 4);  // polled until the server had finished
  }
  // A rejection asks with the serial link's text.
  s.last_error = 10014;
  std::string reply;
  EXPECT_EQ(link.SendRecvRetry("ver+", reply, 1000), -3);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_NE(ui.questions[0].find("(Transmit checksum error)"), std::string::npos);
  // Raw access through the connection.
  EXPECT_EQ(link.Send("raw"), 3);
  EXPECT_EQ(s.written.back(), "raw");
  std::string text;
  int tries = 0;
  while (!link.FetchReceived(text)) ++tries;  // framed mode: only once the server is done
  EXPECT_EQ(tries, 3);
  EXPECT_EQ(text, "answer");

  link.Close();
  EXPECT_EQ(s.closed, (std::vector<uint16_t>{7}));
  EXPECT_EQ(s.disconnects, 1);  // the last user released the server
  EXPECT_FALSE(link.ServerTimerEnabled());
}

TEST_F(KombiTest, ServerConnectionMissingOrFailed) {
  FakeServerState s;
  s.next_id = 0;  // the server gave no usable connection
  FakeLinkUi ui;
  TKombiCommunicator link(&ui, std::make_unique<FakeServer>(s), SerialFor("/dev/ttyNONE1"));
  link.SetUseServer(true);
  link.Open();
  EXPECT_TRUE(link.Active());
  std::string reply;
  EXPECT_EQ(link.SendRecvSync("ver+", reply, 1000), -5);
  EXPECT_EQ(link.Send("x"), 0);
  link.Close();

  s.connect_ok = false;
  s.connects = 0;
  link.Open();
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(s.connects, 5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Can't connect to Kxo-Server");
  EXPECT_EQ(ui.messages[0].kind, TMessageKind::kError);
}

TEST_F(KombiTest, SwitchingToTheServerWhileThePortIsOpen) {
  SimProcess sim;
  FakeServerState s;
  s.chosen = "North";
  FakeLinkUi ui;
  TKombiCommunicator link(&ui, std::make_unique<FakeServer>(s), SerialFor(sim.path()));
  link.Open();
  ASSERT_TRUE(link.Serial().Active());
  link.SetUseServer(true);
  EXPECT_FALSE(link.Serial().Active());  // the port was closed
  EXPECT_TRUE(link.Active());
  EXPECT_EQ(s.connects, 1);
  // Choosing a connection while connected reopens with the new name.
  link.ChooseConnection();
  EXPECT_EQ(s.opened_name, "North");
  EXPECT_EQ(link.LinkDescription(), "\"North\"");
  EXPECT_EQ(s.closed.size(), 1u);
  s.settings_changed = 1;
  link.ConnectionSettings();
  EXPECT_EQ(s.closed.size(), 2u);
  // The server asks its clients to end.
  int ended = 0;
  link.on_server_end_request = [&] { ++ended; };
  link.ServerTimerTick();
  EXPECT_EQ(ended, 0);
  s.end_requested = 1;
  link.ServerTimerTick();
  EXPECT_EQ(ended, 1);
  // Back to the serial port.
  link.SetUseServer(false);
  EXPECT_TRUE(link.Serial().Active());
}

}  // namespace
