#pragma once
// TKombiCommunicator: the one object through which the program talks to devices. It routes
// over the serial port (TCommunicator) or a connection of the bus server, opens with retries
// and clear messages, repeats failed framed exchanges and asks Abort/Retry/Ignore, offers raw
// sending and receiving, describes the link for the status bar, keeps a log of framed
// exchanges and counts failures. Pages borrow it: they save the four open/close events,
// install their own (which usually set the mode), and put the saved ones back when they
// leave.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "link/communicator.h"
#include "link/link_result.h"
#include "link/link_ui.h"
#include "link/tynet_server.h"

namespace trivex {

class TKombiCommunicator {
 public:
  enum TMode : int { kModeOnline = 1, kModeFramed = 2 };

  using TNotifyEvent = std::function<void(TKombiCommunicator& sender)>;
  using TAfterOpenEvent = std::function<void(TKombiCommunicator& sender, bool success)>;
  struct TEvents {
    TNotifyEvent before_open;
    TAfterOpenEvent after_open;
    TNotifyEvent before_close;
    TNotifyEvent after_close;
  };
  // Called after every attempt of SendRecvRetry; may change the reply, the result and ok.
  using TResultCheck = std::function<void(TKombiCommunicator& sender, const std::string& request,
                                          std::string& reply, int& result, bool& ok)>;
  // Called instead of the built-in dialog when the attempts are used up.
  using TErrorEvent = std::function<TDialogAnswer(TKombiCommunicator& sender, const std::string& request,
                                                  const std::string& reply, int result)>;
  struct TErrorCounters {
    uint32_t total = 0;     // every failed attempt
    uint32_t write = 0;     // -1
    uint32_t timeout = 0;   // -2
    uint32_t rejected = 0;  // -3
    uint32_t checksum = 0;  // -4
    uint32_t other = 0;     // every other failure: -5 and below, refusals
  };
  static constexpr int kMaxLogLines = 5000;

  // Without a serial link one is made for the system's ports; without a bus server the
  // platform's (not installed here).
  explicit TKombiCommunicator(LinkUi* ui = nullptr, std::unique_ptr<TBusServer> server = nullptr,
                              std::unique_ptr<TCommunicator> serial = nullptr);
  ~TKombiCommunicator();
  TKombiCommunicator(const TKombiCommunicator&) = delete;
  TKombiCommunicator& operator=(const TKombiCommunicator&) = delete;

  TCommunicator& Serial() { return *serial_; }
  const TCommunicator& Serial() const { return *serial_; }
  void SetUi(LinkUi* ui);
  LinkUi* Ui() const { return ui_; }

  // --- Open and close ---
  // Opening failures do not raise: the link stays inactive, the port is flagged and the
  // user sees why; callers test Active() afterwards.
  void Open();
  void Close();
  void SetActive(bool on) { on ? Open() : Close(); }
  bool Active() const { return active_; }
  TEvents& Events() { return events_; }
  // 1 online (raw text), 2 framed request/reply.
  int Mode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }

  // --- Bus server ---
  bool ServerInstalled() const { return server_->Installed(); }
  bool UseServer() const { return use_server_; }
  void SetUseServer(bool on);
  const std::string& ConnectionName() const { return connection_name_; }
  void SetConnectionName(std::string name) { connection_name_ = std::move(name); }
  uint16_t ConnectionId() const { return connection_id_; }
  void ChooseConnection();
  void ConnectionSettings();
  uint16_t ServerStatus();
  uint32_t ServerError();
  // The 1234 ms server timer: enabled while this link holds the server. Each tick asks the
  // server whether its clients must end; then `on_server_end_request` runs.
  static constexpr int kServerTimerMs = 1234;
  bool ServerTimerEnabled() const { return server_timer_; }
  void ServerTimerTick();
  std::function<void()> on_server_end_request;

  // --- Exchanges ---
  // One framed exchange (mode 2 only; ECommError otherwise).
  int SendRecvSync(const std::string& request, std::string& reply, uint32_t timeout_ms,
                   bool process_messages = false);
  // A framed exchange with silent repetitions and the Abort/Retry/Ignore question.
  int SendRecvRetry(const std::string& request, std::string& reply, uint32_t timeout_ms,
                    const TResultCheck& check = {}, const TErrorEvent& on_error = {},
                    bool process_messages = false);
  // The retry setting (terminal settings; default 2, 0..100).
  int RetrySetting() const { return retries_; }
  void SetRetrySetting(int retries);
  // Raw send: serial mode 1 the text, mode 2 STX text LF (no checksum); the count written or
  // -1. Bus server: the text length, 0 without a connection.
  int Send(const std::string& text);
  // Raw read of up to `count` bytes.
  void Receive(int count, std::string& text);
  bool FetchReceived(std::string& text);
  void Purge(bool send_can);

  // --- Status ---
  std::string LinkDescription() const;
  // The port flag (the last open of that port failed); 0 = the current port.
  bool PortFlagged(int number = 0) const;
  const TErrorCounters& ErrorCounters() const { return counters_; }
  void ResetErrorCounters() { counters_ = TErrorCounters(); }
  bool ExchangeLogOn() const { return log_on_; }
  void SetExchangeLogOn(bool on) { log_on_ = on; }
  const std::deque<std::string>& ExchangeLog() const { return log_; }
  void ClearExchangeLog() { log_.clear(); }

 private:
  bool AcquireServer();
  void ReleaseServer();
  void SetFlag(int number, bool on);
  void AddLogLine(const char* direction, const std::string& text);

  std::unique_ptr<TCommunicator> serial_;
  std::unique_ptr<TBusServer> server_;
  LinkUi* ui_ = nullptr;
  bool use_server_ = false;
  bool active_ = false;
  uint16_t connection_id_ = 0;
  std::string connection_name_;
  int mode_ = kModeFramed;
  bool server_timer_ = false;
  int server_holds_ = 0;  // Open()s that hold the server; it is released at 0
  bool log_on_ = false;
  std::array<uint8_t, 257> port_flags_{};
  TEvents events_;
  TErrorCounters counters_;
  std::deque<std::string> log_;
  int retries_ = 2;
};

}  // namespace trivex
