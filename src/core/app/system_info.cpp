#include "app/system_info.h"

#include <sys/utsname.h>

#include <fstream>

namespace trivex {
namespace {
std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\"");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\"\r");
  return s.substr(b, e - b + 1);
}

// The value of "key<sep>value" lines of a text file.
std::string ValueOf(const std::string& path, const std::string& key, char sep) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    size_t p = line.find(sep);
    if (p == std::string::npos) continue;
    if (Trim(line.substr(0, p)) == key) return Trim(line.substr(p + 1));
  }
  return {};
}
}  // namespace

std::string SystemDescription(const std::string& os_release_path) {
  std::string distro = ValueOf(os_release_path, "PRETTY_NAME", '=');
  std::string kernel;
  struct utsname u {};
  if (uname(&u) == 0) kernel = std::string(u.sysname) + " " + u.release + " " + u.machine;
  if (distro.empty()) return kernel.empty() ? "Linux" : kernel;
  return kernel.empty() ? distro : distro + ", " + kernel;
}

std::string ProcessorDescription(const std::string& cpuinfo_path) {
  std::string vendor = ValueOf(cpuinfo_path, "vendor_id", ':');
  std::string model = ValueOf(cpuinfo_path, "model name", ':');
  if (model.empty()) model = ValueOf(cpuinfo_path, "Model", ':');
  if (vendor.empty() && model.empty()) {
    struct utsname u {};
    if (uname(&u) == 0) return u.machine;
    return {};
  }
  return vendor.empty() ? model : vendor + " " + model;
}

}  // namespace trivex
