// The station net list of a configuration file: compile it and show the model, or write
// the net list text that the generator makes of the compiled model.
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "config/config_file.h"
#include "config/net_list_converter.h"
#include "config/net_list_groups.h"
#include "config/net_list_texts.h"
#include "config/zyr_d_data.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "lang/texts_netlist.h"

namespace trivex::cli {
namespace {

// Loads the file named by the only argument and compiles its net list; returns an exit
// code other than kExitOk on failure.
int LoadAndCompile(Context& ctx, const char* usage, std::unique_ptr<TZyrData>& config, TNetListData& model) {
  if (ctx.args.size() != 1) return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageIs), {usage}));
  TZyrDData frequencies;  // stands for the program's ZYR-D configuration
  try {
    config = LoadConfigFile(ctx.args[0], &frequencies);
    TNetListConverter::Compile(config->system_type, config->master_id, config->switches, model);
  } catch (const ConfigLoadError& e) {
    return Fail(ctx, kExitBadInput, e.what());
  } catch (const ENetList& e) {
    return Fail(ctx, kExitBadInput, e.what());
  }
  return kExitOk;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  std::string s;
  for (char c : text)
    if (!(c == ' ' && !s.empty() && s.back() == ' ')) s += c;
  return s;
}

int NetlistCheck(Context& ctx) {
  std::unique_ptr<TZyrData> config;
  TNetListData model;
  if (int rc = LoadAndCompile(ctx, "netlist check FILE.ini", config, model)) return rc;
  std::ostream& out = *ctx.out;
  for (const TSegment& s : model.segments) out << "segment\t" << SegmentEntryText(s) << "\n";
  for (const TSchalter& s : model.switches) out << "switch\t" << SwitchEntryText(config->system_type, s) << "\n";
  if (model.switches_incomplete) {
    out << OneLine(lang::Tr(tx::netlist::SwitchesUndefined)) << "\n";
    return kExitOk;
  }
  const TAbgangGruppen groups = FindAbgangGruppen(model, config->master_id);
  for (size_t g = 0; g < groups.groups.size(); ++g)
    out << "group\t" << g + 1 << "\t" << GroupMeasurementText(groups.groups[g]) << "\t"
        << GroupFeedersText(model, groups.groups[g]) << "\n";
  if (groups.unassigned > 0) out << OneLine(Format(lang::Tr(tx::netlist::TooManyGroups), {groups.unassigned})) << "\n";
  return kExitOk;
}

int NetlistGenerate(Context& ctx) {
  std::unique_ptr<TZyrData> config;
  TNetListData model;
  if (int rc = LoadAndCompile(ctx, "netlist generate FILE.ini", config, model)) return rc;
  try {
    for (const std::string& line : TNetListConverter::Generate(config->system_type, model)) *ctx.out << line << "\n";
  } catch (const ENetList& e) {
    return Fail(ctx, kExitFailure, e.what());
  }
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("netlist check", "netlist check FILE.ini",
                   &tx::clihelp::NetlistCheck, NetlistCheck);
TRIVEX_CLI_COMMAND("netlist generate", "netlist generate FILE.ini",
                   &tx::clihelp::NetlistGenerate, NetlistGenerate);

}  // namespace trivex::cli
