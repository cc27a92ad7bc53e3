#include "link/communicator.h"

#include <chrono>
#include <cmath>

#include "app/trace.h"
#include "lang/format.h"
#include "lang/texts_link.h"
#include "link/frame.h"
#include "link/precise_ticks.h"

namespace trivex {
namespace {

using Clock = std::chrono::steady_clock;

uint32_t Scale(uint32_t ms, double factor) {
  return static_cast<uint32_t>(std::lround(static_cast<double>(ms) * factor));
}

std::chrono::nanoseconds Ms(uint64_t ms) { return std::chrono::milliseconds(ms); }

}  // namespace

TCommunicator::TCommunicator(PortFactory factory, PortLister lister)
    : factory_(std::move(factory)), lister_(std::move(lister)) {
  ScanPorts();
}

TCommunicator::~TCommunicator() {
  UnregisterReceiver();
  if (port_) port_->Close();
}

void TCommunicator::ScanPorts() {
  UnregisterReceiver();
  if (port_) port_->Close();
  queued_send_ = false;
  modem_mode_ = false;
  modem_label_.clear();
  com_num_ = 1;
  com_idx_ = 1;
  highest_ = 0;
  // The RTS and RS485 options are the user's choice and survive a rescan.
  timeout_factor_ = 1.0;
  ports_.clear();
  std::vector<std::string> paths = lister_ ? lister_() : std::vector<std::string>();
  paths.insert(paths.end(), extra_ports_.begin(), extra_ports_.end());
  paths.insert(paths.end(), session_ports_.begin(), session_ports_.end());
  std::vector<std::string> seen;
  for (const auto& p : paths) {
    if (p.empty()) continue;
    std::string canon = CanonicalPortPath(p);
    bool dup = false;
    for (const auto& s : seen) dup = dup || s == canon;
    if (dup) continue;
    seen.push_back(canon);
    int number = static_cast<int>(ports_.size()) + 1;
    ports_.push_back(PortEntry{number, p, TPortConfig()});
    highest_ = number;
  }
}

void TCommunicator::SetExtraPorts(std::vector<std::string> paths) { extra_ports_ = std::move(paths); }

void TCommunicator::Misuse(const char* op, bool active) const {
  throw ECommError(Format(lang::Tr(active ? tx::link::ErrNotAllowedActive : tx::link::ErrNotAllowedInactive), {op}));
}

int TCommunicator::CheckedIndex(int number, const char* op) const {
  for (size_t i = 0; i < ports_.size(); ++i)
    if (ports_[i].number == number) return static_cast<int>(i) + 1;
  throw ECommError(Format(lang::Tr(tx::link::ErrInvalidComNr), {number, op}));
}

int TCommunicator::CheckedIndexByIdx(int index, const char* op) const {
  if (index < 1 || index > PortCount())
    throw ECommError(Format(lang::Tr(tx::link::ErrInvalidComIdx), {index, op}));
  return index;
}

int TCommunicator::GetComNum2Idx(int number) const { return CheckedIndex(number, "GetComNum2Idx"); }

int TCommunicator::GetComIdx2Num(int index) const {
  return ports_[static_cast<size_t>(CheckedIndexByIdx(index, "GetComIdx2Num") - 1)].number;
}

int TCommunicator::FindComNum(const std::string& path) const {
  std::string canon = CanonicalPortPath(path);
  for (const auto& p : ports_)
    if (p.path == path || CanonicalPortPath(p.path) == canon) return p.number;
  return 0;
}

std::string TCommunicator::PortPath(int number) const {
  if (number == 0) number = com_num_;
  for (const auto& p : ports_)
    if (p.number == number) return p.path;
  return {};
}

void TCommunicator::SetComNum(int number) {
  if (Active()) Misuse("SetComNum", true);
  com_idx_ = CheckedIndex(number, "SetComNum");
  com_num_ = number;
}

void TCommunicator::SetComIdx(int index) {
  if (Active()) Misuse("SetComIdx", true);
  com_num_ = ports_[static_cast<size_t>(CheckedIndexByIdx(index, "SetComIdx") - 1)].number;
  com_idx_ = index;
}

TPortConfig TCommunicator::GetCommConfig(int number) const {
  if (number == 0) number = com_num_;
  return ports_[static_cast<size_t>(CheckedIndex(number, "GetCommConfig") - 1)].config;
}

TPortConfig TCommunicator::GetCommConfigByIdx(int index) const {
  if (index == 0) index = com_idx_;
  return ports_[static_cast<size_t>(CheckedIndexByIdx(index, "GetCommConfigByIdx") - 1)].config;
}

void TCommunicator::SetCommConfig(int number, const TPortConfig& config) {
  if (number == 0) number = com_num_;
  ports_[static_cast<size_t>(CheckedIndex(number, "SetCommConfig") - 1)].config = config;
}

void TCommunicator::SetCommConfigByIdx(int index, const TPortConfig& config) {
  if (index == 0) index = com_idx_;
  ports_[static_cast<size_t>(CheckedIndexByIdx(index, "SetCommConfigByIdx") - 1)].config = config;
}

std::string TCommunicator::GetCommPropertiesAsString(int number) const {
  if (number == 0) {
    if (!Active()) return {};
    number = com_num_;
  }
  return PortSettingsText(ports_[static_cast<size_t>(CheckedIndex(number, "GetCommPropertiesAsString") - 1)].config);
}

void TCommunicator::ExecSettingsDialog(int number, LinkUi& ui) {
  if (number == 0) number = com_num_;
  size_t i = static_cast<size_t>(CheckedIndex(number, "ExecSettingsDialog") - 1);
  TPortConfig config = ports_[i].config;
  if (ui.EditPortSettings(number, ports_[i].path, config)) ports_[i].config = config;
  ApplyHandshakeOptions();
}

void TCommunicator::ApplyHandshakeOptions() {
  bool was_open = Active();
  if (was_open) SetActive(false);
  for (auto& p : ports_) ApplyHandshakeRules(p.config, rts_option_, rs485_option_);
  if (was_open) SetActive(true);
}

bool TCommunicator::Active() const { return port_ && port_->IsOpen(); }

void TCommunicator::SetActive(bool on) {
  if (on) {
    if (Active()) return;
    if (!port_) port_ = factory_();
    std::string path = PortPath();
    int error = path.empty() ? ENOENT : port_->Open(path);
    if (error != 0)
      throw ECommError(Format(lang::Tr(tx::link::ErrOpening), {error, Format("COM%d", {com_num_})}), error);
    TPortConfig config = ports_.empty() ? TPortConfig() : GetCommConfig(com_num_);
    if (int e = port_->Configure(config); e != 0 && ui_)
      ui_->ShowMessage(TMessageKind::kError, lang::Tr(tx::link::CaptionError),
                       Format(lang::Tr(tx::link::ErrSettingParams), {e}));
    port_->Purge();
    SetDefaultTimeouts();
    return;
  }
  if (!Active()) return;
  UnregisterReceiver();
  queued_send_ = false;
  port_->Purge();
  if (!modem_mode_) port_->Close();  // in modem mode the line must not drop
}

void TCommunicator::SetModemMode(bool on) {
  if (Active() && on != modem_mode_) {
    double f = on ? 3.0 : 1.0 / 3.0;
    timeouts_ = TCommTimeouts{Scale(timeouts_.read_interval, f), Scale(timeouts_.read_multiplier, f),
                              Scale(timeouts_.read_constant, f), Scale(timeouts_.write_multiplier, f),
                              Scale(timeouts_.write_constant, f)};
  }
  modem_mode_ = on;
  timeout_factor_ = on ? 3.0 : 1.0;
  if (!on) modem_label_.clear();
}

void TCommunicator::SetTimeouts(uint32_t read_interval, uint32_t read_multiplier, uint32_t read_constant,
                                uint32_t write_multiplier, uint32_t write_constant) {
  timeouts_ = TCommTimeouts{Scale(read_interval, timeout_factor_), Scale(read_multiplier, timeout_factor_),
                            Scale(read_constant, timeout_factor_), Scale(write_multiplier, timeout_factor_),
                            Scale(write_constant, timeout_factor_)};
}

void TCommunicator::SetReadTimeouts(uint32_t interval, uint32_t multiplier, uint32_t constant) {
  timeouts_.read_interval = Scale(interval, timeout_factor_);
  timeouts_.read_multiplier = Scale(multiplier, timeout_factor_);
  timeouts_.read_constant = Scale(constant, timeout_factor_);
}

void TCommunicator::SetWriteTimeouts(uint32_t multiplier, uint32_t constant) {
  timeouts_.write_multiplier = Scale(multiplier, timeout_factor_);
  timeouts_.write_constant = Scale(constant, timeout_factor_);
}

long TCommunicator::ReadWithTimeouts(uint8_t* data, size_t size) {
  const TCommTimeouts t = timeouts_;
  const uint64_t total = static_cast<uint64_t>(t.read_multiplier) * size + t.read_constant;
  const bool limited = total > 0;
  const auto deadline = Clock::now() + Ms(total);
  size_t got = 0;
  while (got < size) {
    auto wait = limited ? deadline - Clock::now() : std::chrono::nanoseconds(std::chrono::hours(24));
    if (got > 0 && t.read_interval > 0 && wait > Ms(t.read_interval)) wait = Ms(t.read_interval);
    if (wait <= std::chrono::nanoseconds::zero()) break;
    long n = port_->Read(data + got, size - got, wait);
    if (n < 0) return got > 0 ? static_cast<long>(got) : -1;
    if (n == 0) {
      if (got > 0 && t.read_interval > 0) break;  // the line went quiet after some bytes
      continue;
    }
    got += static_cast<size_t>(n);
  }
  return static_cast<long>(got);
}

int TCommunicator::SendRecvSync(const std::string& request, std::string& reply, uint32_t timeout_ms,
                                bool process_messages) {
  if (!Active()) Misuse("SendRecvSync", false);
  if (thread_) throw ECommError(Format(lang::Tr(tx::link::ErrNotAllowedReceiving), {"SendRecvSync"}));
  reply.clear();
  const int64_t started = PreciseTicks();
  // The deadline is fixed before anything is written: writing the request counts.
  const auto deadline =
      Clock::now() + std::chrono::nanoseconds(static_cast<int64_t>(timeout_ms * timeout_factor_ * 1e6));
  port_->Purge();
  const std::string frame = BuildRequestFrame(request);
  const uint64_t write_ms = static_cast<uint64_t>(timeouts_.write_multiplier) * frame.size() + timeouts_.write_constant;
  if (port_->Write(reinterpret_cast<const uint8_t*>(frame.data()), frame.size(),
                   write_ms > 0 ? Ms(write_ms) : deadline - Clock::now()) < 0) {
    if (TraceEnabled()) Trace(Format("SendRecvSync COM%d \"%s\" -> -1", {com_num_, request}));
    return -1;
  }
  // Each read waits for the next bytes; with the process-messages flag the message loop runs
  // at least every 3 ms (scaled) while nothing comes.
  const auto step = std::chrono::nanoseconds(static_cast<int64_t>(3e6 * timeout_factor_));
  ReplyAssembler assembler;
  uint8_t buf[128];
  int result = -2;
  for (;;) {
    auto left = deadline - Clock::now();
    if (left <= std::chrono::nanoseconds::zero()) break;
    long n = port_->Read(buf, sizeof buf, process_messages && step < left ? step : left);
    if (n < 0) break;  // the port failed: no reply can come any more
    if (n > 0 && assembler.Feed(buf, static_cast<size_t>(n))) {
      result = assembler.Result();
      break;
    }
    if (process_messages && ui_) ui_->ProcessMessages();
  }
  reply = assembler.Text();
  if (TraceEnabled())
    Trace(Format("SendRecvSync COM%d \"%s\" -> %d \"%s\" %s ms",
                 {com_num_, request, result, reply, FormatElapsedMs(PreciseTicks(), started)}));
  return result;
}

int TCommunicator::Send(const std::string& text) {
  if (!Active()) Misuse("Send", false);
  if (queued_send_ && thread_ && thread_->Running()) {
    {
      std::lock_guard<std::mutex> l(shared_.lock2);
      if (!shared_.queue_empty && shared_.queue_write == shared_.queue_read) return -1;  // 64 texts wait
      shared_.queue[static_cast<size_t>(shared_.queue_write)] = text;
      shared_.queue_write = (shared_.queue_write + 1) % TLinkShared::kQueueSize;
      shared_.queue_empty = false;
    }
    thread_->WakeUp();
    return static_cast<int>(text.size());
  }
  const uint64_t ms = static_cast<uint64_t>(timeouts_.write_multiplier) * text.size() + timeouts_.write_constant;
  long n = port_->Write(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                        ms > 0 ? Ms(ms) : std::chrono::nanoseconds(std::chrono::hours(24)));
  return n < 0 ? -1 : static_cast<int>(n);
}

int TCommunicator::Receive(std::string& data, int count) {
  if (!Active()) Misuse("Receive", false);
  if (thread_) throw ECommError(Format(lang::Tr(tx::link::ErrNotAllowedReceiving), {"Receive"}));
  data.clear();
  if (count <= 0) return 0;
  std::string buf(static_cast<size_t>(count), '\0');
  long n = ReadWithTimeouts(reinterpret_cast<uint8_t*>(buf.data()), buf.size());
  if (n <= 0) return 0;
  data.assign(buf.data(), static_cast<size_t>(n));
  return static_cast<int>(n);
}

void TCommunicator::Purge(bool send_can) {
  if (queued_send_ && thread_ && thread_->Running()) {
    thread_->RequestPurge(send_can ? 2 : 1);
    return;
  }
  if (send_can) Send(std::string(1, static_cast<char>(kCan)));
  if (Active()) port_->Purge(true, !send_can);  // the CAN must still leave
}

void TCommunicator::RegisterReceiver(std::function<void()> notify, bool split_on_lf, bool split_on_sub) {
  if (!Active()) Misuse("RegisterReceiver", false);
  UnregisterReceiver();
  shared_.ResetRing();
  shared_.ResetQueue();
  thread_ = std::make_unique<TReceiveThread>(*port_, shared_, std::move(notify), split_on_lf, split_on_sub);
  thread_->Start();
}

void TCommunicator::UnregisterReceiver() {
  if (!thread_) return;
  thread_->Stop();  // the thread has left its last read before the port is used otherwise
  thread_.reset();
  SetDefaultTimeouts();
}

bool TCommunicator::FetchReceived(std::string& text) {
  std::lock_guard<std::mutex> l(shared_.lock1);
  if (shared_.ring_count == 0) return false;
  auto r = static_cast<size_t>(shared_.ring_read);
  text = std::move(shared_.ring[r]);
  shared_.ring[r].clear();
  shared_.ring_read = (shared_.ring_read + 1) % TLinkShared::kRingSize;
  --shared_.ring_count;
  if (shared_.ring_full && shared_.ring_count < TLinkShared::kRingSize / 2) {
    shared_.ring_full = false;
    shared_.ring_drained.notify_all();
  }
  return true;
}

}  // namespace trivex
