#pragma once
// Program-wide state that long operations share with the main window: the user-abort flag
// and the busy/progress/status interface that the main window implements.
#include <cstdint>
#include <string>

namespace trivex {

// Set by Stop (Esc) and by the Abort answer of the link's error dialog, cleared at the
// start of every long operation, tested by every loop that talks to a device.
bool UserAbort();
void SetUserAbort(bool value);

// What a long operation tells the main window.
class AppUi {
 public:
  virtual ~AppUi() = default;
  enum BusyParam { kBusy = 1, kBusyWithStop = 2, kIdle = 0 };
  // 1 busy, 2 busy with the Stop command, anything else idle again.
  virtual void BusyMessage(int param) = 0;
  // Panel 2; a maximum of 0 hides the bar.
  virtual void SetProgress(uint32_t position, uint32_t maximum) = 0;
  // Status bar panels 0 (activity) and 3 (command or detail).
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Lets the user interface run once between two exchanges.
  virtual void ProcessEvents() = 0;
  // Waits `ms` milliseconds (the user interface keeps repainting meanwhile).
  virtual void Wait(int ms);
};

// An AppUi that does nothing (command line, tests).
class NullAppUi : public AppUi {
 public:
  void BusyMessage(int) override {}
  void SetProgress(uint32_t, uint32_t) override {}
  void SetStatusText(int, const std::string&) override {}
  void ProcessEvents() override {}
};

}  // namespace trivex
