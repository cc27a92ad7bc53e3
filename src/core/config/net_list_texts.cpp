#include "config/net_list_texts.h"

#include "config/device_id.h"
#include "lang/format.h"
#include "lang/texts_netlist.h"

namespace trivex {

int BinaryInputShown(TSystemType type, int input) {
  if (type != stZYRDM || input <= 0) return input;
  return ((input - 1) / 16 + 1) * 100 + (input - 1) % 16 + 1;
}

int DmBinaryInputCode(int shown) {
  const int board = shown / 100, input = shown % 100;
  if (board < 1 || board > 8 || input < 1 || input > 16) return 0;
  return (board - 1) * 16 + input;
}

std::string SegmentTagsText(uint16_t tags) {
  std::string s;
  if (tags & kSegVoltage) s += 'U';
  if (tags & kSegBusbar) s += 'B';
  if (tags & kSegCurrent) s += 'I';
  return s;
}

std::string SegmentEntryText(const TSegment& seg) {
  std::string s = Format("%d\t%s", {seg.id, SegmentTagsText(seg.tags)});
  const bool u = seg.VoltageMeasured(), i = seg.CurrentMeasured();
  if (u || i) {
    s += '\t';
    s += DeviceIdText(seg.device);
    if (u && i) s += Format("U%d/I%d", {seg.voltage_input, seg.current_input});
    else if (u) s += Format("Une%d", {seg.voltage_input});
    else s += Format("Io%d", {seg.current_input});
  }
  return s;
}

std::string SwitchSourceText(TSystemType type, const TSchalter& s) {
  if (s.Virtual()) return Format("I&C:BI%3.3d", {static_cast<int>(s.input)});
  if (s.HasInput()) return DeviceIdText(s.device) + Format("BI%2.2d", {BinaryInputShown(type, s.input)});
  if (s.undefined) return lang::Tr(tx::netlist::Undefined);
  return lang::Tr(s.closed ? tx::netlist::Closed : tx::netlist::Open);
}

std::string SwitchEntryText(TSystemType type, const TSchalter& s) {
  return Format("%d\t%d-%d\t", {s.id, s.segment1, s.segment2}) + SwitchSourceText(type, s);
}

}  // namespace trivex
