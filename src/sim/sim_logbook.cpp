#include "config/device_time.h"
#include "sim_logbook.h"

#include <algorithm>
#include <cstring>

#include "config/text_util.h"
#include "lang/date_time.h"
#include "lang/format.h"
#include "sim_device.h"

namespace trivex::sim {
namespace {

using Bytes = std::vector<uint8_t>;


uint32_t DefaultStart() {
  return static_cast<uint32_t>((DaysFromCivil(2024, 3, 1) - DaysFromCivil(1990, 1, 1)) * 86400 + 8 * 3600);
}

enum class Family { kZyrD, kZyrDm, kRegulator };

Family FamilyOf(const std::string& type) {
  if (EqualsNoCase(type, "ZYR-DM")) return Family::kZyrDm;
  if (EqualsNoCase(type, "VAD-AZ") || EqualsNoCase(type, "ZED-UDE")) return Family::kRegulator;
  return Family::kZyrD;
}

// An everyday event of the family; `r` is a random number.
void MakeEvent(Family family, uint32_t r, uint16_t& code, Bytes& d) {
  d.clear();
  const unsigned pick = r % 6;
  const float value = static_cast<float>(r % 97);
  switch (family) {
    case Family::kZyrD:
      switch (pick) {
        case 0: code = 17; d = {0x32, 0}; AppendBEFloat(d, 200.0f + value); break;
        case 1: code = 18; d = {0x32, 0}; break;
        case 2: code = 148; AppendBE16(d, 1); d.push_back(static_cast<uint8_t>(1 + r % 40)); d.push_back(0);
                AppendBE16(d, 0x0010); AppendBE32(d, r % 100000); break;
        case 3: code = 65; break;
        case 4: code = 24; d = {0x12, 1}; AppendBEFloat(d, 100); AppendBE16(d, 1); d.push_back(1); d.push_back(1); AppendBE16(d, 1);
                AppendBEFloat(d, 1.5f); AppendBEFloat(d, 0.5f); break;
        default: code = 273; AppendBE32(d, r); break;
      }
      break;
    case Family::kZyrDm:
      switch (pick) {
        case 0: code = 270; break;
        case 1: code = 269; break;
        case 2: code = 277; d = {0x05, 0x04}; break;
        case 3: code = 32; d = {0x12, 0x01, 0x01, 0, 0, 0x01}; AppendBEFloat(d, 2.0f + value / 10); AppendBEFloat(d, 0); break;
        case 4: code = 12; AppendBE16(d, 0); break;
        default: code = 512; d = {0x05, static_cast<uint8_t>(r % 10)}; break;
      }
      break;
    case Family::kRegulator:
      switch (pick) {
        case 0: code = 0xC002; break;
        case 1: code = 0x4002; break;
        case 2: code = 0x4001; AppendBE32(d, r & 0xFFFF); break;
        case 3: code = 256 + 2; AppendBE16(d, 2); AppendBE16(d, 0); break;
        case 4: code = 5; AppendBEFloat(d, 1); AppendBEFloat(d, 2 + value / 10); AppendBEFloat(d, 3); AppendBEFloat(d, 0); break;
        default: code = 3; AppendBE16(d, 2210); AppendBE16(d, 2199); break;
      }
      break;
  }
}

}  // namespace

SimLogDefaults& LogDefaults() {
  static SimLogDefaults defaults;
  return defaults;
}

void SimLogbook::EnsureStarted(const SimDevice& device) {
  if (started_) return;
  started_ = true;
  mod_ = config.mod > 0 ? config.mod : LogDefaults().mod;
  record_bytes_ = std::clamp(config.record_bytes & ~1, 16, 256);
  next_number_ = static_cast<uint64_t>(std::max(config.first_slot, 0));
  last_time_ = (config.start ? config.start : DefaultStart()) - static_cast<uint32_t>(std::max(config.interval, 1));
  rng_ = config.seed ? config.seed : 1;
  AddEvents(device, config.events >= 0 ? config.events : LogDefaults().events);
}

void SimLogbook::AddEvents(const SimDevice& device, int count) {
  EnsureStarted(device);
  const Family family = FamilyOf(device.type);
  Bytes data;
  for (int n = 0; n < count; ++n) {
    rng_ = rng_ * 1103515245u + 12345u;
    const uint32_t r = rng_ >> 8;
    uint16_t code = 0;
    MakeEvent(family, r, code, data);
    const int interval = std::max(config.interval, 1);
    const uint32_t step = 1 + r % static_cast<uint32_t>(2 * interval);
    AddEvent(last_time_ + step, static_cast<uint16_t>(r % 1000), code, data);
  }
}

void SimLogbook::StartRecord(uint32_t time) {
  Record r;
  r.time = time;
  r.data.reserve(static_cast<size_t>(record_bytes_));
  ring_.push_back(std::move(r));
  ++next_number_;
  if (ring_.size() > static_cast<size_t>(mod_)) ring_.pop_front();
}

void SimLogbook::AddEvent(uint32_t secs, uint16_t msecs, uint16_t code, const std::vector<uint8_t>& data) {
  Bytes e;
  AppendBE32(e, secs);
  AppendBE16(e, msecs);
  AppendBE16(e, code);
  AppendBE16(e, static_cast<unsigned>(data.size()));
  e.insert(e.end(), data.begin(), data.end());
  AppendBE16(e, static_cast<unsigned>(data.size() + 12));
  size_t pos = 0;
  while (pos < e.size()) {
    if (ring_.empty() || ring_.back().data.size() >= static_cast<size_t>(record_bytes_)) StartRecord(secs);
    Record& r = ring_.back();
    if (pos == 0 && r.first_event < 0) r.first_event = static_cast<int>(r.data.size());
    const size_t n = std::min(e.size() - pos, static_cast<size_t>(record_bytes_) - r.data.size());
    r.data.append(reinterpret_cast<const char*>(e.data() + pos), n);
    pos += n;
  }
  last_time_ = secs;
  bis_ = secs;
  ++events_written_;
}

int SimLogbook::Fi() const {
  if (ring_.empty()) return 0;
  return static_cast<int>((next_number_ - ring_.size()) % static_cast<uint64_t>(mod_));
}

int SimLogbook::Li() const {
  if (ring_.empty()) return 0;
  return static_cast<int>((next_number_ - 1) % static_cast<uint64_t>(mod_));
}

uint32_t SimLogbook::Von() const { return ring_.empty() ? 0 : ring_.front().time; }

std::string SimLogbook::SlotBytes(int slot) const {
  std::string out(8, '\0');
  out[4] = 1;  // version
  if (auto it = config.slot_override.find(slot); it != config.slot_override.end()) return it->second;
  if (ring_.empty() || slot < 0 || slot >= mod_) return out;
  const size_t offset = static_cast<size_t>((slot - Fi() + mod_) % mod_);
  if (offset >= ring_.size()) return out;
  const Record& r = ring_[offset];
  const uint32_t t = r.time;
  out[0] = static_cast<char>(t >> 24);
  out[1] = static_cast<char>(t >> 16);
  out[2] = static_cast<char>(t >> 8);
  out[3] = static_cast<char>(t);
  out[5] = static_cast<char>(r.data.size() / 2);
  const int feo = r.first_event < 0 ? 0xFFFF : r.first_event;  // 0xFFFF: no event begins here
  out[6] = static_cast<char>(feo >> 8);
  out[7] = static_cast<char>(feo);
  return out + r.data;
}

std::string SimLogbook::HeaderText(const SimDevice& device) const {
  if (!config.header_override.empty()) return config.header_override;
  std::string id = device.Identifier();
  id.pop_back();  // without its colon
  const std::string type = !config.has_type ? std::string() : config.type.empty() ? device.type : config.type;
  return Format("id=%s;name=%s;grp=%s;typ=%s;ver=%d;fi=%d;li=%d;mod=%u;von=%u;bis=%u;closed=0",
                {id, device.name, "Events", type, 1, Fi(), Li(), static_cast<unsigned>(mod_), Von(), Bis()});
}

}  // namespace trivex::sim
