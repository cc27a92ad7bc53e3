#include "config/net_list_device.h"

#include <algorithm>

#include "config/device_id.h"

namespace trivex {

TDevice* TDeviceList::Get(uint8_t id, bool create) {
  for (TDevice& d : items_)
    if (d.id == id) return &d;
  if (!create) return nullptr;
  TDevice d;
  d.id = id;
  auto it = std::upper_bound(items_.begin(), items_.end(), id,
                             [](uint8_t v, const TDevice& x) { return v < x.id; });
  return &*items_.insert(it, d);
}

const TDevice* TDeviceList::Get(uint8_t id) const {
  for (const TDevice& d : items_)
    if (d.id == id) return &d;
  return nullptr;
}

std::vector<std::string> TDeviceList::IdTexts() const {
  std::vector<std::string> texts;
  texts.reserve(items_.size());
  for (const TDevice& d : items_) texts.push_back(DeviceIdText(d.id));
  return texts;
}

void TDeviceList::Sort() {
  std::stable_sort(items_.begin(), items_.end(), [](const TDevice& a, const TDevice& b) { return a.id < b.id; });
}

}  // namespace trivex
