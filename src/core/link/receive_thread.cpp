#include "link/receive_thread.h"

#include <algorithm>
#include <cstring>

#include "link/frame.h"

namespace trivex {
namespace {
constexpr auto kReadWait = std::chrono::milliseconds(5);
// A CR that nothing followed for this long is delivered alone.
constexpr auto kCrHoldTime = std::chrono::milliseconds(50);
}  // namespace

void TLinkShared::ResetRing() {
  std::lock_guard<std::mutex> l(lock1);
  for (auto& s : ring) s.clear();
  ring_write = ring_read = ring_count = 0;
  ring_full = false;
}

void TLinkShared::ResetQueue() {
  std::lock_guard<std::mutex> l(lock2);
  for (auto& s : queue) s.clear();
  queue_write = queue_read = 0;
  queue_empty = true;
}

TReceiveThread::TReceiveThread(SerialPort& port, TLinkShared& shared, Notify notify,
                               bool split_on_lf, bool split_on_sub)
    : port_(port),
      shared_(shared),
      notify_(std::move(notify)),
      split_on_lf_(split_on_lf),
      split_on_sub_(split_on_sub),
      buffer_(kBufferSize) {}

TReceiveThread::~TReceiveThread() { Stop(); }

void TReceiveThread::Start() {
  terminate_ = false;
  running_ = true;
  thread_ = std::thread([this] { Loop(); });
}

void TReceiveThread::Stop() {
  if (!thread_.joinable()) return;
  terminate_ = true;
  port_.Wake();
  {
    std::lock_guard<std::mutex> l(shared_.lock1);
    shared_.ring_drained.notify_all();
  }
  thread_.join();
}

void TReceiveThread::RequestPurge(int request) {
  std::unique_lock<std::mutex> l(purge_lock_);
  if (!running_) return;
  purge_request_ = request;
  port_.Wake();
  purge_done_.wait(l, [&] { return purge_request_ == 0 || !running_; });
}

bool TReceiveThread::RingHasRoom() {
  std::lock_guard<std::mutex> l(shared_.lock1);
  return !shared_.ring_full;
}

bool TReceiveThread::Deliver(std::string text) {
  const bool had_pending = cr_pending_;
  if (cr_pending_) {
    text.insert(text.begin(), '\r');
    cr_pending_ = false;
  }
  // A CR at the end waits for the next bytes, so that a CR LF pair reaches the receiver in
  // one text; the held-back CR alone is never held back again.
  if (!(had_pending && text.size() == 1) && !text.empty() && text.back() == '\r') {
    text.pop_back();
    cr_pending_ = true;
    cr_since_ = std::chrono::steady_clock::now();
  }
  if (text.empty()) return true;
  {
    std::lock_guard<std::mutex> l(shared_.lock1);
    shared_.ring[static_cast<size_t>(shared_.ring_write)] = std::move(text);
    shared_.ring_write = (shared_.ring_write + 1) % TLinkShared::kRingSize;
    ++shared_.ring_count;
    if (shared_.ring_count >= TLinkShared::kRingSize) shared_.ring_full = true;
  }
  if (notify_) notify_();
  return true;
}

void TReceiveThread::SplitBuffer() {
  size_t start = 0;
  size_t i = scan_;
  for (; i < fill_; ++i) {
    uint8_t b = buffer_[i];
    if (!((split_on_lf_ && b == kLf) || (split_on_sub_ && b == kSub))) continue;
    // Texts that do not fit into the ring stay in the buffer until the reader has made room.
    if (!RingHasRoom()) break;
    Deliver(std::string(reinterpret_cast<const char*>(buffer_.data() + start), i + 1 - start));
    start = i + 1;
  }
  if (start > 0) std::memmove(buffer_.data(), buffer_.data() + start, fill_ - start);
  fill_ -= start;
  scan_ = i - start;
  if (fill_ == kBufferSize && scan_ == fill_ && RingHasRoom()) {
    // A full buffer without a delimiter: its bytes travel as one text.
    Deliver(std::string(reinterpret_cast<const char*>(buffer_.data()), fill_));
    fill_ = scan_ = 0;
  }
}

void TReceiveThread::Loop() {
  const bool split = split_on_lf_ || split_on_sub_;
  while (!terminate_) {
    // 1. Purge request.
    int purge;
    {
      std::lock_guard<std::mutex> l(purge_lock_);
      purge = purge_request_;
    }
    if (purge != 0) {
      if (purge == 2) {
        const uint8_t can = kCan;
        port_.Write(&can, 1, std::chrono::milliseconds(100));
      }
      shared_.ResetQueue();
      shared_.ResetRing();
      port_.Purge(true, purge != 2);  // a CAN just written must still leave
      fill_ = scan_ = 0;
      cr_pending_ = false;
      std::lock_guard<std::mutex> l(purge_lock_);
      purge_request_ = 0;
      purge_done_.notify_all();
    }

    // 2. One text of the send queue per turn.
    std::string out;
    bool more_to_send = false;
    {
      std::lock_guard<std::mutex> l(shared_.lock2);
      if (!shared_.queue_empty) {
        auto r = static_cast<size_t>(shared_.queue_read);
        out = std::move(shared_.queue[r]);
        shared_.queue[r].clear();
        shared_.queue_read = (shared_.queue_read + 1) % TLinkShared::kQueueSize;
        if (shared_.queue_read == shared_.queue_write) shared_.queue_empty = true;
        more_to_send = !shared_.queue_empty;
      }
    }
    if (!out.empty())
      port_.Write(reinterpret_cast<const uint8_t*>(out.data()), out.size(),
                  std::chrono::milliseconds(10 * static_cast<long>(out.size()) + 100));

    // 3. A full ring: wait until the reader has taken texts.
    {
      std::unique_lock<std::mutex> l(shared_.lock1);
      if (shared_.ring_full) {
        shared_.ring_drained.wait_for(l, kReadWait);
        continue;
      }
    }
    // Texts that waited for room in the ring go first.
    if (split && (scan_ < fill_ || fill_ == kBufferSize)) {
      SplitBuffer();
      if (fill_ == kBufferSize || scan_ < fill_) continue;
    }

    // 4. Read what the port delivers.
    long n = port_.Read(buffer_.data() + fill_, kBufferSize - fill_,
                        more_to_send ? std::chrono::nanoseconds::zero() : std::chrono::nanoseconds(kReadWait));
    if (n < 0) {
      // The port failed (a device that went away): try again at the read pace.
      std::unique_lock<std::mutex> l(shared_.lock1);
      shared_.ring_drained.wait_for(l, kReadWait, [&] { return terminate_.load(); });
      continue;
    }
    if (n == 0) {
      if (cr_pending_ && !split && std::chrono::steady_clock::now() - cr_since_ >= kCrHoldTime)
        Deliver(std::string());  // the held-back CR alone
      continue;
    }
    if (split) {
      fill_ += static_cast<size_t>(n);
      SplitBuffer();
    } else {
      Deliver(std::string(reinterpret_cast<const char*>(buffer_.data()), static_cast<size_t>(n)));
    }
  }
  std::lock_guard<std::mutex> l(purge_lock_);
  running_ = false;
  purge_done_.notify_all();
}

}  // namespace trivex
