#include "config/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "config/cp1252.h"

namespace trivex {

std::string IniFile::Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

namespace {
std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}
}  // namespace

IniFile IniFile::FromBytes(std::string_view bytes) {
  IniFile ini;
  const std::string text = Cp1252ToUtf8(bytes);
  std::string section;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trim(std::string_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      section = Lower(Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      ini.sections_[section] = true;
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string key = section + '\n' + Lower(Trim(line.substr(0, eq)));
    ini.values_.emplace(std::move(key), std::string(line.substr(eq + 1)));
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": " + std::strerror(errno));
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) throw std::runtime_error(path + ": " + std::strerror(errno));
  return FromBytes(ss.str());
}

bool IniFile::HasSection(std::string_view section) const {
  return sections_.count(Lower(section)) != 0;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
  auto it = values_.find(Lower(section) + '\n' + Lower(key));
  return it == values_.end() ? nullptr : &it->second;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

std::string IniFile::Read(std::string_view section, std::string_view key, std::string_view def) const {
  const std::string* v = Find(section, key);
  return v ? *v : std::string(def);
}

void IniWriter::Section(std::string_view name) {
  text_ += '[';
  text_ += name;
  text_ += "]\r\n";
}

void IniWriter::Line(std::string_view line) {
  text_ += line;
  text_ += "\r\n";
}

void IniWriter::Key(std::string_view key, std::string_view value) {
  text_ += key;
  text_ += '=';
  text_ += value;
  text_ += "\r\n";
}

std::string IniWriter::Bytes() const { return Utf8ToCp1252(text_); }

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string tmp = path + ".tmp~";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) throw std::runtime_error(path + ": " + std::strerror(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = fsync(fileno(f)) == 0 && ok;
  int err = errno;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::remove(tmp.c_str());
    throw std::runtime_error(path + ": " + std::strerror(err ? err : EIO));
  }
  // Keep the permissions of the file that is replaced.
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) chmod(tmp.c_str(), st.st_mode & 07777);
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    std::remove(tmp.c_str());
    throw std::runtime_error(path + ": " + std::strerror(err));
  }
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  // The read-only attribute is the missing write permission of the owner (which also holds
  // for the superuser, who could write anyway).
  return !(st.st_mode & S_IWUSR) || access(path.c_str(), W_OK) != 0;
}

bool SetReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  return chmod(path.c_str(), st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace trivex
