// libFuzzer entry: arbitrary bytes as log records, log file lines and raw events.
#include <cstddef>
#include <cstdint>

#include "lang/lang.h"
#include "logbook_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  trivex::fuzz::FuzzLogbookInput(data, size);
  return 0;
}
