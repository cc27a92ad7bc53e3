#pragma once
// The combined link of the command line: the port of --port at the rate of --baud (8N1, no
// handshake), framed mode, link messages on standard error and nobody asked anything.
#include <memory>
#include <string>

#include "cli_command.h"
#include "link/kombi_communicator.h"

namespace trivex::cli {

// Shows the link's messages on standard error and answers every question with Ignore.
class ConsoleLinkUi : public SilentLinkUi {
 public:
  explicit ConsoleLinkUi(Context& ctx) : ctx_(ctx) {}
  void ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) override;

 private:
  Context& ctx_;
};

// The link for ctx.port, not yet open; `ui` must outlive it.
std::unique_ptr<TKombiCommunicator> MakeCliLink(Context& ctx, LinkUi& ui);
// The reply timeout of the command line: --timeout, else `fallback_ms`.
uint32_t CliTimeout(const Context& ctx, uint32_t fallback_ms);
// Reports a failed exchange and returns its exit status (10 + n for result -n).
int LinkFailure(Context& ctx, int result);

}  // namespace trivex::cli
