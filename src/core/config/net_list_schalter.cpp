#include "config/net_list_schalter.h"

#include <algorithm>

namespace trivex {

int TSchalterList::Add(const TSchalter& s) {
  auto it = std::upper_bound(items_.begin(), items_.end(), s.id,
                             [](int32_t id, const TSchalter& x) { return id < x.id; });
  it = items_.insert(it, s);
  return static_cast<int>(it - items_.begin());
}

int TSchalterList::IndexOf(int32_t id) const {
  auto it = std::lower_bound(items_.begin(), items_.end(), id,
                             [](const TSchalter& x, int32_t v) { return x.id < v; });
  return it != items_.end() && it->id == id ? static_cast<int>(it - items_.begin()) : -1;
}

TSchalter* TSchalterList::Find(int32_t id) {
  const int i = IndexOf(id);
  return i < 0 ? nullptr : &items_[static_cast<size_t>(i)];
}

const TSchalter* TSchalterList::Find(int32_t id) const {
  const int i = IndexOf(id);
  return i < 0 ? nullptr : &items_[static_cast<size_t>(i)];
}

TSchalter* TSchalterList::FindByInput(uint8_t device, int input) {
  if (input <= 0) return nullptr;
  for (TSchalter& s : items_)
    if (s.device == device && s.input == input) return &s;
  return nullptr;
}

int TSchalterList::FindConnecting(int32_t segment, int32_t& other, int from) const {
  for (int i = std::max(from, 0); i < Count(); ++i) {
    const TSchalter& s = items_[static_cast<size_t>(i)];
    if (s.segment1 == segment) {
      other = s.segment2;
      return i;
    }
    if (s.segment2 == segment) {
      other = s.segment1;
      return i;
    }
  }
  return -1;
}

}  // namespace trivex
