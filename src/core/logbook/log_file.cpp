#include "logbook/log_file.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_logbook.h"
#include "logbook/text_stream.h"

namespace trivex {
namespace fs = std::filesystem;

void LoadLogFile(const std::string& path, TLogFileHeader& header, TLogRecordList& records) {
  records.Clear();
  header.Clear();
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return;
  TTextStream stream(path, TTextStream::kOpenRead);
  header.ReadFrom(stream);
  if (header.IsEmpty()) return;
  std::string line;
  while (stream.ReadLine(line) > 0) records.Add(std::make_unique<TLogRecord>(TLogRecord::FromLine(line)));
}

void SaveLogFile(const std::string& path, const TLogFileHeader& header,
                 const TLogRecordList& records, bool backup) {
  auto fail = [&](const std::string& what) -> void {
    throw EStreamError(Format(lang::Tr(tx::logbook::CannotWriteFile), {path, what}));
  };
  const fs::path target(path);
  std::error_code ec;
  if (target.has_parent_path() && !fs::exists(target.parent_path(), ec)) {
    fs::create_directories(target.parent_path(), ec);
    if (ec) fail(ec.message());
  }
  const std::string temp = path + Format(".%d.tmp", {static_cast<int>(::getpid())});
  try {
    TTextStream stream(temp, TTextStream::kCreate);
    stream.WriteLine(header.ToLine());
    for (int i = 0; i < records.Count(); ++i) stream.WriteLine(records[i].ToLine());
    stream.Close();
  } catch (...) {
    fs::remove(temp, ec);
    throw;
  }
  if (backup && fs::exists(target, ec)) {
    // The old file stays reachable under both names until the new one is in place.
    const fs::path bak(path + ".bak");
    fs::remove(bak, ec);
    fs::create_hard_link(target, bak, ec);
    if (ec) fs::copy_file(target, bak, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      fs::remove(temp, ec);
      fail(ec.message());
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    const std::string message = ec.message();
    fs::remove(temp, ec);
    fail(message);
  }
}

}  // namespace trivex
