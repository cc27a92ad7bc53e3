// The device logbook: "fread.+ log.h 0 *" (the ring header) and "fread.+ log N" (the record
// in ring slot N), escaped, and with a CRC-16 at the end where the device's firmware protects
// its logbook replies (regulators from 2.2.00, ZYR-D from 1.1.04, every other type always).
// Station file: "log events = N", "log mod = N", "log record = BYTES", "log first = SLOT",
// "log start = YYYY-MM-DD hh:mm:ss", "log interval = S", "log seed = N", "log type = NAME"
// ("log type = none": a device without logbook); a device with broken data: "log header =
// TEXT" (the header reply as it stands), "log slot N = HEX" (the raw reply for slot N).
// Options: --log-events N, --log-mod N, --log-bad-crc SLOT[:COUNT].
// Control lines: "addevents N [ID]" (to the device at the port without ID), "logcrc SLOT [COUNT]".
#include <charconv>
#include <string>
#include <vector>

#include "config/crc16.h"
#include "config/text_util.h"
#include "lang/date_time.h"
#include "logbook/date_time_text.h"
#include "logbook/logbook_fetch_exchange.h"
#include "protocol/device_identity.h"
#include "protocol/file_block.h"
#include "sim_device.h"
#include "sim_logbook.h"

namespace trivex::sim {
namespace {

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

template <typename T>
bool Number(std::string_view text, T& value) {
  auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

struct BrokenCrc {
  int slot;
  long remaining;  // -1: always
};
std::vector<BrokenCrc>& BrokenCrcs() {
  static std::vector<BrokenCrc> list;
  return list;
}

bool TakeBrokenCrc(int slot) {
  for (auto& b : BrokenCrcs()) {
    if (b.slot != slot || b.remaining == 0) continue;
    if (b.remaining > 0) --b.remaining;
    return true;
  }
  return false;
}

bool AddBrokenCrc(std::string_view slot, std::string_view count, std::string& error) {
  BrokenCrc b{0, -1};
  if (!Number(slot, b.slot) || b.slot < 0 || (!count.empty() && (!Number(count, b.remaining) || b.remaining < 0))) {
    error = "a broken logbook CRC needs SLOT[:COUNT]";
    return false;
  }
  BrokenCrcs().push_back(b);
  return true;
}

SimLogbook& LogOf(SimDevice& device) {
  SimLogbook& log = device.Ext<SimLogbook>();
  log.EnsureStarted(device);
  return log;
}

// The reply as the device sends it: escaped, with the CRC where the firmware adds one.
std::string Encode(const SimDevice& device, const std::string& data, bool spoil) {
  const VerDotInfo ver = ParseVerDotReply(device.type + ";" + device.version);
  if (!LogBinaryCheckMode(device.type, ver.version)) return Stuff(data);
  std::string block = data;
  uint16_t crc = Crc16(data);
  if (spoil) crc ^= 1;
  block += static_cast<char>(crc >> 8);
  block += static_cast<char>(crc & 0xFF);
  return Stuff(block);
}

bool LogCommands(ElementContext& ctx, std::string_view element, std::string& out) {
  const auto words = Words(element);
  if (words.size() < 3 || words[0] != "fread.+") return false;
  if (EqualsNoCase(words[1], "log.h")) {
    out += Encode(ctx.device, LogOf(ctx.device).HeaderText(ctx.device), false);
    return true;
  }
  if (!EqualsNoCase(words[1], "log") || words.size() != 3) return false;
  SimLogbook& log = LogOf(ctx.device);
  int slot = -1;
  if (!Number(words[2], slot) || slot < 0 || slot >= log.Mod()) {
    ctx.Refuse("Slot out of range");
    return true;
  }
  out += Encode(ctx.device, log.SlotBytes(slot), TakeBrokenCrc(slot));
  return true;
}

bool LogKey(SimDevice& device, std::string_view key, std::string_view value, std::string& error) {
  const auto words = Words(key);
  SimLogbook& log = device.Ext<SimLogbook>();
  SimLogConfig& c = log.config;
  log.configured = true;
  std::string_view what = words.size() >= 2 ? words[1] : std::string_view();
  value = TrimBlanks(value);
  bool ok = false;
  if (what == "slot" && words.size() == 3) {
    int slot = -1;
    std::string bytes;
    ok = Number(words[2], slot) && slot >= 0 && value.size() % 2 == 0;
    for (size_t i = 0; ok && i < value.size(); i += 2) {
      unsigned byte = 0;
      const auto r = std::from_chars(value.data() + i, value.data() + i + 2, byte, 16);
      ok = r.ec == std::errc() && r.ptr == value.data() + i + 2;
      bytes += static_cast<char>(byte);
    }
    if (ok) c.slot_override[slot] = bytes;
    if (!ok) error = "\"log slot N = HEX\" expected";
    return ok;
  }
  if (words.size() != 2) what = {};
  if (what == "header") {
    c.header_override = std::string(value);
    return true;
  }
  if (what == "events") ok = Number(value, c.events) && c.events >= 0;
  else if (what == "mod") ok = Number(value, c.mod) && c.mod > 0;
  else if (what == "record") ok = Number(value, c.record_bytes) && c.record_bytes >= 16 && c.record_bytes <= 256;
  else if (what == "first") ok = Number(value, c.first_slot) && c.first_slot >= 0;
  else if (what == "interval") ok = Number(value, c.interval) && c.interval > 0;
  else if (what == "seed") ok = Number(value, c.seed);
  else if (what == "type") {
    c.has_type = !EqualsNoCase(value, "none");
    c.type = c.has_type ? std::string(value) : std::string();
    ok = true;
  } else if (what == "start") {
    DateTime t;
    ok = ParseDateTimeText(value, "yyyy-mm-dd hh:nn:ss", t);
    if (ok) {
      const CivilTime civil = t.ToCivil();
      const int64_t days = DaysFromCivil(civil.year, civil.month, civil.day) - DaysFromCivil(1990, 1, 1);
      ok = days >= 0;
      c.start = static_cast<uint32_t>(days * 86400 + civil.hour * 3600 + civil.minute * 60 + civil.second);
    }
  }
  if (!ok) error = "\"log " + std::string(what) + " = " + std::string(value) + "\": unknown key or bad value";
  return ok;
}

bool EventsOption(std::string_view value, std::string& error) {
  if (Number(value, LogDefaults().events) && LogDefaults().events >= 0) return true;
  error = "--log-events needs a number";
  return false;
}

bool ModOption(std::string_view value, std::string& error) {
  if (Number(value, LogDefaults().mod) && LogDefaults().mod > 0) return true;
  error = "--log-mod needs a number above 0";
  return false;
}

bool BrokenCrcOption(std::string_view value, std::string& error) {
  const size_t colon = value.find(':');
  return AddBrokenCrc(value.substr(0, colon), colon == std::string_view::npos ? "" : value.substr(colon + 1), error);
}

// "addevents N [ID]"
bool AddEventsControl(SimStation& station, std::string_view line, std::string& error) {
  const auto words = Words(line);
  int count = 0;
  SimDevice* device = station.PortDevice();
  if (words.size() == 3) {
    size_t len = 0;
    const int address = ParseDeviceIdPrefix(words[2], len);
    device = address != 0 && len == words[2].size() ? station.Find(address) : nullptr;
  }
  if (words.size() < 2 || words.size() > 3 || !Number(words[1], count) || count < 0 || !device) {
    error = "addevents N [ID]: a count and an identifier of the station (\"A1:\")";
    return false;
  }
  LogOf(*device).AddEvents(*device, count);
  return true;
}

// "logcrc SLOT [COUNT]"
bool LogCrcControl(SimStation&, std::string_view line, std::string& error) {
  const auto words = Words(line);
  if (words.size() < 2 || words.size() > 3) {
    error = "logcrc SLOT [COUNT]";
    return false;
  }
  return AddBrokenCrc(words[1], words.size() == 3 ? words[2] : std::string_view(), error);
}

}  // namespace
}  // namespace trivex::sim

TRIVEX_SIM_HANDLER("logbook", 800, trivex::sim::LogCommands);
TRIVEX_SIM_STATION_KEY("log", trivex::sim::LogKey);
TRIVEX_SIM_OPTION("--log-events", "N",
                  "events in each device's logbook at start (default 200); the control line\n"
                  "                       \"addevents N [ID]\" adds N events (device at the port without ID)",
                  trivex::sim::EventsOption);
TRIVEX_SIM_OPTION("--log-mod", "N", "record slots of each device's logbook ring (default 64)",
                  trivex::sim::ModOption);
TRIVEX_SIM_OPTION("--log-bad-crc", "SLOT[:COUNT]",
                  "spoil the CRC of the logbook record reply of ring SLOT (\"fread.+ log SLOT\"),\n"
                  "                       for the first COUNT of them (default all); also the control line\n"
                  "                       \"logcrc SLOT [COUNT]\"",
                  trivex::sim::BrokenCrcOption);
TRIVEX_SIM_CONTROL("addevents", trivex::sim::AddEventsControl);
TRIVEX_SIM_CONTROL("logcrc", trivex::sim::LogCrcControl);
