#include "app/trace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace trivex {

bool TraceEnabled() {
  static const bool enabled = std::getenv("TRIVEX_TRACE") != nullptr;
  return enabled;
}

void Trace(std::string_view line) {
  if (!TraceEnabled()) return;
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
}

}  // namespace trivex
