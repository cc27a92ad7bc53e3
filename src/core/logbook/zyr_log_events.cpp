#include "logbook/zyr_log_events.h"

#include <cmath>

#include "config/version_number.h"
#include "lang/texts_logbook.h"
#include "logbook/log_texts.h"

namespace trivex {

using logtext::Fmt;
using logtext::IsCsv;
using logtext::Tx;
using logtext::Pad;
using logtext::Sep;
using logtext::TEventData;
namespace t = tx::logbook;

namespace {
// Columns 1.. of the ZYR line layout added up.
int Widths(const TLogEvent& e, const TLogRenderContext& ctx, int first, int last) {
  int w = 0;
  for (int c = first; c <= last; ++c) w += e.ColumnWidth(c, ctx);
  return w;
}
std::string FeederText(uint8_t address, int k) { return logtext::AddressText(address) + std::to_string(k + 1); }
std::string GroupsAndBusBars(uint8_t byte) { return logtext::GroupText(byte) + " " + logtext::BusBarText(byte); }
std::string AddressList(const std::vector<uint8_t>& devices) {
  std::string out;
  for (uint8_t d : devices) {
    if (!out.empty()) out += ' ';
    out += logtext::AddressText(d);
  }
  return out;
}
}  // namespace

// ---------------------------------------------------------------- shared line builders

namespace zyrline {

void Group(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
           const std::string& busbar, const std::string& source, const std::string& feeders,
           std::string& out) {
  const std::string tt = e.TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%5:s\"%1:s\"%5:s\"%2:s\"%5:s%5:s\"%3:s\"%5:s\"%4:s\"\r\n",
               {tt, name, busbar, source, feeders, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%s%s\r\n",
               {tt, Pad(name, Widths(e, ctx, 1, 1)), Pad(busbar, Widths(e, ctx, 2, 3) - 3),
                Pad(source, Widths(e, ctx, 4, 4) + 3), feeders});
}

void NoGroups(const TLogEvent& e, const TLogRenderContext& ctx, std::string& out) {
  const std::string tt = e.TimeText(ctx);
  const std::string empty = "(" + Tx(t::Empty) + ")";
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%3:s\"%1:s\"%3:s\"%2:s\"%3:s%3:s%3:s%3:s\"%2:s\"\r\n",
               {tt, Tx(t::Groups), empty, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s\r\n", {tt, Pad(Tx(t::Groups), Widths(e, ctx, 1, 4)), empty});
}

void MeasurementHead(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
                     uint8_t groups, std::string& out) {
  const std::string tt = e.TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s%4:s%4:s%4:s\"%2:s\"%4:s\"%3:s\"\r\n",
               {tt, name, logtext::GroupText(groups), logtext::BusBarText(groups), Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s %s\r\n",
               {tt, Pad(name, Widths(e, ctx, 1, 4)), logtext::GroupText(groups), logtext::BusBarText(groups)});
}

void Feeder(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
            const std::string& direction, const std::string& location, const std::string& feeder,
            const std::string& value, std::string& out) {
  const std::string tt = e.TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%6:s\"%1:s\"%6:s\"%2:s\"%6:s\"%3:s\"%6:s\"%4:s\"%6:s\"%5:s\"\r\n",
               {tt, name, direction, location, feeder, value, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%s%s%s\r\n",
               {tt, Pad(name, e.ColumnWidth(1, ctx)), Pad(direction, e.ColumnWidth(2, ctx)),
                Pad(location, e.ColumnWidth(3, ctx)), Pad(feeder, e.ColumnWidth(4, ctx)), value});
}

}  // namespace zyrline

// ---------------------------------------------------------------- classes shared with ZYR-DM

void TSimpleZyrLogEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%3:s\"%1:s\"%3:s\"%2:s\"\r\n", {tt, Label(), DirectionText(), Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s\r\n", {tt, Pad(Label(), ColumnWidth(1, ctx)), DirectionText()});
}

TZyrLogErrorEvent::TZyrLogErrorEvent(const TRawLogEvent& raw, const lang::Text3& label,
                                     const char* class_name)
    : TSimpleZyrLogEvent(raw, label) {
  RequireData(4, class_name);
  error_code_ = TEventData(raw, class_name).U32(0);
}

void TZyrLogErrorEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s\"%3:8.8X\"\r\n",
               {tt, Label(), DirectionText(), error_code_, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%8.8X\r\n",
               {tt, Pad(Label(), ColumnWidth(1, ctx)), Pad(DirectionText(), Widths(*this, ctx, 2, 4)),
                error_code_});
}

TZyrLogDevListEvent::TZyrLogDevListEvent(const TRawLogEvent& raw, const lang::Text3& label,
                                         const char* class_name)
    : TSimpleZyrLogEvent(raw, label) {
  TEventData d(raw, class_name);
  RequireData(1, class_name);
  const int count = d.U8(0);
  RequireData(1 + static_cast<size_t>(count), class_name);
  const uint8_t* p = d.Bytes(1, static_cast<size_t>(count));
  devices_.assign(p, p + count);
}

void TZyrLogDevListEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s%4:s%4:s\"%3:s\"\r\n",
               {tt, Label(), DirectionText(), AddressList(devices_), Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%s\r\n",
               {tt, Pad(Label(), ColumnWidth(1, ctx)), Pad(DirectionText(), Widths(*this, ctx, 2, 4)),
                AddressList(devices_)});
}

TZyrLogResetEvent::TZyrLogResetEvent(const TRawLogEvent& raw, const char* class_name) : TLogEvent(raw) {
  RequireData(6, class_name);
  TEventData d(raw, class_name);
  down_secs_ = d.U32(0);
  down_msecs_ = d.U16(4);
}

void TZyrLogResetEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string down = LogTimeText(DeviceSecsToDateTime(down_secs_, down_msecs_), ctx);
  const std::string tt = TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"\r\n\"%2:s\"%4:s\"%3:s\"\r\n",
               {down, Tx(t::PowerdownReset), tt, Tx(t::PowerupReset), Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s\r\n%s %s\r\n", {down, Tx(t::PowerdownReset), tt, Tx(t::PowerupReset)});
}

TZyrLogKonfigEvent::TZyrLogKonfigEvent(const TRawLogEvent& raw, const char* class_name) : TLogEvent(raw) {
  TEventData d(raw, class_name);
  RequireData(5, class_name);
  config_id_ = d.U32(0);
  const int count = d.U8(4);
  RequireData(static_cast<size_t>(count) + 5, class_name);
  const uint8_t* p = d.Bytes(5, static_cast<size_t>(count));
  devices_.assign(p, p + count);
}

void TZyrLogKonfigEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  const std::string id = Fmt(ctx, "%s %u", {Tx(t::IdLabel), config_id_});
  std::string devices = Tx(t::Devices);
  for (uint8_t dev : devices_) devices += " " + logtext::AddressText(dev);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s%4:s%4:s\"%3:s\"\r\n",
               {tt, Tx(t::Config), id, devices, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%s\r\n",
               {tt, Pad(Tx(t::Config), ColumnWidth(1, ctx)), Pad(id, Widths(*this, ctx, 2, 4)), devices});
}

TZyrLogErdschlussEvent::TZyrLogErdschlussEvent(const TRawLogEvent& raw, const char* class_name)
    : TLogEvent(raw) {
  TEventData d(raw, class_name);
  const bool comes = raw.code == 17;
  RequireData(comes ? 6 : 1, class_name);
  groups_ = d.U8(0);
  if (comes) amplitude_ = d.F32(2);
}

void TZyrLogErdschlussEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  const std::string amplitude = Code() == 17 ? Fmt(ctx, " %s=%.1fV", {Tx(t::Uampl), amplitude_}) : "";
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%6:s\"%1:s\"%6:s\"%2:s\"%6:s%6:s%6:s\"%3:s\"%6:s\"%4:s\"%6:s\"%5:s\"\r\n",
               {tt, Tx(t::EarthFault), DirectionText(), logtext::GroupText(groups_),
                logtext::BusBarText(groups_), amplitude, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%s%s\r\n",
               {tt, Pad(Tx(t::EarthFault), ColumnWidth(1, ctx)),
                Pad(DirectionText(), Widths(*this, ctx, 2, 4)), GroupsAndBusBars(groups_), amplitude});
}

TZyrLogZeitEvent::TZyrLogZeitEvent(const TRawLogEvent& raw, const char* class_name) : TLogEvent(raw) {
  RequireData(6, class_name);
  TEventData d(raw, class_name);
  old_secs_ = d.U32(0);
  old_msecs_ = d.U16(4);
}

void TZyrLogZeitEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  const std::string old = LogTimeText(DeviceSecsToDateTime(old_secs_, old_msecs_), ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%3:s\"%1:s\"%3:s%3:s%3:s%3:s\"%2:s\"\r\n", {tt, Tx(t::Time), old, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s: %s\r\n", {tt, Pad(Tx(t::Time), Widths(*this, ctx, 1, 4)), Tx(t::OldTime), old});
}

TZyrLogFirmwareupdateEvent::TZyrLogFirmwareupdateEvent(const TRawLogEvent& raw, const char* class_name)
    : TLogEvent(raw) {
  RequireData(4, class_name);
  TEventData d(raw, class_name);
  new_version_ = d.U16(0);
  old_version_ = d.U16(2);
}

void TZyrLogFirmwareupdateEvent::Render(const TLogRenderContext& ctx, std::string& out) const {
  const std::string tt = TimeText(ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s%4:s\"%2:s\"%4:s\"%3:s\"\r\n",
               {tt, Tx(t::FirmwareVersion), VersionText(old_version_), VersionText(new_version_), Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s -> %s\r\n",
               {tt, Pad(Tx(t::FirmwareVersion), Widths(*this, ctx, 1, 2)), VersionText(old_version_),
                VersionText(new_version_)});
}

// ---------------------------------------------------------------- ZYR-D only

namespace {

// A network event: per group the voltage source and the feeders of the group (code 12).
class TZyrLogNetzEvent : public TLogEvent {
 public:
  explicit TZyrLogNetzEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogNetzEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    const int count = d.U16(0);
    size_t off = 2;
    for (int g = 0; g < count; ++g) {
      RequireData(off + 4, cls);
      Group group;
      group.source = d.U8(off);
      group.channel = d.U8(off + 1);
      group.busbar = d.U8(off + 2);
      const int pairs = d.U8(off + 3);
      RequireData(off + 4 + 2 * static_cast<size_t>(pairs), cls);
      const uint8_t* p = d.Bytes(off + 4, 2 * static_cast<size_t>(pairs));
      group.pairs.assign(p, p + 2 * pairs);
      off += 4 + 2 * static_cast<size_t>(pairs);
      groups_.push_back(std::move(group));
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    if (groups_.empty()) return zyrline::NoGroups(*this, ctx, out);
    for (size_t g = 0; g < groups_.size(); ++g) {
      const Group& group = groups_[g];
      std::string feeders = Tx(t::FeederShort) + ":";
      for (size_t i = 0; i + 1 < group.pairs.size(); i += 2)
        for (int k = 0; k < 4; ++k)
          if (group.pairs[i + 1] & (1 << k)) feeders += " " + FeederText(group.pairs[i], k);
      zyrline::Group(*this, ctx, Fmt(ctx, "%s %d", {Tx(t::Group), static_cast<int>(g + 1)}),
                     logtext::BusBarText(group.busbar),
                     Tx(t::SourceU) + ": " + logtext::AddressText(group.source) + std::to_string(group.channel),
                     feeders, out);
    }
  }

 private:
  struct Group {
    uint8_t source, channel, busbar;
    std::vector<uint8_t> pairs;  // device address, feeder bits
  };
  std::vector<Group> groups_;
};

// A transient (wiper) detection: per device the feeders concerned (codes 20, 148).
class TZyrLogWischerEvent : public TLogEvent {
 public:
  explicit TZyrLogWischerEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogWischerEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    const int count = d.U16(0);
    size_t off = 2;
    for (int i = 0; i < count; ++i) {
      RequireData(off + 4, cls);
      Entry e;
      e.address = d.U8(off);
      e.state = d.U16(off + 2);
      if (raw.code >= 128) e.state = logtext::ConvertStateWord(e.state);
      if (e.state & 0x0F0F) {
        RequireData(off + 8, cls);
        e.fault_record = d.U32(off + 4);
        off += 8;
      } else {
        off += 4;
      }
      entries_.push_back(e);
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    for (const Entry& e : entries_)
      for (int k = 0; k < 4; ++k) {
        const int kind = logtext::FeederKind(e.state, k);
        if (kind == 0) continue;
        const unsigned m = e.state & (0x1111u << k);
        zyrline::Feeder(*this, ctx, Tx(t::Transient), logtext::FeederDirectionWord(kind),
                        logtext::FeederLocationWord(kind), FeederText(e.address, k),
                        (m & 0x0F0F) ? logtext::FaultRecordText(e.fault_record, ctx) : "", out);
      }
  }

 private:
  struct Entry {
    uint8_t address;
    uint16_t state;
    uint32_t fault_record = 0;
  };
  std::vector<Entry> entries_;
};

// Device entries of the harmonics and wattmetric events: address, value mask, state word and
// an amplitude and phase for every feeder whose mask bit is set.
struct MeasuredEntry {
  uint8_t address;
  uint8_t mask;
  uint16_t state;
  double amplitude[4] = {};
  double phase[4] = {};
};

std::vector<MeasuredEntry> ReadMeasuredEntries(const TEventData& d, int count, size_t off, bool new_style) {
  std::vector<MeasuredEntry> entries;
  for (int i = 0; i < count; ++i) {
    d.Require(off + 4);
    MeasuredEntry m;
    m.address = d.U8(off);
    m.mask = d.U8(off + 1);
    m.state = d.U16(off + 2);
    if (new_style) {
      m.state = logtext::ConvertStateWord(m.state);
      m.mask = static_cast<uint8_t>(logtext::ConvertStateWord(m.mask));
    }
    off += 4;
    for (int k = 0; k < 4; ++k)
      if (m.mask & (1 << k)) {
        m.amplitude[k] = d.F32(off);
        m.phase[k] = d.F32(off + 4);
        off += 8;
      }
    entries.push_back(m);
  }
  return entries;
}

void RenderMeasuredFeeders(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& name,
                           const std::vector<MeasuredEntry>& entries, bool wattmetric, std::string& out) {
  for (const MeasuredEntry& en : entries)
    for (int k = 0; k < 4; ++k) {
      const unsigned m = en.state & (0x1111u << k);
      const unsigned v = en.mask & ((0x1111u << k) & 0xFF);
      if (m == 0 && v == 0) continue;
      const int kind = logtext::FeederKind(en.state, k);
      std::string value;
      if (v != 0) {
        const double deg = logtext::Degrees(en.phase[k]);
        value = wattmetric
                    ? Fmt(ctx, "%s=%.5gA%7.1f°  %s=%.5gA",
                          {Tx(t::Iampl), en.amplitude[k], deg, Tx(t::Iw), en.amplitude[k] * std::cos(en.phase[k])})
                    : Fmt(ctx, "%s=%7.3fA%7.1f°", {Tx(t::Iampl), en.amplitude[k], deg});
      }
      zyrline::Feeder(e, ctx, name, logtext::FeederDirectionWord(kind), logtext::FeederLocationWord(kind),
                      FeederText(en.address, k), value, out);
    }
}

// Harmonics comes (24), goes (152) and the cyclic harmonics report (75).
class TZyrLogOberschwEvent : public TLogEvent {
 public:
  TZyrLogOberschwEvent(const TRawLogEvent& raw, bool cyclic) : TLogEvent(raw), cyclic_(cyclic) {
    const char* cls = "TZyrLogOberschwEvent";
    TEventData d(raw, cls);
    RequireData(8, cls);
    groups_ = d.U8(0);
    frequency_ = d.U8(1);
    amplitude_ = d.F32(2);
    entries_ = ReadMeasuredEntries(d, d.U16(6), 8, raw.code >= 128);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string name = Tx(cyclic_ ? t::CyclicHarmonics : t::Harmonics);
    std::string frequency;
    if (frequency_ & 0x80) frequency = "XFreq";
    else if (frequency_ != 0) frequency = Fmt(ctx, "%dHz", {50 * frequency_});
    const std::string amplitude = !entries_.empty() && entries_[0].mask != 0
                                      ? Fmt(ctx, "%s=%.1fV", {Tx(t::Uampl), amplitude_})
                                      : "";
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%6:s\"%1:s\"%6:s\"%2:s\"%6:s%6:s%6:s\"%3:s\"%6:s\"%4:s\"%6:s\"%5:s\"\r\n",
                 {tt, name, frequency, logtext::GroupText(groups_), logtext::BusBarText(groups_), amplitude,
                  Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s%s%s\r\n",
                 {tt, Pad(name, ColumnWidth(1, ctx)), Pad(frequency, Widths(*this, ctx, 2, 4)),
                  GroupsAndBusBars(groups_), amplitude.empty() ? "" : " " + amplitude});
    RenderMeasuredFeeders(*this, ctx, name, entries_, false, out);
  }

 private:
  bool cyclic_;
  uint8_t groups_, frequency_;
  float amplitude_;
  std::vector<MeasuredEntry> entries_;
};

// Wattmetric direction comes (32), goes (160) and the cyclic report (96).
class TZyrLogWattmetrEvent : public TLogEvent {
 public:
  TZyrLogWattmetrEvent(const TRawLogEvent& raw, bool cyclic) : TLogEvent(raw), cyclic_(cyclic) {
    const char* cls = "TZyrLogWattmetrEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    groups_ = d.U8(0);
    entries_ = ReadMeasuredEntries(d, d.U8(1), 2, raw.code >= 128);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string name = Tx(cyclic_ ? t::CyclicWattm : t::Wattmetr);
    zyrline::MeasurementHead(*this, ctx, name, groups_, out);
    RenderMeasuredFeeders(*this, ctx, name, entries_, true, out);
  }

 private:
  bool cyclic_;
  uint8_t groups_;
  std::vector<MeasuredEntry> entries_;
};

// Pulse detection comes (28) and goes (156).
class TZyrLogPulsEvent : public TLogEvent {
 public:
  explicit TZyrLogPulsEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogPulsEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    const int count = d.U16(0);
    size_t off = 2;
    for (int i = 0; i < count; ++i) {
      RequireData(off + 4, cls);
      Entry e;
      e.address = d.U8(off);
      e.state = d.U16(off + 2);
      if (raw.code >= 128) e.state = logtext::ConvertStateWord(e.state);
      off += 4;
      for (int k = 0; k < 4; ++k)
        if (e.state & (1 << k)) {
          e.amplitude[k] = d.F32(off);
          e.phase[k] = d.F32(off + 4);
          off += 8;
        }
      entries_.push_back(e);
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    for (const Entry& e : entries_)
      for (int k = 0; k < 4; ++k) {
        const unsigned m = e.state & (0x1111u << k);
        std::string direction, value;
        if (m & 0x0F0F) {
          direction = Tx(t::Come);
          value = Fmt(ctx, "%s50=%7.3fA%7.1f°", {Tx(t::Iampl), e.amplitude[k], logtext::Degrees(e.phase[k])});
        } else if (m & 0xF0F0) {
          direction = Tx(t::Go);
        } else {
          continue;
        }
        const std::string feeder = FeederText(e.address, k);
        if (IsCsv(ctx))
          out += Fmt(ctx, "\"%s\"%5:s\"%1:s\"%5:s\"%2:s\"%5:s%5:s\"%3:s\"%5:s\"%4:s\"\r\n",
                     {tt, Tx(t::Pulse), direction, feeder, value, Sep(ctx)});
        else
          out += Fmt(ctx, "%s %s%s%s%s\r\n",
                     {tt, Pad(Tx(t::Pulse), ColumnWidth(1, ctx)), Pad(direction, Widths(*this, ctx, 2, 3)),
                      Pad(feeder, ColumnWidth(4, ctx)), value});
      }
  }

 private:
  struct Entry {
    uint8_t address;
    uint16_t state;
    double amplitude[4] = {};
    double phase[4] = {};
  };
  std::vector<Entry> entries_;
};

// Harmonic voltages per measuring channel (code 36).
class TZyrLogSpannungEvent : public TLogEvent {
 public:
  explicit TZyrLogSpannungEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogSpannungEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    const int count = d.U16(0);
    RequireData(2 + 46 * static_cast<size_t>(count), cls);
    for (int i = 0; i < count; ++i) {
      const size_t off = 2 + 46 * static_cast<size_t>(i);
      Channel c;
      c.address = d.U8(off);
      c.channel = d.U8(off + 1);
      for (int v = 0; v < 11; ++v) c.values[v] = d.F32(off + 2 + 4 * static_cast<size_t>(v));
      channels_.push_back(c);
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    for (const Channel& c : channels_) {
      std::string values = Fmt(ctx, "1.=%.3fV", {c.values[0]});
      for (int i = 1; i <= 9; ++i) values += Fmt(ctx, " %d.=%.3fV", {2 * i + 1, c.values[i]});
      values += Fmt(ctx, " %s=%.3fV", {Tx(t::Extra), c.values[10]});
      const std::string channel = logtext::AddressText(c.address) + std::to_string(c.channel);
      if (IsCsv(ctx))
        out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s%4:s%4:s\"%3:s\"\r\n",
                   {tt, Tx(t::UharmAmpl), channel, values, Sep(ctx)});
      else
        out += Fmt(ctx, "%s %s%s%s\r\n",
                   {tt, Pad(Tx(t::UharmAmpl), ColumnWidth(1, ctx)), Pad(channel, Widths(*this, ctx, 2, 4)),
                    values});
    }
  }

 private:
  struct Channel {
    uint8_t address, channel;
    double values[11];
  };
  std::vector<Channel> channels_;
};

// Feeder codes: two bits per feeder, 1 bus bar side, 2 line side, 3 both, 0 none.
int FeederCode(uint8_t codes, int k) { return (codes >> (2 * k)) & 3; }

std::string CodeList(uint8_t codes, const TLogRenderContext& ctx, bool padded) {
  std::string out;
  for (int k = 0; k < 4; ++k) {
    const int c = FeederCode(codes, k);
    if (c == 3)
      out += Fmt(ctx, " %d:%s+%s", {k + 1, logtext::FeederCodeLetter(2), logtext::FeederCodeLetter(1)});
    else if (c == 0)
      out += padded ? Fmt(ctx, " %s%d:-%s", {"    ", k + 1, " "}) : Fmt(ctx, " %d:-", {k + 1});
    else
      out += padded ? Fmt(ctx, " %s%d:%s%s", {"    ", k + 1, logtext::FeederCodeLetter(c), " "})
                    : Fmt(ctx, " %d:%s", {k + 1, logtext::FeederCodeLetter(c)});
  }
  return out;
}

// Lines of the transient evaluation events: label, address, a value text, fault record.
void RenderEvaluation(const TLogEvent& e, const TLogRenderContext& ctx, const std::string& label,
                      uint8_t address, const std::string& values, uint32_t fault_record, std::string& out) {
  const std::string tt = e.TimeText(ctx);
  const std::string frec = logtext::FaultRecordText(fault_record, ctx);
  if (IsCsv(ctx))
    out += Fmt(ctx, "\"%s\"%5:s\"%1:s\"%5:s%5:s%5:s\"%2:s\"%5:s\"%3:s\"%5:s\"%4:s\"\r\n",
               {tt, label, logtext::AddressText(address), values, frec, Sep(ctx)});
  else
    out += Fmt(ctx, "%s %s%s%s %s\r\n",
               {tt, Pad(label, Widths(e, ctx, 1, 3)), logtext::AddressText(address), values, frec});
}

// Evaluation of a transient (44) and the disturbance detection (45) that carries the same
// result after 25 bytes of measured values.
class TZyrLogWischerEvalEvent : public TLogEvent {
 public:
  explicit TZyrLogWischerEvalEvent(const TRawLogEvent& raw) : TZyrLogWischerEvalEvent(raw, 0, "TZyrLogWischerEvalEvent") {}
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    RenderEvaluation(*this, ctx, Tx(Code() == 45 ? t::DisturbationDetection : t::EvalTransient), address_,
                     CodeList(codes_, ctx, false), fault_record_, out);
  }

 protected:
  TZyrLogWischerEvalEvent(const TRawLogEvent& raw, size_t off, const char* cls) : TLogEvent(raw) {
    TEventData d(raw, cls);
    RequireData(off + 6, cls);
    address_ = d.U8(off);
    codes_ = d.U8(off + 1);
    fault_record_ = d.U32(off + 2);
  }

 private:
  uint8_t address_, codes_;
  uint32_t fault_record_;
};

class TZyrLogWischerDDqu2DataEvent : public TZyrLogWischerEvalEvent {
 public:
  explicit TZyrLogWischerDDqu2DataEvent(const TRawLogEvent& raw)
      : TZyrLogWischerEvalEvent(raw, 25, "TZyrLogWischerDDqu2DataEvent") {}
};

// The largest transient currents of the four feeders (code 46).
class TZyrLogWischerIceMaxEvent : public TLogEvent {
 public:
  explicit TZyrLogWischerIceMaxEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogWischerIceMaxEvent";
    TEventData d(raw, cls);
    RequireData(22, cls);
    address_ = d.U8(0);
    fault_record_ = d.U32(2);
    for (int i = 0; i < 4; ++i) currents_[i] = d.F32(6 + 4 * static_cast<size_t>(i));
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    std::string list;
    for (int i = 0; i < 4; ++i) list += Fmt(ctx, "Io%d:%fA  ", {i + 1, currents_[i]});
    RenderEvaluation(*this, ctx, Tx(t::EvalIce), address_, list, fault_record_, out);
  }

 private:
  uint8_t address_;
  uint32_t fault_record_;
  double currents_[4];
};

// Fault record numbering (code 52): the second number is shown before the first.
class TZyrLogFaultRecHndEvent : public TLogEvent {
 public:
  explicit TZyrLogFaultRecHndEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogFaultRecHndEvent";
    RequireData(8, cls);
    TEventData d(raw, cls);
    first_ = d.U32(0);
    second_ = d.U32(4);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s%4:s\"%2:8.8u\"%4:s\"%3:8.8u\"\r\n",
                 {tt, Tx(t::FaultRecordNumbers), second_, first_, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%8.8u -> %8.8u\r\n",
                 {tt, Pad(Tx(t::FaultRecordNumbers), Widths(*this, ctx, 1, 2)), second_, first_});
  }

 private:
  uint32_t first_, second_;
};

// Values given as "label", value, ... each in double quotes, separated by the list separator.
std::string QuotedFields(const TLogRenderContext& ctx, std::initializer_list<std::string_view> fields) {
  std::string out;
  for (std::string_view f : fields) {
    if (!out.empty()) out += ctx.list_separator;
    out += '"';
    out += f;
    out += '"';
  }
  return out + "\r\n";
}

// Binary inputs that changed (code 288).
class TZyrLogSchalterEvent : public TLogEvent {
 public:
  explicit TZyrLogSchalterEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogSchalterEvent";
    RequireData(6, cls);
    TEventData d(raw, cls);
    address_ = d.U8(0);
    input_group_ = d.U8(1);
    old_ = d.U16(2);
    new_ = d.U16(4);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const unsigned changed = old_ ^ new_;
    if (changed == 0) return;
    std::string items;
    const bool local = address_ == 0;
    for (int bit = (local && input_group_ == 1) ? 1 : 0; bit < 16; ++bit) {
      if (!(changed & (1u << bit))) continue;
      const char* state = (new_ & (1u << bit)) ? "=1 " : "=0 ";
      if (!local) items += Fmt(ctx, "BE%2.2d", {bit + 1}) + state;
      else if (input_group_ == 1) items += Fmt(ctx, "BE%3.3d", {bit}) + state;
      else items += Fmt(ctx, "BE%3.3d", {16 * (input_group_ - 1) + bit}) + state;
    }
    const std::string tt = TimeText(ctx);
    const std::string label = Tx(t::SwitchingEvent);
    if (!local) {
      const std::string address = logtext::AddressText(address_);
      out += IsCsv(ctx) ? QuotedFields(ctx, {tt, label, address, items})
                      : Fmt(ctx, "%s %s %s %s\r\n", {tt, label, address, items});
    } else {
      out += IsCsv(ctx) ? QuotedFields(ctx, {tt, label, "virt. " + items})
                      : Fmt(ctx, "%s %s virt. %s\r\n", {tt, label, items});
    }
  }

 private:
  uint8_t address_, input_group_;
  uint16_t old_, new_;
};

// Relays 1..5 that changed (code 292).
class TZyrLogRelaisEvent : public TLogEvent {
 public:
  explicit TZyrLogRelaisEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogRelaisEvent";
    RequireData(4, cls);
    TEventData d(raw, cls);
    old_ = d.U16(0);
    new_ = d.U16(2);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const unsigned changed = (old_ ^ new_) & 0x1F;
    if (changed == 0) return;
    std::string items;
    for (int bit = 0; bit < 5; ++bit)
      if (changed & (1u << bit)) items += Fmt(ctx, "R%1.2d", {bit + 1}) + ((new_ & (1u << bit)) ? "=1 " : "=0 ");
    const std::string tt = TimeText(ctx);
    out += IsCsv(ctx) ? QuotedFields(ctx, {tt, Tx(t::RelaisEvent), items})
                    : Fmt(ctx, "%s %s %s\r\n", {tt, Tx(t::RelaisEvent), items});
  }

 private:
  uint16_t old_, new_;
};

// Transient evaluation data of the qu2 method (codes 100 and 112).
class TLogWischerEvalData : public TLogEvent {
 public:
  explicit TLogWischerEvalData(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TLogWischerEvalData";
    RequireData(6, cls);
    TEventData d(raw, cls);
    address_ = d.U8(0);
    codes_ = d.U8(1);
    fault_record_ = d.U32(2);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string name = Tx(Code() == 112 ? t::Qu2WischerDe : t::Qu2Wischer);
    const std::string address = logtext::AddressText(address_);
    const std::string codes = CodeList(codes_, ctx, true);
    const std::string frec = logtext::FaultRecordText(fault_record_, ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%5:s\"%1:s\"%5:s%5:s\"%2:s\"%5:s\"%3:s\"%5:s\"%4:s\"\r\n",
                 {tt, name, address, codes, frec, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s%s %s \r\n", {tt, Pad(name, Widths(*this, ctx, 1, 3)), address, codes, frec});
  }

 private:
  uint8_t address_, codes_;
  uint32_t fault_record_;
};

// The value list of the Ice and rotation data: each "%5.2f " (or "%5.2e " when that is too
// long), right-aligned in eight characters.
std::string ValueList(const double (&values)[4], const TLogRenderContext& ctx) {
  std::string out = "   ";
  for (double v : values) {
    const std::string fixed = Fmt(ctx, "%5.2f ", {v});
    const int len = static_cast<int>(fixed.size());
    out += logtext::Blanks(8 - len);
    out += len > 7 ? Fmt(ctx, "%5.2e ", {v}) : fixed;
  }
  return out + " ";
}

// Ice (104) and rotation (108) values of the qu2 method.
class TLogWischerIceData : public TLogEvent {
 public:
  explicit TLogWischerIceData(const TRawLogEvent& raw, const char* cls = "TLogWischerIceData")
      : TLogEvent(raw) {
    RequireData(18, cls);
    TEventData d(raw, cls);
    address_ = d.U8(0);
    for (int i = 0; i < 4; ++i) values_[i] = d.F32(2 + 4 * static_cast<size_t>(i));
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string name = Tx(Code() == 108 ? t::Rotation : t::Ice);
    const std::string address = logtext::AddressText(address_);
    const std::string values = ValueList(values_, ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s\"%3:s\"%4:s\r\n", {tt, name, address, values, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s %s\r\n", {tt, Pad(name, Widths(*this, ctx, 1, 3)), address, values});
  }

 private:
  uint8_t address_;
  double values_[4];
};

class TLogWischerRotData : public TLogWischerIceData {
 public:
  explicit TLogWischerRotData(const TRawLogEvent& raw) : TLogWischerIceData(raw, "TLogWischerRotData") {}
};

// A qui message with the feeder codes (code 120).
class TLogQUIMeldData : public TLogEvent {
 public:
  explicit TLogQUIMeldData(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TLogQUIMeldData";
    RequireData(2, cls);
    TEventData d(raw, cls);
    address_ = d.U8(0);
    codes_ = d.U8(1);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string address = logtext::AddressText(address_);
    const std::string codes = CodeList(codes_, ctx, true);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s\"%3:s\"\r\n", {tt, Tx(t::QuiMeld), address, codes, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s%s\r\n", {tt, Pad(Tx(t::QuiMeld), Widths(*this, ctx, 1, 3)), address, codes});
  }

 private:
  uint8_t address_, codes_;
};

// qui counts forwards (124) and backwards (128); a count that the data does not hold is 0.
class TLogQUINvorData : public TLogEvent {
 public:
  explicit TLogQUINvorData(const TRawLogEvent& raw, const char* cls = "TLogQUINvorData") : TLogEvent(raw) {
    RequireData(1, cls);
    TEventData d(raw, cls);
    address_ = d.U8(0);
    for (int i = 0; i < 4; ++i) {
      const size_t off = 2 + 2 * static_cast<size_t>(i);
      counts_[i] = off + 2 <= d.Size() ? d.S16(off) : 0;
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string name = Tx(Code() == 128 ? t::QuiNBackward : t::QuiNForward);
    const std::string address = logtext::AddressText(address_);
    std::string counts;
    for (int c : counts_) {
      const std::string item = Fmt(ctx, "%6d ", {c});
      counts += logtext::Blanks(8 - static_cast<int>(item.size())) + item;
    }
    counts += " ";
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s\"%3:s\"\r\n", {tt, name, address, counts, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s %s\r\n", {tt, Pad(name, Widths(*this, ctx, 1, 3)), address, counts});
  }

 private:
  uint8_t address_;
  int counts_[4];
};

class TLogQUINrueckData : public TLogQUINvorData {
 public:
  explicit TLogQUINrueckData(const TRawLogEvent& raw) : TLogQUINvorData(raw, "TLogQUINrueckData") {}
};

// qui gradients (code 132); with 17 data bytes or less the event shows nothing.
class TLogQUIgradData : public TLogEvent {
 public:
  explicit TLogQUIgradData(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TLogQUIgradData";
    RequireData(1, cls);
    TEventData d(raw, cls);
    address_ = d.U8(0);
    has_values_ = d.Size() > 17;
    if (has_values_)
      for (int i = 0; i < 4; ++i) values_[i] = d.F32(2 + 4 * static_cast<size_t>(i));
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    if (!has_values_) return;
    std::string list;
    for (double v : values_) {
      const std::string fixed = Fmt(ctx, "%-6.2f ", {v});
      const int len = static_cast<int>(fixed.size());
      list += logtext::Blanks(10 - len);
      list += len > 9 ? Fmt(ctx, "%-6.2e ", {v}) : fixed;
    }
    const std::string tt = TimeText(ctx);
    const std::string address = logtext::AddressText(address_);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s%4:s\"%2:s\"%4:s\"%3:s\"\r\n", {tt, Tx(t::QuiGradient), address, list, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s %s\r\n", {tt, Pad(Tx(t::QuiGradient), Widths(*this, ctx, 1, 3)), address, list});
  }

 private:
  uint8_t address_;
  bool has_values_;
  double values_[4] = {};
};

// qui feeder states (code 136).
class TZyrLogQuiData : public TLogEvent {
 public:
  explicit TZyrLogQuiData(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TZyrLogQuiData";
    TEventData d(raw, cls);
    if (d.Size() <= 5) return;
    const int count = d.U16(0);
    for (int i = 0; i < count; ++i) {
      RequireData(4 * static_cast<size_t>(i) + 6, cls);
      const size_t off = 2 + 4 * static_cast<size_t>(i);
      uint16_t state = d.U16(off + 2);
      if (raw.code >= 128) state = logtext::ConvertStateWord(state);
      entries_.push_back({d.U8(off), state});
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    for (const Entry& e : entries_)
      for (int k = 0; k < 4; ++k) {
        const unsigned m = e.state & (0x1111u << k);
        if (m == 0) continue;
        const std::string direction = Tx((m & 0x0F0F) ? t::Come : t::Go);
        const std::string location = Tx((m & 0xFF) ? t::Line : t::BusBar);
        const std::string feeder = FeederText(e.address, k);
        if (IsCsv(ctx))
          out += Fmt(ctx, "\"%s\"%5:s\"%1:s\"%5:s\"%2:s\"%5:s\"%3:s\"%5:s\"%4:s\"\r\n",
                     {tt, Tx(t::Qui), direction, location, feeder, Sep(ctx)});
        else
          out += Fmt(ctx, "%s %s%s%s%s\r\n",
                     {tt, Pad(Tx(t::Qui), ColumnWidth(1, ctx)), Pad(direction, ColumnWidth(2, ctx)),
                      Pad(location, ColumnWidth(3, ctx)), Pad(feeder, ColumnWidth(4, ctx))});
      }
  }

 private:
  struct Entry {
    uint8_t address;
    uint16_t state;
  };
  std::vector<Entry> entries_;
};

}  // namespace

std::unique_ptr<TLogEvent> CreateZyrLogEvent(const TRawLogEvent& raw, bool show_io) {
  auto simple = [&](const lang::Text3& label) { return std::make_unique<TSimpleZyrLogEvent>(raw, label); };
  switch (raw.code) {
    case 4: return std::make_unique<TZyrLogResetEvent>(raw);
    case 8: return std::make_unique<TZyrLogKonfigEvent>(raw);
    case 12: return std::make_unique<TZyrLogNetzEvent>(raw);
    case 17:
    case 18: return std::make_unique<TZyrLogErdschlussEvent>(raw);
    case 20:
    case 148: return std::make_unique<TZyrLogWischerEvent>(raw);
    case 24:
    case 152: return std::make_unique<TZyrLogOberschwEvent>(raw, false);
    case 28:
    case 156: return std::make_unique<TZyrLogPulsEvent>(raw);
    case 32:
    case 160: return std::make_unique<TZyrLogWattmetrEvent>(raw, false);
    case 36: return std::make_unique<TZyrLogSpannungEvent>(raw);
    case 40: return std::make_unique<TZyrLogZeitEvent>(raw);
    case 44: return std::make_unique<TZyrLogWischerEvalEvent>(raw);
    case 45: return std::make_unique<TZyrLogWischerDDqu2DataEvent>(raw);
    case 46: return std::make_unique<TZyrLogWischerIceMaxEvent>(raw);
    case 48: return std::make_unique<TZyrLogFirmwareupdateEvent>(raw);
    case 52: return std::make_unique<TZyrLogFaultRecHndEvent>(raw);
    case 65:
    case 66: return simple(t::TransientReset);
    case 69:
    case 70: return simple(t::HarmonicsReset);
    case 73:
    case 74: return simple(t::HarmonicsGate);
    case 75: return std::make_unique<TZyrLogOberschwEvent>(raw, true);
    case 77:
    case 78: return simple(t::PulseReset);
    case 81:
    case 82: return simple(t::WattmReset);
    case 85:
    case 86: return simple(t::WattmPriority);
    case 89:
    case 90: return simple(t::WattmIncTrig);
    case 93:
    case 94: return simple(t::WattmIncReset);
    case 96: return std::make_unique<TZyrLogWattmetrEvent>(raw, true);
    case 100:
    case 112: return std::make_unique<TLogWischerEvalData>(raw);
    case 104: return std::make_unique<TLogWischerIceData>(raw);
    case 108: return std::make_unique<TLogWischerRotData>(raw);
    case 120: return std::make_unique<TLogQUIMeldData>(raw);
    case 124: return std::make_unique<TLogQUINvorData>(raw);
    case 128: return std::make_unique<TLogQUINrueckData>(raw);
    case 132: return std::make_unique<TLogQUIgradData>(raw);
    case 136: return std::make_unique<TZyrLogQuiData>(raw);
    case 141:
    case 142: return simple(t::QuiReset);
    case 257: return std::make_unique<TZyrLogErrorEvent>(raw, t::StatusError);
    case 258: return simple(t::StatusError);
    case 260:
    case 261: return std::make_unique<TZyrLogDevListEvent>(raw, t::SlaveMissing);
    case 262: return simple(t::SlaveMissing);
    case 264:
    case 265: return std::make_unique<TZyrLogDevListEvent>(raw, t::ConfigError);
    case 266: return simple(t::ConfigError);
    case 269:
    case 270: return simple(t::MasterMissing);
    case 273: return std::make_unique<TZyrLogErrorEvent>(raw, t::TynetError);
    case 274: return simple(t::TynetError);
    case 288: return show_io ? std::make_unique<TZyrLogSchalterEvent>(raw) : nullptr;
    case 292: return show_io ? std::make_unique<TZyrLogRelaisEvent>(raw) : nullptr;
    default: return std::make_unique<TLogEvent>(raw);
  }
}

}  // namespace trivex
