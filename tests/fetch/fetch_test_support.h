#pragma once
// Helpers of the fetch tests: the link on the simulator's pseudo-terminal, a user interface
// fake that records every dialog, an application fake that can act before any exchange, and
// the events of a log file.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "link/kombi_communicator.h"
#include "link_test_support.h"
#include "logbook/device_chooser.h"
#include "logbook/log_file.h"
#include "logbook/log_file_reader.h"
#include "logbook/logbook_fetch.h"
#include "logbook/logbook_fetch_ui.h"

namespace trivex::test {

inline std::unique_ptr<TKombiCommunicator> SimLink(const std::string& path, LinkUi* ui) {
  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({path});
  serial->ScanPorts();
  serial->SetComNum(serial->FindComNum(path));
  return std::make_unique<TKombiCommunicator>(ui, nullptr, std::move(serial));
}

// Answers the fetch's dialogs from a script and keeps what they showed.
class FakeFetchUi : public LogbookFetchUi {
 public:
  struct Shown {
    std::string caption, text;
    bool retry_cancel = false;
  };
  std::string device;                 // chosen in the chooser ("A1:"); empty: Cancel
  std::string file;                   // chosen in the file dialog; empty: Cancel
  TKombiCommunicator* link = nullptr; // the chooser scans it
  bool yes = false;                   // answer of the Yes/No question
  std::vector<TDialogAnswer> answers; // read error dialog, in order; Abort when used up
  std::vector<Shown> questions, errors, read_errors;
  std::string proposed;
  int choose_device_calls = 0;

  bool ChooseDevice(TDeviceChooser& chooser) override {
    ++choose_device_calls;
    if (link) chooser.Scan(*link);
    return !device.empty() && chooser.Select(device);
  }
  bool ChooseLogFile(const std::string& proposed_name, std::string& path) override {
    proposed = proposed_name;
    path = file;
    return !file.empty();
  }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    questions.push_back({caption, text});
    return yes;
  }
  void ShowError(const std::string& caption, const std::string& text) override { errors.push_back({caption, text}); }
  TDialogAnswer AskReadError(const std::string& caption, const std::string& text, bool retry_cancel) override {
    read_errors.push_back({caption, text, retry_cancel});
    return read_errors.size() <= answers.size() ? answers[read_errors.size() - 1] : TDialogAnswer::kAbort;
  }
};

// Records status texts and progress; `before_exchange` runs in the turn of the message loop
// before each exchange, with the command about to be sent.
class ScriptAppUi : public AppUi {
 public:
  std::vector<std::string> commands;  // status field 3, one per exchange
  std::vector<std::pair<uint32_t, uint32_t>> progress;
  std::string panel0;
  int busy = 0, idle = 0;
  std::function<void(const std::string& command, int index)> before_exchange;

  void BusyMessage(int param) override { (param == kBusy || param == kBusyWithStop) ? ++busy : ++idle; }
  void SetProgress(uint32_t position, uint32_t maximum) override { progress.emplace_back(position, maximum); }
  void SetStatusText(int panel, const std::string& text) override {
    if (panel == 0 && !text.empty()) panel0 = text;
    if (panel == 3 && !text.empty()) commands.push_back(text);
  }
  void ProcessEvents() override {
    if (before_exchange && !commands.empty()) before_exchange(commands.back(), static_cast<int>(commands.size()) - 1);
  }
};

// The events of a log file as raw events, oldest first.
inline std::vector<TRawLogEvent> FileEvents(const std::string& path) {
  std::vector<TRawLogEvent> events;
  TLogFileReader reader(path);
  TRawLogEvent e;
  while (reader.ReadEvent(e)) events.push_back(e);
  return events;
}

inline bool SameEvents(const std::vector<TRawLogEvent>& a, const std::vector<TRawLogEvent>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].secs != b[i].secs || a[i].msecs != b[i].msecs || a[i].code != b[i].code || a[i].data != b[i].data)
      return false;
  return true;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// A fresh folder under /tmp, removed with the object.
class TempDir {
 public:
  TempDir() {
    char name[] = "/tmp/trivex-fetch-XXXXXX";
    path_ = mkdtemp(name);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace trivex::test
