#pragma once
// Loading and saving configuration files as the program does it: a file is loaded into a
// fresh configuration of its system type and handed over only when it loaded completely,
// so a bad file never leaves a mix of old and new data behind.
#include <memory>
#include <stdexcept>
#include <string>

#include "config/zyr_data.h"

namespace trivex {

class TZyrDData;

// A configuration file that cannot be loaded; the message names the file and the fault.
class ConfigLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the file and returns a new configuration (TZyrDData or TZyrDmData) with its file
// name, display name and the final check applied. `frequency_source` is the program's ZYR-D
// configuration (it carries the system-wide frequencies); may be null.
std::unique_ptr<TZyrData> LoadConfigFile(const std::string& path, TZyrDData* frequency_source = nullptr);

// Loads the file into `target` (which must be of the file's system type): on success the
// target holds the file's configuration, declared saved; on failure it is untouched and
// ConfigLoadError is thrown.
void LoadConfigInto(TZyrData& target, const std::string& path);

// A new configuration of the given type with its defaults.
std::unique_ptr<TZyrData> NewConfig(TSystemType type);

}  // namespace trivex
