#include "logbook/dm_log_events.h"

#include <cmath>
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

constexpr int kBoards = 5;
bool Bit(uint8_t byte, int k) { return (byte >> k) & 1; }
std::string BoardFeederText(int board, int feeder) { return std::to_string(board + 1) + std::to_string(feeder + 1); }

// Direction and location of a feeder from its bits in the four state bytes A, B, C, D of a
// board: kind = 1 (A) + 2 (B) + 4 (C) + 8 (D).
std::string BoardDirectionWord(int kind) {
  switch (kind) {
    case 0:
    case 3:
    case 12: return {};
    case 1:
    case 4: return Tx(t::Go);
    case 2:
    case 8: return Tx(t::Come);
    case 6:
    case 9: return Tx(t::Inverse);
    default: return Tx(t::StateError);
  }
}

std::string BoardLocationWord(int kind) {
  switch (kind) {
    case 0: return {};
    case 1:
    case 2:
    case 3: return Tx(t::Line);
    case 4:
    case 8:
    case 12: return Tx(t::BusBar);
    case 6: return Tx(t::BusBarToLine);
    case 9: return Tx(t::LineToBusBar);
    default: return Format("$%2.2X", {kind});
  }
}

// "1-3---": the position of every set bit, "-" for a clear one, bit 0 first.
std::string BitText(uint8_t byte, int bits) {
  std::string out;
  for (int i = 0; i < bits; ++i) out += Bit(byte, i) ? static_cast<char>('1' + i) : '-';
  return out;
}

// Network: per group the voltage source number, bus bars and the feeders of each board.
class TDmLogNetzEvent : public TLogEvent {
 public:
  explicit TDmLogNetzEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TDmLogNetzEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    const int count = d.U16(0);
    size_t off = 2;
    for (int g = 0; g < count; ++g) {
      RequireData(off + 3, cls);
      Group group;
      group.source = d.U8(off);
      group.busbar = d.U8(off + 1);
      const uint8_t boards = d.U8(off + 2);
      off += 3;
      for (int j = 0; j < kBoards; ++j)
        if (Bit(boards, j)) {
          RequireData(off + 1, cls);
          group.feeders[j] = d.U8(off++);
        }
      groups_.push_back(group);
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    if (groups_.empty()) return zyrline::NoGroups(*this, ctx, out);
    for (size_t g = 0; g < groups_.size(); ++g) {
      const Group& group = groups_[g];
      std::string feeders = Tx(t::FeederShort) + ":";
      for (int j = 0; j < kBoards; ++j)
        for (int k = 0; k < 8; ++k)
          if (Bit(group.feeders[j], k)) feeders += " " + BoardFeederText(j, k);
      zyrline::Group(*this, ctx, Fmt(ctx, "%s %d", {Tx(t::Group), static_cast<int>(g + 1)}),
                     logtext::BusBarText(group.busbar), Tx(t::SourceU) + ": " + std::to_string(group.source),
                     feeders, out);
    }
  }

 private:
  struct Group {
    uint8_t source, busbar;
    uint8_t feeders[kBoards] = {};
  };
  std::vector<Group> groups_;
};

// Wattmetric direction with the four state bytes and the currents of each board (code 32).
class TDmLogWattmetrEvent : public TLogEvent {
 public:
  explicit TDmLogWattmetrEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TDmLogWattmetrEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    groups_ = d.U8(0);
    const uint8_t boards = d.U8(1);
    size_t off = 2;
    for (int j = 0; j < kBoards; ++j) {
      if (!Bit(boards, j)) continue;
      Board& b = boards_[j];
      RequireData(off + 4, cls);
      for (int s = 0; s < 4; ++s) b.state[s] = d.U8(off + static_cast<size_t>(s));
      off += 4;
      const uint8_t any = b.state[0] | b.state[1] | b.state[2] | b.state[3];
      for (int k = 0; k < 8; ++k)
        if (Bit(any, k)) {
          b.amplitude[k] = d.F32(off);
          b.phase[k] = d.F32(off + 4);
          off += 8;
        }
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string name = Tx(t::Wattmetr);
    zyrline::MeasurementHead(*this, ctx, name, groups_, out);
    for (int j = 0; j < kBoards; ++j) {
      const Board& b = boards_[j];
      for (int k = 0; k < 8; ++k) {
        const int kind = Bit(b.state[0], k) + 2 * Bit(b.state[1], k) + 4 * Bit(b.state[2], k) + 8 * Bit(b.state[3], k);
        if (kind == 0) continue;
        const std::string value =
            Fmt(ctx, "%s=%.5gA%7.1f°  %s=%.5gA",
                {Tx(t::Iampl), b.amplitude[k], logtext::Degrees(b.phase[k]), Tx(t::Iw),
                 b.amplitude[k] * std::cos(b.phase[k]) / 1.414213562373095});
        zyrline::Feeder(*this, ctx, name, BoardDirectionWord(kind), BoardLocationWord(kind), BoardFeederText(j, k),
                        value, out);
      }
    }
  }

 private:
  struct Board {
    uint8_t state[4] = {};
    double amplitude[8] = {};
    double phase[8] = {};
  };
  uint8_t groups_;
  Board boards_[kBoards];
};

// An admittance of 0 is shown as "INF", otherwise as the impedance in kOhm and its angle.
std::string ImpedanceText(double magnitude, double angle, const TLogRenderContext& ctx) {
  if (magnitude == 0) return "INF";
  return Fmt(ctx, "%.5gkOhm %.1f°", {0.001 / magnitude, -logtext::Degrees(angle)});
}

// Admittance (DIF) method (code 44).
class TDmLogDifEvent : public TLogEvent {
 public:
  explicit TDmLogDifEvent(const TRawLogEvent& raw) : TLogEvent(raw) {
    const char* cls = "TDmLogDifEvent";
    TEventData d(raw, cls);
    RequireData(2, cls);
    groups_ = d.U8(0);
    const uint8_t boards = d.U8(1);
    size_t off = 2;
    for (int j = 0; j < kBoards; ++j) {
      if (!Bit(boards, j)) continue;
      Board& b = boards_[j];
      RequireData(off + 2, cls);
      b.a = d.U8(off);
      b.b = d.U8(off + 1);
      off += 2;
      const uint8_t changed = static_cast<uint8_t>((~b.a & b.b) | (~b.b & b.a));
      for (int k = 0; k < 8; ++k)
        if (Bit(changed, k)) {
          for (int v = 0; v < 4; ++v) b.values[k][v] = d.F32(off + 4 * static_cast<size_t>(v));
          off += 16;
        }
    }
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string name = "DIF";
    zyrline::MeasurementHead(*this, ctx, name, groups_, out);
    for (int j = 0; j < kBoards; ++j) {
      const Board& b = boards_[j];
      const uint8_t changed = static_cast<uint8_t>((~b.a & b.b) | (~b.b & b.a));
      for (int k = 0; k < 8; ++k) {
        if (!Bit(changed, k)) continue;
        const int kind = Bit(b.a, k) + 2 * Bit(b.b, k);
        const double* v = b.values[k];
        const std::string zu = ImpedanceText(v[0], v[1], ctx);
        const std::string yfk = ImpedanceText(v[2] != 0 || v[3] != 0 ? std::hypot(v[2], v[3]) : 0,
                                              std::atan2(v[3], v[2]), ctx);
        zyrline::Feeder(*this, ctx, name, BoardDirectionWord(kind), BoardLocationWord(kind), BoardFeederText(j, k),
                        Fmt(ctx, "%s=%s  %s=%s", {"Zu_ci", zu, "Yfk", yfk}), out);
      }
    }
  }

 private:
  struct Board {
    uint8_t a = 0, b = 0;
    double values[8][4] = {};  // |Y|, angle of Y, real and imaginary part of the fault admittance
  };
  uint8_t groups_;
  Board boards_[kBoards];
};

// A label, the direction and a text in the columns of the ZYR lines.
class TDmTextEvent : public TSimpleZyrLogEvent {
 public:
  TDmTextEvent(const TRawLogEvent& raw, const lang::Text3& label, const char* cls)
      : TSimpleZyrLogEvent(raw, label) {
    RequireData(2, cls);
    TEventData d(raw, cls);
    first_ = d.U8(0);
    second_ = d.U8(1);
  }
  void Render(const TLogRenderContext& ctx, std::string& out) const override {
    const std::string tt = TimeText(ctx);
    const std::string text = Text(ctx);
    if (ctx.mode == TLogRenderContext::kCsv)
      out += Fmt(ctx, "\"%s\"%4:s\"%1:s\"%4:s\"%2:s\"%4:s\"%3:s\"\r\n", {tt, Label(), DirectionText(), text, Sep(ctx)});
    else
      out += Fmt(ctx, "%s %s%s%s\r\n",
                 {tt, Pad(Label(), ColumnWidth(1, ctx)),
                  Pad(DirectionText(), ColumnWidth(2, ctx) + ColumnWidth(3, ctx) + ColumnWidth(4, ctx)), text});
  }

 protected:
  virtual std::string Text(const TLogRenderContext& ctx) const = 0;
  uint8_t first_, second_;
};

// DSP status change (code 277): old and new status bits.
class TDmLogDspErrorEvent : public TDmTextEvent {
 public:
  explicit TDmLogDspErrorEvent(const TRawLogEvent& raw) : TDmTextEvent(raw, t::DspStatusError, "TDmLogDspErrorEvent") {}

 protected:
  std::string Text(const TLogRenderContext&) const override { return BitText(first_, 6) + " -> " + BitText(second_, 6); }
};

// Debug output of the admittance method (code 512): status bits and a number.
class TDmDifDebugEvent : public TDmTextEvent {
 public:
  explicit TDmDifDebugEvent(const TRawLogEvent& raw) : TDmTextEvent(raw, t::DifDebug, "TDmDifDebugEvent") {}

 protected:
  std::string Text(const TLogRenderContext& ctx) const override {
    return Fmt(ctx, "%s %d", {BitText(first_, 4), second_});
  }
};

}  // namespace

std::unique_ptr<TLogEvent> CreateDmLogEvent(const TRawLogEvent& raw) {
  auto simple = [&](const lang::Text3& label) { return std::make_unique<TSimpleZyrLogEvent>(raw, label); };
  switch (raw.code) {
    case 4: return std::make_unique<TZyrLogResetEvent>(raw, "TDmLogResetEvent");
    case 8: return std::make_unique<TZyrLogKonfigEvent>(raw, "TDmLogKonfigEvent");
    case 12: return std::make_unique<TDmLogNetzEvent>(raw);
    case 17:
    case 18: return std::make_unique<TZyrLogErdschlussEvent>(raw, "TDmLogErdschlussEvent");
    case 32: return std::make_unique<TDmLogWattmetrEvent>(raw);
    case 40: return std::make_unique<TZyrLogZeitEvent>(raw, "TDmLogZeitEvent");
    case 44: return std::make_unique<TDmLogDifEvent>(raw);
    case 65:
    case 66: return simple(t::TransientReset);
    case 69:
    case 70: return simple(t::HarmonicsReset);
    case 73:
    case 74: return simple(t::HarmonicsGate);
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
    case 257: return std::make_unique<TZyrLogErrorEvent>(raw, t::StatusError, "TDmLogErrorEvent");
    case 258: return simple(t::StatusError);
    case 260:
    case 261: return std::make_unique<TZyrLogDevListEvent>(raw, t::SlaveMissing, "TDmLogDevListEvent");
    case 262: return simple(t::SlaveMissing);
    case 264:
    case 265: return std::make_unique<TZyrLogDevListEvent>(raw, t::ConfigError, "TDmLogDevListEvent");
    case 266: return simple(t::ConfigError);
    case 269:
    case 270: return simple(t::MasterMissing);
    case 273: return std::make_unique<TZyrLogErrorEvent>(raw, t::TynetError, "TDmLogErrorEvent");
    case 274: return simple(t::TynetError);
    case 277: return std::make_unique<TDmLogDspErrorEvent>(raw);
    case 278: return simple(t::DspStatusError);
    case 512: return std::make_unique<TDmDifDebugEvent>(raw);
    default: return std::make_unique<TLogEvent>(raw);
  }
}

}  // namespace trivex
