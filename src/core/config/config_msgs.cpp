#include "config/config_msgs.h"

#include "config/version_number.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_msgs.h"

namespace trivex {

namespace {
std::vector<std::string> SplitLines(const char* text) {
  std::vector<std::string> out;
  std::string s(text);
  size_t start = 0;
  for (;;) {
    size_t nl = s.find('\n', start);
    out.push_back(s.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return out;
}

std::string Join(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) line += '\t';
    line += cells[i];
  }
  return line;
}
}  // namespace

void TConfigMsgs::Start(Mode mode, int firmware_version) {
  mode_ = mode;
  version_ = firmware_version;
  rows_.clear();
  id_rows_.clear();
}

void TConfigMsgs::AddRow(Mode mode, const std::string& label, int min_version, const std::string& name,
                         const std::string& value3, const std::string& value4) {
  if (mode != mode_) return;
  if (mode == kSend) {
    rows_.push_back({label, min_version ? VersionText(min_version) : std::string(), name, value3, value4});
    return;
  }
  rows_.push_back({label, min_version ? VersionText(min_version) : std::string(), name, value3,
                   value4.empty() ? std::string("---") : value4});
}

void TConfigMsgs::AddIdRow(const std::string& id_text, uint32_t saved, uint32_t read) {
  id_rows_.push_back({id_text, Format("%.8X", {saved}), Format("%.8X", {read})});
}

std::string TConfigMsgs::Title() const {
  switch (mode_) {
    case kSend: return lang::Tr(tx::msgs::TitleSend);
    case kConsistency: return lang::Tr(tx::msgs::TitleConsistency);
    case kVerify: return lang::Tr(tx::msgs::TitleVerify);
    default: return {};
  }
}

std::string TConfigMsgs::Label() const {
  std::string l;
  switch (mode_) {
    case kSend: l = lang::Tr(tx::msgs::LabelSend); break;
    case kConsistency: l = lang::Tr(tx::msgs::LabelConsistency); break;
    case kVerify: l = lang::Tr(tx::msgs::LabelVerify); break;
    default: return {};
  }
  if (version_) {
    l += ' ';
    l += lang::Tr(mode_ == kSend ? tx::msgs::ToVersion : tx::msgs::ForVersion);
    l += ' ' + VersionText(version_);
  }
  return l + ':';
}

std::vector<std::string> TConfigMsgs::ColumnHeads() const {
  switch (mode_) {
    case kSend: return SplitLines(lang::Tr(tx::msgs::HeadSend));
    case kConsistency: return SplitLines(lang::Tr(tx::msgs::HeadConsistency));
    default: return SplitLines(lang::Tr(tx::msgs::HeadVerify));
  }
}

std::vector<std::string> TConfigMsgs::IdColumnHeads() { return SplitLines(lang::Tr(tx::msgs::HeadIds)); }

std::string TConfigMsgs::ClipboardText() const {
  std::string text;
  if (!rows_.empty()) {
    text += Join(ColumnHeads()) + "\r\n";
    for (const auto& r : rows_) text += Join(r) + "\r\n";
  }
  if (!id_rows_.empty()) {
    if (!text.empty()) text += "\r\n";
    text += Join(IdColumnHeads()) + "\r\n";
    for (const auto& r : id_rows_) text += Join(r) + "\r\n";
  }
  return text;
}

}  // namespace trivex
