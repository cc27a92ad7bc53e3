// Configuration files from the command line: a new configuration with its defaults, the
// Load / Save As round trip and the printed report.
#include <chrono>
#include <ctime>
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "config/config_file.h"
#include "config/config_report.h"
#include "config/ini_file.h"
#include "config/zyr_d_data.h"
#include "lang/format.h"
#include "lang/texts_cli.h"

namespace trivex::cli {
namespace {

int SaveTo(Context& ctx, TZyrData& data, const std::string& path) {
  data.SetFileName(path);
  try {
    if (!data.Save()) return Fail(ctx, kExitFailure, Format(lang::Tr(tx::cli::ErrSaveReadOnly), {path}));
  } catch (const std::exception& e) {
    return Fail(ctx, kExitFailure, Format(lang::Tr(tx::cli::ErrSaveFailed), {path, e.what()}));
  }
  return kExitOk;
}

int ConfigNew(Context& ctx) {
  std::string type, out;
  TakeOption(ctx.args, "--type", type);
  if (!TakeOption(ctx.args, "-o", out) && !TakeOption(ctx.args, "--output", out))
    return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsageNeedsOutput));
  if (!ctx.args.empty())
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnexpectedArgument), {ctx.args[0]}));
  TSystemType st = type == "ZYR-D" ? stZYRD : type == "ZYR-DM" ? stZYRDM : stUnknown;
  if (st == stUnknown) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsageConfigType));
  auto data = NewConfig(st);
  return SaveTo(ctx, *data, out);
}

int ConfigSaveAs(Context& ctx) {
  if (ctx.args.size() != 2)
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageIs), {"config save-as IN.ini OUT.ini"}));
  std::unique_ptr<TZyrData> data;
  TZyrDData frequencies;  // stands for the program's ZYR-D configuration
  try {
    data = LoadConfigFile(ctx.args[0], &frequencies);
  } catch (const ConfigLoadError& e) {
    return Fail(ctx, kExitBadInput, e.what());
  }
  if (data->system_type == stZYRD) data->frequency_source = nullptr;
  else frequencies.nominal_frequency = data->nominal_frequency;
  return SaveTo(ctx, *data, ctx.args[1]);
}

int ConfigReport(Context& ctx) {
  std::string out;
  if (!TakeOption(ctx.args, "-o", out)) TakeOption(ctx.args, "--output", out);
  if (ctx.args.size() != 1)
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageIs), {"config report FILE.ini [-o OUT.html]"}));
  std::unique_ptr<TZyrData> data;
  try {
    data = LoadConfigFile(ctx.args[0]);
  } catch (const ConfigLoadError& e) {
    return Fail(ctx, kExitBadInput, e.what());
  }
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const DateTime printed =
      DateTime::FromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  const std::string html = ConfigReportHtml(*data, printed);
  if (out.empty()) {
    *ctx.out << html << '\n';
    return kExitOk;
  }
  try {
    WriteFileAtomically(out, html);
  } catch (const std::exception& e) {
    return Fail(ctx, kExitFailure, Format(lang::Tr(tx::cli::ErrSaveFailed), {out, e.what()}));
  }
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("config new", "config new --type ZYR-D|ZYR-DM -o FILE.ini",
                   &tx::clihelp::ConfigNew, ConfigNew);
TRIVEX_CLI_COMMAND("config report", "config report FILE.ini [-o OUT.html]", &tx::clihelp::ConfigReport,
                   ConfigReport);
TRIVEX_CLI_COMMAND("config save-as", "config save-as IN.ini OUT.ini",
                   &tx::clihelp::ConfigSaveAs, ConfigSaveAs);

}  // namespace trivex::cli
