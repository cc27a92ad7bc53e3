#include "logbook/log_export.h"

#include "logbook/log_file_reader.h"

namespace trivex {

size_t ExportLogEvents(TLogFileReader& reader, const TLogEventFactory& factory,
                       const TLogRenderContext& ctx, uint32_t from, uint32_t until, std::ostream& out) {
  constexpr size_t kFlushSize = 64 * 1024;
  std::string buffer;
  buffer.reserve(kFlushSize + 4096);
  size_t count = 0;
  struct Flusher {
    std::string& buffer;
    std::ostream& out;
    ~Flusher() { out.write(buffer.data(), static_cast<std::streamsize>(buffer.size())); }
  } flusher{buffer, out};
  ForEachEventInRange(reader, from, until, [&](const TRawLogEvent& raw) {
    const auto event = factory(raw);
    if (!event) return;
    event->Render(ctx, buffer);
    ++count;
    if (buffer.size() >= kFlushSize) {
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  });
  return count;
}

}  // namespace trivex
