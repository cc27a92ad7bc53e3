#include "variable_store.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace trivex::sim {
namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    size_t b = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > b) out.emplace_back(s.substr(b, i - b));
  }
  return out;
}

// Index words compare as numbers where both are numbers.
bool IndexLess(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    long x = 0, y = 0;
    auto ra = std::from_chars(a[i].data(), a[i].data() + a[i].size(), x);
    auto rb = std::from_chars(b[i].data(), b[i].data() + b[i].size(), y);
    bool na = ra.ec == std::errc() && ra.ptr == a[i].data() + a[i].size();
    bool nb = rb.ec == std::errc() && rb.ptr == b[i].data() + b[i].size();
    if (na && nb) {
      if (x != y) return x < y;
    } else if (a[i] != b[i]) {
      return a[i] < b[i];
    }
  }
  return a.size() < b.size();
}

}  // namespace

bool IsBareName(std::string_view element) {
  return !element.empty() && std::all_of(element.begin(), element.end(), IsNameChar);
}

bool ParseReadElement(std::string_view element, ReadElement& out) {
  size_t i = 0;
  while (i < element.size() && IsNameChar(element[i])) ++i;
  size_t s = i;
  static constexpr std::string_view kSuffixChars = "+#_.!&";
  while (i < element.size() && kSuffixChars.find(element[i]) != std::string_view::npos) ++i;
  if (i == s) return false;
  if (i < element.size() && element[i] != ' ') return false;
  out.name = std::string(element.substr(0, s));
  out.suffix = std::string(element.substr(s, i - s));
  out.indices = Words(element.substr(i));
  return true;
}

bool ParseWriteElement(std::string_view element, std::string& key, std::string& value) {
  size_t eq = element.find('=');
  if (eq == std::string_view::npos || eq == 0) return false;
  std::string_view k = Trim(element.substr(0, eq));
  if (k.empty() || !IsNameChar(k.front())) return false;
  std::string_view v = element.substr(eq + 1);
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  key = std::string(k);
  value = std::string(v);
  return true;
}

std::string VariableStore::Normalise(std::string_view key) {
  std::string out;
  for (const auto& w : Words(key)) {
    if (!out.empty()) out += ' ';
    out += w;
  }
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

void VariableStore::Set(std::string_view key, std::string value) {
  values_[Normalise(key)] = std::move(value);
}

std::optional<std::string> VariableStore::Get(std::string_view key) const {
  auto it = values_.find(Normalise(key));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> VariableStore::Elements(std::string_view name) const {
  std::string prefix = Normalise(name) + ' ';
  std::vector<std::pair<std::vector<std::string>, std::string>> found;
  for (auto it = values_.lower_bound(prefix); it != values_.end(); ++it) {
    if (it->first.compare(0, prefix.size(), prefix) != 0) break;
    found.emplace_back(Words(std::string_view(it->first).substr(prefix.size())), it->second);
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return IndexLess(a.first, b.first); });
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

std::optional<std::string> VariableStore::Read(const ReadElement& read) const {
  if (!read.indices.empty() && read.indices.front() == "*") {
    auto all = Elements(read.name);
    if (all.empty()) return std::nullopt;
    std::string out;
    for (const auto& v : all) {
      if (!out.empty()) out += ' ';
      out += v;
    }
    return out;
  }
  std::string key = read.name;
  for (const auto& i : read.indices) key += ' ' + i;
  return Get(key);
}

}  // namespace trivex::sim
