// trivex-cli logbook fetch: copies a device's logbook into its log file, incrementally or
// (--full) completely, and prints the file's path.
#include <csignal>
#include <filesystem>
#include <ostream>

#include "app/app_state.h"
#include "app/memory_settings_store.h"
#include "cli_command.h"
#include "lang/texts_clihelp.h"
#include "cli_link.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_cli.h"
#include "lang/texts_fetch.h"
#include "logbook/device_chooser.h"
#include "logbook/logbook_fetch.h"
#include "logbook/logbook_fetch_ui.h"
#include "logbook/logbuch_data.h"
#ifdef TRIVEX_HAVE_QTSETTINGS
#include "qt_settings_store.h"
#endif

namespace trivex::cli {
namespace {

constexpr const char* kUsage = "logbook fetch --device ID [--dir DIR] [--full]";

volatile std::sig_atomic_t g_interrupted = 0;
void OnInterrupt(int) { g_interrupted = 1; }

// Ctrl+C stops the fetch the way Stop does in the program: what was read is kept.
class ConsoleAppUi : public NullAppUi {
 public:
  void ProcessEvents() override {
    if (g_interrupted) SetUserAbort(true);
  }
};

// Answers the fetch's questions from the command line's options.
class ConsoleFetchUi : public LogbookFetchUi {
 public:
  ConsoleFetchUi(Context& ctx, TKombiCommunicator& link, std::string device, std::string dir)
      : ctx_(ctx), link_(link), device_(std::move(device)), dir_(std::move(dir)) {}

  bool ChooseDevice(TDeviceChooser& chooser) override {
    if (!chooser.Scan(link_)) return false;
    if (chooser.ScanResult() != 0) {
      scan_failure_ = chooser.ScanResult();
      return false;
    }
    if (!chooser.Select(device_)) {
      Fail(ctx_, 0, Format(lang::Tr(tx::fetch::DeviceNotInList), {device_}));
      return false;
    }
    if (!chooser.OkEnabled()) {
      Fail(ctx_, 0, lang::Tr(tx::fetch::NoLogfile));
      return false;
    }
    return true;
  }
  bool ChooseLogFile(const std::string& proposed_name, std::string& path) override {
    path = (std::filesystem::path(dir_) / (proposed_name + ".log")).string();
    return true;
  }
  bool AskYesNo(const std::string&, const std::string& text) override {
    Fail(ctx_, 0, OneLine(text));
    return false;
  }
  void ShowError(const std::string&, const std::string& text) override { Fail(ctx_, 0, OneLine(text)); }
  TDialogAnswer AskReadError(const std::string&, const std::string& text, bool) override {
    Fail(ctx_, 0, OneLine(text));
    return TDialogAnswer::kAbort;
  }
  int ScanFailure() const { return scan_failure_; }

 private:
  // A message on one line: each line break (CR LF, CR or LF) becomes a blank.
  static std::string OneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return out;
  }

  Context& ctx_;
  TKombiCommunicator& link_;
  std::string device_;
  std::string dir_;
  int scan_failure_ = 0;
};

std::string SettingsLogbookDir() {
#ifdef TRIVEX_HAVE_QTSETTINGS
  QtSettingsStore store;
#else
  MemorySettingsStore store;
#endif
  TLogbuchData data;
  data.Read(store);
  return data.Dir(LogbookDir::LogFiles);
}

int LogbookFetch(Context& ctx) {
  std::string device, dir;
  const bool has_device = TakeOption(ctx.args, "--device", device);
  const bool has_dir = TakeOption(ctx.args, "--dir", dir);
  TLogFetchOptions options;
  options.full = TakeFlag(ctx.args, "--full");
  if (!ctx.args.empty())
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnexpectedArgument), {ctx.args[0]}));
  if (ctx.port.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::cli::UsagePortRequired));
  if (!has_device || device.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::fetch::CliNeedsDevice));
  if (device.back() != ':') device += ':';
  if (!has_dir) dir = SettingsLogbookDir();
  if (dir.empty()) return Fail(ctx, kExitUsage, lang::Tr(tx::fetch::CliNoDir));

  ConsoleLinkUi link_ui(ctx);
  auto link = MakeCliLink(ctx, link_ui);
  ConsoleAppUi app;
  ConsoleFetchUi ui(ctx, *link, device, dir);
  TDeviceChooser chooser;
  TLogbookFetch fetch(*link, app, ui, chooser);
  TLogFileHeader header;
  TLogRecordList records;
  std::string prefix;

  g_interrupted = 0;
  auto previous = std::signal(SIGINT, OnInterrupt);
  const TLogFetchResult r = fetch.ReadFromDevice(prefix, header, records, options);
  std::signal(SIGINT, previous);

  auto print_path = [&] {
    std::error_code ec;
    if (std::filesystem::exists(r.path, ec)) *ctx.out << r.path << '\n';
    ctx.out->flush();
  };
  auto stopped = [&] {
    if (r.link_result != 0) return LinkFailure(ctx, r.link_result);
    if (r.user_abort) return Fail(ctx, kExitFailure, lang::Tr(tx::fetch::CliStopped));
    return static_cast<int>(kExitFailure);
  };
  switch (r.outcome) {
    case TLogFetchResult::kComplete:
      print_path();
      return kExitOk;
    case TLogFetchResult::kNothing:
      print_path();
      Fail(ctx, 0, lang::Tr(tx::fetch::CliNothing));
      return kExitOk;
    case TLogFetchResult::kInterrupted:
      print_path();
      Fail(ctx, 0, Format(lang::Tr(r.saved ? tx::fetch::CliIncomplete : tx::fetch::CliFullIncomplete), {r.path}));
      return stopped();
    case TLogFetchResult::kAborted:
      return stopped();
    case TLogFetchResult::kClosedFile:
      return Fail(ctx, kExitFailure, Format(lang::Tr(tx::fetch::CliClosed), {r.path}));
    case TLogFetchResult::kCancelled:
      if (ui.ScanFailure() != 0) return LinkFailure(ctx, ui.ScanFailure());
      return kExitFailure;
    default:
      return kExitFailure;  // the reason has been shown
  }
}

}  // namespace

TRIVEX_CLI_COMMAND("logbook fetch", kUsage,
                   &tx::clihelp::LogbookFetch,
                   LogbookFetch);

}  // namespace trivex::cli
