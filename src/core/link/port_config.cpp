#include "link/port_config.h"

#include <charconv>
#include <vector>

#include "lang/format.h"

namespace trivex {

std::string PortSettingsText(const TPortConfig& c) {
  static const char kParity[] = "NOEMS";
  std::string parity = !c.parity_check ? "N" : c.parity <= 4 ? std::string(1, kParity[c.parity]) : "?";
  const char* stop = c.stop_bits == 0 ? "1" : c.stop_bits == 1 ? "1.5" : c.stop_bits == 2 ? "2" : "?";
  const bool xon = c.xon_xoff_out && c.xon_xoff_in;
  const bool xoff = !c.xon_xoff_out && !c.xon_xoff_in;
  const char* hs = "?";
  if (!c.cts_flow && xoff && c.rts_control == kRtsOff) hs = "-";
  else if (!c.cts_flow && xon && c.rts_control == kRtsOff) hs = "Xon/Xoff-";
  else if (!c.cts_flow && xoff && c.rts_control == kRtsOn) hs = "+";
  else if (!c.cts_flow && xon && c.rts_control == kRtsOn) hs = "Xon/Xoff+";
  else if (c.cts_flow && xoff && c.rts_control == kRtsHandshake) hs = "RTS/CTS";
  else if (!c.cts_flow && xoff && c.rts_control == kRtsToggle) hs = "RS485";
  return Format("%d, %s, %d, %s, %s", {c.baud, parity, static_cast<int>(c.data_bits), stop, hs});
}

std::string PortConfigToText(const TPortConfig& c) {
  return Format("1,%u,%d,%d,%d,%d,%d,%d,%d,%d",
                {c.baud, static_cast<int>(c.data_bits), static_cast<int>(c.parity),
                 static_cast<int>(c.stop_bits), c.parity_check ? 1 : 0, c.cts_flow ? 1 : 0,
                 c.xon_xoff_out ? 1 : 0, c.xon_xoff_in ? 1 : 0, static_cast<int>(c.rts_control)});
}

std::optional<TPortConfig> PortConfigFromText(std::string_view text) {
  std::vector<uint32_t> f;
  size_t i = 0;
  while (i <= text.size()) {
    size_t comma = text.find(',', i);
    if (comma == std::string_view::npos) comma = text.size();
    std::string_view part = text.substr(i, comma - i);
    uint32_t v = 0;
    auto [p, ec] = std::from_chars(part.data(), part.data() + part.size(), v);
    if (part.empty() || ec != std::errc() || p != part.data() + part.size()) return std::nullopt;
    f.push_back(v);
    i = comma + 1;
  }
  if (f.size() != 10 || f[0] != 1) return std::nullopt;
  auto flag = [](uint32_t v) { return v <= 1; };
  if (f[1] < 50 || f[1] > 4000000 || f[2] < 5 || f[2] > 8 || f[3] > 4 || f[4] > 2 || !flag(f[5]) ||
      !flag(f[6]) || !flag(f[7]) || !flag(f[8]) || f[9] > 3)
    return std::nullopt;
  TPortConfig c;
  c.baud = f[1];
  c.data_bits = static_cast<uint8_t>(f[2]);
  c.parity = static_cast<uint8_t>(f[3]);
  c.stop_bits = static_cast<uint8_t>(f[4]);
  c.parity_check = f[5] != 0;
  c.cts_flow = f[6] != 0;
  c.xon_xoff_out = f[7] != 0;
  c.xon_xoff_in = f[8] != 0;
  c.rts_control = static_cast<uint8_t>(f[9]);
  return c;
}

void ApplyHandshakeRules(TPortConfig& c, bool rts_option, bool rs485_option) {
  if (c.xon_xoff_out && c.xon_xoff_in && !c.cts_flow) c.rts_control = rts_option ? kRtsOn : kRtsOff;
  if (!c.xon_xoff_out && !c.xon_xoff_in && !c.cts_flow && c.rts_control != kRtsHandshake)
    c.rts_control = rs485_option ? kRtsToggle : rts_option ? kRtsOn : kRtsOff;
}

}  // namespace trivex
