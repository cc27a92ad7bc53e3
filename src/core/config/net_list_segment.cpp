#include "config/net_list_segment.h"

#include <algorithm>
#include <stdexcept>

namespace trivex {

int TSegmentList::Add(const TSegment& segment) {
  auto it = std::upper_bound(items_.begin(), items_.end(), segment.id,
                             [](int32_t id, const TSegment& s) { return id < s.id; });
  it = items_.insert(it, segment);
  return static_cast<int>(it - items_.begin());
}

int TSegmentList::IndexOf(int32_t id) const {
  auto it = std::lower_bound(items_.begin(), items_.end(), id,
                             [](const TSegment& s, int32_t v) { return s.id < v; });
  return it != items_.end() && it->id == id ? static_cast<int>(it - items_.begin()) : -1;
}

TSegment* TSegmentList::Find(int32_t id) {
  const int i = IndexOf(id);
  return i < 0 ? nullptr : &items_[static_cast<size_t>(i)];
}

const TSegment* TSegmentList::Find(int32_t id) const {
  const int i = IndexOf(id);
  return i < 0 ? nullptr : &items_[static_cast<size_t>(i)];
}

TSegment TSegmentList::TakeOut(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("segment index");
  TSegment s = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  return s;
}

void TSegmentList::MoveTo(int index, TSegmentList& target) { target.Add(TakeOut(index)); }

}  // namespace trivex
