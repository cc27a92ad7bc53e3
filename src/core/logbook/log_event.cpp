#include "logbook/log_event.h"

#include <cctype>

#include "config/device_time.h"
#include "lang/lang.h"
#include "lang/texts_logbook.h"
#include "logbook/dm_log_events.h"
#include "logbook/dp_log_events.h"
#include "logbook/log_texts.h"
#include "logbook/zyr_log_events.h"

namespace trivex {

TLogEvent::TLogEvent(const TRawLogEvent& raw)
    : secs_(raw.secs),
      msecs_(raw.msecs),
      code_(raw.code),
      data_length_(static_cast<uint16_t>(raw.data.size())) {}

DateTime TLogEvent::Time() const { return DeviceSecsToDateTime(secs_, msecs_); }

std::string TLogEvent::DirectionText() const {
  if (code_ & 1) return lang::Tr(tx::logbook::Come);
  if (code_ & 2) return lang::Tr(tx::logbook::Go);
  return {};
}

int TLogEvent::ColumnWidth(int column, const TLogRenderContext& ctx) const {
  switch (column) {
    case 0: return ctx.display_width;
    case 1: return 17;
    case 2:
    case 3: return 6;
    case 4: return 5;
    case 5: return 20;
    default: return 0;
  }
}

std::string LogTimeText(DateTime time, const TLogRenderContext& ctx) {
  if (ctx.mode == TLogRenderContext::kCsv) return FormatLogTime(ctx.full_format, time, ctx);
  return logtext::Pad(FormatLogTime(ctx.display_format, time, ctx), ctx.display_width);
}

std::string TLogEvent::TimeText(const TLogRenderContext& ctx) const { return LogTimeText(Time(), ctx); }

void TLogEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string text = logtext::Fmt(ctx, lang::Tr(tx::logbook::UnrecognizedEvent), {code_});
  if (ctx.mode == TLogRenderContext::kCsv)
    out += logtext::Fmt(ctx, "\"%s\"%s\"%s\"\r\n", {TimeText(ctx), logtext::Sep(ctx), text});
  else
    out += logtext::Fmt(ctx, "%s %s\r\n", {TimeText(ctx), text});
}

std::string TLogEvent::Render(const TLogRenderContext& ctx) const {
  std::string out;
  Render(ctx, out);
  return out;
}

void TLogEvent::RequireData(size_t n, const char* class_name) const {
  if (data_length_ < n) logtext::ThrowInvalidData(class_name);
}

std::string TLogEventList::RenderAll() const {
  std::string out;
  for (const auto& e : events_) e->Render(context, out);
  return out;
}

TLogEventFactory LogEventFactoryForType(std::string_view type, bool show_io) {
  std::string t(type);
  for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (t == "ZYR-D") return [show_io](const TRawLogEvent& raw) { return CreateZyrLogEvent(raw, show_io); };
  if (t == "ZYR-DM") return [](const TRawLogEvent& raw) { return CreateDmLogEvent(raw); };
  if (t == "VAD-AZ" || t == "ZED-UDE")
    return [show_io](const TRawLogEvent& raw) { return CreateDpLogEvent(raw, show_io); };
  return {};
}

}  // namespace trivex
