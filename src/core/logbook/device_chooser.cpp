#include "logbook/device_chooser.h"

#include <algorithm>

#include "config/cp1252.h"
#include "config/text_util.h"
#include "lang/lang.h"
#include "lang/texts_fetch.h"
#include "link/kombi_communicator.h"
#include "logbook/log_render_context.h"
#include "protocol/commands.h"
#include "protocol/device_scan.h"
#include "protocol/reply.h"

namespace trivex {

bool TDeviceChooser::Scan(TKombiCommunicator& link) {
  const bool was_active = link.Active();
  const int was_mode = link.Mode();
  const TKombiCommunicator::TEvents saved = link.Events();
  link.Close();
  link.Events() = {};
  link.Events().before_open = [](TKombiCommunicator& l) { l.SetMode(TKombiCommunicator::kModeFramed); };
  link.Open();
  bool ok = link.Active();
  std::vector<TChooserEntry> found;
  std::string port_name;
  if (ok) {
    DeviceExchange exchange = [&](const std::string& request, std::string& reply) {
      return link.SendRecvRetry(request, reply, kScanTimeoutMs);
    };
    for (const ScannedDevice& d : ScanDevices(exchange, scan_result_))
      found.push_back({d.address, d.name, d.type, d.version});
    std::string reply;
    if (scan_result_ == 0 &&
        exchange(std::string(cmd::kPortPrefix) + std::string(cmd::kDeviceName), reply) == 0 &&
        reply::Accept(reply))
      port_name = Cp1252ToUtf8(TrimBlanks(reply));
  } else {
    scan_result_ = -1;
  }
  link.Close();
  link.Events() = saved;
  link.SetMode(was_mode);
  if (was_active) link.Open();
  SetEntries(std::move(found), port_name);
  return ok;
}

void TDeviceChooser::SetEntries(std::vector<TChooserEntry> entries, const std::string& port_name) {
  const std::string previous = selected_ >= 0 ? entries_[static_cast<size_t>(selected_)].address : std::string();
  entries_ = std::move(entries);
  selected_ = -1;
  if (!previous.empty()) Select(previous);
  if (!port_name.empty()) {
    for (int i = 1; i < Count(); ++i)
      if (entries_[static_cast<size_t>(i)].name == port_name) {
        selected_ = i;
        break;
      }
  }
  if (selected_ < 0 && !entries_.empty()) selected_ = 0;
}

const TChooserEntry& TDeviceChooser::Entry(int index) const {
  static const TChooserEntry kNone;
  if (index < 0 || index >= Count()) return kNone;
  return entries_[static_cast<size_t>(index)];
}

bool TDeviceChooser::Select(std::string_view address) {
  for (int i = 0; i < Count(); ++i)
    if (!address.empty() && EqualsNoCase(entries_[static_cast<size_t>(i)].address, address)) {
      selected_ = i;
      return true;
    }
  return false;
}

void TDeviceChooser::SelectIndex(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }

bool TDeviceChooser::IsAllowed(int index) const {
  if (index < 0 || index >= Count()) return false;
  if (allowed_.empty()) return true;
  for (std::string_view type : SplitAt(allowed_, ';'))
    if (!type.empty() && EqualsNoCase(TrimBlanks(type), entries_[static_cast<size_t>(index)].type)) return true;
  return false;
}

std::string TDeviceChooser::CaptionText() const {
  return caption_.empty() ? std::string(lang::Tr(tx::fetch::ChooserCaption)) : caption_;
}

int TDeviceChooser::AddressWidth() const {
  size_t w = 0;
  for (const auto& e : entries_) w = std::max(w, Utf8Length(e.address));
  return static_cast<int>(w);
}

int TDeviceChooser::NameWidth() const {
  size_t w = 0;
  for (const auto& e : entries_) w = std::max(w, Utf8Length(e.name) + 2);
  return static_cast<int>(w);
}

std::string TDeviceChooser::EntryText(int index) const {
  const TChooserEntry& e = Entry(index);
  auto pad = [](std::string text, int width) {
    const size_t len = Utf8Length(text);
    if (len < static_cast<size_t>(width)) text.append(static_cast<size_t>(width) - len, ' ');
    return text;
  };
  return pad(e.address, AddressWidth()) + "  " + pad("\"" + e.name + "\"", NameWidth()) + "  (" + e.type + ")";
}

}  // namespace trivex
