#pragma once
// The configuration actions Read, Send and Verify of the ZYR-D page: the device chooser, the
// transfer engine inside its operation frame, the checks and the result window; a read
// configuration replaces the page's data only when the user accepts it.
#include <functional>
#include <memory>

#include "config/config_msgs.h"
#include "logbook/device_chooser.h"

namespace trivex {

class TFrmTrivor;
class TZyrDData;

class TConfigTransfer {
 public:
  explicit TConfigTransfer(TFrmTrivor& main);

  // Shows the device chooser (already scanned, caption and allowed types set); false on
  // Cancel. Tests replace it.
  std::function<bool(TDeviceChooser& chooser)> choose_device;
  // Shows a result window; TConfigMsgs::kOk or kDiscard. Tests replace it.
  std::function<int(const TConfigMsgs& msgs)> show_result;
  // Shows an error or information box. Tests replace it.
  std::function<void(const std::string& caption, const std::string& text, bool error)> show_message;
  // The pause after an operation that lets the user read the elapsed time.
  int final_pause_ms = 1000;

  void Read();
  void Send();
  void Verify();

  TDeviceChooser& Chooser() { return chooser_; }

 private:
  // Scans and shows the chooser; false on Cancel or when the link cannot be opened.
  bool Choose(const std::string& caption, const std::string& allowed);

  TFrmTrivor& main_;
  TDeviceChooser chooser_;
};

}  // namespace trivex
