#include "config/net_list_groups.h"

#include <deque>
#include <map>
#include <utility>

#include "config/device_id.h"
#include "lang/format.h"
#include "lang/texts_netlist.h"

namespace trivex {

TAbgangGruppen FindAbgangGruppen(TNetListData& data, uint8_t master_id) {
  TAbgangGruppen result;
  for (TDevice& d : data.devices) d.feeder_groups = {};
  const TSegmentList& segs = data.segments;
  const int n = segs.Count();

  // The closed switches at each segment (index of the segment on the other side).
  std::vector<std::vector<std::pair<int, int>>> closed_at(static_cast<size_t>(n));
  for (int k = 0; k < data.switches.Count(); ++k) {
    const TSchalter& s = data.switches[k];
    if (!s.closed) continue;
    const int a = segs.IndexOf(s.segment1), b = segs.IndexOf(s.segment2);
    if (a < 0 || b < 0) continue;
    closed_at[static_cast<size_t>(a)].push_back({k, b});
    closed_at[static_cast<size_t>(b)].push_back({k, a});
  }
  std::vector<bool> dropped(static_cast<size_t>(data.switches.Count()));

  // The segments that the master's displacement voltage inputs 1..4 measure.
  std::map<int32_t, int> master_uen;
  if (const TDevice* m = data.devices.Get(master_id))
    for (int v = 4; v >= 1; --v)
      if (m->U(v).kind == kVoltUen && m->U(v).segment) master_uen[m->U(v).segment] = v;

  std::vector<int> measuring;
  for (int i = 0; i < n; ++i)
    if (segs[i].VoltageMeasured()) measuring.push_back(i);
  std::vector<bool> visited(static_cast<size_t>(n));
  size_t next = 0;

  while (static_cast<int>(result.groups.size()) < kMaxFeederGroups) {
    while (next < measuring.size() && visited[static_cast<size_t>(measuring[next])]) ++next;
    if (next == measuring.size()) break;
    const int start = measuring[next];
    TAbgangGruppe g;
    g.device = segs[start].device;
    g.voltage_input = segs[start].voltage_input;
    bool busbar = false;
    int measured = 0;
    std::deque<int> queue{start};
    visited[static_cast<size_t>(start)] = true;
    while (!queue.empty()) {
      const int i = queue.front();
      queue.pop_front();
      const TSegment& s = segs[i];
      if (s.VoltageMeasured()) {
        g.measurements.push_back(s.id);
        ++measured;
        auto it = master_uen.find(s.id);
        if (g.device != master_id && it != master_uen.end()) {
          g.device = master_id;
          g.voltage_input = it->second;
        }
      }
      for (auto [k, other] : closed_at[static_cast<size_t>(i)]) {
        if (dropped[static_cast<size_t>(k)]) continue;
        dropped[static_cast<size_t>(k)] = true;
        if (!visited[static_cast<size_t>(other)]) {
          visited[static_cast<size_t>(other)] = true;
          queue.push_back(other);
        }
      }
      busbar |= s.Busbar();
      if (s.CurrentMeasured()) g.feeders.push_back(s.id);
    }
    // A group that reaches no busbar is no group; its measurements stay unassigned.
    if (busbar) result.groups.push_back(std::move(g));
    else result.unassigned += measured;
  }
  for (int i : measuring)
    if (!visited[static_cast<size_t>(i)]) ++result.unassigned;

  // Feeder group numbers of every relay's current inputs 1..4.
  std::map<int32_t, int> group_of;
  for (size_t g = 0; g < result.groups.size(); ++g)
    for (int32_t f : result.groups[g].feeders) group_of[f] = static_cast<int>(g + 1);
  for (TDevice& d : data.devices)
    for (int c = 1; c <= kNetFeederGroupInputs; ++c) {
      const int32_t seg_id = d.I(c).segment;
      auto it = seg_id ? group_of.find(seg_id) : group_of.end();
      if (it == group_of.end()) continue;
      const TSegment* s = segs.Find(seg_id);
      const bool direct = s && s->device == d.id && s->current_input == c;
      d.feeder_groups[static_cast<size_t>(c - 1)] = static_cast<uint8_t>(direct ? it->second : 16 + it->second);
    }
  return result;
}

std::string GroupMeasurementText(const TAbgangGruppe& group) {
  return DeviceIdText(group.device) + Format("Une%d", {group.voltage_input});
}

std::string GroupFeedersText(const TNetListData& data, const TAbgangGruppe& group) {
  std::string s;
  for (int32_t id : group.feeders) {
    const TSegment* seg = data.segments.Find(id);
    if (!seg) continue;
    if (!s.empty()) s += ", ";
    s += DeviceIdText(seg->device) + Format("Io%d", {static_cast<int>(seg->current_input)});
  }
  return s.empty() ? std::string(lang::Tr(tx::netlist::Empty)) : s;
}

std::string FeederGroupText(uint8_t code) {
  if (code == 0) return "-";
  if (code > 16) return Format("s%d", {code - 16});
  return Format("%d", {static_cast<int>(code)});
}

}  // namespace trivex
