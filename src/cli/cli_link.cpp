#include "cli_link.h"

#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_link.h"

namespace trivex::cli {

void ConsoleLinkUi::ShowMessage(TMessageKind, const std::string&, const std::string& text) {
  std::string t = text;
  for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, " ");
  Fail(ctx_, 0, t);
}

std::unique_ptr<TKombiCommunicator> MakeCliLink(Context& ctx, LinkUi& ui) {
  auto serial = std::make_unique<TCommunicator>();
  serial->SetExtraPorts({ctx.port});
  serial->ScanPorts();
  const int number = serial->FindComNum(ctx.port);
  TPortConfig config;  // 8N1, no handshake
  config.baud = static_cast<uint32_t>(ctx.baud);
  serial->SetCommConfig(number, config);
  serial->SetComNum(number);
  auto link = std::make_unique<TKombiCommunicator>(&ui, nullptr, std::move(serial));
  link->SetMode(TKombiCommunicator::kModeFramed);
  return link;
}

uint32_t CliTimeout(const Context& ctx, uint32_t fallback_ms) {
  return ctx.timeout_ms > 0 ? static_cast<uint32_t>(ctx.timeout_ms) : fallback_ms;
}

int LinkFailure(Context& ctx, int result) {
  std::string text = LinkResultText(result);
  if (text.empty()) text = Format(lang::Tr(tx::link::ResultOther), {result});
  return Fail(ctx, kExitLinkBase - result, text);
}

}  // namespace trivex::cli
