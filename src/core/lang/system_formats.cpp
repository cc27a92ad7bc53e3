#include "lang/system_formats.h"

#include <mutex>

namespace trivex {
namespace {
std::mutex g_mutex;
SystemFormats& Formats() {
  static SystemFormats formats;
  return formats;
}
}  // namespace

const SystemFormats& CurrentFormats() {
  // Set once at start-up (and by the extended settings dialog on the main thread); readers
  // get a stable reference.
  return Formats();
}

void SetCurrentFormats(const SystemFormats& formats) {
  std::lock_guard lock(g_mutex);
  Formats() = formats;
}

char DefaultListSeparator(char decimal_separator) { return decimal_separator == ',' ? ';' : ','; }

}  // namespace trivex
