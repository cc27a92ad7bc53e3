#include "logbook/logbook_fetch_exchange.h"

#include "app/app_state.h"
#include "app/trace.h"
#include "config/crc16.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_fetch.h"
#include "logbook/logbook_fetch_ui.h"
#include "protocol/file_block.h"
#include "protocol/reply.h"

namespace trivex {

bool LogBinaryCheckMode(std::string_view type, int version) {
  if (EqualsNoCase(type, "VAD-AZ") || EqualsNoCase(type, "ZED-UDE")) return version > 2199;
  if (EqualsNoCase(type, "ZYR-D")) return version > 1103;
  return true;
}

bool DecodeLogReply(std::string& reply, bool binary_check) {
  // The escapes keep every byte below 32 out of the text, so a leading CR LF can only be
  // the device's reply convention.
  bool complete = true;
  std::string data = Destuff(reply::StripLeadingCrLf(reply), &complete);
  if (binary_check) {
    if (!complete || data.size() < 2) return false;
    const auto hi = static_cast<unsigned char>(data[data.size() - 2]);
    const auto lo = static_cast<unsigned char>(data[data.size() - 1]);
    data.resize(data.size() - 2);
    if (Crc16(data) != (hi << 8 | lo)) return false;
  }
  reply = std::move(data);
  return true;
}

TLogbookFetchExchange::TLogbookFetchExchange(TKombiCommunicator& link, AppUi& app, LogbookFetchUi& ui)
    : link_(link), app_(app), ui_(ui) {}

TLogbookFetchExchange::~TLogbookFetchExchange() { Close(); }

namespace {
const lang::Text3& OperationText(int operation) {
  switch (operation) {
    case TLogbookFetchExchange::kReadFaultRecord: return tx::fetch::OpReadFaultRecord;
    case TLogbookFetchExchange::kReadRecorder: return tx::fetch::OpReadRecorder;
    default: return tx::fetch::OpReadLogfile;
  }
}
}  // namespace

bool TLogbookFetchExchange::Open() {
  if (open_) return true;
  was_active_ = link_.Active();
  saved_mode_ = link_.Mode();
  saved_events_ = link_.Events();
  link_.Close();
  link_.Events() = {};
  link_.Events().before_open = [](TKombiCommunicator& l) { l.SetMode(TKombiCommunicator::kModeFramed); };
  link_.Open();
  if (!link_.Active()) {
    link_.Events() = saved_events_;
    link_.SetMode(saved_mode_);
    if (was_active_) link_.Open();
    return false;
  }
  open_ = true;
  done_ = expected_ = 0;
  last_failure_ = 0;
  SetUserAbort(false);
  app_.SetStatusText(0, lang::Tr(OperationText(operation_)));
  app_.SetStatusText(1, link_.LinkDescription());
  app_.SetProgress(0, 0);
  ui_.SetWaitCursor(true);
  app_.BusyMessage(AppUi::kBusyWithStop);
  return true;
}

void TLogbookFetchExchange::Close() {
  if (!open_) return;
  open_ = false;
  link_.Close();
  link_.Events() = saved_events_;
  link_.SetMode(saved_mode_);
  if (was_active_) link_.Open();
  app_.SetStatusText(0, "");
  app_.SetStatusText(3, "");
  app_.SetStatusText(1, link_.LinkDescription());
  app_.SetProgress(0, 0);
  expected_ = 0;
  app_.BusyMessage(AppUi::kIdle);
  ui_.SetWaitCursor(false);
}

void TLogbookFetchExchange::SetExpected(uint32_t expected) {
  expected_ = expected;
  if (done_ > expected_) done_ = expected_;
  app_.SetProgress(done_, expected_);
}

bool TLogbookFetchExchange::Exchange(const std::string& command, std::string& reply, int* result) {
  app_.SetStatusText(3, command);
  if (done_ < expected_) ++done_;
  app_.SetProgress(done_, expected_);
  app_.ProcessEvents();
  reply.clear();
  if (result) *result = kLinkOk;
  if (UserAbort()) return false;

  auto check = [this](TKombiCommunicator& link, const std::string& request, std::string& text, int& code,
                      bool& ok) {
    if (ok && !DecodeLogReply(text, binary_)) {
      code = kLinkFileCrc;
      ok = false;
    }
    if (ok) return;
    if (code == kLinkFileCrc)
      Trace("CRC-error sending " + request);
    else
      Trace(Format("error %d sending %s, L=%d", {code, request, static_cast<int>(text.size())}));
    link.Purge(true);
  };
  auto on_error = [this](TKombiCommunicator& link, const std::string& request, const std::string& text,
                         int code) {
    std::string shown = text;
    if (code == kLinkTimeout) shown = lang::Tr(tx::fetch::NoResponse);
    else if (code < 0) shown = lang::Tr(tx::fetch::CommFailure);
    TDialogAnswer answer = ui_.AskReadError(lang::Tr(tx::fetch::CaptionError),
                                            Format(lang::Tr(tx::fetch::ReadError), {request, shown}), binary_);
    if (binary_ && answer == TDialogAnswer::kIgnore) answer = TDialogAnswer::kAbort;  // no Ignore there
    link.Purge(code != kLinkTimeout);
    return answer;
  };
  const int code = link_.SendRecvRetry(command, reply, kTimeoutMs, check, on_error, false);
  if (code != kLinkOk) {
    reply.clear();
    last_failure_ = code;
  }
  if (result) *result = code;
  return !UserAbort();
}

}  // namespace trivex
