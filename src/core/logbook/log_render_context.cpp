#include "logbook/log_render_context.h"

namespace trivex {

size_t Utf8Length(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string FormatLogTime(std::string_view format, DateTime value, const TLogRenderContext& ctx) {
  return FormatDateTime(format, value, '/', ctx.time_separator);
}

TLogRenderContext MakeLogRenderContext(int mode, const TDateTimeFormats& formats,
                                       const SystemFormats& system) {
  TLogRenderContext ctx;
  ctx.mode = mode;
  ctx.display_format = formats.DisplayFormat();
  ctx.display_width = formats.DisplayWidth();
  ctx.full_format = formats.FullFormat();
  ctx.time_separator = system.time_separator;
  ctx.decimal_separator = system.decimal_separator;
  ctx.list_separator = system.list_separator;
  return ctx;
}

TLogRenderContext MakeLogRenderContext(int mode) {
  return MakeLogRenderContext(mode, TDateTimeFormats::Shared(), CurrentFormats());
}

}  // namespace trivex
