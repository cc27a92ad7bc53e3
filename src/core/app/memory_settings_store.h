#pragma once
#include <map>
#include <utility>

#include "app/settings_store.h"

namespace trivex {

// A settings store held in memory (tests, and the command line without a settings file).
class MemorySettingsStore : public SettingsStore {
 public:
  bool KeyExists(const std::string& key) const override;
  std::optional<std::string> Read(const std::string& key, const std::string& name) const override;
  void Write(const std::string& key, const std::string& name, const std::string& value) override;
  void Remove(const std::string& key, const std::string& name) override;
  size_t size() const { return values_.size(); }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace trivex
