#include "app/x_registry.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace trivex {
namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}
}  // namespace

bool SettingsTextToBool(const std::string& text) {
  static const char* const kFalse[] = {"", "0", "n", "no", "nein", "f", "false", "falsch"};
  std::string l = Lower(text);
  return std::none_of(std::begin(kFalse), std::end(kFalse), [&](const char* f) { return l == f; });
}

std::string NumberedName(const std::string& pattern, int n) {
  std::string out = pattern;
  size_t p = out.find("%d");
  if (p == std::string::npos) return out + std::to_string(n);
  return out.replace(p, 2, std::to_string(n));
}

bool XRegistry::HasValue(const std::string& name) const {
  return store_.Read(key_, name).has_value();
}

std::string XRegistry::ReadString(const std::string& name, const std::string& def) const {
  auto v = store_.Read(key_, name);
  if (!v) return def;
  // A value holds its characters up to the first zero byte.
  size_t z = v->find('\0');
  return z == std::string::npos ? *v : v->substr(0, z);
}

int XRegistry::ReadInt(const std::string& name, int def) const {
  auto v = store_.Read(key_, name);
  if (!v) return def;
  std::string t = Trim(*v);
  int out = 0;
  const char* b = t.data();
  const char* e = t.data() + t.size();
  if (b != e && *b == '+') ++b;
  auto [p, ec] = std::from_chars(b, e, out);
  if (ec != std::errc() || p != e || t.empty()) return def;
  return out;
}

bool XRegistry::ReadBool(const std::string& name, bool def) const {
  auto v = store_.Read(key_, name);
  if (!v) return def;
  return SettingsTextToBool(Trim(*v));
}

std::vector<std::string> XRegistry::ReadList(const std::string& name_pattern) const {
  std::vector<std::string> items;
  for (int i = 0;; ++i) {
    auto v = store_.Read(key_, NumberedName(name_pattern, i));
    if (!v) break;
    items.push_back(*v);
  }
  return items;
}

void XRegistry::WriteString(const std::string& name, const std::string& value) {
  store_.Write(key_, name, value);
}
void XRegistry::WriteInt(const std::string& name, int value) {
  store_.Write(key_, name, std::to_string(value));
}
void XRegistry::WriteBool01(const std::string& name, bool value) {
  store_.Write(key_, name, value ? "1" : "0");
}
void XRegistry::WriteBoolText(const std::string& name, bool value) {
  store_.Write(key_, name, value ? "TRUE" : "FALSE");
}
void XRegistry::WriteBoolInt(const std::string& name, bool value) {
  store_.Write(key_, name, value ? "1" : "0");
}

void XRegistry::WriteList(const std::string& name_pattern, const std::vector<std::string>& items) {
  for (size_t i = 0; i < items.size(); ++i)
    store_.Write(key_, NumberedName(name_pattern, static_cast<int>(i)), items[i]);
  store_.Remove(key_, NumberedName(name_pattern, static_cast<int>(items.size())));
}

void XRegistry::Delete(const std::string& name) { store_.Remove(key_, name); }

}  // namespace trivex
