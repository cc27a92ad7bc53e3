#pragma once
// The settings store of the program: an INI file in the user's configuration folder
// (organisation "Tavrell", application "Trivor"), read and written through QSettings.
#include <memory>

#include "app/settings_store.h"

class QSettings;

namespace trivex {

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();                                   // the user's settings file
  explicit QtSettingsStore(const std::string& path);   // a given INI file (tests)
  ~QtSettingsStore() override;

  bool KeyExists(const std::string& key) const override;
  std::optional<std::string> Read(const std::string& key, const std::string& name) const override;
  void Write(const std::string& key, const std::string& name, const std::string& value) override;
  void Remove(const std::string& key, const std::string& name) override;
  bool Flush() override;
  std::string FilePath() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace trivex
