#pragma once
// Decoded events. TLogEvent is the base of the event classes of every device family; it keeps
// the event head and renders an event whose code no family knows. Each family has a factory
// that turns a raw event into an object of its classes (zyr_log_events.h, dm_log_events.h,
// dp_log_events.h).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/date_time.h"
#include "logbook/log_render_context.h"
#include "logbook/raw_log_event.h"

namespace trivex {

class TLogEvent {
 public:
  explicit TLogEvent(const TRawLogEvent& raw);
  virtual ~TLogEvent() = default;

  uint32_t Secs() const { return secs_; }
  uint16_t Msecs() const { return msecs_; }
  uint16_t Code() const { return code_; }
  uint16_t DataLength() const { return data_length_; }
  DateTime Time() const;

  // "come" when bit 0 of the code is set, otherwise "go" when bit 1 is set, otherwise empty.
  virtual std::string DirectionText() const;
  // Width of a text column: 0 the time column, then 17, 6, 6, 5, 20; others 0.
  virtual int ColumnWidth(int column, const TLogRenderContext& ctx) const;
  // Appends the event's lines (each ending with CR LF) in the context's output mode. An
  // event may render as nothing.
  virtual void Render(const TLogRenderContext& ctx, std::string& out) const;
  std::string Render(const TLogRenderContext& ctx) const;
  // The event time: padded display format in text mode, full format in CSV mode.
  std::string TimeText(const TLogRenderContext& ctx) const;

 protected:
  // Raises ELogFileError "<class_name>.Create: invalid Data" when the data is shorter than n.
  void RequireData(size_t n, const char* class_name) const;

 private:
  uint32_t secs_;
  uint16_t msecs_;
  uint16_t code_;
  uint16_t data_length_;
};

// A time rendered like an event time (padded display format or full format).
std::string LogTimeText(DateTime time, const TLogRenderContext& ctx);

// A family's decoder: a new decoded event, or nothing for an event that is to be hidden.
using TLogEventFactory = std::function<std::unique_ptr<TLogEvent>(const TRawLogEvent&)>;

// The decoder for a log file's device type ("ZYR-D", "ZYR-DM", "VAD-AZ", "ZED-UDE", any
// case); empty for another type. `show_io` shows binary input and relay events and the
// function lists of the regulator's standard events.
TLogEventFactory LogEventFactoryForType(std::string_view type, bool show_io);

// Decoded events with the output mode they are rendered in.
class TLogEventList {
 public:
  TLogRenderContext context;

  void SetOutputMode(int mode) { context.mode = mode; }
  int Count() const { return static_cast<int>(events_.size()); }
  const TLogEvent& operator[](int i) const { return *events_[static_cast<size_t>(i)]; }
  void Add(std::unique_ptr<TLogEvent> event) { events_.push_back(std::move(event)); }
  void Clear() { events_.clear(); }
  // Every event's lines, in order.
  std::string RenderAll() const;

 private:
  std::vector<std::unique_ptr<TLogEvent>> events_;
};

}  // namespace trivex
