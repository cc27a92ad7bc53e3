// trivex-cli ports: the serial ports of this computer with their COM numbers and settings.
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "app/memory_settings_store.h"
#include "app/x_registry.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "link/communicator.h"
#include "link/link_settings.h"
#ifdef TRIVEX_HAVE_QTSETTINGS
#include "qt_settings_store.h"
#endif

namespace trivex::cli {
namespace {

int RunPorts(Context& ctx) {
  if (!ctx.args.empty())
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnexpectedArgument), {ctx.args[0]}));
#ifdef TRIVEX_HAVE_QTSETTINGS
  QtSettingsStore store;
#else
  MemorySettingsStore store;
#endif
  std::vector<std::string> extra = XRegistry(store, kKeyTerminal).ReadList("ExtraPort%d");
  if (!ctx.port.empty()) extra.push_back(ctx.port);
  TCommunicator serial;
  serial.SetExtraPorts(extra);
  serial.ScanPorts();
  ReadPortConfigs(store, serial);
  for (int i = 1; i <= serial.PortCount(); ++i) {
    int number = serial.GetComIdx2Num(i);
    *ctx.out << "COM" << number << '\t' << serial.PortPath(number) << '\t'
             << serial.GetCommPropertiesAsString(number) << '\n';
  }
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("ports", "ports",
                   &tx::clihelp::Ports, RunPorts);

}  // namespace trivex::cli
