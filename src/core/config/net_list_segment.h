#pragma once
// Segments of the station: busbar sections and feeder sections, each with the relay input
// that measures it. TSegmentList keeps them sorted by id.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace trivex {

// Tags of a segment.
enum : uint16_t {
  kSegVoltage = 1,  // voltage measured
  kSegBusbar = 2,   // busbar segment
  kSegCurrent = 4,  // current measured
};

struct TSegment {
  int32_t id = 0;
  uint16_t tags = 0;
  uint8_t device = 0;         // relay that measures it (0 none)
  uint8_t voltage_input = 0;  // that relay's voltage input
  uint8_t current_input = 0;  // that relay's current input
  uint8_t voltage_group = 0;  // bit n - 1: voltage input n belongs to this busbar segment

  bool VoltageMeasured() const { return (tags & kSegVoltage) != 0; }
  bool Busbar() const { return (tags & kSegBusbar) != 0; }
  bool CurrentMeasured() const { return (tags & kSegCurrent) != 0; }
  bool operator==(const TSegment&) const = default;
};

class TSegmentList {
 public:
  // Inserts at the sorted position (after segments with the same id); returns the index.
  int Add(const TSegment& segment);
  // Index of the segment with this id, -1 when there is none (binary search).
  int IndexOf(int32_t id) const;
  TSegment* Find(int32_t id);
  const TSegment* Find(int32_t id) const;
  // Removes the segment at `index` and hands it to the caller.
  TSegment TakeOut(int index);
  // Moves the segment at `index` into `target` (at its sorted position there).
  void MoveTo(int index, TSegmentList& target);
  void Clear() { items_.clear(); }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  TSegment& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TSegment& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  std::vector<TSegment>::const_iterator begin() const { return items_.begin(); }
  std::vector<TSegment>::const_iterator end() const { return items_.end(); }
  std::vector<TSegment>::iterator begin() { return items_.begin(); }
  std::vector<TSegment>::iterator end() { return items_.end(); }
  bool operator==(const TSegmentList&) const = default;

 private:
  std::vector<TSegment> items_;
};

}  // namespace trivex
