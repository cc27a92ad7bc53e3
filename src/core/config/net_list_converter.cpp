#include "config/net_list_converter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "config/device_id.h"
#include "config/device_time.h"
#include "config/net_list_texts.h"
#include "config/number_text.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/texts_netlist.h"

namespace trivex {
namespace {

constexpr int kFields = 14;
// The first segment of busbar i is 10 + i.
constexpr int32_t kFirstBusbarSegment = 10;

// Fields 1..14 of a line (index 0 unused), each trimmed; missing ones empty.
std::array<std::string, kFields + 1> SplitFields(const std::string& line) {
  std::array<std::string, kFields + 1> f;
  int n = 1;
  for (std::string_view part : SplitAt(line, '\t')) {
    if (n > kFields) break;
    f[static_cast<size_t>(n++)] = std::string(TrimBlanks(part));
  }
  return f;
}

[[noreturn]] void Throw(const lang::Text3& text, int line) {
  throw ENetList(Format(lang::Tr(text), {line}), line);
}
[[noreturn]] void Throw(const lang::Text3& text, int first, int line) {
  throw ENetList(Format(lang::Tr(text), {first, line}), line);
}

// Busbar patterns of fields 1..3 of a feeder line: 1 none; 2..4 X in field 1..3; 5..7 LK
// or LC in field 1..3; 8 X X -; 9 - X X; 10 X - X; 0 anything else.
int BusbarPattern(const std::array<std::string, kFields + 1>& f) {
  int x[3], l[3], other = 0, nx = 0, nl = 0;
  for (int i = 0; i < 3; ++i) {
    const std::string u = AsciiUpperCase(f[static_cast<size_t>(i + 1)]);
    x[i] = u == "X";
    l[i] = u == "LK" || u == "LC";
    other += !u.empty() && !x[i] && !l[i];
    nx += x[i];
    nl += l[i];
  }
  if (other) return 0;
  if (nx == 0 && nl == 0) return 1;
  if (nl == 0 && nx == 1) return x[0] ? 2 : x[1] ? 3 : 4;
  if (nx == 0 && nl == 1) return l[0] ? 5 : l[1] ? 6 : 7;
  if (nl == 0 && nx == 2) return !x[2] ? 8 : !x[0] ? 9 : 10;
  return 0;
}

// Next feeder state by [state][pattern]; 1 is the inconsistency.
constexpr int8_t kNextState[11][11] = {
    {1, 2, 3, 3, 3, 10, 10, 10, 9, 9, 9},  // 0
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},     // 1
    {1, 1, 6, 6, 6, 1, 1, 1, 1, 1, 1},     // 2: breaker
    {1, 6, 4, 4, 4, 1, 1, 1, 1, 1, 1},     // 3..5: one to three disconnectors
    {1, 7, 5, 5, 5, 1, 1, 1, 1, 1, 1},
    {1, 8, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 7, 7, 7, 1, 1, 1, 1, 1, 1},     // 6..8: breaker with one to three disconnectors
    {1, 1, 8, 8, 8, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},     // 9: busbar connection
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},     // 10: longitudinal coupler
};

// The switch slot of a pattern: 0 breaker, 1..3 busbar 1..3.
int SlotOf(int pattern) { return pattern == 1 ? 0 : (pattern - 2) % 3 + 1; }

// The two busbars joined by a busbar connection pattern 8..10.
std::pair<int, int> ConnectedBusbars(int pattern) {
  return pattern == 8 ? std::pair{1, 2} : pattern == 9 ? std::pair{2, 3} : std::pair{3, 1};
}

int PositionWord(const std::string& text) {  // 1 closed, 0 open, -1 none
  static const char* const kOpen[] = {"AUS", "AUF", "OFFEN", "OFF", "OPEN"};
  static const char* const kClosed[] = {"EIN", "ZU", "GESCHLOSSEN", "ON", "CLOSED"};
  for (const char* w : kOpen)
    if (EqualsNoCase(text, w)) return 0;
  for (const char* w : kClosed)
    if (EqualsNoCase(text, w)) return 1;
  return -1;
}

std::optional<int> DigitsValue(std::string_view s) {
  if (s.empty() || s.size() > 6) return std::nullopt;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

// "I", "I0" or "IO" and one digit n (n) or two digits x 1..5, y 1..8 (8x + y - 8).
int ParseCurrentInput(const std::string& field) {
  const std::string u = AsciiUpperCase(field);
  std::string_view rest;
  if (StartsWithNoCase(u, "IO") || StartsWithNoCase(u, "I0")) rest = std::string_view(u).substr(2);
  else if (StartsWithNoCase(u, "I")) rest = std::string_view(u).substr(1);
  else return 0;
  if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '9') return rest[0] - '0';
  if (rest.size() == 2 && rest[0] >= '1' && rest[0] <= '5' && rest[1] >= '1' && rest[1] <= '8')
    return 8 * (rest[0] - '0') + (rest[1] - '0') - 8;
  return 0;
}

struct VoltageText {
  int input = 0;
  uint8_t kind = kVoltNone;
  bool u12 = false;
};

// "U" and the number, "UEN" or "VEN" and the number, or "U12" (input 5).
std::optional<VoltageText> ParseVoltageInput(const std::string& field) {
  const std::string u = AsciiUpperCase(field);
  if (u == "U12") return VoltageText{5, kVoltU12, true};
  std::optional<int> n;
  uint8_t kind = kVoltPlain;
  if (StartsWithNoCase(u, "UEN") || StartsWithNoCase(u, "VEN")) {
    n = DigitsValue(std::string_view(u).substr(3));
    kind = kVoltUen;
  } else if (StartsWithNoCase(u, "U")) {
    n = DigitsValue(std::string_view(u).substr(1));
  }
  if (!n || *n <= 0) return std::nullopt;
  return VoltageText{*n, kind, false};
}

// A voltage kind code of a busbar measurement line: "U" or "V" and the code; kVoltNone when
// the text is none.
uint8_t VoltageKindCode(const std::string& field) {
  const std::string u = AsciiUpperCase(field);
  if (u.empty() || (u[0] != 'U' && u[0] != 'V')) return kVoltNone;
  const std::string c = u.substr(1);
  if (c.empty()) return kVoltPlain;
  if (c == "0" || c == "O" || c == "EN" || c == "NE") return kVoltUen;
  static const char* const kCodes[] = {"12", "23", "31", "13", "32", "21", "1N", "2N", "3N"};
  for (int i = 0; i < 9; ++i)
    if (c == kCodes[i]) return static_cast<uint8_t>(kVoltU12 + i);
  return kVoltNone;
}

const char* KindCodeText(uint8_t kind) {
  static const char* const kTexts[] = {"Uo", "U", "Uo", "U12", "U23", "U31", "U13", "U32", "U21", "U1N", "U2N", "U3N"};
  return kind <= kVoltU3N ? kTexts[kind] : "Uo";
}

// Transformer "primary/nominal": ratio primary / nominal and the nominal value.
bool ParseTransformer(const std::string& field, double& ratio, double& nominal) {
  const size_t slash = field.find('/');
  if (slash == std::string::npos) return false;
  auto number = [](std::string_view t) -> std::optional<double> {
    if (auto v = TryParseNumber(t, '.')) return v;
    return TryParseNumber(t, ',');
  };
  auto p = number(std::string_view(field).substr(0, slash));
  auto n = number(std::string_view(field).substr(slash + 1));
  // A nominal value of 0 would give an infinite ratio.
  if (!p || !n || !std::isfinite(*p) || !std::isfinite(*n) || *p <= 0 || *n <= 0) return false;
  ratio = *p / *n;
  nominal = *n;
  if (!std::isfinite(ratio)) return false;
  return true;
}

struct SwitchSource {
  enum Kind { kUndefined, kFixed, kInput } kind = kUndefined;
  int line = 0;
  bool closed = false;
  uint8_t device = 0;
  int input = 0;
  bool inverted = false;
};

struct Measurement {
  int line = 0;
  std::vector<uint8_t> relays;
  int current = 0;
  double kni = 1, inom = 1;
  VoltageText voltage;
  double knu = 1, vnom = 100;
};

struct Feeder {
  std::string name;
  int first = 0, last = 0;
  int state = 0;
  int connection_pattern = 0;  // pattern of a busbar connection (state 9)
  int coupler_busbar = 0;      // busbar of a longitudinal coupler (state 10)
  std::array<bool, 4> used{};
  std::array<SwitchSource, 4> slot{};
  std::optional<Measurement> measurement;
};

class Compiler {
 public:
  Compiler(TSystemType type, uint8_t master_id, TNetListData& data)
      : dm_(type == stZYRDM), master_(master_id), d_(data) {
    for (int i = 1; i <= 3; ++i) {
      TSegment s;
      s.id = kFirstBusbarSegment + i;
      s.tags = kSegBusbar;
      d_.segments.Add(s);
    }
  }

  void Line(int number, const std::string& text) {
    const auto f = SplitFields(text);
    if (!f[4].empty()) {
      if (feeder_ && feeder_->name != f[4]) FinishFeeder();
      FeederLine(number, f);
      return;
    }
    if (feeder_) FinishFeeder();
    if (!f[1].empty() || !f[2].empty() || !f[3].empty()) BusbarMeasurementLine(number, f);
    else MeasurementOnlyLine(number, f);
  }

  void Finish() {
    if (feeder_) FinishFeeder();
    for (int i = 1; i <= 3; ++i)
      if (!referenced_.count(kFirstBusbarSegment + i)) d_.segments.TakeOut(d_.segments.IndexOf(kFirstBusbarSegment + i));
    for (TSegment& s : d_.segments)
      if (s.Busbar() && s.VoltageMeasured() && s.voltage_input >= 1 && s.voltage_group == 1u << (s.voltage_input - 1))
        s.voltage_group = 0;
    if (dm_) {
      if (TDevice* dev = d_.devices.Get(master_))
        for (int n = 1; n <= kNetBoards; ++n) dev->board_values[static_cast<size_t>(n - 1)] = dev->U(n).segment;
    }
    if (d_.switches_incomplete && breaker_without_vo_) Throw(tx::netlist::ErrIncomplete, 0);
  }

 private:
  int MaxCurrent() const { return dm_ ? kNetCurrentInputs : 4; }
  int MaxVoltage() const { return dm_ ? kNetVoltageInputs : 5; }

  void FeederLine(int line, const std::array<std::string, kFields + 1>& f) {
    if (!feeder_) {
      feeder_.emplace();
      feeder_->name = f[4];
      feeder_->first = line;
    }
    Feeder& fd = *feeder_;
    fd.last = line;
    const int pattern = BusbarPattern(f);
    if (pattern == 0) Throw(tx::netlist::ErrBreakerPattern, line);
    const int next = kNextState[fd.state][pattern];
    const int slot = SlotOf(pattern);
    if (next == 1 || fd.used[static_cast<size_t>(slot)]) Throw(tx::netlist::ErrBreakerInconsistent, fd.first, line);
    const bool busbar_switch = next == 9 || next == 10;
    fd.slot[static_cast<size_t>(slot)] = ParseSwitch(line, f[7], f[8], busbar_switch);
    fd.used[static_cast<size_t>(slot)] = true;
    if (next == 9) fd.connection_pattern = pattern;
    if (next == 10) fd.coupler_busbar = pattern - 4;
    if (HasMeasurement(f)) {
      if (fd.measurement) Throw(tx::netlist::ErrDuplicateMeasurement, line);
      // Couplers and busbar connections have no feeder segment to measure.
      if (busbar_switch) Throw(tx::netlist::ErrMeasDecl, line);
      fd.measurement = ParseMeasurement(line, f);
    }
    fd.state = next;
  }

  static bool HasMeasurement(const std::array<std::string, kFields + 1>& f) {
    return !f[10].empty() || !f[11].empty() || !f[12].empty() || !f[13].empty();
  }

  SwitchSource ParseSwitch(int line, const std::string& f7, const std::string& f8, bool busbar_switch) {
    SwitchSource s;
    s.line = line;
    if (f7.empty() && f8.empty()) {
      if (busbar_switch) Throw(tx::netlist::ErrBreakerIncompleteLine, line);
      d_.switches_incomplete = true;
      return s;
    }
    int pos = PositionWord(f7);
    if (pos < 0) pos = PositionWord(f8);
    if (pos >= 0) {
      s.kind = SwitchSource::kFixed;
      s.closed = pos == 1;
      return s;
    }
    int device = 0;
    try {
      device = ParseDeviceIdOrLocal(f7);
    } catch (const ConvertError&) {
      Throw(tx::netlist::ErrBinInName, line);
    }
    std::string_view t = f8;
    if (!t.empty() && (t[0] == '-' || t[0] == '~')) {
      s.inverted = true;
      t = TrimBlanks(t.substr(1));
    }
    if (StartsWithNoCase(t, "BI") || StartsWithNoCase(t, "DI")) t.remove_prefix(2);
    else if (StartsWithNoCase(t, "E")) t.remove_prefix(1);
    else Throw(tx::netlist::ErrBinInDecl, line);
    const std::optional<int> n = DigitsValue(t);
    if (!n || *n <= 0) Throw(tx::netlist::ErrBinInDecl, line);
    if (device == 0) {
      if (*n > kNetVirtualInputs) Throw(tx::netlist::ErrBinInDecl, line);
      s.input = *n;
    } else if (dm_) {
      s.input = DmBinaryInputCode(*n);
      if (s.input == 0) Throw(tx::netlist::ErrBinInDecl, line);
      device = master_;
    } else {
      if (*n > 16) Throw(tx::netlist::ErrBinInDecl, line);
      s.input = *n;
    }
    s.kind = SwitchSource::kInput;
    s.device = static_cast<uint8_t>(device);
    return s;
  }

  // Identifier texts of field 9 (several separated by blanks or commas); empty when the
  // text names no relay or a bad one.
  std::vector<uint8_t> ParseRelays(const std::string& text) const {
    std::string t = text;
    for (char& c : t)
      if (c == ',' || c == ';') c = ' ';
    std::vector<uint8_t> ids;
    std::string_view v = t;
    try {
      while (!TrimBlanks(v).empty()) {
        const int id = TakeDeviceId(v);
        if (id <= 0) return {};
        bool seen = false;
        for (uint8_t x : ids) seen |= x == id;
        if (!seen) ids.push_back(static_cast<uint8_t>(id));
      }
    } catch (const ConvertError&) {
      return {};
    }
    if (dm_ && !ids.empty()) ids = {master_};
    return ids;
  }

  Measurement ParseMeasurement(int line, const std::array<std::string, kFields + 1>& f) const {
    Measurement m;
    m.line = line;
    m.relays = ParseRelays(f[9]);
    if (m.relays.empty()) Throw(tx::netlist::ErrMeasDeviceId, line);
    if (!f[10].empty()) {
      m.current = ParseCurrentInput(f[10]);
      if (m.current < 1 || m.current > MaxCurrent()) Throw(tx::netlist::ErrCurrentDecl, line);
      if (!ParseTransformer(f[11], m.kni, m.inom)) Throw(tx::netlist::ErrKniDecl, line);
    } else if (!f[11].empty()) {
      Throw(tx::netlist::ErrCurrentDecl, line);
    }
    if (!f[12].empty()) {
      auto v = ParseVoltageInput(f[12]);
      if (!v || v->input > MaxVoltage()) Throw(tx::netlist::ErrVoltageDecl, line);
      m.voltage = *v;
      if (!ParseTransformer(f[13], m.knu, m.vnom)) Throw(tx::netlist::ErrKnuDecl, line);
    } else if (!f[13].empty()) {
      Throw(tx::netlist::ErrVoltageDecl, line);
    }
    return m;
  }

  void UseVoltage(uint8_t device, const VoltageText& v, int line) {
    if (!used_u_.insert({device, v.input}).second) {
      const std::string text = v.u12 ? std::string("U12") : Format("U%d", {v.input});
      throw ENetList(Format(lang::Tr(tx::netlist::ErrVoltageUsed), {text, line}), line);
    }
  }
  void UseCurrent(uint8_t device, int input, int line) {
    if (!used_i_.insert({device, input}).second)
      throw ENetList(Format(lang::Tr(tx::netlist::ErrCurrentUsed), {Format("I%d", {input}), line}), line);
  }

  // Voltage and current inputs of the relays of a measurement, on `segment` (0: none).
  void ApplyMeasurement(const Measurement& m, int32_t segment) {
    if (m.current) {
      UseCurrent(m.relays[0], m.current, m.line);
      d_.devices.Get(m.relays[0], true)->I(m.current) = TCurrentInput{segment, m.kni, m.inom};
    }
    if (m.voltage.input) {
      for (uint8_t r : m.relays) {
        UseVoltage(r, m.voltage, m.line);
        d_.devices.Get(r, true)->U(m.voltage.input) = TVoltageInput{segment, m.voltage.kind, m.knu, m.vnom};
      }
    }
    TSegment* seg = segment ? d_.segments.Find(segment) : nullptr;
    if (!seg) return;
    if (m.current) {
      seg->tags |= kSegCurrent;
      seg->device = m.relays[0];
      seg->current_input = static_cast<uint8_t>(m.current);
    }
    if (m.voltage.input && !m.voltage.u12) {
      seg->tags |= kSegVoltage;
      seg->device = m.relays[0];
      seg->voltage_input = static_cast<uint8_t>(m.voltage.input);
    }
  }

  void AddSegment(int32_t id, uint16_t tags) {
    TSegment s;
    s.id = id;
    s.tags = tags;
    d_.segments.Add(s);
  }

  void AddSwitch(int32_t id, int32_t seg1, int32_t seg2, const SwitchSource& source, bool busbar_switch) {
    TSchalter s;
    s.id = id;
    s.segment1 = seg1;
    s.segment2 = seg2;
    switch (source.kind) {
      case SwitchSource::kUndefined: s.undefined = true; break;
      case SwitchSource::kFixed: s.closed = source.closed; break;
      case SwitchSource::kInput: {
        s.device = source.device;
        s.input = static_cast<uint8_t>(source.input);
        s.inverted = source.inverted;
        auto [it, fresh] = used_bi_.insert({{source.device, source.input}, source.line});
        if (!fresh) {
          if (busbar_switch) Throw(tx::netlist::ErrBinInUsedLine, source.line);
          const int shown = source.device == 0 ? source.input : BinaryInputShown(dm_ ? stZYRDM : stZYRD, source.input);
          throw ENetList(Format(lang::Tr(tx::netlist::ErrBinInUsedLines), {shown, it->second, source.line}), source.line);
        }
        const TBinaryInput bi{id, source.inverted};
        if (source.device == 0) d_.virtual_inputs[static_cast<size_t>(source.input)] = bi;
        else d_.devices.Get(source.device, true)->BI(source.input) = bi;
        break;
      }
    }
    d_.switches.Add(s);
    if (TSegment* a = d_.segments.Find(seg1); a && a->Busbar()) referenced_.insert(seg1);
    if (TSegment* b = d_.segments.Find(seg2); b && b->Busbar()) referenced_.insert(seg2);
  }

  void FinishFeeder() {
    Feeder fd = std::move(*feeder_);
    feeder_.reset();
    seg_base_ += 10;
    sw_base_ += 10;
    const int st = fd.state;
    if (st == 2) Throw(tx::netlist::ErrBreakerIncompleteLines, fd.first, fd.last);
    if (st >= 3 && st <= 8) {
      const int32_t feeder_seg = seg_base_ + 5;
      AddSegment(feeder_seg, 0);
      int32_t inner = feeder_seg;
      if (st >= 6) {
        inner = seg_base_ + 4;
        AddSegment(inner, 0);
        AddSwitch(sw_base_ + 5, inner, feeder_seg, fd.slot[0], false);
      }
      for (int i = 1; i <= 3; ++i)
        if (fd.used[static_cast<size_t>(i)])
          AddSwitch(sw_base_ + i, cur_[static_cast<size_t>(i)], inner, fd.slot[static_cast<size_t>(i)], false);
      if (fd.measurement) ApplyMeasurement(*fd.measurement, feeder_seg);
      if (st >= 6 && !d_.segments.Find(feeder_seg)->VoltageMeasured()) breaker_without_vo_ = true;
    } else if (st == 9) {
      const auto [a, b] = ConnectedBusbars(fd.connection_pattern);
      AddSwitch(sw_base_ + 6, cur_[static_cast<size_t>(a)], cur_[static_cast<size_t>(b)],
                fd.slot[static_cast<size_t>(SlotOf(fd.connection_pattern))], true);
    } else if (st == 10) {
      const int i = fd.coupler_busbar;
      int32_t& current = cur_[static_cast<size_t>(i)];
      if (current == kFirstBusbarSegment + i) seg_base_ += 10;
      const int32_t section = seg_base_ + i;
      AddSegment(section, kSegBusbar);
      AddSwitch(sw_base_ + 7, current, section, fd.slot[static_cast<size_t>(i)], true);
      current = section;
    }
  }

  void BusbarMeasurementLine(int line, const std::array<std::string, kFields + 1>& f) {
    Measurement m;
    m.line = line;
    m.relays = ParseRelays(f[9]);
    auto v = ParseVoltageInput(f[12]);
    if (m.relays.empty() || !f[10].empty() || !f[11].empty() || !v || v->input > MaxVoltage() ||
        !ParseTransformer(f[13], m.knu, m.vnom))
      Throw(tx::netlist::ErrMeasDecl, line);
    int measured = 0;
    uint8_t kind = kVoltNone;
    for (int i = 1; i <= 3 && !measured; ++i) {
      kind = VoltageKindCode(f[static_cast<size_t>(i)]);
      if (kind != kVoltNone) measured = i;
    }
    if (!measured) Throw(tx::netlist::ErrMeasLink, line);
    for (int i = 1; i <= 3; ++i)
      if (i != measured && !f[static_cast<size_t>(i)].empty() && f[static_cast<size_t>(i)] != "+")
        Throw(tx::netlist::ErrMeasLink, line);
    // The kind is the busbar column's code; field 12 gives the input.
    m.voltage = *v;
    m.voltage.kind = kind;
    m.voltage.u12 = false;
    for (int i = 1; i <= 3; ++i) {
      if (f[static_cast<size_t>(i)].empty()) continue;
      const int32_t id = cur_[static_cast<size_t>(i)];
      d_.segments.Find(id)->voltage_group |= static_cast<uint8_t>(1u << (m.voltage.input - 1));
      referenced_.insert(id);
    }
    const int32_t seg_id = cur_[static_cast<size_t>(measured)];
    for (uint8_t r : m.relays) {
      UseVoltage(r, *v, line);
      d_.devices.Get(r, true)->U(m.voltage.input) = TVoltageInput{seg_id, kind, m.knu, m.vnom};
    }
    TSegment* seg = d_.segments.Find(seg_id);
    if (kind == kVoltUen && !seg->VoltageMeasured()) {
      seg->tags |= kSegVoltage;
      seg->device = m.relays[0];
      seg->voltage_input = static_cast<uint8_t>(m.voltage.input);
    }
  }

  void MeasurementOnlyLine(int line, const std::array<std::string, kFields + 1>& f) {
    if (!HasMeasurement(f)) return;
    ApplyMeasurement(ParseMeasurement(line, f), 0);
  }

  bool dm_;
  uint8_t master_;
  TNetListData& d_;
  std::array<int32_t, 4> cur_{0, kFirstBusbarSegment + 1, kFirstBusbarSegment + 2, kFirstBusbarSegment + 3};
  std::set<int32_t> referenced_;
  int32_t seg_base_ = 10;
  int32_t sw_base_ = 0;
  std::optional<Feeder> feeder_;
  std::map<std::pair<int, int>, int> used_bi_;
  std::set<std::pair<int, int>> used_u_, used_i_;
  bool breaker_without_vo_ = false;
};

// ---------------------------------------------------------------------------------------
// Generation

[[noreturn]] void NotWritable(const lang::Text3& what, int32_t id) {
  throw ENetList(Format(lang::Tr(tx::netlist::ErrNotWritable), {lang::Tr(what), id}));
}

std::string RatioText(double ratio, double nominal) {
  return FormatG(ratio * nominal) + "/" + FormatG(nominal);
}

std::string JoinFields(const std::array<std::string, kFields + 1>& f) {
  int last = kFields;
  while (last > 1 && f[static_cast<size_t>(last)].empty()) --last;
  std::string s = f[1];
  for (int i = 2; i <= last; ++i) s += "\t" + f[static_cast<size_t>(i)];
  return s;
}

class Generator {
 public:
  Generator(TSystemType type, const TNetListData& d, std::vector<std::string>& out)
      : type_(type), dm_(type == stZYRDM), d_(d), out_(out) {}

  void Run() {
    // Switches by feeder: a feeder's switches share the tens of their ids.
    std::map<int32_t, std::vector<const TSchalter*>> feeders;
    for (const TSchalter& s : d_.switches) {
      if (s.id < 10) NotWritable(tx::netlist::WordSwitch, s.id);
      feeders[s.id / 10].push_back(&s);
    }
    slots_.push_back(cur_);
    for (const auto& [base, sw] : feeders) {
      (void)base;
      blocks_.emplace_back();
      WriteFeeder(sw, blocks_.back());
      slots_.push_back(cur_);
    }
    PlaceBusbarMeasurements();
    for (size_t k = 0; k < slots_.size(); ++k) {
      if (k > 0) {
        for (const std::string& l : blocks_[k - 1]) out_.push_back(l);
        out_.push_back("");
      }
      if (!busbar_lines_[k].empty()) {
        for (const std::string& l : busbar_lines_[k]) out_.push_back(l);
        out_.push_back("");
      }
    }
    WriteUnassignedInputs();
    CheckEverythingWritten();
    while (!out_.empty() && out_.back().empty()) out_.pop_back();
  }

 private:
  using Fields = std::array<std::string, kFields + 1>;

  void Source(Fields& f, const TSchalter& s) const {
    if (s.Virtual()) {
      f[7] = "virt";
      f[8] = std::string(s.inverted ? "~" : "") + Format("E%3.3d", {static_cast<int>(s.input)});
    } else if (s.HasInput()) {
      f[7] = DeviceIdText(s.device);
      f[8] = std::string(s.inverted ? "~" : "") + Format("E%2.2d", {BinaryInputShown(type_, s.input)});
    } else if (!s.undefined) {
      f[7] = s.closed ? "on" : "off";
    }
  }

  std::string Name() { return Format("J%2.2d:", {++feeder_no_}); }

  int BusbarOf(int32_t segment) const {
    for (int i = 1; i <= 3; ++i)
      if (cur_[static_cast<size_t>(i)] == segment) return i;
    return 0;
  }

  const TSegment& Segment(int32_t id) const {
    const TSegment* s = d_.segments.Find(id);
    if (!s) NotWritable(tx::netlist::WordSegment, id);
    return *s;
  }

  void WriteFeeder(const std::vector<const TSchalter*>& sw, std::vector<std::string>& block) {
    const std::string name = Name();
    const TSchalter* by_kind[10] = {};
    for (const TSchalter* s : sw) {
      const int k = s->id % 10;
      if ((k != 1 && k != 2 && k != 3 && k != 5 && k != 6 && k != 7) || by_kind[k]) NotWritable(tx::netlist::WordSwitch, s->id);
      by_kind[k] = s;
    }
    if (by_kind[6] || by_kind[7]) {
      const TSchalter& s = *sw[0];
      if (sw.size() != 1) NotWritable(tx::netlist::WordSwitch, s.id);
      Fields f;
      const int a = BusbarOf(s.segment1), b = BusbarOf(s.segment2);
      if (by_kind[6]) {
        if (!a || !b || a == b) NotWritable(tx::netlist::WordSwitch, s.id);
        f[static_cast<size_t>(a)] = "X";
        f[static_cast<size_t>(b)] = "X";
      } else {
        // A coupler joins the current section of its busbar and a new section.
        const int i = a ? a : b;
        const int32_t section = a ? s.segment2 : s.segment1;
        if (!i || BusbarOf(section) || !Segment(section).Busbar()) NotWritable(tx::netlist::WordSwitch, s.id);
        f[static_cast<size_t>(i)] = "LK";
        cur_[static_cast<size_t>(i)] = section;
        written_.insert(section);
      }
      f[4] = name;
      f[5] = "Q00";
      Source(f, s);
      block.push_back(JoinFields(f));
      return;
    }
    // Disconnectors join busbar i and the inner segment; the breaker joins the inner and
    // the feeder segment.
    int32_t inner = 0;
    std::vector<Fields> lines;
    for (int i = 1; i <= 3; ++i) {
      const TSchalter* s = by_kind[i];
      if (!s) continue;
      const int32_t bus = cur_[static_cast<size_t>(i)];
      int32_t other = s->segment1 == bus ? s->segment2 : s->segment2 == bus ? s->segment1 : 0;
      if (!other || (inner && other != inner) || Segment(other).Busbar()) NotWritable(tx::netlist::WordSwitch, s->id);
      inner = other;
      Fields f;
      f[static_cast<size_t>(i)] = "X";
      f[4] = name;
      f[5] = Format("Q%2.2d", {i});
      Source(f, *s);
      lines.push_back(f);
    }
    if (!inner) NotWritable(tx::netlist::WordSwitch, sw[0]->id);
    int32_t feeder_seg = inner;
    if (const TSchalter* s = by_kind[5]) {
      feeder_seg = s->segment1 == inner ? s->segment2 : s->segment2 == inner ? s->segment1 : 0;
      if (!feeder_seg || feeder_seg == inner || Segment(feeder_seg).Busbar()) NotWritable(tx::netlist::WordSwitch, s->id);
      Fields f;
      f[4] = name;
      f[5] = "Q00";
      Source(f, *s);
      lines.push_back(f);
    }
    written_.insert(inner);
    written_.insert(feeder_seg);
    FeederMeasurement(feeder_seg, lines[0]);
    for (const Fields& f : lines) block.push_back(JoinFields(f));
  }

  void FeederMeasurement(int32_t seg_id, Fields& f) {
    const TSegment& seg = Segment(seg_id);
    measured_ok_.insert(seg_id);
    int cur_relay = -1, cur_input = 0;
    for (const TDevice& dev : d_.devices)
      for (int c = 1; c <= kNetCurrentInputs; ++c)
        if (dev.I(c).segment == seg_id) {
          if (cur_relay >= 0) NotWritable(tx::netlist::WordSegment, seg_id);
          cur_relay = dev.id;
          cur_input = c;
        }
    if (seg.CurrentMeasured() && (seg.device != cur_relay || seg.current_input != cur_input))
      NotWritable(tx::netlist::WordSegment, seg_id);
    // Voltage inputs on the segment: one input number, kind and transformer on every relay.
    std::vector<uint8_t> relays;
    const TVoltageInput* volt = nullptr;
    int volt_input = 0;
    for (const TDevice& dev : d_.devices)
      for (int n = 1; n <= kNetVoltageInputs; ++n) {
        const TVoltageInput& u = dev.U(n);
        if (u.segment != seg_id) continue;
        if (volt && (n != volt_input || u.kind != volt->kind || u.knu != volt->knu || u.vnom != volt->vnom))
          NotWritable(tx::netlist::WordSegment, seg_id);
        volt = &u;
        volt_input = n;
        relays.push_back(dev.id);
      }
    // The first relay measures the segment: it carries the current and marks the voltage.
    uint8_t first = cur_relay >= 0 ? static_cast<uint8_t>(cur_relay) : seg.VoltageMeasured() ? seg.device : relays.empty() ? 0 : relays[0];
    if (volt) {
      auto it = std::find(relays.begin(), relays.end(), first);
      if (it == relays.end()) NotWritable(tx::netlist::WordSegment, seg_id);
      std::rotate(relays.begin(), it, it + 1);
      const bool u12 = volt->kind == kVoltU12 && volt_input == 5;
      if (seg.VoltageMeasured() == u12 ||
          (seg.VoltageMeasured() && (seg.voltage_input != volt_input || seg.device != first)))
        NotWritable(tx::netlist::WordSegment, seg_id);
    } else if (seg.VoltageMeasured()) {
      NotWritable(tx::netlist::WordSegment, seg_id);
    }
    if (cur_relay < 0 && !volt) return;
    std::string ids;
    if (relays.empty()) relays.push_back(first);
    for (uint8_t r : relays) ids += (ids.empty() ? "" : " ") + DeviceIdText(r);
    f[9] = ids;
    if (cur_relay >= 0) {
      const TCurrentInput& i = d_.devices.Get(static_cast<uint8_t>(cur_relay))->I(cur_input);
      f[10] = CurrentText(cur_input);
      f[11] = RatioText(i.kni, i.inom);
    }
    if (volt) {
      f[12] = VoltageInputText(volt_input, volt->kind);
      f[13] = RatioText(volt->knu, volt->vnom);
    }
  }

  std::string CurrentText(int input) const {
    if (!dm_) return Format("Io%d", {input});
    return Format("Io%d%d", {(input - 1) / 8 + 1, (input - 1) % 8 + 1});
  }

  static std::string VoltageInputText(int input, uint8_t kind) {
    if (kind == kVoltU12 && input == 5) return "U12";
    if (kind == kVoltPlain) return Format("U%d", {input});
    return Format("Uen%d", {input});
  }

  // One busbar measurement line per busbar segment, input number, kind and transformer,
  // placed at a point of the text where its segment is the current section of its busbar
  // and, where possible, the sections it links ("+") are current too.
  void PlaceBusbarMeasurements() {
    busbar_lines_.assign(slots_.size(), {});
    std::map<int32_t, uint8_t> groups;  // the voltage groups the placed lines build
    struct Line {
      int32_t segment;
      int input;
      const TVoltageInput* u;
      std::vector<uint8_t> relays;
    };
    std::vector<Line> lines;
    for (const TDevice& dev : d_.devices)
      for (int n = 1; n <= kNetVoltageInputs; ++n) {
        const TVoltageInput& u = dev.U(n);
        const TSegment* seg = u.segment ? d_.segments.Find(u.segment) : nullptr;
        if (!seg || !seg->Busbar()) continue;
        bool joined = false;
        for (Line& l : lines)
          if (l.segment == u.segment && l.input == n && l.u->kind == u.kind && l.u->knu == u.knu && l.u->vnom == u.vnom) {
            l.relays.push_back(dev.id);
            joined = true;
          }
        if (!joined) lines.push_back({u.segment, n, &u, {dev.id}});
      }
    // The relay that marks a measured busbar goes first.
    std::stable_sort(lines.begin(), lines.end(), [this](const Line& a, const Line& b) {
      return MarksSegment(a.segment, a.relays, a.input) > MarksSegment(b.segment, b.relays, b.input);
    });
    for (Line& l : lines) {
      const TSegment& seg = *d_.segments.Find(l.segment);
      if (seg.VoltageMeasured() && seg.voltage_input == l.input && l.u->kind == kVoltUen) {
        auto it = std::find(l.relays.begin(), l.relays.end(), seg.device);
        if (it != l.relays.end()) std::rotate(l.relays.begin(), it, it + 1);
      }
      const uint8_t bit = static_cast<uint8_t>(1u << (l.input - 1));
      int best = -1, best_links = -1, bus = 0;
      for (size_t k = 0; k < slots_.size(); ++k) {
        int b = 0;
        for (int i = 1; i <= 3; ++i)
          if (slots_[k][static_cast<size_t>(i)] == l.segment) b = i;
        if (!b) continue;
        int links = 0;
        for (int j = 1; j <= 3; ++j) {
          const TSegment* other = d_.segments.Find(slots_[k][static_cast<size_t>(j)]);
          links += j != b && other && (other->voltage_group & bit);
        }
        if (links > best_links) best = static_cast<int>(k), best_links = links, bus = b;
      }
      if (best < 0) NotWritable(tx::netlist::WordSegment, l.segment);
      Fields f;
      f[static_cast<size_t>(bus)] = KindCodeText(l.u->kind);
      groups[l.segment] |= bit;
      for (int j = 1; j <= 3; ++j) {
        const int32_t id = slots_[static_cast<size_t>(best)][static_cast<size_t>(j)];
        const TSegment* other = d_.segments.Find(id);
        if (j != bus && other && (other->voltage_group & bit)) {
          f[static_cast<size_t>(j)] = "+";
          groups[id] |= bit;
        }
      }
      std::string ids;
      for (uint8_t r : l.relays) ids += (ids.empty() ? "" : " ") + DeviceIdText(r);
      f[9] = ids;
      if (l.u->kind == kVoltU12 && l.input == 5) f[12] = "U12";
      else f[12] = l.u->kind == kVoltUen || l.u->kind == kVoltNone ? Format("Uen%d", {l.input}) : Format("U%d", {l.input});
      f[13] = RatioText(l.u->knu, l.u->vnom);
      busbar_lines_[static_cast<size_t>(best)].push_back(JoinFields(f));
      written_.insert(l.segment);
    }
    // The groups that the lines give must be the model's (a measured busbar whose group is
    // only its own input has none).
    for (const TSegment& s : d_.segments) {
      if (!s.Busbar()) continue;
      uint8_t g = groups.count(s.id) ? groups[s.id] : 0;
      if (s.VoltageMeasured() && s.voltage_input >= 1 && g == (1u << (s.voltage_input - 1))) g = 0;
      if (g != s.voltage_group) NotWritable(tx::netlist::WordSegment, s.id);
      if (s.voltage_group) written_.insert(s.id);
    }
  }

  bool MarksSegment(int32_t seg_id, const std::vector<uint8_t>& relays, int input) const {
    const TSegment& seg = *d_.segments.Find(seg_id);
    return seg.VoltageMeasured() && seg.voltage_input == input &&
           std::find(relays.begin(), relays.end(), seg.device) != relays.end();
  }

  // Transformer data of inputs that measure no segment.
  void WriteUnassignedInputs() {
    std::vector<std::string> lines;
    for (const TDevice& dev : d_.devices) {
      for (int n = 1; n <= kNetVoltageInputs; ++n) {
        const TVoltageInput& u = dev.U(n);
        if (u.segment || (u.kind == kVoltNone && u.knu == 1 && u.vnom == 100)) continue;
        Fields f;
        f[9] = DeviceIdText(dev.id);
        f[12] = VoltageInputText(n, u.kind);
        f[13] = RatioText(u.knu, u.vnom);
        lines.push_back(JoinFields(f));
      }
      for (int n = 1; n <= kNetCurrentInputs; ++n) {
        const TCurrentInput& i = dev.I(n);
        if (i.segment || (i.kni == 1 && i.inom == 1)) continue;
        Fields f;
        f[9] = DeviceIdText(dev.id);
        f[10] = CurrentText(n);
        f[11] = RatioText(i.kni, i.inom);
        lines.push_back(JoinFields(f));
      }
    }
    for (const std::string& l : lines) out_.push_back(l);
  }

  void CheckEverythingWritten() const {
    std::set<int32_t> linked;
    for (const TSchalter& sw : d_.switches) linked.insert({sw.segment1, sw.segment2});
    for (const TSegment& s : d_.segments) {
      const bool initial = s.Busbar() && s.id > kFirstBusbarSegment && s.id <= kFirstBusbarSegment + 3;
      if (!written_.count(s.id) && !(initial && linked.count(s.id))) NotWritable(tx::netlist::WordSegment, s.id);
    }
    for (const TDevice& dev : d_.devices) {
      // Inputs measure feeder segments or (voltages) busbar segments, nothing else.
      for (const TVoltageInput& u : dev.voltage) {
        const TSegment* s = u.segment ? d_.segments.Find(u.segment) : nullptr;
        if (u.segment && (!s || (!s->Busbar() && !measured_ok_.count(u.segment))))
          NotWritable(tx::netlist::WordSegment, u.segment);
      }
      for (const TCurrentInput& i : dev.current)
        if (i.segment && !measured_ok_.count(i.segment)) NotWritable(tx::netlist::WordSegment, i.segment);
    }
    for (const TSegment& s : d_.segments)
      if ((s.VoltageMeasured() || s.CurrentMeasured()) && !s.Busbar() && !measured_ok_.count(s.id))
        NotWritable(tx::netlist::WordSegment, s.id);
  }

  TSystemType type_;
  bool dm_;
  const TNetListData& d_;
  std::vector<std::string>& out_;
  std::array<int32_t, 4> cur_{0, kFirstBusbarSegment + 1, kFirstBusbarSegment + 2, kFirstBusbarSegment + 3};
  std::vector<std::array<int32_t, 4>> slots_;            // current sections before block k
  std::vector<std::vector<std::string>> blocks_;         // one per feeder
  std::vector<std::vector<std::string>> busbar_lines_;   // per slot
  std::set<int32_t> written_;
  std::set<int32_t> measured_ok_;  // feeder segments whose measurement was written
  int feeder_no_ = 0;
};

}  // namespace

void TNetListConverter::Compile(TSystemType type, uint8_t master_id, const std::vector<std::string>& lines,
                                TNetListData& data) {
  data.Clear();
  Compiler c(type, master_id, data);
  for (size_t i = 0; i < lines.size(); ++i) c.Line(static_cast<int>(i + 1), lines[i]);
  c.Finish();
}

TNetListData TNetListConverter::Compile(TSystemType type, uint8_t master_id, const std::vector<std::string>& lines) {
  TNetListData data;
  Compile(type, master_id, lines, data);
  return data;
}

void TNetListConverter::Generate(TSystemType type, const TNetListData& data, std::vector<std::string>& lines) {
  lines.clear();
  Generator(type, data, lines).Run();
}

std::vector<std::string> TNetListConverter::Generate(TSystemType type, const TNetListData& data) {
  std::vector<std::string> lines;
  Generate(type, data, lines);
  return lines;
}

}  // namespace trivex
