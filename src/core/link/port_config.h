#pragma once
// The line settings of one serial port, as the port table keeps them and the settings store
// holds them (value "Com%dSettings").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trivex {

enum TRtsControl : uint8_t { kRtsOff = 0, kRtsOn = 1, kRtsHandshake = 2, kRtsToggle = 3 };

struct TPortConfig {
  uint32_t baud = 9600;
  uint8_t data_bits = 8;
  uint8_t parity = 0;      // 0 none, 1 odd, 2 even, 3 mark, 4 space
  uint8_t stop_bits = 0;   // 0 one, 1 one and a half, 2 two
  bool parity_check = false;
  bool cts_flow = false;
  bool xon_xoff_out = false;
  bool xon_xoff_in = false;
  uint8_t rts_control = kRtsOff;

  bool operator==(const TPortConfig&) const = default;
};

// The settings text of the status line: "9600, N, 8, 1, -".
std::string PortSettingsText(const TPortConfig& c);

// The stored form: "1,<baud>,<data bits>,<parity>,<stop bits>,<parity check>,<CTS flow>,
// <XON/XOFF out>,<XON/XOFF in>,<RTS control>" (the first field is the record's version).
std::string PortConfigToText(const TPortConfig& c);
// Reads the stored form; nothing for a text of another version, shape or range.
std::optional<TPortConfig> PortConfigFromText(std::string_view text);

// The handshake rules of the "RTS always on" and "RTS on send (RS485)" options: ports with
// XON/XOFF get RTS on or off, ports without handshake get RS485 toggling, RTS on or off;
// ports with RTS/CTS are left alone.
void ApplyHandshakeRules(TPortConfig& c, bool rts_option, bool rs485_option);

}  // namespace trivex
