#include "logbook/logbuch_data.h"

#include <algorithm>

#include "app/x_registry.h"
#include "config/bool_text.h"
#include "logbook/date_time_text.h"

namespace trivex {
namespace {

bool ReadBool(const XRegistry& r, const std::string& name, bool def) {
  return r.HasValue(name) ? ParseBoolText(r.ReadString(name)) : def;
}

DateTime ReadTime(const XRegistry& r, const std::string& name, const std::string& pattern, DateTime def) {
  DateTime t;
  return ParseDateTimeText(r.ReadString(name), pattern, t) ? t : def;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

void TLogbuchData::SetDir(LogbookDir which, const std::string& dir) {
  dirs_[static_cast<int>(which)] = dir;
  if (common_initial_dir) {
    for (auto& d : dirs_) d = dir;
    if (on_initial_dir_changed) on_initial_dir_changed(dir);
  }
}

void TLogbuchData::Read(SettingsStore& store, const TDateTimeFormats& formats) {
  XRegistry r(store, kKeyLog);
  // An older version wrote this value under a misspelled name.
  if (r.HasValue("DontOverwiteSamples") && !r.HasValue("DontOverwriteSamples")) {
    r.WriteString("DontOverwriteSamples", r.ReadString("DontOverwiteSamples"));
    r.Delete("DontOverwiteSamples");
  }
  const TLogbuchData def;
  log_files = r.ReadList("LogFile%d");
  open_dialog_filter_index = r.ReadInt("OpenDialogFilterIndex", 0);
  dirs_[0] = r.ReadString("OpenDialogInitialDir");
  dirs_[1] = r.ReadString("OpenRecorderInitialDir", dirs_[0]);
  dirs_[2] = r.ReadString("OpenSamplesInitialDir", dirs_[0]);
  samples_file_format = r.ReadInt("SamplesFileFormat", def.samples_file_format);
  font.name = r.ReadString("FontName", def.font.name);
  font.size = r.ReadInt("FontSize", def.font.size);
  font.charset = r.ReadInt("FontCharset", def.font.charset);
  font.style = r.ReadInt("FontStyle", def.font.style);
  font.color = r.ReadInt("FontColor", def.font.color);
  von = ReadTime(r, "Von", formats.FullFormat(), def.von);
  bis = ReadTime(r, "Bis", formats.FullFormat(), def.bis);
  signal_eot = ReadBool(r, "SignalEOT", false);
  max_logfile_history = std::clamp(r.ReadInt("MaxLogfileHistory", def.max_logfile_history), 4, 25);
  all_available_samples = ReadBool(r, "AllAvailableSamples", false);
  dont_overwrite_samples = ReadBool(r, "DontOverwriteSamples", true);
  date_formats = r.HasValue("DateFormats") ? SplitLines(r.ReadString("DateFormats")) : def.date_formats;
  if (date_formats.empty()) date_formats = def.date_formats;
  date_format_index = std::clamp(r.ReadInt("DateFormatIndex", 0), 0, static_cast<int>(date_formats.size()) - 1);
}

void TLogbuchData::Write(SettingsStore& store, const TDateTimeFormats& formats) const {
  XRegistry r(store, kKeyLog);
  r.WriteList("LogFile%d", log_files);
  r.WriteInt("OpenDialogFilterIndex", open_dialog_filter_index);
  r.WriteString("OpenDialogInitialDir", dirs_[0]);
  r.WriteString("OpenRecorderInitialDir", dirs_[1]);
  r.WriteString("OpenSamplesInitialDir", dirs_[2]);
  r.WriteInt("SamplesFileFormat", samples_file_format);
  r.WriteString("FontName", font.name);
  r.WriteInt("FontSize", font.size);
  r.WriteInt("FontCharset", font.charset);
  r.WriteInt("FontStyle", font.style);
  r.WriteInt("FontColor", font.color);
  r.WriteString("Von", formats.FormatFull(von));
  r.WriteString("Bis", formats.FormatFull(bis));
  r.WriteBool01("SignalEOT", signal_eot);
  r.WriteInt("MaxLogfileHistory", max_logfile_history);
  r.WriteBool01("AllAvailableSamples", all_available_samples);
  r.WriteBool01("DontOverwriteSamples", dont_overwrite_samples);
  std::string lines;
  for (const auto& f : date_formats) lines += (lines.empty() ? "" : "\r\n") + f;
  r.WriteString("DateFormats", lines);
  r.WriteInt("DateFormatIndex", date_format_index);
}

}  // namespace trivex
