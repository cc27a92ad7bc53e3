#pragma once
// What a logbook fetch asks of the user: the device chooser, the log file dialog, the
// questions and messages, and the error dialog of a failed exchange. The program answers
// with Qt dialogs, the tests with a fake, the command line from its options.
#include <string>

#include "link/link_ui.h"

namespace trivex {

class TDeviceChooser;

class LogbookFetchUi {
 public:
  virtual ~LogbookFetchUi() = default;
  // Shows the device chooser, which scans the link when it is shown. False: Cancel.
  virtual bool ChooseDevice(TDeviceChooser& chooser) = 0;
  // The log file dialog with a proposed file name (without folder and extension). False:
  // Cancel; otherwise `path` is the chosen file.
  virtual bool ChooseLogFile(const std::string& proposed_name, std::string& path) = 0;
  // A Yes/No question with the warning icon, No preselected. True: Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // A message with the error icon.
  virtual void ShowError(const std::string& caption, const std::string& text) = 0;
  // The error dialog of a failed exchange: Abort, Retry and Ignore, or only Retry and Cancel
  // (Cancel answers kAbort) when `retry_cancel` is set.
  virtual TDialogAnswer AskReadError(const std::string& caption, const std::string& text, bool retry_cancel) = 0;
  // The wait cursor while the link is open for the fetch.
  virtual void SetWaitCursor(bool /*on*/) {}
};

}  // namespace trivex
