#pragma once
// The relays of the station model: per relay its voltage, current and binary inputs with
// the segments and switches they belong to and the transformer data, and what the relay
// reported. TDeviceList keeps them sorted by identifier.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trivex {

inline constexpr int kNetVoltageInputs = 8;
inline constexpr int kNetCurrentInputs = 40;
inline constexpr int kNetBinaryInputs = 128;
inline constexpr int kNetBoards = 8;
inline constexpr int kNetFeederGroupInputs = 4;

// Kinds of a voltage input.
enum : uint8_t {
  kVoltNone = 0,
  kVoltPlain = 1,  // without a code
  kVoltUen = 2,    // displacement voltage
  kVoltU12 = 3, kVoltU23, kVoltU31, kVoltU13, kVoltU32, kVoltU21,
  kVoltU1N = 9, kVoltU2N, kVoltU3N,
};

struct TVoltageInput {
  int32_t segment = 0;
  uint8_t kind = kVoltNone;
  double knu = 1;     // transformer ratio
  double vnom = 100;  // nominal voltage
  bool operator==(const TVoltageInput&) const = default;
};

struct TCurrentInput {
  int32_t segment = 0;
  double kni = 1;   // transformer ratio
  double inom = 1;  // nominal current
  bool operator==(const TCurrentInput&) const = default;
};

struct TBinaryInput {
  int32_t switch_id = 0;  // switch whose position it reports (0 none)
  bool inverted = false;
  bool operator==(const TBinaryInput&) const = default;
};

struct TReportedInput {
  int function = 0;  // function code reported by the relay
  bool inverted = false;
  bool operator==(const TReportedInput&) const = default;
};

struct TDevice {
  uint8_t id = 0;
  std::array<TVoltageInput, kNetVoltageInputs> voltage{};
  std::array<TCurrentInput, kNetCurrentInputs> current{};
  std::array<TBinaryInput, kNetBinaryInputs> binary{};
  std::array<TReportedInput, kNetBinaryInputs> reported{};
  uint8_t master_id = 0;                           // as reported by the relay
  std::array<int32_t, kNetBoards> board_values{};  // ZYR-DM measuring-board assignments
  // Per current input 1..4: its group of connected feeders (display only): 0 none, n group
  // n, 16 + n group n found through the segment.
  std::array<uint8_t, kNetFeederGroupInputs> feeder_groups{};

  // Inputs by their 1-based numbers.
  TVoltageInput& U(int n) { return voltage[static_cast<size_t>(n - 1)]; }
  const TVoltageInput& U(int n) const { return voltage[static_cast<size_t>(n - 1)]; }
  TCurrentInput& I(int n) { return current[static_cast<size_t>(n - 1)]; }
  const TCurrentInput& I(int n) const { return current[static_cast<size_t>(n - 1)]; }
  TBinaryInput& BI(int n) { return binary[static_cast<size_t>(n - 1)]; }
  const TBinaryInput& BI(int n) const { return binary[static_cast<size_t>(n - 1)]; }
  bool operator==(const TDevice&) const = default;
};

class TDeviceList {
 public:
  // The relay with this identifier; with `create`, a relay with defaults is inserted at its
  // sorted position when there is none. nullptr when absent and not created.
  TDevice* Get(uint8_t id, bool create = false);
  const TDevice* Get(uint8_t id) const;
  // Appends a relay (the list is sorted again with Sort).
  void Add(const TDevice& device) { items_.push_back(device); }
  // Identifier texts of all relays, in list order.
  std::vector<std::string> IdTexts() const;
  void Sort();
  void Clear() { items_.clear(); }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  TDevice& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TDevice& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  std::vector<TDevice>::const_iterator begin() const { return items_.begin(); }
  std::vector<TDevice>::const_iterator end() const { return items_.end(); }
  std::vector<TDevice>::iterator begin() { return items_.begin(); }
  std::vector<TDevice>::iterator end() { return items_.end(); }
  bool operator==(const TDeviceList&) const = default;

 private:
  std::vector<TDevice> items_;
};

}  // namespace trivex
