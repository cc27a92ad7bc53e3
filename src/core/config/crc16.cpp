#include "config/crc16.h"

#include <array>

namespace trivex {
namespace {
constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> t{};
  for (unsigned i = 0; i < 256; ++i) {
    uint16_t r = static_cast<uint16_t>(i << 8);
    for (int b = 0; b < 8; ++b) r = static_cast<uint16_t>((r & 0x8000) ? (r << 1) ^ 0x1021 : r << 1);
    t[i] = r;
  }
  return t;
}
constexpr auto kTable = MakeTable();
}  // namespace

uint16_t Crc16(const uint8_t* data, size_t size, uint16_t start) {
  uint16_t crc = static_cast<uint16_t>(~start);
  for (size_t i = 0; i < size; ++i)
    crc = static_cast<uint16_t>((crc << 8) ^ kTable[((crc >> 8) ^ data[i]) & 0xFF]);
  return static_cast<uint16_t>(~crc);
}

}  // namespace trivex
