// trivex-cli request: framed request/reply exchanges with a device.
#include <charconv>
#include <ostream>

#include "cli_command.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "lang/texts_link.h"
#include "link/kombi_communicator.h"

namespace trivex::cli {
namespace {

// Messages of the link go to standard error; nobody is asked anything.
class ConsoleLinkUi : public LinkUi {
 public:
  explicit ConsoleLinkUi(Context& ctx) : ctx_(ctx) {}
  void ShowMessage(TMessageKind, const std::string&, const std::string& text) override {
    std::string t = text;
    for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, " ");
    Fail(ctx_, 0, t);
  }
  TDialogAnswer AskAbortRetryIgnore(const std::string&, const std::string&) override {
    return TDialogAnswer::kIgnore;
  }
  bool EditPortSettings(int, const std::string&, TPortConfig&) override { return false; }

 private:
  Context& ctx_;
};

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
  link.SetRetrySetting(retries);
  link.Open();
  if (!link.Active()) return kExitFailure;

  const uint32_t timeout = ctx.timeout_ms > 0 ? static_cast<uint32_t>(ctx.timeout_ms) : 2000;
  auto no_dialog = [](TKombiCommunicator&, const std::string&, const std::string&, int) {
    return TDialogAnswer::kIgnore;
  };
  for (const std::string& request : ctx.args) {
    std::string reply;
    int result = link.SendRecvRetry(request, reply, timeout, {}, no_dialog);
    if (result != kLinkOk) {
      std::string text = LinkResultText(result);
      if (text.empty()) text = Format(lang::Tr(tx::link::ResultOther), {result});
      return Fail(ctx, kExitLinkBase - result, text);
    }
    *ctx.out << reply << '\n';
  }
  ctx.out->flush();
  return kExitOk;
}

}  // namespace

TRIVEX_CLI_COMMAND("request", "request [--retries N] TEXT...",
                   "send each TEXT as one framed request (needs --port) and print each reply on its own line",
                   RunRequest);

}  // namespace trivex::cli
