// The logbook settings under "Trivor/Log".
#include <gtest/gtest.h>

#include "app/memory_settings_store.h"
#include "logbook/date_time_text.h"
#include "logbook/logbuch_data.h"

namespace trivex {
namespace {

TDateTimeFormats GermanFormats() {
  SystemFormats f;
  f.short_date = "dd.mm.yyyy";
  f.decimal_separator = ',';
  return TDateTimeFormats(f);
}

TEST(LogbuchData, DefaultsWhenNothingIsStored) {
  MemorySettingsStore store;
  TLogbuchData d;
  d.Read(store, GermanFormats());
  EXPECT_TRUE(d.log_files.empty());
  EXPECT_EQ(d.font.name, "Courier New");
  EXPECT_EQ(d.font.size, 9);
  EXPECT_EQ(d.von, DateTime::FromCivil(2000, 1, 1));
  EXPECT_EQ(d.bis, DateTime::FromCivil(2099, 12, 31, 23, 59, 59));
  EXPECT_FALSE(d.signal_eot);
  EXPECT_TRUE(d.dont_overwrite_samples);
  EXPECT_EQ(d.max_logfile_history, 10);
  EXPECT_EQ(d.samples_file_format, 1);
  EXPECT_EQ(d.date_formats, std::vector<std::string>{"YYYY-MM-DD hh:mm:ss,zzz"});
  EXPECT_TRUE(d.header.IsEmpty());
}

TEST(LogbuchData, WritesAndReadsBack) {
  MemorySettingsStore store;
  const auto formats = GermanFormats();
  TLogbuchData d;
  d.log_files = {"/a/one.log", "/b/two.log"};
  d.SetDir(LogbookDir::LogFiles, "/logs");
  d.SetDir(LogbookDir::Samples, "/samples");
  d.von = DateTime::FromCivil(2023, 4, 5, 6, 7, 8, 9);
  d.bis = DateTime::FromCivil(2024, 12, 31, 23, 59, 59, 999);
  d.signal_eot = true;
  d.date_formats = {"dd.mm.yyyy hh:nn", "YYYY-MM-DD hh:mm:ss,zzz"};
  d.date_format_index = 1;
  d.font.size = 11;
  d.Write(store, formats);
  EXPECT_EQ(store.Read(kKeyLog, "Von").value_or(""), "05.04.2023 06:07:08,009");
  EXPECT_EQ(store.Read(kKeyLog, "SignalEOT").value_or(""), "1");
  EXPECT_EQ(store.Read(kKeyLog, "DateFormats").value_or(""), "dd.mm.yyyy hh:nn\r\nYYYY-MM-DD hh:mm:ss,zzz");

  TLogbuchData back;
  back.Read(store, formats);
  EXPECT_EQ(back.log_files, d.log_files);
  EXPECT_EQ(back.Dir(LogbookDir::LogFiles), "/logs");
  EXPECT_EQ(back.Dir(LogbookDir::Recorder), "");
  EXPECT_EQ(back.Dir(LogbookDir::Samples), "/samples");
  EXPECT_EQ(back.von, d.von);
  EXPECT_EQ(back.bis, d.bis);
  EXPECT_TRUE(back.signal_eot);
  EXPECT_EQ(back.date_formats, d.date_formats);
  EXPECT_EQ(back.date_format_index, 1);
  EXPECT_EQ(back.font.size, 11);
}

TEST(LogbuchData, OldValueNameBooleansAndLimits) {
  MemorySettingsStore store;
  store.Write(kKeyLog, "DontOverwiteSamples", "0");
  store.Write(kKeyLog, "OpenDialogInitialDir", "/logs");
  store.Write(kKeyLog, "SignalEOT", "Nope");
  store.Write(kKeyLog, "AllAvailableSamples", "yes");
  store.Write(kKeyLog, "MaxLogfileHistory", "99");
  store.Write(kKeyLog, "Von", "not a date");
  TLogbuchData d;
  d.Read(store, GermanFormats());
  EXPECT_FALSE(d.dont_overwrite_samples);
  EXPECT_EQ(store.Read(kKeyLog, "DontOverwriteSamples").value_or(""), "0");
  EXPECT_FALSE(store.Read(kKeyLog, "DontOverwiteSamples"));
  EXPECT_EQ(d.Dir(LogbookDir::Recorder), "/logs");  // defaults to the log file directory
  EXPECT_FALSE(d.signal_eot);
  EXPECT_TRUE(d.all_available_samples);
  EXPECT_EQ(d.max_logfile_history, 25);
  EXPECT_EQ(d.von, DateTime::FromCivil(2000, 1, 1));

  // The new name wins over the old one.
  MemorySettingsStore both;
  both.Write(kKeyLog, "DontOverwiteSamples", "0");
  both.Write(kKeyLog, "DontOverwriteSamples", "1");
  d.Read(both, GermanFormats());
  EXPECT_TRUE(d.dont_overwrite_samples);
}

TEST(LogbuchData, CommonDirectorySetsAllThree) {
  TLogbuchData d;
  std::string told;
  d.on_initial_dir_changed = [&](const std::string& dir) { told = dir; };
  d.SetDir(LogbookDir::Recorder, "/r");
  EXPECT_EQ(d.Dir(LogbookDir::LogFiles), "");
  EXPECT_EQ(told, "");
  d.common_initial_dir = true;
  d.SetDir(LogbookDir::Samples, "/data");
  EXPECT_EQ(d.Dir(LogbookDir::LogFiles), "/data");
  EXPECT_EQ(d.Dir(LogbookDir::Recorder), "/data");
  EXPECT_EQ(told, "/data");
}

TEST(DateTimeText, ReadsTextsInThePatternsOrder) {
  DateTime t;
  ASSERT_TRUE(ParseDateTimeText("2024-02-29 10:01:02.345", "yyyy-mm-dd hh:nn:ss.zzz", t));
  EXPECT_EQ(t, DateTime::FromCivil(2024, 2, 29, 10, 1, 2, 345));
  ASSERT_TRUE(ParseDateTimeText("29.02.2024 10:01", "dd.mm.yyyy hh:mm:ss,zzz", t));
  EXPECT_EQ(t, DateTime::FromCivil(2024, 2, 29, 10, 1));
  ASSERT_TRUE(ParseDateTimeText("2/29/24", "m/d/yy", t));
  EXPECT_EQ(t, DateTime::FromCivil(2024, 2, 29));
  EXPECT_FALSE(ParseDateTimeText("2023-02-29 10:00:00", "yyyy-mm-dd hh:nn:ss", t));
  EXPECT_FALSE(ParseDateTimeText("2023-02", "yyyy-mm-dd", t));
  EXPECT_FALSE(ParseDateTimeText("2023-02-01 1 2 3 4 5", "yyyy-mm-dd hh:nn", t));
}

}  // namespace
}  // namespace trivex
