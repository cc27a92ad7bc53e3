#pragma once
// The terminal and dialog settings of one program run (TTerminalData): terminal font and
// options, logger settings, the six file dialog directories with their filter indices, the
// modem lists and the link's retry setting.
#include <functional>
#include <string>
#include <vector>

#include "app/settings_store.h"

namespace trivex {

struct TerminalFont {
  std::string name = "Monospace";
  int size = 10;
  int charset = 0;
  int style = 0;  // bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out
  int color = 0;  // 0x00BBGGRR
};

// The six file dialogs whose directories are kept.
enum class DialogDir { Config, Regulator, LoggerOpen, SFile, DFile, LoggerSave };
inline constexpr int kDialogDirCount = 6;

class TTerminalData {
 public:
  TerminalFont font;
  bool oem_convert = false;
  bool cmd_line_mode = true;
  bool initial_return = true;
  bool control_chars = false;
  bool transparent = true;
  std::vector<std::string> terminal_texts;  // kept for the run only

  std::string logger_commands;
  std::vector<std::string> logger_files;
  bool logger_timestamp = true;
  bool logger_append = true;
  int logger_tabs = 14;
  int logger_format = 0;
  int logger_repeat_time = 0;

  int filter_config = 0, filter_logger_open = 0, filter_sfile = 0, filter_dfile = 0,
      filter_logger_save = 0;

  bool common_initial_dir = true;  // "Common Data Folder"

  std::vector<std::string> modem_connections;
  std::vector<std::string> modems;
  int connection_index = -1;
  std::vector<std::string> modem_inits;

  int retries = 2;  // the link's retry setting; not stored

  // Called after a dialog directory was set while "Common Data Folder" is on.
  std::function<void(const std::string&)> on_initial_dir_changed;

  const std::string& Dir(DialogDir which) const { return dirs_[static_cast<int>(which)]; }
  // Sets one directory; with "Common Data Folder" on, sets all six and calls the callback.
  void SetDir(DialogDir which, const std::string& dir);
  // Sets all six directories without calling the callback.
  void SetAllDirs(const std::string& dir);
  static const char* DirValueName(DialogDir which);

  // "Terminal Settings": font, terminal options, modem lists.
  void ReadTerminalKey(SettingsStore& store);
  void WriteTerminalKey(SettingsStore& store) const;
  // "Trivor": dialog directories, filters, logger settings, common-directory flag.
  void ReadMainKey(SettingsStore& store);
  void WriteMainKey(SettingsStore& store) const;

 private:
  std::string dirs_[kDialogDirCount];
};

}  // namespace trivex
