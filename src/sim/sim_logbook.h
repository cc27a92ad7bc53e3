#pragma once
// The logbook of a simulated device: a ring of `mod` records of up to `record_bytes` data
// bytes each, filled with an event stream the way a device writes it. Events are generated
// for the device's family (ZYR-D, ZYR-DM, regulator) from a seed, and more can be added while
// the simulator runs. Record n (counted from the first record ever written) lives in slot
// n mod `mod`; once the ring is full the oldest record is overwritten.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace trivex::sim {

class SimDevice;

struct SimLogConfig {
  int events = -1;          // events written at start (-1: the simulator's default)
  int mod = -1;             // ring slots (-1: the simulator's default)
  int record_bytes = 256;   // data bytes per record: even, 16..256
  int first_slot = 0;       // slot of the first record ever written
  uint32_t start = 0;       // device time of the first event (0: 2024-03-01 08:00:00)
  int interval = 37;        // mean seconds between two events
  uint32_t seed = 1;
  bool has_type = true;     // false: the header names no type (a device without logbook)
  std::string type;         // type named in the header (empty: the device's type)
  // Replies given as they stand instead of the ring's (a device with broken data): the
  // header text, and the raw bytes of single slots.
  std::string header_override;
  std::map<int, std::string> slot_override;
};

class SimLogbook {
 public:
  SimLogConfig config;
  bool configured = false;  // the station file set something

  // Writes the start events once (with the simulator's defaults for what the station file
  // left open).
  void EnsureStarted(const SimDevice& device);
  // Appends generated events of the device's family.
  void AddEvents(const SimDevice& device, int count);
  // Appends one event (code, data of even length) at the given time.
  void AddEvent(uint32_t secs, uint16_t msecs, uint16_t code, const std::vector<uint8_t>& data);

  int Mod() const { return mod_; }
  bool Empty() const { return ring_.empty(); }
  int Fi() const;
  int Li() const;
  uint32_t Von() const;
  uint32_t Bis() const { return bis_; }
  uint64_t EventCount() const { return events_written_; }
  // The record in `slot` as a device sends it (8-byte header and data); a header without
  // data words when the slot holds no record.
  std::string SlotBytes(int slot) const;
  // The ring header in the log file's header text form.
  std::string HeaderText(const SimDevice& device) const;

 private:
  struct Record {
    uint32_t time = 0;
    int first_event = -1;  // -1: no event begins here (yet)
    std::string data;
  };
  void StartRecord(uint32_t time);

  std::deque<Record> ring_;   // oldest first, at most mod_ records
  uint64_t next_number_ = 0;  // number of the record that comes after ring_.back()
  int mod_ = 64;
  int record_bytes_ = 256;
  bool started_ = false;
  uint32_t last_time_ = 0;
  uint32_t bis_ = 0;
  uint32_t rng_ = 1;
  uint64_t events_written_ = 0;
};

// The simulator's defaults for devices whose station section does not set them (options
// --log-events and --log-mod).
struct SimLogDefaults {
  int events = 200;
  int mod = 64;
};
SimLogDefaults& LogDefaults();

}  // namespace trivex::sim
