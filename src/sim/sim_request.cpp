#include "sim_request.h"

#include <cctype>

namespace trivex::sim {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

}  // namespace

std::string RefusalText(std::string_view reason) {
  return "\r\n<<" + std::string(reason) + "\r";
}

std::vector<std::string> SplitElements(std::string_view text) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      out.push_back(std::move(cur));
      cur.clear();
      continue;
    }
    cur += c;
  }
  out.push_back(std::move(cur));
  return out;
}

SimAnswer RequestAnswerer::Answer(std::string_view request) {
  SimAnswer answer;
  std::string_view text = request;
  bool broadcast = false;
  int target = station_.port_address;
  size_t len = 0;
  if (StartsWithNoCase(text, "all,")) {
    broadcast = true;
    text.remove_prefix(4);
  } else if (StartsWithNoCase(text, "aa:")) {
    text.remove_prefix(3);
  } else if (int a = ParseDeviceIdPrefix(text, len); a != 0) {
    target = a;
    text.remove_prefix(len);
  } else if (!text.empty() && text.front() == ',' && last_address_ != 0) {
    target = last_address_;
  }
  last_address_ = target;

  SimDevice* addressed = station_.Find(target);
  if (!addressed) return answer;  // the master finds nobody at that address: empty reply

  std::vector<SimDevice*> targets;
  if (broadcast) {
    for (auto& d : station_.devices) targets.push_back(d.get());
  } else {
    targets.push_back(addressed);
  }
  const std::vector<std::string> elements = SplitElements(text);
  for (SimDevice* device : targets) {
    std::string out;
    for (const std::string& element : elements) {
      if (element.empty()) continue;
      ElementContext ctx{station_, *device, broadcast, {}, false};
      bool taken = false;
      for (const HandlerEntry& h : Handlers()) {
        if (h.fn(ctx, element, out)) {
          taken = true;
          break;
        }
      }
      if (!taken) ctx.Refuse("Unknown command " + element);
      if (ctx.no_reply) {
        answer.reply = false;
        return answer;
      }
      if (!ctx.refusal.empty()) {
        answer.text = RefusalText(ctx.refusal);
        return answer;
      }
    }
    if (device == addressed || (broadcast && device == station_.PortDevice())) answer.text = out;
  }
  if (station_.leading_crlf) answer.text.insert(0, "\r\n");
  return answer;
}

}  // namespace trivex::sim
