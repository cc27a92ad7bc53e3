// trivex-cli request: framed request/reply exchanges with a device.
#include <charconv>
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "cli_link.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "lang/texts_link.h"
#include "link/kombi_communicator.h"

namespace trivex::cli {
namespace {

int RunRequest(Context& ctx) {
  std::string value;
  int retries = 2;
  if (TakeOption(ctx.args, "--retries", value)) {
    auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), retries);
    if (ec != std::errc() || p != value.data() + value.size() || retries < 0 || retries > 100)
      return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageBadNumber), {value, "--retries"}));
  }
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (ctx.args.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::link::CliNoRequest));

  ConsoleLinkUi ui(ctx);
  auto link_ptr = MakeCliLink(ctx, ui);
  TKombiCommunicator& link = *link_ptr;
  link.SetRetrySetting(retries);
  link.Open();
  if (!link.Active()) return kExitFailure;

  const uint32_t timeout = CliTimeout(ctx, 2000);
  auto no_dialog = [](TKombiCommunicator&, const std::string&, const std::string&, int) {
    return TDialogAnswer::kIgnore;
  };
  for (const std::string& request : ctx.args) {
    std::string reply;
    int result = link.SendRecvRetry(request, reply, timeout, {}, no_dialog);
    if (result != kLinkOk) return LinkFailure(ctx, result);
    *ctx.out << reply << '\n';
  }
  ctx.out->flush();
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("request", "request [--retries N] TEXT...",
                   &tx::clihelp::Request,
                   RunRequest);

}  // namespace trivex::cli
