#include "link/kombi_communicator.h"

#include <ctime>
#include <thread>

#include "app/app_state.h"
#include "lang/date_time.h"
#include "lang/format.h"
#include "lang/system_formats.h"
#include "lang/texts_link.h"
#include "link/frame.h"

namespace trivex {
namespace {

constexpr int kOpenAttempts = 11;
constexpr auto kOpenRetryPause = std::chrono::milliseconds(100);
constexpr int kServerConnectAttempts = 5;
constexpr const char* kApplicationTitle = "Trivex";

std::string NowText() {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  DateTime dt = DateTime::FromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                                    tm.tm_sec, ms);
  const SystemFormats& f = CurrentFormats();
  return FormatDateTime(f.short_date + " hh:nn:ss", dt, '/', f.time_separator);
}

}  // namespace

TKombiCommunicator::TKombiCommunicator(LinkUi* ui, std::unique_ptr<TBusServer> server,
                                       std::unique_ptr<TCommunicator> serial)
    : serial_(serial ? std::move(serial) : std::make_unique<TCommunicator>()),
      server_(server ? std::move(server) : CreatePlatformBusServer()) {
  SetUi(ui);
}

TKombiCommunicator::~TKombiCommunicator() {
  // Whatever happens here must not raise, and the pages whose events may still be
  // installed are gone: the program is ending.
  events_ = TEvents();
  try {
    Close();
  } catch (...) {
  }
  while (server_holds_ > 0) ReleaseServer();
}

void TKombiCommunicator::SetUi(LinkUi* ui) {
  ui_ = ui;
  serial_->SetUi(ui);
}

void TKombiCommunicator::SetFlag(int number, bool on) {
  if (number >= 1 && number <= 256) port_flags_[static_cast<size_t>(number)] = on ? 1 : 0;
}

bool TKombiCommunicator::PortFlagged(int number) const {
  if (number == 0) number = serial_->ComNum();
  return number >= 1 && number <= 256 && port_flags_[static_cast<size_t>(number)] != 0;
}

void TKombiCommunicator::SetRetrySetting(int retries) { retries_ = retries < 0 ? 0 : retries > 100 ? 100 : retries; }

bool TKombiCommunicator::AcquireServer() {
  if (server_holds_ == 0) {
    bool connected = false;
    for (int i = 0; i < kServerConnectAttempts && !connected; ++i) connected = server_->Comm().Connect();
    if (!connected) {
      if (ui_) ui_->ShowMessage(TMessageKind::kError, kApplicationTitle, lang::Tr(tx::link::CantConnectServer));
      return false;
    }
    server_timer_ = true;
  }
  ++server_holds_;
  return true;
}

void TKombiCommunicator::ReleaseServer() {
  if (server_holds_ == 0) return;
  --server_holds_;
  if (server_holds_ == 0) {
    server_timer_ = false;
    server_->Comm().Disconnect();
  }
}

void TKombiCommunicator::ServerTimerTick() {
  if (!server_timer_ || connection_id_ == 0) return;
  if (server_->Comm().EndRequested() != 0 && on_server_end_request) on_server_end_request();
}

void TKombiCommunicator::Open() {
  if (active_) return;
  if (events_.before_open) events_.before_open(*this);
  if (use_server_) {
    if (AcquireServer()) {
      connection_id_ = server_->Comm().OpenConnection(static_cast<uint16_t>(mode_), connection_name_);
      server_->Comm().ConnectionOption(connection_id_, 0);
      active_ = true;  // also with id 0: exchanges then report -5
    }
  } else {
    const int number = serial_->ComNum();
    for (int attempt = 1; attempt <= kOpenAttempts; ++attempt) {
      try {
        serial_->SetActive(true);
        serial_->SetReadTimeouts(0, 2, 100);
        SetFlag(number, false);
        active_ = true;
        break;
      } catch (const ECommError& e) {
        const int error = e.SystemError();
        std::string message;
        if (IsMissingDeviceError(error)) {
          message = Format(lang::Tr(tx::link::PortNotAccessible), {number});
        } else if (IsPermissionError(error)) {
          message = Format(lang::Tr(tx::link::PortNoPermission), {number, serial_->PortPath()});
        } else if (attempt == kOpenAttempts) {
          message = Format(lang::Tr(tx::link::PortInUse), {number});
        } else {
          std::this_thread::sleep_for(kOpenRetryPause);
          continue;
        }
        SetFlag(number, true);
        if (ui_) ui_->ShowMessage(TMessageKind::kWarning, lang::Tr(tx::link::CaptionError), message);
        break;
      }
    }
  }
  if (events_.after_open) events_.after_open(*this, active_);
}

void TKombiCommunicator::Close() {
  if (active_) {
    if (events_.before_close) events_.before_close(*this);
    if (use_server_) {
      if (connection_id_ != 0) {
        uint16_t id = connection_id_;
        connection_id_ = 0;
        server_->Comm().CloseConnection(id);
      }
      ReleaseServer();
    } else {
      serial_->UnregisterReceiver();
      serial_->SetActive(false);  // in modem mode the port stays open
      SetFlag(serial_->ComNum(), false);
    }
    active_ = false;
  }
  if (events_.after_close) events_.after_close(*this);
}

void TKombiCommunicator::SetUseServer(bool on) {
  if (on == use_server_) return;
  if (active_ || PortFlagged(0)) {
    Close();
    use_server_ = on;
    Open();
  } else {
    use_server_ = on;
  }
}

void TKombiCommunicator::ChooseConnection() {
  std::string name = server_->Dialog().ChooseConnection();
  if (name.empty()) return;
  if (use_server_ && active_) {
    Close();
    connection_name_ = name;
    Open();
  } else {
    connection_name_ = name;
  }
}

void TKombiCommunicator::ConnectionSettings() {
  if (server_->Dialog().ConnectionSettings() != 0 && use_server_ && active_) {
    Close();
    Open();
  }
}

uint16_t TKombiCommunicator::ServerStatus() {
  return connection_id_ != 0 ? server_->Comm().Status(connection_id_) : 0;
}

uint32_t TKombiCommunicator::ServerError() {
  return connection_id_ != 0 ? server_->Comm().LastError(connection_id_) : 0;
}

void TKombiCommunicator::AddLogLine(const char* direction, const std::string& text) {
  log_.push_back(NowText() + direction + text);
}

int TKombiCommunicator::SendRecvSync(const std::string& request, std::string& reply, uint32_t timeout_ms,
                                     bool process_messages) {
  if (mode_ != kModeFramed) throw ECommError(lang::Tr(tx::link::ErrModeFramed));
  reply.clear();
  if (!use_server_) {
    if (!log_on_) return serial_->SendRecvSync(request, reply, timeout_ms, process_messages);
    AddLogLine(" PC -> Dev : ", request);
    int result = serial_->SendRecvSync(request, reply, timeout_ms, process_messages);
    AddLogLine(" PC <- Dev : ", reply);
    while (log_.size() > static_cast<size_t>(kMaxLogLines)) log_.pop_front();
    return result;
  }
  if (connection_id_ == 0) return kLinkServerError;
  TTynetComm& comm = server_->Comm();
  comm.Write(connection_id_, request);
  while (comm.Status(connection_id_) != 0) {
    if (process_messages && ui_) ui_->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the server works on its own
  }
  reply = comm.Read(connection_id_);
  switch (comm.LastError(connection_id_)) {
    case 0: return kLinkOk;
    case kTynetErrorTimeout: return kLinkTimeout;
    case kTynetErrorRejected: return kLinkRejected;
    case kTynetErrorChecksum: return kLinkChecksum;
    default: return kLinkServerError;
  }
}

int TKombiCommunicator::SendRecvRetry(const std::string& request, std::string& reply, uint32_t timeout_ms,
                                      const TResultCheck& check, const TErrorEvent& on_error,
                                      bool process_messages) {
  int attempts = 0;
  int timeouts = 0;
  for (;;) {
    int result = SendRecvSync(request, reply, timeout_ms, process_messages);
    ++attempts;
    bool ok = result == kLinkOk;
    if (check) check(*this, request, reply, result, ok);
    if (ok) return result;
    // Each failed attempt counts two; two timeouts end the silent repetitions.
    ++attempts;
    if (result == kLinkTimeout) ++timeouts;
    ++counters_.total;
    switch (result) {
      case kLinkWriteError: ++counters_.write; break;
      case kLinkTimeout: ++counters_.timeout; break;
      case kLinkRejected: ++counters_.rejected; break;
      case kLinkChecksum: ++counters_.checksum; break;
      default: ++counters_.other; break;  // also a refusal that the check turned into a failure
    }
    if (attempts < retries_ && timeouts < 2) continue;

    TDialogAnswer answer = TDialogAnswer::kIgnore;
    if (on_error) {
      answer = on_error(*this, request, reply, result);
    } else if (ui_) {
      // A refusal keeps result 0 but its reply says why; no empty parentheses then.
      std::string detail;
      if (result < 0 && result >= kLinkChecksum) detail = " (" + LinkResultText(result) + ")";
      answer = ui_->AskAbortRetryIgnore(lang::Tr(tx::link::CaptionError),
                                        Format(lang::Tr(tx::link::CommError), {request, reply, result, detail}));
    }
    if (answer == TDialogAnswer::kRetry) continue;
    if (answer == TDialogAnswer::kAbort) SetUserAbort(true);
    return result;
  }
}

int TKombiCommunicator::Send(const std::string& text) {
  if (use_server_) {
    if (connection_id_ == 0) return 0;
    server_->Comm().Write(connection_id_, text);
    return static_cast<int>(text.size());
  }
  if (mode_ == kModeFramed) {
    std::string framed;
    framed += static_cast<char>(kStx);
    framed += text;
    framed += static_cast<char>(kLf);
    return serial_->Send(framed);
  }
  return serial_->Send(text);
}

void TKombiCommunicator::Receive(int count, std::string& text) {
  text.clear();
  if (!use_server_) {
    serial_->Receive(text, count);
    return;
  }
  if (connection_id_ == 0) return;
  TTynetComm& comm = server_->Comm();
  if (mode_ == kModeFramed) {
    while (comm.Status(connection_id_) != 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  text = comm.Read(connection_id_);
}

bool TKombiCommunicator::FetchReceived(std::string& text) {
  if (!use_server_) return serial_->FetchReceived(text);
  if (connection_id_ == 0) return false;
  TTynetComm& comm = server_->Comm();
  if (mode_ == kModeOnline) {
    text = comm.Read(connection_id_);
    return !text.empty();
  }
  if (comm.Status(connection_id_) != 0) return false;
  text = comm.Read(connection_id_);
  return true;
}

void TKombiCommunicator::Purge(bool send_can) {
  if (!use_server_) serial_->Purge(send_can);
}

std::string TKombiCommunicator::LinkDescription() const {
  std::string prefix;
  if (serial_->ModemMode()) prefix = serial_->ModemLabel() + " " + lang::Tr(tx::link::ModemAt) + " ";
  const int number = serial_->ComNum();
  if (active_) {
    if (use_server_)
      return "\"" + (connection_name_.empty() ? std::string(lang::Tr(tx::link::ServerDefaultConnection)) : connection_name_) + "\"";
    return Format("%sCOM%d: %s", {prefix, number, serial_->GetCommPropertiesAsString(0)});
  }
  if (use_server_) return lang::Tr(tx::link::ServerName);
  if (PortFlagged(0)) return Format("COM%d: ", {number}) + lang::Tr(tx::link::Busy);
  return Format("%sCOM%d:", {prefix, number});
}

}  // namespace trivex
