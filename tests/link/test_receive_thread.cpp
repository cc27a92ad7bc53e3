// The receive thread: cutting input into texts, the CR rule, the ring that never loses a
// text, the send queue and purging, through a pseudo-terminal whose other end the test
// writes.
#include <gtest/gtest.h>

#include "link/communicator.h"
#include "link_test_support.h"

using namespace trivex;
using namespace trivex::test;
using namespace std::chrono_literals;

namespace {

class ReceiveThreadTest : public ::testing::Test {
 protected:
  void Register(bool split_lf, bool split_sub) {
    link_ = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
    link_->SetExtraPorts({pty_.path()});
    link_->ScanPorts();
    link_->SetActive(true);
    link_->RegisterReceiver([this] { texts_.Notify(); }, split_lf, split_sub);
    link_->SetQueuedSend(true);
  }
  // The next text, waiting up to `wait` for it.
  std::string Next(std::chrono::milliseconds wait = 1000ms) {
    auto end = std::chrono::steady_clock::now() + wait;
    std::string t;
    while (!link_->FetchReceived(t)) {
      if (std::chrono::steady_clock::now() > end) return "<none>";
      std::this_thread::sleep_for(1ms);
    }
    return t;
  }

  ScriptedPty pty_;
  ReceivedTexts texts_;
  std::unique_ptr<TCommunicator> link_;
};

TEST_F(ReceiveThreadTest, HeldBackCrJoinsTheFollowingLf) {
  Register(false, false);
  pty_.Write("A\r");
  EXPECT_EQ(Next(), "A");
  pty_.Write("\nB");
  EXPECT_EQ(Next(), "\r\nB");
}

TEST_F(ReceiveThreadTest, HeldBackCrAloneAfterFiftyMilliseconds) {
  Register(false, false);
  pty_.Write("A\r");
  EXPECT_EQ(Next(), "A");
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(Next(), "\r");
  double ms = MsSince(t0);
  EXPECT_GE(ms, 40);
  EXPECT_LT(ms, 300);
  pty_.Write("\nB");  // 100 ms after the CR: the CR went alone, the LF follows on its own
  EXPECT_EQ(Next(), "\nB");
  EXPECT_EQ(Next(100ms), "<none>");
}

TEST_F(ReceiveThreadTest, SplitOnSubKeepsTheRestForTheNextSub) {
  Register(false, true);
  pty_.Write("x\x1A" "1234y");
  EXPECT_EQ(Next(), "x\x1A");
  EXPECT_EQ(Next(50ms), "<none>");
  pty_.Write("z\x1A");
  EXPECT_EQ(Next(), "1234yz\x1A");
}

TEST_F(ReceiveThreadTest, SplitOnLfDeliversEveryLine) {
  Register(true, false);
  pty_.Write("a\nbb\ncc");
  EXPECT_EQ(Next(), "a\n");
  EXPECT_EQ(Next(), "bb\n");
  pty_.Write("c\n");
  EXPECT_EQ(Next(), "ccc\n");
}

TEST_F(ReceiveThreadTest, FullRingKeepsEveryTextInOrder) {
  Register(false, true);
  std::string burst;
  for (int i = 0; i < 1500; ++i) burst += std::to_string(10000 + i) + "\x1A";
  pty_.Write(burst);  // far more texts than the ring has slots
  // The ring fills up; nothing is fetched until it has.
  ASSERT_TRUE(texts_.WaitNotified(512, 3000ms));
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(texts_.Notified(), 512);
  for (int i = 0; i < 1500; ++i) ASSERT_EQ(Next(), std::to_string(10000 + i) + "\x1A") << i;
  EXPECT_EQ(Next(50ms), "<none>");
}

TEST_F(ReceiveThreadTest, FullBufferWithoutDelimiterIsOneText) {
  Register(true, false);
  pty_.Write(std::string(8192, 'x'));
  EXPECT_EQ(Next(), std::string(8192, 'x'));
  pty_.Write("tail\n");
  EXPECT_EQ(Next(), "tail\n");
}

TEST_F(ReceiveThreadTest, QueuedSendAndPurgeWithCan) {
  Register(false, false);
  EXPECT_EQ(link_->Send("first"), 5);
  EXPECT_EQ(link_->Send("second"), 6);
  EXPECT_EQ(pty_.Read(1000ms, 11), "firstsecond");
  pty_.Write("unread");
  ASSERT_TRUE(texts_.WaitNotified(1, 1000ms));
  link_->Purge(true);
  EXPECT_EQ(pty_.Read(1000ms, 1), "\x18");
  EXPECT_EQ(Next(50ms), "<none>");  // the purge emptied the ring
  // Operations of the framed exchange are not allowed while the thread reads.
  std::string reply;
  EXPECT_THROW(link_->SendRecvSync("x", reply, 100, false), ECommError);
  EXPECT_THROW(link_->Receive(reply, 1), ECommError);
}

TEST_F(ReceiveThreadTest, ClosingStopsTheThreadBeforeThePortIsUsedAgain) {
  Register(false, false);
  link_->SetActive(false);
  EXPECT_FALSE(link_->Receiving());
  EXPECT_FALSE(link_->QueuedSend());
  link_->SetActive(true);
  link_->SetReadTimeouts(0, 0, 500);
  pty_.Write("after");
  std::string in;
  EXPECT_EQ(link_->Receive(in, 5), 5);  // nothing of it went to a thread
  EXPECT_EQ(in, "after");
}

}  // namespace
