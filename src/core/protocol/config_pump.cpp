#include "protocol/config_pump.h"


#include "lang/format.h"
#include "lang/texts_transfer.h"
#include "protocol/commands.h"
#include "protocol/file_block.h"
#include "protocol/reply.h"
#include "protocol/request.h"
#include "protocol/version_check.h"

namespace trivex {

TConfigPump::TConfigPump(TKombiCommunicator& link, AppUi& app) : link_(link), app_(app) {}

bool TConfigPump::Stopped() { return UserAbort(); }

int TConfigPump::RunFramed(const std::function<int()>& op) {
  if (running_) return 1;
  running_ = true;
  progress_pos_ = 0;
  progress_max_ = 1;
  app_.SetProgress(0, 1);
  app_.BusyMessage(AppUi::kBusyWithStop);

  const bool was_active = link_.Active();
  link_.Close();
  const TKombiCommunicator::TEvents saved = link_.Events();
  const int saved_mode = link_.Mode();
  link_.Events() = {};
  link_.SetMode(TKombiCommunicator::kModeFramed);
  link_.Open();
  app_.SetStatusText(1, link_.LinkDescription());
  app_.SetStatusText(2, {});
  app_.ProcessEvents();

  timeout_ = 1000;
  SetUserAbort(false);
  int result = 1;
  // Whatever happens inside, the link and the window get their state back.
  struct Restore {
    TConfigPump& p;
    const TKombiCommunicator::TEvents& saved;
    int mode;
    bool was_active;
    ~Restore() {
      p.link_.Close();
      p.app_.SetStatusText(0, {});
      p.app_.SetStatusText(3, {});
      p.app_.SetStatusText(1, p.link_.LinkDescription());
      p.app_.BusyMessage(AppUi::kIdle);
      p.app_.SetProgress(0, 0);
      p.link_.Events() = saved;
      p.link_.SetMode(mode);
      if (was_active && !(p.owner_check_ && p.owner_check_())) p.link_.Open();
      p.running_ = false;
    }
  } restore{*this, saved, saved_mode, was_active};
  if (link_.Active()) result = op();
  return result;
}

void TConfigPump::AddSteps(uint32_t steps) {
  progress_max_ = progress_pos_ + steps;
  if (progress_max_ == 0) progress_max_ = 1;
  app_.SetProgress(progress_pos_, progress_max_);
}

void TConfigPump::StartClock() { t0_ = std::chrono::steady_clock::now(); }

void TConfigPump::ShowElapsed() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0_).count();
  const long long h = ms / 3600000, m = ms / 60000 % 60, s = ms / 1000 % 60, f = ms % 1000;
  app_.SetStatusText(0, {});
  app_.SetStatusText(3, Format("%d:%2.2d:%2.2d.%3.3d", {h, m, s, f}));
  app_.ProcessEvents();
  if (final_pause_ms > 0) app_.Wait(final_pause_ms);
}

void TConfigPump::Advance(const std::string& request) {
  app_.SetStatusText(3, request);
  if (progress_pos_ < progress_max_) ++progress_pos_;
  app_.SetProgress(progress_pos_, progress_max_);
  app_.ProcessEvents();
}

int TConfigPump::Exchange(const std::string& request, std::string& reply, bool file_block) {
  bool refused = false;
  auto check = [&](TKombiCommunicator&, const std::string&, std::string& r, int& result, bool& ok) {
    refused = false;
    if (ok) {
      if (file_block) {
        ok = CheckFileBlockReply(r, result);
      } else {
        ok = reply::Accept(r);
      }
      refused = !ok && result == 0;
    }
    app_.ProcessEvents();
  };
  auto on_error = [&](TKombiCommunicator& link, const std::string& req, const std::string& r, int result) {
    const std::string text = ConfigErrorText(action_, req, ConfigErrorReplyText(result, r));
    TDialogAnswer answer = TDialogAnswer::kIgnore;
    if (link.Ui()) answer = link.Ui()->AskAbortRetryIgnore(lang::Tr(tx::transfer::ErrorCaption), text);
    link.Purge(result != -2);
    return answer;
  };
  if (on_request) on_request(request);
  int result = link_.SendRecvRetry(request, reply, timeout_, check, on_error);
  if (result == 0 && refused) result = -3;
  if (result != 0) reply.clear();  // an ignored failure reads as an empty reply
  last_result_ = result;
  return result;
}

bool TConfigPump::QueryStep(const std::string& request, std::string& reply) {
  reply.clear();
  if (counting_) {
    ++counted_;
    return true;
  }
  if (Stopped()) return false;
  Advance(request);
  if (request.empty() || req::IsPrefixOnly(request, prefix_)) return !Stopped();
  Exchange(request, reply, false);
  return !Stopped();
}

bool TConfigPump::CommandStep(const std::string& request) {
  std::string reply;
  return QueryStep(request, reply);
}

bool TConfigPump::FileBlockStep(std::string_view file, int block, std::string& data) {
  data.clear();
  if (counting_) {
    ++counted_;
    return true;
  }
  if (Stopped()) return false;
  const std::string request = cmd::FileRead(prefix_, file, block);
  Advance(request);
  Exchange(request, data, true);
  return !Stopped();
}

}  // namespace trivex
