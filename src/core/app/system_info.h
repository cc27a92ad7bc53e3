#pragma once
// The "System:" and "Processor:" lines of the About box, read from the running system.
#include <string>

namespace trivex {

// "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64 x86_64"; "Linux" when nothing can be read.
std::string SystemDescription(const std::string& os_release_path = "/etc/os-release");
// "%s %s" of the processor's vendor and model ("GenuineIntel Intel(R) Xeon(R) ...").
std::string ProcessorDescription(const std::string& cpuinfo_path = "/proc/cpuinfo");

}  // namespace trivex
