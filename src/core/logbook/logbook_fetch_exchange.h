#pragma once
// TLogbookFetchExchange: the link as the logbook, fault record and recorder fetches use it.
// It borrows the combined link for one operation (saves its four hooks, opens it in framed
// mode, drives the status line and the progress counters, and puts everything back when it
// closes) and makes each exchange: the command in status field 3, one turn of the message
// loop, the request with retries and the error dialog, the escapes removed and, in the
// binary check mode, the CRC-16 at the end of the reply checked and removed.
#include <cstdint>
#include <string>
#include <string_view>

#include "link/kombi_communicator.h"

namespace trivex {

class AppUi;
class LogbookFetchUi;

// Whether a device protects every logbook reply with a CRC: the regulators (VAD-AZ,
// ZED-UDE) from firmware 2.2.00, the ZYR-D from 1.1.04, every other type always.
bool LogBinaryCheckMode(std::string_view type, int version);

// Removes a leading CR LF and the escapes; in the binary check mode also checks and removes
// the CRC-16 at the end. False (reply unchanged) when the reply is shorter than its CRC, the
// CRC does not match or the text ends inside an escape.
bool DecodeLogReply(std::string& reply, bool binary_check);

class TLogbookFetchExchange {
 public:
  enum Operation : int { kReadLogfile = 1, kReadFaultRecord = 2, kReadRecorder = 3 };
  static constexpr uint32_t kTimeoutMs = 4000;

  TLogbookFetchExchange(TKombiCommunicator& link, AppUi& app, LogbookFetchUi& ui);
  ~TLogbookFetchExchange();  // closes the link when it is still open
  TLogbookFetchExchange(const TLogbookFetchExchange&) = delete;
  TLogbookFetchExchange& operator=(const TLogbookFetchExchange&) = delete;

  void SetOperation(int operation) { operation_ = operation; }
  void SetBinaryCheck(bool on) { binary_ = on; }
  bool BinaryCheck() const { return binary_; }

  // Opens the link for the operation: status line, progress counters and the user-abort flag
  // reset, busy state. False when the link could not be opened (everything is put back).
  bool Open();
  // Closes the link and puts its hooks and its previous state back; ends the busy state.
  void Close();
  bool IsOpen() const { return open_; }

  // One exchange. `reply` gets the decoded reply (empty after an ignored failure) and
  // `result` the link result code (0 success). False only when the user-abort flag is set.
  bool Exchange(const std::string& command, std::string& reply, int* result = nullptr);

  // Progress: exchanges done and expected; done never exceeds expected.
  void SetExpected(uint32_t expected);
  uint32_t Expected() const { return expected_; }
  uint32_t Done() const { return done_; }
  // The result of the last exchange that failed (0 when none did).
  int LastFailure() const { return last_failure_; }

 private:
  TKombiCommunicator& link_;
  AppUi& app_;
  LogbookFetchUi& ui_;
  int operation_ = kReadLogfile;
  bool binary_ = false;
  bool open_ = false;
  bool was_active_ = false;
  int saved_mode_ = TKombiCommunicator::kModeFramed;
  TKombiCommunicator::TEvents saved_events_;
  uint32_t done_ = 0, expected_ = 0;
  int last_failure_ = 0;
};

}  // namespace trivex
