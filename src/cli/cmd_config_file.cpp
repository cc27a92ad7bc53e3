// Configuration files from the command line: a new configuration with its defaults, and the
// Load / Save As round trip.
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "config/config_file.h"
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

}  // namespace

TRIVEX_CLI_COMMAND("config new", "config new --type ZYR-D|ZYR-DM -o FILE.ini",
                   &tx::clihelp::ConfigNew, ConfigNew);
TRIVEX_CLI_COMMAND("config save-as", "config save-as IN.ini OUT.ini",
                   &tx::clihelp::ConfigSaveAs, ConfigSaveAs);

}  // namespace trivex::cli
