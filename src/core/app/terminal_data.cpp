#include "app/terminal_data.h"

#include "app/trace.h"
#include "app/x_registry.h"

namespace trivex {

namespace {
constexpr const char* kDirNames[kDialogDirCount] = {
    "OpenDialogInitialDir",  "OpenDialogInitialDirDP", "OpenDialogLInitialDir",
    "OpenDialogSInitialDir", "OpenDialogDInitialDir",  "SaveDialogLInitialDir"};
}  // namespace

const char* TTerminalData::DirValueName(DialogDir which) {
  return kDirNames[static_cast<int>(which)];
}

void TTerminalData::SetAllDirs(const std::string& dir) {
  Trace("TerminalData.SetAllDialogInitialDir(\"" + dir + "\")");
  for (auto& d : dirs_) d = dir;
}

void TTerminalData::SetDir(DialogDir which, const std::string& dir) {
  dirs_[static_cast<int>(which)] = dir;
  Trace(std::string("TerminalData.") + DirValueName(which) + ":=\"" + dir + "\"");
  if (common_initial_dir) {
    SetAllDirs(dir);
    if (on_initial_dir_changed) on_initial_dir_changed(dir);
  }
}

void TTerminalData::ReadTerminalKey(SettingsStore& s) {
  XRegistry r(s, kKeyTerminal);
  TerminalFont def;
  font.name = r.ReadString("FontName", def.name);
  font.size = r.ReadInt("FontSize", def.size);
  font.charset = r.ReadInt("FontCharset", def.charset);
  font.style = r.ReadInt("FontStyle", def.style);
  font.color = r.ReadInt("FontColor", def.color);
  oem_convert = r.ReadInt("OEMConvert", 0) != 0;
  cmd_line_mode = r.ReadInt("CmdLineMode", 1) != 0;
  initial_return = r.ReadInt("InitialReturn", 1) != 0;
  control_chars = r.ReadInt("ControlChars", 0) != 0;
  transparent = r.ReadInt("Transparent", 1) != 0;
  modem_connections = r.ReadList("Connection%d");
  modems = r.ReadList("Modem%d");
  modem_inits = r.ReadList("ModemInit%d");
  connection_index = r.ReadInt("ConnectionIndex", -1);
  if (connection_index < -1) connection_index = -1;
  if (connection_index >= static_cast<int>(modem_connections.size()))
    connection_index = modem_connections.empty() ? -1 : 0;
}

void TTerminalData::WriteTerminalKey(SettingsStore& s) const {
  XRegistry r(s, kKeyTerminal);
  r.WriteString("FontName", font.name);
  r.WriteInt("FontSize", font.size);
  r.WriteInt("FontCharset", font.charset);
  r.WriteInt("FontStyle", font.style);
  r.WriteInt("FontColor", font.color);
  r.WriteInt("OEMConvert", oem_convert);
  r.WriteInt("CmdLineMode", cmd_line_mode);
  r.WriteInt("InitialReturn", initial_return);
  r.WriteInt("ControlChars", control_chars);
  r.WriteInt("Transparent", transparent);
  r.WriteList("Connection%d", modem_connections);
  r.WriteList("Modem%d", modems);
  r.WriteList("ModemInit%d", modem_inits);
  r.WriteInt("ConnectionIndex", connection_index);
}

void TTerminalData::ReadMainKey(SettingsStore& s) {
  XRegistry r(s, kKeyTrivor);
  for (int i = 0; i < kDialogDirCount; ++i) dirs_[i] = r.ReadString(kDirNames[i], "");
  filter_config = r.ReadInt("OpenDialogFilterIndex", 0);
  filter_logger_open = r.ReadInt("OpenDialogLFilterIndex", 0);
  filter_sfile = r.ReadInt("OpenDialogSFilterIndex", 0);
  filter_dfile = r.ReadInt("OpenDialogDFilterIndex", 0);
  filter_logger_save = r.ReadInt("SaveDialogLFilterIndex", 0);
  logger_files = r.ReadList("LoggerFile%d");
  logger_commands = r.ReadString("LoggerCommands", "");
  logger_timestamp = r.ReadBool("LoggerTimestamp", true);
  logger_append = r.ReadBool("LoggerAppend", true);
  logger_tabs = r.ReadInt("LoggerTabs", 14);
  logger_repeat_time = r.ReadInt("LoggerRepeatTime", 0);
  logger_format = r.ReadInt("LoggerFormat", 0);
  common_initial_dir = r.ReadBool("CommonInitialDir", true);
}

void TTerminalData::WriteMainKey(SettingsStore& s) const {
  XRegistry r(s, kKeyTrivor);
  for (int i = 0; i < kDialogDirCount; ++i) r.WriteString(kDirNames[i], dirs_[i]);
  r.WriteInt("OpenDialogFilterIndex", filter_config);
  r.WriteInt("OpenDialogLFilterIndex", filter_logger_open);
  r.WriteInt("OpenDialogSFilterIndex", filter_sfile);
  r.WriteInt("OpenDialogDFilterIndex", filter_dfile);
  r.WriteInt("SaveDialogLFilterIndex", filter_logger_save);
  r.WriteList("LoggerFile%d", logger_files);
  r.WriteString("LoggerCommands", logger_commands);
  r.WriteBool01("LoggerTimestamp", logger_timestamp);
  r.WriteBool01("LoggerAppend", logger_append);
  r.WriteInt("LoggerTabs", logger_tabs);
  r.WriteInt("LoggerRepeatTime", logger_repeat_time);
  r.WriteInt("LoggerFormat", logger_format);
  r.WriteBool01("CommonInitialDir", common_initial_dir);
}

}  // namespace trivex
