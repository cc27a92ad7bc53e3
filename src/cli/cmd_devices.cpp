// trivex-cli devices: lists the devices on the link with their type, version and name.
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "cli_link.h"
#include "config/version_number.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "lang/texts_link.h"
#include "link/kombi_communicator.h"
#include "protocol/device_scan.h"

namespace trivex::cli {
namespace {

int RunDevices(Context& ctx) {
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (!ctx.args.empty())
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnexpectedArgument), {ctx.args[0]}));

  ConsoleLinkUi ui(ctx);
  auto link_ptr = MakeCliLink(ctx, ui);
  TKombiCommunicator& link = *link_ptr;
  link.Open();
  if (!link.Active()) return kExitFailure;

  const uint32_t timeout = CliTimeout(ctx, 2000);
  auto ignore = [](TKombiCommunicator&, const std::string&, const std::string&, int) {
    return TDialogAnswer::kIgnore;
  };
  DeviceExchange exchange = [&](const std::string& request, std::string& reply) {
    return link.SendRecvRetry(request, reply, timeout, {}, ignore);
  };
  int result = 0;
  std::vector<ScannedDevice> devices = ScanDevices(exchange, result);
  if (result != kLinkOk) return LinkFailure(ctx, result);
  for (const ScannedDevice& d : devices) {
    *ctx.out << d.address << '\t' << d.type << '\t'
             << (d.version > 0 ? VersionText(d.version) : std::string()) << '\t' << d.name
             << '\n';
  }
  ctx.out->flush();
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("devices", "devices",
                   &tx::clihelp::Devices,
                   RunDevices);

}  // namespace trivex::cli
