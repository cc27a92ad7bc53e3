#pragma once
// Decoding of ZYR-D logbook events. The ZYR-DM decoder (dm_log_events.h) shares the classes
// and line builders declared here; the remaining ZYR-D classes live in zyr_log_events.cpp.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lang/lang.h"
#include "logbook/log_event.h"

namespace trivex {

// The ZYR-D factory: a decoded event for the raw event, or nothing for a binary input or
// relay event (codes 288, 292) while `show_io` is off.
std::unique_ptr<TLogEvent> CreateZyrLogEvent(const TRawLogEvent& raw, bool show_io);

// An event that is only a label and a direction.
class TSimpleZyrLogEvent : public TLogEvent {
 public:
  TSimpleZyrLogEvent(const TRawLogEvent& raw, const lang::Text3& label) : TLogEvent(raw), label_(&label) {}
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 protected:
  std::string Label() const { return lang::Tr(*label_); }

 private:
  const lang::Text3* label_;
};

// Status and Tynet errors with their error code (codes 257, 273).
class TZyrLogErrorEvent : public TSimpleZyrLogEvent {
 public:
  TZyrLogErrorEvent(const TRawLogEvent& raw, const lang::Text3& label,
                    const char* class_name = "TZyrLogErrorEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  uint32_t error_code_;
};

// Missing slaves and configuration errors with the devices concerned (260, 261, 264, 265).
class TZyrLogDevListEvent : public TSimpleZyrLogEvent {
 public:
  TZyrLogDevListEvent(const TRawLogEvent& raw, const lang::Text3& label,
                      const char* class_name = "TZyrLogDevListEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  std::vector<uint8_t> devices_;
};

// Power-down and power-up (code 4).
class TZyrLogResetEvent : public TLogEvent {
 public:
  explicit TZyrLogResetEvent(const TRawLogEvent& raw, const char* class_name = "TZyrLogResetEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  uint32_t down_secs_;
  uint16_t down_msecs_;
};

// A new configuration with its identifier and devices (code 8).
class TZyrLogKonfigEvent : public TLogEvent {
 public:
  explicit TZyrLogKonfigEvent(const TRawLogEvent& raw, const char* class_name = "TZyrLogKonfigEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  uint32_t config_id_;
  std::vector<uint8_t> devices_;
};

// Earth fault comes (17, with the voltage amplitude) and goes (18).
class TZyrLogErdschlussEvent : public TLogEvent {
 public:
  explicit TZyrLogErdschlussEvent(const TRawLogEvent& raw,
                                  const char* class_name = "TZyrLogErdschlussEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  uint8_t groups_;
  float amplitude_ = 0;
};

// The device clock was set (code 40); keeps the old clock time.
class TZyrLogZeitEvent : public TLogEvent {
 public:
  explicit TZyrLogZeitEvent(const TRawLogEvent& raw, const char* class_name = "TZyrLogZeitEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  uint32_t old_secs_;
  uint16_t old_msecs_;
};

// New firmware (code 48; the regulators' code 3): old and new version.
class TZyrLogFirmwareupdateEvent : public TLogEvent {
 public:
  explicit TZyrLogFirmwareupdateEvent(const TRawLogEvent& raw,
                                      const char* class_name = "TZyrLogFirmwareupdateEvent");
  void Render(const TLogRenderContext& ctx, std::string& out) const override;

 private:
  int new_version_, old_version_;
};

// Line builders shared with the ZYR-DM decoder.
namespace zyrline {
// A network group: name, bus bar text, source text, feeder text.
void Group(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
           const std::string& busbar, const std::string& source, const std::string& feeders,
           std::string& out);
// The single line of a network event without groups.
void NoGroups(const TLogEvent& e, const TLogRenderContext& ctx, std::string& out);
// The head line of wattmetric (and admittance) events.
void MeasurementHead(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
                     uint8_t groups, std::string& out);
// A feeder line: name, direction word, location word, feeder text, value text.
void Feeder(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
            const std::string& direction, const std::string& location, const std::string& feeder,
            const std::string& value, std::string& out);
}  // namespace zyrline

}  // namespace trivex
