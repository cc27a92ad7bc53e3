#include "logbook/dp_log_events.h"

#include <algorithm>
#include <vector>

#include "lang/texts_logbook.h"
#include "logbook/log_texts.h"
#include "logbook/zyr_log_events.h"

namespace trivex {

using logtext::Fmt;
using logtext::IsCsv;
using logtext::Tx;
using logtext::Pad;
using logtext::Sep;
using logtext::TEventData;
namespace t = tx::logbook;

namespace {

constexpr double kPi = 3.1415926535897932385;

// Regulator events: a label and the columns 21 and 6 wide.
class TDpLogEvent : public TLogEvent {
 public:
  explicit TDpLogEvent(const TRawLogEvent& raw) : TLogEvent(raw) {}
  int ColumnWidth(int column, const TLogRenderContext& ctx) const override {
    switch (column) {
      case 0: return ctx.display_width;
      case 1: return 21;
      case 2: return 6;
      default: return 0;
    }
  }
};

// Regulator state events: "come" or "go" when bit 14 of the code is set, after bit 15.
class TDpKgLogEvent : public TDpLogEvent {
 public:
  TDpKgLogEvent(const TRawLogEvent& raw, const lang::Text3* label) : TDpLogEvent(raw), label_(label) {}
  std::string DirectionText() const override {
    if (!(Code() & 0x4000)) return {};
    return Tx((Code() & 0x8000) ? t::Come : t::Go);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%3:s\"%1:s\"%3:s\"%2:s\"\r\n", {tt, Label(), DirectionText(), Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s\r\n", {tt, Pad(Label(), ColumnWidth(1, ctx)), DirectionText()});
  }

 protected:
  virtual std::string Label() const { return label_ ? Tx(*label_) : std::string(); }

 private:
  const lang::Text3* label_;
};

// Status error with the status word (code 0x4001).
class TDpLogStatusErrorEvent : public TDpKgLogEvent {
 public:
  explicit TDpLogStatusErrorEvent(const TRawLogEvent& raw) : TDpKgLogEvent(raw, &t::StatusError) {
    const char* cls = "TDpLogStatusErrorEvent";
    RequireData(4, cls);
    status_ = TEventData(raw, cls).U32(0);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s\"%3:8.8X\"\r\n", {tt, Label(), DirectionText(), status_, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s%8.8X\r\n",
                 {tt, Pad(Label(), ColumnWidth(1, ctx)), Pad(DirectionText(), ColumnWidth(2, ctx)), status_});
  }

 private:
  uint32_t status_;
};

// The clock was set (code 1).
class TDpLogZeitEvent : public TDpLogEvent {
 public:
  explicit TDpLogZeitEvent(const TRawLogEvent& raw) : TDpLogEvent(raw) {
    const char* cls = "TDpLogZeitEvent";
    RequireData(6, cls);
    TEventData d(raw, cls);
    old_secs_ = d.U32(0);
    old_msecs_ = d.U16(4);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string old = LogTimeText(DeviceSecsToDateTime(old_secs_, old_msecs_), ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%3:s\"%1:s\"%3:s%3:s\"%2:s\"\r\n", {tt, Tx(t::Time), old, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s: %s\r\n",
                 {tt, Pad(Tx(t::Time), ColumnWidth(1, ctx) + ColumnWidth(2, ctx)), Tx(t::OldTime), old});
  }

 private:
  uint32_t old_secs_;
  uint16_t old_msecs_;
};

// Result of a coil search: resonance curve (code 2) or provisional curve (code 4).
class TDpLogSuchErgebnisEvent : public TDpLogEvent {
 public:
  explicit TDpLogSuchErgebnisEvent(const TRawLogEvent& raw) : TDpLogEvent(raw) {
    const char* cls = "TDpLogSuchErgebnisEvent";
    TEventData d(raw, cls);
    RequireData(18, cls);
    flags_ = d.U16(0);
    for (int i = 0; i < 4; ++i) values_[i] = d.F32(2 + 4 * static_cast<size_t>(i));
    if (Mode() == 1) {
      RequireData(26, cls);
      values_[4] = d.F32(18);
      values_[5] = d.F32(22);
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string name = Tx((Code() & 0x7FFF) == 2 ? t::ResonanceCurve : t::ProvisionalCurve);
    const int kind = (flags_ >> 12) & 3;
    std::string mode;
    if (Mode() == 1) {
      static const char* const kModes[] = {"(Ipos + Ifix)", "(Ipos + Ifix + I_Slave)", "(Ipos)", ""};
      mode = kModes[kind];
    }
    auto current = [&](const char* label, int bit, double v) {
      return (flags_ & bit) ? Fmt(ctx, "%s= %5.1fA", {label, v}) : std::string(label) + "=  ----A";
    };
    const std::string first = current(kind == 1 ? "Ice" : "Ires", 1, values_[0]);
    const std::string iw = current("Iw", 2, values_[1]);
    const std::string ures = (flags_ & 4) ? Fmt(ctx, "%s= %6.2fV", {"Ures", values_[2]}) : "Ures=  -----V";
    const std::string phi =
        (flags_ & 8) ? Fmt(ctx, "%s= %6.1f°", {"UresPhi", values_[3] / kPi * 180}) : "UresPhi=  -----°";
    const std::string ifix = Mode() == 1 ? Fmt(ctx, "%s= %5.1fA", {"Ifix", values_[4]}) : "";
    const std::string iext = Mode() == 1 ? Fmt(ctx, "%s= %5.1fA", {"Iext", values_[5]}) : "";
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx,
                 "\"%s\"%9:s\"%1:s\"%9:s\"%2:s\"%9:s\"%3:s\"%9:s\"%4:s\"%9:s\"%5:s\"%9:s\"%6:s\"%9:s\"%7:s\"%9:s\"%8:s\"\r\n",
                 {tt, name, first, mode, iext, ifix, phi, ures, iw, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s %s %s %s %s %s %s\r\n",
                 {tt, Pad(name, ColumnWidth(1, ctx) + ColumnWidth(2, ctx)), first, mode, iext, ifix, phi, ures, iw});
  }

 private:
  int Mode() const { return flags_ >> 14; }
  uint16_t flags_;
  double values_[6] = {};  // first current, Iw, Ures, UresPhi, Ifix, Iext
};

// Coil currents (code 5).
class TDpISpuleEvent : public TLogEvent {
 public:
  explicit TDpISpuleEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TDpISpuleEvent";
    RequireData(16, cls);
    TEventData d(raw, cls);
    iw_ = d.F32(0);
    ib_ = d.F32(4);
    une_ = d.F32(8);
    phase_ = d.F32(12);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const double deg = logtext::Degrees(phase_);
    if (IsCsv(ctx))
      out += Fmt(ctx,
                 "\"%s\"%8:s\"%1:s\"%8:s\"%2:s= %5.2fA\"%8:s\"%4:s= %5.2fA\"%8:s\"Une=%6:5.2fV\"%8:s\"Phi= %7:5.2f°\"\r\n",
                 {tt, Tx(t::PCoil), "Ib", ib_, "Iw", iw_, une_, deg, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s %*s= %5.2fA, %s= %5.2fA, Une=%3.2fV, Phi=%5.2f° \r\n",
                 {tt, Tx(t::PCoil), 21, "Ib", ib_, "Iw", iw_, une_, deg});
  }

 private:
  double iw_, ib_, une_, phase_;
};

// Regulator error message (codes 256..511; 511 acknowledges).
class TDpLogErrorMsgEvent : public TDpLogEvent {
 public:
  explicit TDpLogErrorMsgEvent(const TRawLogEvent& raw) : TDpLogEvent(raw) {
    const char* cls = "TDpLogErrorMsgEvent";
    RequireData(4, cls);
    TEventData d(raw, cls);
    number_ = d.U16(0);
    detail_ = d.U16(2);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string label = (Code() & 0x7FFF) == 511 ? Tx(t::ErrorAck) : Fmt(ctx, "%s #%d", {Tx(t::ErrorWord), number_});
    std::string message = number_ <= 32 ? lang::TrItem(t::RegulatorErrors, number_) : "";
    if (detail_ != 0) message = Fmt(ctx, "%s #%d", {message, detail_});
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%3:s\"%1:s\"%3:s%3:s\"%2:s\"\r\n", {tt, label, message, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s\r\n",
                 {tt, Pad(label, message.empty() ? 0 : ColumnWidth(1, ctx) + ColumnWidth(2, ctx)), message});
  }

 private:
  int number_, detail_;
};

// Changes of the regulator's binary input and output functions and of its binary inputs and
// outputs (codes 0x6100..0x63FF).
class TStandardDpLogEvent : public TDpKgLogEvent {
 public:
  enum Kind { kInputFunction, kOutputFunction, kInput, kOutput };

  TStandardDpLogEvent(const TRawLogEvent& raw, Kind kind, bool show_lists)
      : TDpKgLogEvent(raw, nullptr), kind_(kind), show_lists_(show_lists) {
    const char* const kClasses[] = {"TDpBefLogEvent", "TDpBafLogEvent", "TDpBeLogEvent", "TDpBaLogEvent"};
    const char* cls = kClasses[kind];
    TEventData d(raw, cls);
    RequireData(4, cls);
    functions_ = d.U16(0);
    io_ = d.U16(2);
    size_t off = 4;
    const unsigned bits = (functions_ & 0xFFFu) | (static_cast<unsigned>(io_ & 0xF) << 12);
    for (int b = 0; b < 16; ++b)
      if (bits & (1u << b)) {
        states_.push_back(d.U16(off));
        off += 2;
      }
    for (int i = 0; i < 3; ++i)
      if (io_ & (0x10 << i)) {
        numbers_[i] = d.F32(off);
        off += 4;
      }
  }

 protected:
  std::string Label() const override {
    const int code = Code() & 0x7FFF;
    const int n = code & 0xFF;
    switch (kind_) {
      case kInputFunction:
        return Format("%s%03d:", {Tx(t::Bif), n}) + (n <= 62 ? " " + lang::TrItem(t::InputFunctions, n) : "");
      case kOutputFunction:
        return Format("%s%03d:", {Tx(t::Bof), n}) + (n <= 85 ? " " + lang::TrItem(t::OutputFunctions, n) : "");
      case kInput: return Format("%s %d", {Tx(t::Bi), (code & 0x7F) + 1});
      case kOutput: return Format("%s %d", {Tx(t::Bo), (code & 0x7F) + 1});
    }
    return {};
  }

 public:
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    std::string value;
    if (io_ & 0x30) {
      value = "Une=";
      value += (io_ & 0x10) ? Fmt(ctx, "%7.2fV", {numbers_[0]}) : logtext::Blanks(8);
      value += (io_ & 0x20) ? Fmt(ctx, "%7.1f°", {logtext::Degrees(numbers_[1])}) : logtext::Blanks(8);
    } else {
      value = logtext::Blanks(20);
    }
    value += " ";
    value += (io_ & 0x40) ? Fmt(ctx, "%s=%6.1fA", {"Ipos", numbers_[2]}) : logtext::Blanks(12);
    if (show_lists_) {
      size_t next = 0;
      auto list = [&](const lang::Text3& name, unsigned word, int first, int count) {
        std::string items;
        for (int b = first; b < first + count; ++b) {
          if (word & (1u << b)) {
            const uint16_t v = next < states_.size() ? states_[next] : 0;
            ++next;
            items.insert(0, Fmt(ctx, " %4.4X", {v}));
          } else {
            items.insert(0, " ....");
          }
        }
        return Tx(name) + ":" + items;
      };
      value += " " + list(t::Bof, functions_, 0, 8);
      value += " " + list(t::Bif, functions_, 8, 4);
      value += " " + list(t::Bo, io_, 0, 2);
      value += " " + list(t::Bi, io_, 2, 2);
    }
    const std::string tt = TimeText(ctx);
    if (IsCsv(ctx))
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s%4:s%4:s\"%3:s\"\r\n", {tt, Label(), DirectionText(), value, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s%s\r\n",
                 {tt, Pad(Label(), ColumnWidth(1, ctx)), Pad(DirectionText(), value.empty() ? 0 : ColumnWidth(2, ctx)),
                  value});
  }

 private:
  Kind kind_;
  bool show_lists_;
  uint16_t functions_, io_;
  std::vector<uint16_t> states_;
  double numbers_[3] = {};  // Une, Une phase, Ipos
};

// Debug values (code 0x4004); at most eight are shown.
class TDpDebugEvent : public TLogEvent {
 public:
  explicit TDpDebugEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TDpDebugEvent";
    TEventData d(raw, cls);
    RequireData(4, cls);
    number_ = d.U16(0);
    const int count = std::min<int>(d.U16(2), 8);
    RequireData(4 + 4 * static_cast<size_t>(count), cls);
    for (int i = 0; i < count; ++i) values_.push_back(d.F32(4 + 4 * static_cast<size_t>(i)));
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    std::string line;
    if (IsCsv(ctx)) {
      line = "\"" + tt + "\"" + Sep(ctx) + Fmt(ctx, "\"DebugEvent #%d\"", {number_}) + Sep(ctx);
      for (size_t i = 0; i < values_.size(); ++i)
        line += Fmt(ctx, "\"Value%d= %7.3f\"%s", {static_cast<int>(i + 1), values_[i], Sep(ctx)});
    } else {
      line = tt + Fmt(ctx, "%s #%d %*s", {" DebugEvent", number_, 11, ""});
      line = Fmt(ctx, "%s%*s", {line, 45, Tx(t::Values)});
      for (size_t i = 0; i < values_.size(); ++i) line += Fmt(ctx, "#%d= %7.3f", {static_cast<int>(i + 1), values_[i]});
    }
    out += line + "\r\n";
  }

 private:
  int number_;
  std::vector<double> values_;
};

// User-defined event (code 0x4005) with an optional name, flags word and up to eight values.
class TDpUserDefEvent : public TDpKgLogEvent {
 public:
  explicit TDpUserDefEvent(const TRawLogEvent& raw) : TDpKgLogEvent(raw, nullptr) {
    const char* cls = "TDpUserDefEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    flags_ = d.U16(0);
    if (flags_ & 0x20) name_.assign(d.Bytes(2, 16), d.Bytes(2, 16) + 16);
    if (flags_ & 0x10) flags_word_ = d.U32(18);
    const int count = std::min(flags_ & 0xF, 8);
    if (count > 0) RequireData(22 + 4 * static_cast<size_t>(count), cls);
    for (int i = 0; i < count; ++i) values_.push_back(d.F32(22 + 4 * static_cast<size_t>(i)));
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string name = (flags_ & 0x20) ? logtext::DeviceText(name_.data(), name_.size(), ctx) : "";
    std::string line;
    if (IsCsv(ctx)) {
      const std::string s = Sep(ctx);
      line = "\"" + tt + Fmt(ctx, "\"%s\"UserEvent\"%s", {s, s});
      if (flags_ & 0x20) line += Fmt(ctx, "\"%s \"%s", {name, s});
      if (flags_ & 0x10) line += Fmt(ctx, "\"Flags:0x%x\"%s", {flags_word_, s});
      for (size_t i = 0; i < values_.size(); ++i)
        line += Fmt(ctx, "\"Value%d=%7.3f\"%s", {static_cast<int>(i + 1), values_[i], s});
      line += "\"" + DirectionText() + "\"";
    } else {
      line = Fmt(ctx, "%s %*s", {tt + " UserEvent", 17, ""});
      if (flags_ & 0x20)
        line += Fmt(ctx, "%s;%*s ", {name, std::max(0, 14 - static_cast<int>(Utf8Length(name))), ""});
      else
        line += logtext::Blanks(16);
      line += (flags_ & 0x10) ? Fmt(ctx, "Flags: %8x(hex); ", {flags_word_}) : logtext::Blanks(22);
      line += Tx(t::Values);
      for (size_t i = 0; i < values_.size(); ++i) line += Fmt(ctx, "#%d=%7.3f ", {static_cast<int>(i + 1), values_[i]});
      line = Fmt(ctx, "%s %s", {line, DirectionText()});
    }
    out += line + "\r\n";
  }

 private:
  uint16_t flags_;
  std::vector<uint8_t> name_;
  uint32_t flags_word_ = 0;
  std::vector<double> values_;
};

}  // namespace

std::unique_ptr<TLogEvent> CreateDpLogEvent(const TRawLogEvent& raw, bool show_io) {
  const int c = raw.code & 0x7FFF;
  if (c >= 256 && c <= 511) return std::make_unique<TDpLogErrorMsgEvent>(raw);
  if (c >= 0x6100 && c <= 0x61FF)
    return std::make_unique<TStandardDpLogEvent>(raw, TStandardDpLogEvent::kInputFunction, show_io);
  if (c >= 0x6200 && c <= 0x62FF)
    return std::make_unique<TStandardDpLogEvent>(raw, TStandardDpLogEvent::kOutputFunction, show_io);
  if (c >= 0x6300 && c <= 0x637F) return std::make_unique<TStandardDpLogEvent>(raw, TStandardDpLogEvent::kInput, show_io);
  if (c >= 0x6380 && c <= 0x63FF) return std::make_unique<TStandardDpLogEvent>(raw, TStandardDpLogEvent::kOutput, show_io);
  switch (c) {
    case 1: return std::make_unique<TDpLogZeitEvent>(raw);
    case 2:
    case 4: return std::make_unique<TDpLogSuchErgebnisEvent>(raw);
    case 3: return std::make_unique<TZyrLogFirmwareupdateEvent>(raw, "TDpLogFirmwareupdateEvent");
    case 5: return std::make_unique<TDpISpuleEvent>(raw);
    case 0x4000: return std::make_unique<TDpKgLogEvent>(raw, &t::PowerdownReset);
    case 0x4001: return std::make_unique<TDpLogStatusErrorEvent>(raw);
    case 0x4002: return std::make_unique<TDpKgLogEvent>(raw, &t::Master);
    case 0x4003: return std::make_unique<TDpKgLogEvent>(raw, &t::Slave);
    case 0x4004: return std::make_unique<TDpDebugEvent>(raw);
    case 0x4005: return std::make_unique<TDpUserDefEvent>(raw);
    default: return std::make_unique<TLogEvent>(raw);
  }
}

}  // namespace trivex
