#include "fault_injector.h"

#include <charconv>

namespace trivex::sim {

bool FaultInjector::Add(std::string_view text, std::string& error) {
  std::string_view kind = text, pattern, count;
  if (size_t c = text.find(':'); c != std::string_view::npos) {
    kind = text.substr(0, c);
    pattern = text.substr(c + 1);
    // The count is the part after the last colon when it is a number; a pattern may itself
    // contain colons ("A1:ver+").
    if (size_t l = pattern.rfind(':'); l != std::string_view::npos) {
      std::string_view tail = pattern.substr(l + 1);
      long n = 0;
      auto [p, ec] = std::from_chars(tail.data(), tail.data() + tail.size(), n);
      if (!tail.empty() && ec == std::errc() && p == tail.data() + tail.size()) {
        count = tail;
        pattern = pattern.substr(0, l);
      }
    }
  }
  Fault f{};
  if (kind == "noreply") f.kind = FaultKind::kNoReply;
  else if (kind == "nak") f.kind = FaultKind::kNak;
  else if (kind == "badsum") f.kind = FaultKind::kBadChecksum;
  else if (kind == "refuse") f.kind = FaultKind::kRefuse;
  else {
    error = "unknown fault \"" + std::string(kind) + "\" (noreply, nak, badsum, refuse)";
    return false;
  }
  f.pattern = pattern == "*" ? std::string() : std::string(pattern);
  f.remaining = -1;
  if (!count.empty()) std::from_chars(count.data(), count.data() + count.size(), f.remaining);
  faults_.push_back(std::move(f));
  return true;
}

std::optional<FaultKind> FaultInjector::Take(std::string_view request) {
  for (Fault& f : faults_) {
    if (f.remaining == 0) continue;
    if (!f.pattern.empty() && request.find(f.pattern) == std::string_view::npos) continue;
    if (f.remaining > 0) --f.remaining;
    return f.kind;
  }
  return std::nullopt;
}

}  // namespace trivex::sim
