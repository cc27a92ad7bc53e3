#include "protocol/request.h"

#include "lang/format.h"

namespace trivex::req {

std::string Indexed(std::string_view name, std::initializer_list<int> indices) {
  std::string out(name);
  for (int i : indices) out += Format(" %d", {i});
  return out;
}

std::string Indexed(std::string_view name, std::string_view index_text) {
  return std::string(name) + " " + std::string(index_text);
}

std::string Write(std::string_view name, long long value) {
  return Format("%s=%d", {name, value});
}

std::string WriteReal(std::string_view name, double value) {
  return FormatWith('.', "%s=%g", {name, value});
}

std::string WriteText(std::string_view name, std::string_view text) {
  return std::string(name) + "=" + std::string(text);
}

std::string WriteQuoted(std::string_view name, std::string_view text) {
  return std::string(name) + "=\"" + std::string(text) + "\"";
}

std::string Query(std::string_view name, std::string_view suffix,
                  std::initializer_list<int> indices) {
  std::string out(name);
  out += suffix;
  for (int i : indices) out += Format(" %d", {i});
  return out;
}

std::string WithPrefix(std::string_view prefix, std::string_view element) {
  if (prefix.empty() || element.substr(0, prefix.size()) == prefix) return std::string(element);
  return std::string(prefix) + std::string(element);
}

bool IsPrefixOnly(std::string_view request, std::string_view prefix) {
  return request.empty() || request == prefix;
}

std::string Join(std::initializer_list<std::string_view> elements) {
  std::string out;
  bool first = true;
  for (auto e : elements) {
    if (!first) out += ',';
    out += e;
    first = false;
  }
  return out;
}

}  // namespace trivex::req
