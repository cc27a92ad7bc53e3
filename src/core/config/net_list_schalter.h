#pragma once
// Switches of the station (breakers, disconnectors, couplers) between two segments, with
// the binary input that reports the position or the fixed position. TSchalterList keeps
// them sorted by id.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace trivex {

struct TSchalter {
  int32_t id = 0;
  int32_t segment1 = 0;
  int32_t segment2 = 0;
  uint8_t device = 0;  // relay whose binary input reports the position (0: fixed or virtual)
  uint8_t input = 0;   // binary input on that relay (ZYR-DM: its code), or the virtual input
  bool closed = false;    // fixed position of a switch without binary input
  bool inverted = false;  // the binary input reports inverted
  // The net list gives no position source for this switch (the station's switches are
  // incomplete); `closed` is then false.
  bool undefined = false;

  bool HasInput() const { return input != 0; }
  bool Virtual() const { return device == 0 && input != 0; }
  bool Connects(int32_t segment) const { return segment1 == segment || segment2 == segment; }
  bool operator==(const TSchalter&) const = default;
};

class TSchalterList {
 public:
  // Inserts at the sorted position (after switches with the same id); returns the index.
  int Add(const TSchalter& s);
  int IndexOf(int32_t id) const;
  TSchalter* Find(int32_t id);
  const TSchalter* Find(int32_t id) const;
  // The switch fed by binary input `input` of relay `device` (device 0: virtual input).
  TSchalter* FindByInput(uint8_t device, int input);
  // The first switch from index `from` on that connects `segment`; its index (-1 none) and
  // the segment on its other side.
  int FindConnecting(int32_t segment, int32_t& other, int from = 0) const;
  void Clear() { items_.clear(); }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  TSchalter& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TSchalter& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  std::vector<TSchalter>::const_iterator begin() const { return items_.begin(); }
  std::vector<TSchalter>::const_iterator end() const { return items_.end(); }
  std::vector<TSchalter>::iterator begin() { return items_.begin(); }
  std::vector<TSchalter>::iterator end() { return items_.end(); }
  bool operator==(const TSchalterList&) const = default;

 private:
  std::vector<TSchalter> items_;
};

}  // namespace trivex
