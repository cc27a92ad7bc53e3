#pragma once
// TConfigPump: the exchange machinery of a configuration transfer. Every read and send runs
// inside one frame that makes the program busy, borrows the combined link in framed mode and
// puts everything back afterwards; each configuration element travels as one request with
// retries and the transfer's own Abort/Retry/Ignore text; a progress count and the elapsed
// time go to the status bar.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "link/kombi_communicator.h"

namespace trivex {

class TConfigPump {
 public:
  TConfigPump(TKombiCommunicator& link, AppUi& app);
  virtual ~TConfigPump() = default;
  TConfigPump(const TConfigPump&) = delete;
  TConfigPump& operator=(const TConfigPump&) = delete;

  // Asked after an operation: true when the link must stay closed (the owner reopens it).
  void SetOwnerCheck(std::function<bool()> keep_closed) { owner_check_ = std::move(keep_closed); }
  // Every request as it goes to the link (recording, tracing).
  std::function<void(const std::string& request)> on_request;
  // Pause after an operation so that the user can read the elapsed time (1000 ms).
  int final_pause_ms = 1000;

  bool Running() const { return running_; }
  const std::string& Prefix() const { return prefix_; }
  uint32_t timeout_ms() const { return timeout_; }
  uint32_t ProgressPosition() const { return progress_pos_; }
  uint32_t ProgressMaximum() const { return progress_max_; }

 protected:
  // The operation frame around `op`; 1 without running it when an operation already runs.
  int RunFramed(const std::function<int()>& op);
  // One configuration element; false once the user aborted. An empty request or one that
  // is the prefix alone is not sent.
  bool CommandStep(const std::string& request);
  bool QueryStep(const std::string& request, std::string& reply);
  // One block of a device file; `data` is the block without its CRC.
  bool FileBlockStep(std::string_view file, int block, std::string& data);
  // Sets the maximum to the present position plus `steps`.
  void AddSteps(uint32_t steps);
  // Starts / ends the elapsed time of a family operation (panel 3 shows it at the end).
  void StartClock();
  void ShowElapsed();
  // The user-abort flag.
  static bool Stopped();
  // The last exchange's link result code (0 success).
  int LastResult() const { return last_result_; }

  TKombiCommunicator& link_;
  AppUi& app_;
  std::string prefix_;
  std::string action_;
  uint32_t timeout_ = 500;
  // While counting, steps only advance the count (the step count of a sequence is the
  // sequence run dry).
  bool counting_ = false;
  uint32_t counted_ = 0;

 private:
  int Exchange(const std::string& request, std::string& reply, bool file_block);
  void Advance(const std::string& request);
  std::function<bool()> owner_check_;
  bool running_ = false;
  uint32_t progress_pos_ = 0;
  uint32_t progress_max_ = 0;
  int last_result_ = 0;
  std::chrono::steady_clock::time_point t0_{};
};

}  // namespace trivex
