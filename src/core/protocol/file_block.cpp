#include "protocol/file_block.h"

#include "config/crc16.h"
#include "protocol/reply.h"

namespace trivex {

std::string Destuff(std::string_view in, bool* complete) {
  std::string out;
  out.reserve(in.size());
  bool stretch = false, next = false;
  for (char ch : in) {
    switch (ch) {
      case 0x01: next = true; break;
      case 0x02: stretch = true; break;
      case 0x03: stretch = false; break;
      default:
        out += (stretch || next) ? static_cast<char>(static_cast<unsigned char>(ch) - 32) : ch;
        next = false;
    }
  }
  if (complete) *complete = !next;
  return out;
}

std::string Stuff(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4 + 2);
  bool stretch = false;
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    if (!stretch && b < 32) {
      out += '\x02';
      stretch = true;
    } else if (stretch && b >= 224) {
      out += '\x03';
      stretch = false;
    }
    out += stretch ? static_cast<char>(b + 32) : ch;
  }
  if (stretch) out += '\x03';
  return out;
}

std::optional<std::string> DecodeFileBlock(std::string_view stuffed) {
  bool complete = true;
  std::string data = Destuff(stuffed, &complete);
  if (!complete || data.size() < 2) return std::nullopt;
  auto hi = static_cast<unsigned char>(data[data.size() - 2]);
  auto lo = static_cast<unsigned char>(data[data.size() - 1]);
  data.resize(data.size() - 2);
  if (Crc16(data) != (hi << 8 | lo)) return std::nullopt;
  return data;
}

std::string EncodeFileBlock(std::string_view data) {
  std::string block(data);
  uint16_t crc = Crc16(data);
  block += static_cast<char>(crc >> 8);
  block += static_cast<char>(crc & 0xFF);
  return Stuff(block);
}

bool CheckFileBlockReply(std::string& reply, int& result) {
  if (!reply::Accept(reply)) return false;
  auto data = DecodeFileBlock(reply);
  if (!data) {
    result = kResultCrcError;
    return false;
  }
  reply = std::move(*data);
  return true;
}

}  // namespace trivex
