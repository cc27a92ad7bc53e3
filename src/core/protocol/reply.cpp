#include "protocol/reply.h"

#include "config/number_text.h"
#include "config/text_util.h"

namespace trivex::reply {

std::string_view StripLeadingCrLf(std::string_view reply) {
  if (reply.substr(0, 2) == "\r\n") reply.remove_prefix(2);
  return reply;
}

bool IsRefusal(std::string_view reply) { return StripLeadingCrLf(reply).substr(0, 2) == "<<"; }

bool Accept(std::string& reply) {
  if (reply.compare(0, 2, "\r\n") == 0) reply.erase(0, 2);
  return reply.compare(0, 2, "<<") != 0;
}

std::optional<double> Number(std::string_view text) {
  text = TrimBlanks(StripLeadingCrLf(text));
  if (auto v = TryParseNumber(text, '.')) return v;
  return TryParseNumber(text, ',');
}

std::optional<long long> Integer(std::string_view text) {
  return TryParseInteger(TrimBlanks(StripLeadingCrLf(text)));
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (auto line : SplitAt(text, '\n')) {
    line = TrimBlanks(line);
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

std::vector<std::string> Items(std::string_view text) {
  std::vector<std::string> items;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    size_t start = i;
    while (i < text.size() && static_cast<unsigned char>(text[i]) > ' ') ++i;
    if (i > start) items.emplace_back(text.substr(start, i - start));
  }
  return items;
}

}  // namespace trivex::reply
