#include "app/memory_settings_store.h"

namespace trivex {

bool MemorySettingsStore::KeyExists(const std::string& key) const {
  auto it = values_.lower_bound({key, std::string()});
  return it != values_.end() && it->first.first == key;
}

std::optional<std::string> MemorySettingsStore::Read(const std::string& key,
                                                     const std::string& name) const {
  auto it = values_.find({key, name});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Write(const std::string& key, const std::string& name,
                                const std::string& value) {
  values_[{key, name}] = value;
}

void MemorySettingsStore::Remove(const std::string& key, const std::string& name) {
  values_.erase({key, name});
}

}  // namespace trivex
