#include "protocol/version_check.h"

#include "config/text_util.h"
#include "config/version_number.h"
#include "lang/format.h"
#include "lang/texts_protocol.h"
#include "protocol/file_block.h"
#include "protocol/reply.h"

namespace trivex {

VersionCheck CheckVersionReply(std::string_view raw, std::string_view expected_type,
                               std::string_view id_text, std::string_view action) {
  VersionCheck check;
  std::string_view text = reply::StripLeadingCrLf(raw);
  std::string head = std::string(expected_type) + ": Version";
  if (!text.empty() && StartsWithNoCase(text, head)) {
    std::string_view rest = text.substr(head.size());
    if (!rest.empty()) rest.remove_prefix(1);  // the blank before the version text
    check.version = ParseVersion(rest.substr(0, 8));
    check.ok = true;
    return check;
  }
  if (text.empty()) {
    check.detail = Format(lang::Tr(tx::protocol::DeviceNoResponse), {id_text});
  } else if (text.substr(0, 2) == "<<") {
    // The refusal on its own line, without the device's closing character.
    std::string refusal = "\r\n" + std::string(text.substr(0, text.size() - 1));
    check.detail = Format(lang::Tr(tx::protocol::CommProblem), {id_text, refusal});
  } else if (size_t colon = text.find(':'); colon != std::string_view::npos) {
    check.detail = Format(lang::Tr(tx::protocol::DeviceIsNoBut),
                          {id_text, expected_type, text.substr(0, colon)});
  } else {
    check.detail = Format(lang::Tr(tx::protocol::DeviceIsNo), {id_text, expected_type});
  }
  check.message = ConfigErrorText(action, "", check.detail);
  return check;
}

std::string ConfigErrorText(std::string_view action, std::string_view request,
                            std::string_view reply) {
  return Format(lang::Tr(tx::protocol::ErrorWhileConfig), {action, request, reply});
}

std::string ConfigErrorReplyText(int result, std::string_view reply) {
  if (result == -2) return lang::Tr(tx::protocol::NoResponse);
  if (result == kResultCrcError) return lang::Tr(tx::protocol::CrcError);
  if (result < 0) return lang::Tr(tx::protocol::CommFailure);
  return std::string(reply);
}

}  // namespace trivex
