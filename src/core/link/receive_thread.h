#pragma once
// The receive thread of the serial link: reads everything the port delivers, cuts it into
// texts (at LF and/or SUB, or one text per read), keeps a CR at the end of a text back until
// the next bytes show whether an LF follows, stores the texts in the receive ring and tells
// the registered receiver. It also writes the texts of the send queue and carries out purge
// requests, so that a receiving page never blocks on the port.
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/serial_port.h"

namespace trivex {

// State shared between the main thread and the receive thread.
struct TLinkShared {
  static constexpr int kRingSize = 512;
  static constexpr int kQueueSize = 64;

  // Lock 1: the receive ring.
  std::mutex lock1;
  std::array<std::string, kRingSize> ring;
  int ring_write = 0;
  int ring_read = 0;
  int ring_count = 0;
  bool ring_full = false;
  std::condition_variable ring_drained;  // the reader took texts: the thread may go on

  // Lock 2: the send queue.
  std::mutex lock2;
  std::array<std::string, kQueueSize> queue;
  int queue_write = 0;
  int queue_read = 0;
  bool queue_empty = true;

  void ResetRing();
  void ResetQueue();
};

class TReceiveThread {
 public:
  static constexpr size_t kBufferSize = 8192;
  // Called from the receive thread after every delivered text (the window message).
  using Notify = std::function<void()>;

  TReceiveThread(SerialPort& port, TLinkShared& shared, Notify notify, bool split_on_lf,
                 bool split_on_sub);
  ~TReceiveThread();  // stops and joins

  void Start();
  // Asks the loop to end and waits until it has (the port may be closed afterwards).
  void Stop();
  bool Running() const { return running_; }
  // 1 purge, 2 send CAN and purge; waits until the thread has done it.
  void RequestPurge(int request);
  // Tells the thread that the send queue has a text.
  void WakeUp() { port_.Wake(); }

 private:
  void Loop();
  // Walks the buffer from scan_ and delivers complete texts while the ring has room.
  void SplitBuffer();
  // Delivers a text under the CR rule; false when the ring is full.
  bool Deliver(std::string text);
  bool RingHasRoom();

  SerialPort& port_;
  TLinkShared& shared_;
  Notify notify_;
  const bool split_on_lf_;
  const bool split_on_sub_;

  std::vector<uint8_t> buffer_;  // bytes not yet delivered
  size_t fill_ = 0;              // write position
  size_t scan_ = 0;              // bytes before this position hold no delimiter
  bool cr_pending_ = false;
  std::chrono::steady_clock::time_point cr_since_{};

  std::thread thread_;
  std::atomic<bool> terminate_{false};
  std::atomic<bool> running_{false};
  std::mutex purge_lock_;
  std::condition_variable purge_done_;
  int purge_request_ = 0;
};

}  // namespace trivex
