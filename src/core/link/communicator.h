#pragma once
// TCommunicator: one serial port of the PC with the framed, synchronous request/reply
// exchange (SendRecvSync) and raw access through a receive thread; it also keeps the table
// of the computer's serial ports with one line configuration each.
//
// A COM number is the number shown as "COM%d": the ports are numbered 1.. in the order the
// system lists them (serial_port.h), followed by the paths the user added. An index is a
// position in the port table. Where an operation takes a number or an index, 0 means the
// current one.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/comm_error.h"
#include "link/link_ui.h"
#include "link/port_config.h"
#include "link/receive_thread.h"
#include "link/serial_port.h"

namespace trivex {

// Timeouts of the port in milliseconds. A read waits at most multiplier × count + constant
// in all (no limit when both are 0) and ends early once `interval` passes between two bytes
// (0: no such limit); a write waits at most multiplier × count + constant.
struct TCommTimeouts {
  uint32_t read_interval = 0;
  uint32_t read_multiplier = 0;
  uint32_t read_constant = 0;
  uint32_t write_multiplier = 0;
  uint32_t write_constant = 0;
  bool operator==(const TCommTimeouts&) const = default;
};

class TCommunicator {
 public:
  using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
  using PortLister = std::function<std::vector<std::string>()>;

  explicit TCommunicator(PortFactory factory = CreatePosixSerialPort,
                         PortLister lister = ListSystemPorts);
  ~TCommunicator();
  TCommunicator(const TCommunicator&) = delete;
  TCommunicator& operator=(const TCommunicator&) = delete;

  // --- Port table ---
  // Rebuilds the table: the system's ports, then the added and the session paths (each
  // device once). Closes
  // the port, selects number 1 and resets every configuration to the default.
  void ScanPorts();
  // Paths the user added (settings, --port); they join the table at the next ScanPorts.
  void SetExtraPorts(std::vector<std::string> paths);
  const std::vector<std::string>& ExtraPorts() const { return extra_ports_; }
  // Paths for this run only (a --port argument, the demo simulator): in the table after the
  // added paths, never stored.
  void SetSessionPorts(std::vector<std::string> paths) { session_ports_ = std::move(paths); }
  int PortCount() const { return static_cast<int>(ports_.size()); }
  int HighestComNum() const { return highest_; }
  int ComNum() const { return com_num_; }
  int ComIdx() const { return com_idx_; }
  void SetComNum(int number);
  void SetComIdx(int index);
  int GetComNum2Idx(int number) const;
  int GetComIdx2Num(int index) const;
  // The COM number of a device path (the same device under any of its names), 0 for none.
  int FindComNum(const std::string& path) const;
  // The device path of a COM number (0: the current one); empty when there is no entry.
  std::string PortPath(int number = 0) const;
  TPortConfig GetCommConfig(int number) const;
  TPortConfig GetCommConfigByIdx(int index) const;
  void SetCommConfig(int number, const TPortConfig& config);
  void SetCommConfigByIdx(int index, const TPortConfig& config);
  // "9600, N, 8, 1, -"; empty for number 0 on a closed port.
  std::string GetCommPropertiesAsString(int number) const;
  // The port settings dialog for a port; then ApplyHandshakeOptions.
  void ExecSettingsDialog(int number, LinkUi& ui);

  // --- Options ---
  void SetRtsEnable(bool on) { rts_option_ = on; }
  bool RtsEnable() const { return rts_option_; }
  void SetRs485(bool on) { rs485_option_ = on; }
  bool Rs485() const { return rs485_option_; }
  // Rewrites every table entry by the RTS and RS485 options (closing and reopening the port).
  void ApplyHandshakeOptions();

  // --- Open and close ---
  // Opens (raises ECommError "Error %d on opening %s" on failure) or closes the port. In
  // modem mode closing keeps the port open so that the modem line is not dropped.
  void SetActive(bool on);
  bool Active() const;
  // The user interface for message boxes and the message loop (may be null).
  void SetUi(LinkUi* ui) { ui_ = ui; }
  LinkUi* Ui() const { return ui_; }

  // --- Modem mode and timeouts ---
  void SetModemMode(bool on);
  bool ModemMode() const { return modem_mode_; }
  void SetModemLabel(std::string label) { modem_label_ = std::move(label); }
  const std::string& ModemLabel() const { return modem_label_; }
  double TimeoutFactor() const { return timeout_factor_; }
  void SetTimeouts(uint32_t read_interval, uint32_t read_multiplier, uint32_t read_constant,
                   uint32_t write_multiplier, uint32_t write_constant);
  void SetDefaultTimeouts() { SetTimeouts(0, 10, 5000, 10, 100); }
  void SetReadTimeouts(uint32_t interval, uint32_t multiplier, uint32_t constant);
  void SetWriteTimeouts(uint32_t multiplier, uint32_t constant);
  TCommTimeouts Timeouts() const { return timeouts_; }

  // --- Exchanges ---
  // One framed exchange: result 0, -1 write error, -2 timeout, -3 rejected (the reply text
  // is still delivered), -4 checksum wrong. The timeout is in ms, scaled by the timeout
  // factor, counted from before the request is written.
  int SendRecvSync(const std::string& request, std::string& reply, uint32_t timeout_ms,
                   bool process_messages);
  // Raw write: the count written or -1; in queued-send mode the text joins the send queue
  // (-1 when 64 texts wait).
  int Send(const std::string& text);
  // One raw read of up to `count` bytes with the current read timeouts.
  int Receive(std::string& data, int count);
  // Discards pending input and output, optionally after sending CAN.
  void Purge(bool send_can);

  // --- Receiver ---
  // Starts the receive thread; `notify` is called on that thread after each delivered text
  // (the receiver then calls FetchReceived on its own thread until it returns false).
  void RegisterReceiver(std::function<void()> notify, bool split_on_lf, bool split_on_sub);
  // Stops the receive thread and waits for its end.
  void UnregisterReceiver();
  bool Receiving() const { return thread_ != nullptr; }
  bool FetchReceived(std::string& text);
  void SetQueuedSend(bool on) { queued_send_ = on; }
  bool QueuedSend() const { return queued_send_; }

 private:
  struct PortEntry {
    int number;
    std::string path;
    TPortConfig config;
  };
  int CheckedIndex(int number, const char* op) const;
  int CheckedIndexByIdx(int index, const char* op) const;
  long ReadWithTimeouts(uint8_t* data, size_t size);
  [[noreturn]] void Misuse(const char* op, bool active) const;

  PortFactory factory_;
  PortLister lister_;
  std::unique_ptr<SerialPort> port_;
  std::vector<PortEntry> ports_;           // index i at position i - 1
  std::vector<std::string> extra_ports_;
  std::vector<std::string> session_ports_;
  int com_num_ = 1;
  int com_idx_ = 1;
  int highest_ = 0;
  bool modem_mode_ = false;
  std::string modem_label_;
  bool rs485_option_ = false;
  bool rts_option_ = true;
  double timeout_factor_ = 1.0;
  TCommTimeouts timeouts_;
  bool queued_send_ = false;
  LinkUi* ui_ = nullptr;
  TLinkShared shared_;
  std::unique_ptr<TReceiveThread> thread_;
};

}  // namespace trivex
