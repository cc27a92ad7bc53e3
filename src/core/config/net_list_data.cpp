#include "config/net_list_data.h"

namespace trivex {

void TNetListData::Clear() {
  segments.Clear();
  switches.Clear();
  devices.Clear();
  virtual_inputs = {};
  switches_incomplete = false;
}

void TNetListData::Refresh() {
  for (TSchalter& s : switches) {
    if (!s.HasInput()) continue;
    if (s.device == 0) {
      s.inverted = virtual_inputs[s.input].inverted;
    } else if (const TDevice* d = devices.Get(s.device); d && s.input <= kNetBinaryInputs) {
      s.inverted = d->BI(s.input).inverted;
    }
  }
}

}  // namespace trivex
