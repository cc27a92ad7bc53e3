// The decoded events of a log file as the logbook window exports them: text lines or CSV
// lines, optionally limited to a time range.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "config/date_time_formats.h"
#include "config/device_time.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/system_formats.h"
#include "lang/texts_cli.h"
#include "lang/texts_logbook.h"
#include "logbook/date_time_text.h"
#include "logbook/log_export.h"
#include "logbook/log_file_error.h"
#include "logbook/log_file_reader.h"
#include "logbook/log_render_context.h"

namespace trivex::cli {
namespace {

constexpr const char* kUsage =
    "logbook export FILE.log [--csv] [--from \"YYYY-MM-DD hh:mm:ss\"] [--to \"YYYY-MM-DD hh:mm:ss\"] [-o OUT]";

// Whole device seconds of a time option; false for a malformed text (left in `text`).
bool TakeTime(Context& ctx, const char* option, uint32_t& secs, std::string& text) {
  if (!TakeOption(ctx.args, option, text)) return true;
  DateTime t;
  if (!ParseDateTimeText(text, "yyyy-mm-dd hh:nn:ss.zzz", t)) return false;
  secs = DateTimeToDeviceSecsLenient(DateTime::FromMs(t.ms() - t.ToCivil().millisecond));
  return true;
}

int LogbookExport(Context& ctx) {
  const bool csv = TakeFlag(ctx.args, "--csv");
  uint32_t from = 0, until = 0xFFFFFFFFu;
  for (auto [option, secs] : {std::pair{"--from", &from}, std::pair{"--to", &until}}) {
    std::string text;
    if (!TakeTime(ctx, option, *secs, text))
      return Fail(ctx, kExitUsage, Format(lang::Tr(tx::logbook::CliBadTime), {text, option}));
  }
  std::string out_path;
  if (!TakeOption(ctx.args, "-o", out_path)) TakeOption(ctx.args, "--output", out_path);
  if (ctx.args.size() != 1 || ctx.args[0].empty() || ctx.args[0][0] == '-') {
    if (ctx.args.size() > 1 || (!ctx.args.empty() && ctx.args[0][0] == '-'))
      return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnexpectedArgument), {ctx.args.back()}));
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::logbook::CliUsage), {kUsage}));
  }
  const std::string path = ctx.args[0];

  std::unique_ptr<TLogFileReader> reader;
  try {
    reader = std::make_unique<TLogFileReader>(path);
  } catch (const EStreamError& e) {
    return Fail(ctx, kExitBadInput, e.what());
  } catch (const ConvertError&) {
    return Fail(ctx, kExitBadInput, Format(lang::Tr(tx::logbook::CliNotALogFile), {path}));
  }
  const TLogFileHeader& header = reader->Header();
  if (header.IsEmpty()) return kExitOk;  // a new or empty log file holds no events
  if (!header.IsValid()) return Fail(ctx, kExitBadInput, Format(lang::Tr(tx::logbook::CliNotALogFile), {path}));
  const TLogEventFactory factory = LogEventFactoryForType(header.typ, true);
  if (!factory) return Fail(ctx, kExitBadInput, Format(lang::Tr(tx::logbook::CliNoDecoder), {header.typ}));

  TDateTimeFormats formats(CurrentFormats());
  formats.SetDisplayFormat(kDefaultLogDateFormat);
  const TLogRenderContext render =
      MakeLogRenderContext(csv ? TLogRenderContext::kCsv : TLogRenderContext::kText, formats, CurrentFormats());

  // A named output file is written aside and put in place only when the export succeeded.
  std::ofstream file;
  std::string temp;
  if (!out_path.empty()) {
    temp = out_path + Format(".%d.tmp", {static_cast<int>(::getpid())});
    file.open(temp, std::ios::binary | std::ios::trunc);
    if (!file)
      return Fail(ctx, kExitFailure,
                  Format(lang::Tr(tx::logbook::CannotWriteFile), {out_path, std::strerror(errno)}));
  }
  std::ostream& out = out_path.empty() ? *ctx.out : file;
  auto discard = [&] {
    if (!temp.empty()) {
      file.close();
      std::remove(temp.c_str());
    }
  };
  try {
    ExportLogEvents(*reader, factory, render, from, until, out);
  } catch (const std::runtime_error& e) {
    out.flush();
    discard();
    const bool data_error = dynamic_cast<const ConvertError*>(&e) || dynamic_cast<const ELogFileError*>(&e);
    return Fail(ctx, data_error ? kExitBadInput : kExitFailure,
                Format(lang::Tr(tx::logbook::CliFileLine), {path, reader->LineNumber(), e.what()}));
  }
  out.flush();
  if (!temp.empty()) {
    file.close();
    std::error_code ec;
    if (!file) ec = std::make_error_code(std::errc::io_error);
    else std::filesystem::rename(temp, out_path, ec);
    if (ec) {
      discard();
      return Fail(ctx, kExitFailure, Format(lang::Tr(tx::logbook::CannotWriteFile), {out_path, ec.message()}));
    }
  }
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("logbook export", kUsage,
                   &tx::clihelp::LogbookExport,
                   LogbookExport);

}  // namespace trivex::cli
