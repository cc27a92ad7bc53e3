#pragma once
// Typed access to one key of the settings store, with the reading rules every reader of
// the settings shares: a missing or unparsable value gives the default; booleans are kept
// as "0"/"1", as "TRUE"/"FALSE" or as an integer boolean; numbered lists ("Connection%d")
// stop at the first missing number and a write deletes the value after the last entry.
#include <string>
#include <vector>

#include "app/settings_store.h"

namespace trivex {

// The tolerant boolean reading of settings: false for "", "0", "n", "no", "nein", "f",
// "false", "falsch" (any case), true otherwise.
bool SettingsTextToBool(const std::string& text);

class XRegistry {
 public:
  XRegistry(SettingsStore& store, std::string key) : store_(store), key_(std::move(key)) {}

  const std::string& key() const { return key_; }
  bool Exists() const { return store_.KeyExists(key_); }
  bool HasValue(const std::string& name) const;

  std::string ReadString(const std::string& name, const std::string& def = {}) const;
  int ReadInt(const std::string& name, int def) const;
  bool ReadBool(const std::string& name, bool def) const;  // any of the three forms
  std::vector<std::string> ReadList(const std::string& name_pattern) const;  // "Connection%d"

  void WriteString(const std::string& name, const std::string& value);
  void WriteInt(const std::string& name, int value);
  void WriteBool01(const std::string& name, bool value);       // "0"/"1"
  void WriteBoolText(const std::string& name, bool value);     // "TRUE"/"FALSE"
  void WriteBoolInt(const std::string& name, bool value);      // integer boolean
  void WriteList(const std::string& name_pattern, const std::vector<std::string>& items);
  void Delete(const std::string& name);

 private:
  SettingsStore& store_;
  std::string key_;
};

// "Connection%d" with n → "Connection<n>".
std::string NumberedName(const std::string& pattern, int n);

}  // namespace trivex
