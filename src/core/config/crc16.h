#pragma once
// CRC-16 of file blocks, display dumps and measurement blocks: polynomial 0x1021, most
// significant bit first, table driven. The caller's start value is complemented before and
// the result after the run, so a start value of 0 behaves like a register of 0xFFFF with a
// final complement.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trivex {

uint16_t Crc16(const uint8_t* data, size_t size, uint16_t start = 0);
inline uint16_t Crc16(std::string_view bytes, uint16_t start = 0) {
  return Crc16(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), start);
}

}  // namespace trivex
