#pragma once
// The logbook settings of one program run (TLogbuchData), kept under "Trivor/Log", with the
// header and records of the current log file.
#include <functional>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "config/date_time_formats.h"
#include "lang/date_time.h"
#include "logbook/log_file_header.h"
#include "logbook/log_record_list.h"

namespace trivex {

struct LogbookFont {
  std::string name = "Courier New";
  int size = 9;
  int charset = 1;  // the system's default character set
  int style = 0;    // bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out
  int color = 0;    // 0x00BBGGRR
};

// The directories kept for the logbook's file dialogs.
enum class LogbookDir { LogFiles, Recorder, Samples };

class TLogbuchData {
 public:
  std::vector<std::string> log_files;  // recently used, newest first
  int open_dialog_filter_index = 0;
  int samples_file_format = 1;
  LogbookFont font;
  DateTime von = DateTime::FromCivil(2000, 1, 1);
  DateTime bis = DateTime::FromCivil(2099, 12, 31, 23, 59, 59);
  bool signal_eot = false;
  int max_logfile_history = 10;  // 4..25
  bool all_available_samples = false;
  bool dont_overwrite_samples = true;
  std::vector<std::string> date_formats{"YYYY-MM-DD hh:mm:ss,zzz"};
  int date_format_index = 0;

  // The current log file.
  TLogFileHeader header;
  TLogRecordList records;

  // The main window's shared data directory option; with it on, setting one directory sets
  // all three and calls the hook.
  bool common_initial_dir = false;
  std::function<void(const std::string&)> on_initial_dir_changed;

  const std::string& Dir(LogbookDir which) const { return dirs_[static_cast<int>(which)]; }
  void SetDir(LogbookDir which, const std::string& dir);

  // "Von" and "Bis" are kept in the full date-time format of `formats`.
  void Read(SettingsStore& store, const TDateTimeFormats& formats = TDateTimeFormats::Shared());
  void Write(SettingsStore& store, const TDateTimeFormats& formats = TDateTimeFormats::Shared()) const;

 private:
  std::string dirs_[3];
};

}  // namespace trivex
