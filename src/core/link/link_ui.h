#pragma once
// What the link asks of the user interface: message boxes, the Abort/Retry/Ignore question
// of a failed exchange, the port settings dialog, and one turn of the message loop. The
// program implements it with Qt, the tests with a fake, the command line on the console.
#include <string>

#include "link/port_config.h"

namespace trivex {

enum class TDialogAnswer { kAbort, kRetry, kIgnore };
enum class TMessageKind { kWarning, kError };

class LinkUi {
 public:
  virtual ~LinkUi() = default;
  virtual void ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) = 0;
  virtual TDialogAnswer AskAbortRetryIgnore(const std::string& caption, const std::string& text) = 0;
  // The port settings dialog; true when the user confirmed (then `config` holds the edit).
  virtual bool EditPortSettings(int com_number, const std::string& path, TPortConfig& config) = 0;
  // Lets the message loop run once (exchanges with the process-messages flag).
  virtual void ProcessMessages() {}
};

// Shows nothing and answers Ignore: the link without a user (tests, batch work).
class SilentLinkUi : public LinkUi {
 public:
  void ShowMessage(TMessageKind, const std::string&, const std::string&) override {}
  TDialogAnswer AskAbortRetryIgnore(const std::string&, const std::string&) override {
    return TDialogAnswer::kIgnore;
  }
  bool EditPortSettings(int, const std::string&, TPortConfig&) override { return false; }
};

}  // namespace trivex
