// The framed exchange and raw access of the serial link, through the real port code on a
// pseudo-terminal: against trivex-sim, and against a device side that the test plays itself
// where the exact pieces on the line matter.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "lang/lang.h"
#include "link/communicator.h"
#include "link/frame.h"
#include "link_test_support.h"

using namespace trivex;
using namespace trivex::test;
using namespace std::chrono_literals;

namespace {

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

// A serial link whose port table holds only `path`, opened.
std::unique_ptr<TCommunicator> OpenLink(const std::string& path) {
  auto link = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  link->SetExtraPorts({path});
  link->ScanPorts();
  link->SetComNum(1);
  link->SetActive(true);
  return link;
}

std::vector<std::string> LogLines(const TempFile& log) {
  std::vector<std::string> lines;
  std::istringstream in(log.Read());
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

TEST(SerialLinkSim, WorkedExampleBytesOnTheLine) {
  TempFile log;
  SimProcess sim({"--log", log.path()});
  auto link = OpenLink(sim.path());
  std::string reply;
  ASSERT_EQ(link->SendRecvSync("abc", reply, 1000, false), 0);
  ASSERT_EQ(link->SendRecvSync("", reply, 1000, false), 0);
  ASSERT_EQ(link->SendRecvSync("V=ok", reply, 1000, false), 0);
  ASSERT_EQ(link->SendRecvSync("V+#", reply, 1000, false), 0);
  EXPECT_EQ(reply, "ok");
  auto lines = LogLines(log);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "RX " + Hex(Bytes({2, 0x16, 0x16}) + "abc\n0130"));
  EXPECT_EQ(lines[2], "RX " + Hex(Bytes({2, 0x16, 0x16}) + "\n000A"));
  EXPECT_EQ(lines[7], "TX " + Hex(Bytes({6}) + "ok" + Bytes({0x1A}) + "00FA"));
}

TEST(SerialLinkSim, RejectedTimeoutAndChecksumResults) {
  SimProcess sim({"--fault", "nak:N", "--fault", "noreply:T", "--fault", "badsum:B"});
  auto link = OpenLink(sim.path());
  std::string reply;
  EXPECT_EQ(link->SendRecvSync("N", reply, 1000, false), -3);
  EXPECT_EQ(reply, "rejected");  // the device's text after its NAK
  EXPECT_EQ(link->SendRecvSync("B", reply, 1000, false), -4);
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(link->SendRecvSync("T", reply, 200, false), -2);
  double ms = MsSince(t0);
  EXPECT_GE(ms, 199);
  EXPECT_LT(ms, 400);  // generous: the machine may be busy
  // The timeouts in force before the exchange are in force after it.
  EXPECT_EQ(link->Timeouts(), (TCommTimeouts{0, 10, 5000, 10, 100}));
}

TEST(SerialLinkSim, ModemModeTriplesTheDeadlineAndTimeouts) {
  SimProcess sim({"--fault", "noreply"});
  auto link = OpenLink(sim.path());
  link->SetModemMode(true);
  EXPECT_EQ(link->Timeouts(), (TCommTimeouts{0, 30, 15000, 30, 300}));
  std::string reply;
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(link->SendRecvSync("x", reply, 200, false), -2);
  double ms = MsSince(t0);
  EXPECT_GE(ms, 599);
  EXPECT_LT(ms, 900);
  // In modem mode closing keeps the line; leaving modem mode and closing releases it.
  link->SetActive(false);
  EXPECT_TRUE(link->Active());
  link->SetModemMode(false);
  EXPECT_EQ(link->Timeouts(), (TCommTimeouts{0, 10, 5000, 10, 100}));
  EXPECT_EQ(link->ModemLabel(), "");
  link->SetActive(false);
  EXPECT_FALSE(link->Active());
}

TEST(SerialLinkSim, DeviceAnswersWrongRequestChecksumWithNak) {
  SimProcess sim;
  auto link = OpenLink(sim.path());
  link->SetReadTimeouts(0, 0, 500);
  link->Send(Bytes({2, 0x16, 0x16}) + "abc\n0131");
  std::string in;
  link->Receive(in, static_cast<int>(BuildReplyFrame(kNak, "checksum error").size()));
  EXPECT_EQ(in, BuildReplyFrame(kNak, "checksum error"));
}

// The reply of a device split into pieces in every way must read like one piece.
TEST(SerialLinkScripted, ReplySplitAcrossReads) {
  const std::string frame = BuildReplyFrame(kAck, "hello");  // 06 hello 1A sum
  const size_t sub = frame.find('\x1A');
  std::vector<std::vector<std::string>> splits = {
      {frame},
      {frame.substr(0, 1), frame.substr(1)},                              // the status byte alone
      {frame.substr(0, sub), frame.substr(sub)},                          // before the SUB
      {frame.substr(0, sub + 1), frame.substr(sub + 1)},                  // between SUB and digits
      {frame.substr(0, sub + 3), frame.substr(sub + 3)},                  // inside the digits
  };
  std::vector<std::string> bytewise;
  for (char c : frame) bytewise.emplace_back(1, c);
  splits.push_back(bytewise);
  ScriptedPty pty;
  auto link = OpenLink(pty.path());
  for (const auto& chunks : splits) {
    SCOPED_TRACE(chunks.size());
    pty.AnswerNext(chunks, 2ms);
    std::string reply;
    EXPECT_EQ(link->SendRecvSync("q", reply, 2000, false), 0);
    EXPECT_EQ(reply, "hello");
    EXPECT_EQ(pty.FinishAnswer(), BuildRequestFrame("q"));
  }
}

TEST(SerialLinkScripted, ReplyChecksumForms) {
  struct Case {
    std::string reply;
    int result;
    std::string text;
  } cases[] = {
      {Bytes({6}) + "ok" + Bytes({0x1A}) + "00fa", 0, "ok"},   // lower-case digits
      {Bytes({6}) + "ok" + Bytes({0x1A}) + "00F?", -4, "ok"},  // not hexadecimal: a failed exchange
      {BuildReplyFrame(kNak, "why"), -3, "why"},
      {Bytes({6}) + "ok" + Bytes({0x1A}) + "00F", -2, "ok"},   // the last digit never comes
  };
  ScriptedPty pty;
  auto link = OpenLink(pty.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    pty.AnswerNext({c.reply});
    std::string reply;
    EXPECT_EQ(link->SendRecvSync("q", reply, 300, false), c.result);
    EXPECT_EQ(reply, c.text);
    pty.FinishAnswer();
  }
}

TEST(SerialLinkScripted, ProcessMessagesFlagRunsTheLoopWhileWaiting) {
  ScriptedPty pty;
  auto link = OpenLink(pty.path());
  FakeLinkUi ui;
  link->SetUi(&ui);
  std::string reply;
  EXPECT_EQ(link->SendRecvSync("q", reply, 60, true), -2);
  EXPECT_GE(ui.processed, 10);  // about every 3 ms
  ui.processed = 0;
  EXPECT_EQ(link->SendRecvSync("q", reply, 60, false), -2);
  EXPECT_EQ(ui.processed, 0);
}

TEST(SerialLinkScripted, StaleInputIsDiscardedBeforeTheRequest) {
  ScriptedPty pty;
  auto link = OpenLink(pty.path());
  pty.Write("noise");
  std::this_thread::sleep_for(20ms);
  pty.AnswerNext({BuildReplyFrame(kAck, "fresh")});
  std::string reply;
  EXPECT_EQ(link->SendRecvSync("q", reply, 1000, false), 0);
  EXPECT_EQ(reply, "fresh");
}

TEST(SerialLinkScripted, RawReceiveWithTimeouts) {
  ScriptedPty pty;
  auto link = OpenLink(pty.path());
  link->SetReadTimeouts(0, 0, 100);
  pty.Write("abcdef");
  std::string in;
  EXPECT_EQ(link->Receive(in, 4), 4);
  EXPECT_EQ(in, "abcd");
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(link->Receive(in, 10), 2);  // the rest, then the total timeout
  EXPECT_EQ(in, "ef");
  EXPECT_GE(MsSince(t0), 99);
  // With an interval the read ends once the line goes quiet after the first bytes.
  link->SetReadTimeouts(20, 0, 2000);
  pty.Write("xy");
  t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(link->Receive(in, 10), 2);
  EXPECT_LT(MsSince(t0), 500);
  EXPECT_EQ(link->Send("out"), 3);
  EXPECT_EQ(pty.Read(500ms, 3), "out");
}

}  // namespace
