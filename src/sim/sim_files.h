#pragma once
// Device files of a simulated device ("NetFile", "log.h", ...), served block by block with
// "fsr+# NAME" (number of blocks) and "fread.+ NAME BLOCK" (one block, escaped, with its
// CRC-16 high byte first). Other areas put their files here:
//     FilesOf(device).Set("log.h", bytes);
// File names are compared without regard to case.
#include <map>
#include <string>
#include <string_view>

#include "sim_device.h"

namespace trivex::sim {

inline constexpr size_t kSimFileBlockSize = 256;

class SimFiles {
 public:
  void Set(std::string_view name, std::string bytes);
  std::string& Open(std::string_view name);  // created empty when missing
  const std::string* Find(std::string_view name) const;

 private:
  std::map<std::string, std::string> files_;  // lower-case name -> bytes
};

inline SimFiles& FilesOf(SimDevice& device) { return device.Ext<SimFiles>(); }

}  // namespace trivex::sim
