#pragma once
// The key-value store that keeps the settings between runs. Keys are paths such as
// "Trivor/Options" or "Terminal Settings" (the parts below the company's root); every value
// is a text. The program uses a settings file of the user's configuration folder; tests use
// MemorySettingsStore.
#include <optional>
#include <string>
#include <vector>

namespace trivex {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool KeyExists(const std::string& key) const = 0;
  virtual std::optional<std::string> Read(const std::string& key, const std::string& name) const = 0;
  virtual void Write(const std::string& key, const std::string& name, const std::string& value) = 0;
  virtual void Remove(const std::string& key, const std::string& name) = 0;
  // Writes pending values to the backing file; false when that failed.
  virtual bool Flush() { return true; }
};

// Settings keys.
inline constexpr const char* kKeyTerminal = "Terminal Settings";
inline constexpr const char* kKeyTrivor = "Trivor";
inline constexpr const char* kKeyOptions = "Trivor/Options";
inline constexpr const char* kKeyLog = "Trivor/Log";

}  // namespace trivex
