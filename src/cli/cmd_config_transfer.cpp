// trivex-cli config read / send / verify / check: the ZYR-D configuration transfer and its
// checks from a shell, with the same engine and sequence as the program.
#include <memory>
#include <ostream>

#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "config/config_checker.h"
#include "config/config_file.h"
#include "config/device_id.h"
#include "config/net_list_converter.h"
#include "config/version_number.h"
#include "lang/format.h"
#include "lang/texts_cli.h"
#include "lang/texts_transfer.h"
#include "link/kombi_communicator.h"
#include "protocol/zyr_d_config_pump.h"

namespace trivex::cli {
namespace {

// Messages go to standard error; every failed exchange is answered Abort, so a broken link
// ends the operation (configuration mode is still ended on every relay).
class TransferLinkUi : public SilentLinkUi {
 public:
  explicit TransferLinkUi(Context& ctx) : ctx_(ctx) {}
  void ShowMessage(TMessageKind, const std::string&, const std::string& text) override { Print(text); }
  TDialogAnswer AskAbortRetryIgnore(const std::string&, const std::string& text) override {
    Print(text);
    return TDialogAnswer::kAbort;
  }
  void Print(std::string t) {
    for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, " ");
    for (char& c : t)
      if (c == '\n') c = ' ';
    Fail(ctx_, 0, t);
  }

 private:
  Context& ctx_;
};

struct Session {
  explicit Session(Context& ctx) : ui(ctx) {
    auto serial = std::make_unique<TCommunicator>();
    serial->SetExtraPorts({ctx.port});
    serial->ScanPorts();
    const int number = serial->FindComNum(ctx.port);
    TPortConfig config;
    config.baud = static_cast<uint32_t>(ctx.baud);
    serial->SetCommConfig(number, config);
    serial->SetComNum(number);
    link = std::make_unique<TKombiCommunicator>(&ui, nullptr, std::move(serial));
    link->SetMode(TKombiCommunicator::kModeFramed);
    pump = std::make_unique<TZyrDConfigPump>(*link, app);
    pump->final_pause_ms = 0;
    pump->on_info = [this](const std::string&, const std::string& text) { ui.Print(text); };
  }
  TransferLinkUi ui;
  NullAppUi app;
  std::unique_ptr<TKombiCommunicator> link;
  std::unique_ptr<TZyrDConfigPump> pump;
};

void PrintRows(std::ostream& out, const TConfigMsgs& msgs) {
  for (const auto& row : msgs.Rows()) {
    for (size_t i = 0; i < row.size(); ++i) out << (i ? "\t" : "") << row[i];
    out << '\n';
  }
  out.flush();
}

std::unique_ptr<TZyrDData> LoadZyrD(Context& ctx, const std::string& path, int& code) {
  std::unique_ptr<TZyrData> data;
  try {
    data = LoadConfigFile(path);
  } catch (const ConfigLoadError& e) {
    code = Fail(ctx, kExitBadInput, e.what());
    return nullptr;
  }
  if (data->system_type != stZYRD) {
    code = Fail(ctx, kExitBadInput, Format(lang::Tr(tx::transfer::CliNotZyrD), {path}));
    return nullptr;
  }
  return std::unique_ptr<TZyrDData>(static_cast<TZyrDData*>(data.release()));
}

bool Compile(Context& ctx, const TZyrDData& config, TNetListData& net, int& code) {
  try {
    TNetListConverter::Compile(stZYRD, config.master_id, config.switches, net);
  } catch (const ENetList& e) {
    code = Fail(ctx, kExitBadInput, Format(lang::Tr(tx::transfer::NetListError), {e.what()}));
    return false;
  }
  return true;
}

// Reads the system of `address`; rebuilds the net list text from the relays' model when
// they hold none.
int ReadSystem(Context& ctx, Session& s, int address, TZyrDData& read, TReportedStation& reported) {
  const int r = s.pump->Read(read, reported, address);
  if (r == 1) return Fail(ctx, kExitFailure, lang::Tr(tx::transfer::CliReadAborted));
  RebuildNetListText(read, reported);
  return kExitOk;
}

int ConfigRead(Context& ctx) {
  std::string device, out;
  TakeOption(ctx.args, "--device", device);
  if (!TakeOption(ctx.args, "-o", out)) TakeOption(ctx.args, "--output", out);
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (device.empty() || out.empty() || !ctx.args.empty())
    return Fail(ctx, kExitUsage, lang::Tr(tx::transfer::CliUsageRead));
  if (!IsDeviceIdText(device)) return Fail(ctx, kExitUsage, Format(lang::Tr(tx::transfer::CliBadDevice), {device}));
  Session s(ctx);
  TZyrDData read;
  TReportedStation reported;
  if (int r = ReadSystem(ctx, s, ParseDeviceId(device), read, reported); r != kExitOk) return r;
  TZyrDConfigChecker checker;
  try {
    checker.CheckConsistency(s.pump->FirmwareVersion(), read, reported);
  } catch (const ENetList& e) {
    Fail(ctx, 0, Format(lang::Tr(tx::transfer::NetListError), {e.what()}));
  }
  PrintRows(*ctx.err, checker.Msgs());
  read.SetFileName(out);
  try {
    if (!read.Save()) return Fail(ctx, kExitFailure, Format(lang::Tr(tx::cli::ErrSaveReadOnly), {out}));
  } catch (const std::exception& e) {
    return Fail(ctx, kExitFailure, Format(lang::Tr(tx::cli::ErrSaveFailed), {out, e.what()}));
  }
  return kExitOk;
}

int ConfigSend(Context& ctx) {
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (ctx.args.size() != 1) return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageIs), {"config send FILE.ini"}));
  int code = kExitOk;
  auto config = LoadZyrD(ctx, ctx.args[0], code);
  if (!config) return code;
  TNetListData net;
  if (!Compile(ctx, *config, net, code)) return code;
  Session s(ctx);
  s.pump->ask_frequency = [&](int&) {
    Fail(ctx, 0, lang::Tr(tx::transfer::CliFrequencyNotSet));
    return false;
  };
  const int r = s.pump->Send(*config, net);
  if (r == 1) return Fail(ctx, kExitFailure, lang::Tr(tx::transfer::CliSendAborted));
  PrintRows(*ctx.err, s.pump->Msgs());
  return kExitOk;
}

int ConfigVerify(Context& ctx) {
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (ctx.args.size() != 1) return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageIs), {"config verify FILE.ini"}));
  int code = kExitOk;
  auto saved = LoadZyrD(ctx, ctx.args[0], code);
  if (!saved) return code;
  TNetListData compiled;
  if (!Compile(ctx, *saved, compiled, code)) return code;
  Session s(ctx);
  TZyrDData read;
  TReportedStation reported;
  if (int r = ReadSystem(ctx, s, saved->master_id, read, reported); r != kExitOk) return r;
  read.AfterLoad();
  TZyrDConfigChecker checker;
  const bool same = checker.Verify(s.pump->FirmwareVersion(), *saved, reported, read, compiled);
  PrintRows(*ctx.out, checker.Msgs());
  if (same) *ctx.err << lang::Tr(tx::transfer::CliNoDifferences) << '\n';
  return same ? kExitOk : kExitFailure;
}

int ConfigCheck(Context& ctx) {
  std::string firmware;
  TakeOption(ctx.args, "--firmware", firmware);
  if (ctx.args.size() != 1)
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageIs), {"config check FILE.ini [--firmware VERSION]"}));
  int code = kExitOk;
  auto config = LoadZyrD(ctx, ctx.args[0], code);
  if (!config) return code;
  int version = 9999;
  if (!firmware.empty()) {
    version = ParseVersion(firmware);
    if (version <= 0) return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageBadNumber), {firmware, "--firmware"}));
  }
  // The file stands for the relays: what they would report is the file's own station model.
  TNetListData net;
  if (!Compile(ctx, *config, net, code)) return code;
  TReportedStation reported;
  reported.net = net;
  reported.device_count = config->DeviceCount();
  for (int p = 0; p < config->DeviceCount(); ++p) {
    const uint8_t id = config->devices[static_cast<size_t>(p)].id;
    TDevice* d = reported.net.devices.Get(id, true);
    d->master_id = config->master_id;
    TRelayTransformers& local = reported.local[id];
    for (int c = 1; c <= 4; ++c) {
      const size_t k = static_cast<size_t>(c - 1);
      local.knu[k] = d->U(c).knu;
      local.vnom[k] = d->U(c).vnom == 0 ? 100 : d->U(c).vnom;
      local.kni[k] = d->I(c).kni == 0 ? 1 : d->I(c).kni;
      local.inom[k] = d->I(c).inom == 0 ? 1 : d->I(c).inom;
    }
    for (int i = 1; i <= kNetBinaryInputs; ++i)
      if (d->BI(i).switch_id != 0) d->reported[static_cast<size_t>(i - 1)] = {2, d->BI(i).inverted};
  }
  TZyrDConfigChecker checker;
  bool ok = false;
  try {
    ok = checker.CheckConsistency(version, *config, reported, config.get());
  } catch (const ENetList& e) {
    return Fail(ctx, kExitBadInput, Format(lang::Tr(tx::transfer::NetListError), {e.what()}));
  }
  PrintRows(*ctx.out, checker.Msgs());
  return ok ? kExitOk : kExitFailure;
}

}  // namespace

TRIVEX_CLI_COMMAND("config read", "config read --device ID -o FILE.ini",
                   &tx::clihelp::ConfigRead,
                   ConfigRead);
TRIVEX_CLI_COMMAND("config send", "config send FILE.ini",
                   &tx::clihelp::ConfigSend, ConfigSend);
TRIVEX_CLI_COMMAND("config verify", "config verify FILE.ini",
                   &tx::clihelp::ConfigVerify,
                   ConfigVerify);
TRIVEX_CLI_COMMAND("config check", "config check FILE.ini [--firmware VERSION]",
                   &tx::clihelp::ConfigCheck,
                   ConfigCheck);

}  // namespace trivex::cli
