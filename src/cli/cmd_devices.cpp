// trivex-cli devices: lists the devices on the link with their type, version and name.
#include <ostream>

#include "cli_command.h"
#include "config/version_number.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "lang/texts_link.h"
#include "link/kombi_communicator.h"
#include "protocol/device_scan.h"

namespace trivex::cli {
namespace {

// Link messages go to standard error; nobody is asked anything.
class DevicesLinkUi : public SilentLinkUi {
 public:
  explicit DevicesLinkUi(Context& ctx) : ctx_(ctx) {}
  void ShowMessage(TMessageKind, const std::string&, const std::string& text) override {
    std::string t = text;
    for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, " ");
    Fail(ctx_, 0, t);
  }

 private:
  Context& ctx_;
};

int RunDevices(Context& ctx) {
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (!ctx.args.empty())
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnexpectedArgument), {ctx.args[0]}));

  DevicesLinkUi ui(ctx);
  auto serial = std::make_unique<TCommunicator>();
  serial->SetExtraPorts({ctx.port});
  serial->ScanPorts();
  const int number = serial->FindComNum(ctx.port);
  TPortConfig config;  // 8N1, no handshake
  config.baud = static_cast<uint32_t>(ctx.baud);
  serial->SetCommConfig(number, config);
  serial->SetComNum(number);
  TKombiCommunicator link(&ui, nullptr, std::move(serial));
  link.SetMode(TKombiCommunicator::kModeFramed);
  link.Open();
  if (!link.Active()) return kExitFailure;

  const uint32_t timeout = ctx.timeout_ms > 0 ? static_cast<uint32_t>(ctx.timeout_ms) : 2000;
  auto ignore = [](TKombiCommunicator&, const std::string&, const std::string&, int) {
    return TDialogAnswer::kIgnore;
  };
  DeviceExchange exchange = [&](const std::string& request, std::string& reply) {
    return link.SendRecvRetry(request, reply, timeout, {}, ignore);
  };
  int result = 0;
  std::vector<ScannedDevice> devices = ScanDevices(exchange, result);
  if (result != kLinkOk) {
    std::string text = LinkResultText(result);
    if (text.empty()) text = Format(lang::Tr(tx::link::ResultOther), {result});
    return Fail(ctx, kExitLinkBase - result, text);
  }
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
                   "list the devices on the link (needs --port): identifier, type, version and "
                   "name, separated by TABs",
                   RunDevices);

}  // namespace trivex::cli
