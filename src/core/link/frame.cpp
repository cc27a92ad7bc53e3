#include "link/frame.h"

namespace trivex {

uint16_t ByteSum(std::string_view bytes, uint16_t start) {
  uint32_t sum = start;
  for (unsigned char c : bytes) sum += c;
  return static_cast<uint16_t>(sum);
}

uint16_t ReplyChecksum(uint8_t status, std::string_view text) {
  return static_cast<uint16_t>(ByteSum(text, status) + kSub);
}

std::string FormatChecksum(uint16_t sum) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out(4, '0');
  for (int i = 3; i >= 0; --i) {
    out[static_cast<size_t>(i)] = kDigits[sum & 0xF];
    sum = static_cast<uint16_t>(sum >> 4);
  }
  return out;
}

bool ParseChecksum(std::string_view digits, uint16_t& sum) {
  if (digits.size() != 4) return false;
  uint16_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return false;
    v = static_cast<uint16_t>((v << 4) | d);
  }
  sum = v;
  return true;
}

std::string BuildRequestFrame(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  out += static_cast<char>(kStx);
  out += static_cast<char>(kSyn);
  out += static_cast<char>(kSyn);
  out += text;
  out += static_cast<char>(kLf);
  out += FormatChecksum(RequestChecksum(text));
  return out;
}

std::string BuildReplyFrame(uint8_t status, std::string_view text) {
  std::string out;
  out.reserve(text.size() + 6);
  out += static_cast<char>(status);
  out += text;
  out += static_cast<char>(kSub);
  out += FormatChecksum(ReplyChecksum(status, text));
  return out;
}

void ReplyAssembler::Reset() { *this = ReplyAssembler(); }

bool ReplyAssembler::Feed(const uint8_t* data, size_t size) {
  size_t i = 0;
  if (complete_) return true;
  if (!started_ && size > 0) {
    // No search for a start byte: pending input was discarded before the request went out,
    // so the first byte that arrives is the status byte.
    started_ = true;
    status_ = data[0];
    sum_ = status_;
    i = 1;
  }
  for (; i < size; ++i) {
    uint8_t b = data[i];
    if (!sub_seen_) {
      sum_ = static_cast<uint16_t>(sum_ + b);
      if (b == kSub) sub_seen_ = true;
      else text_ += static_cast<char>(b);
      continue;
    }
    digits_ += static_cast<char>(b);
    if (digits_.size() == 4) {
      complete_ = true;
      uint16_t given = 0;
      if (status_ != kAck) result_ = -3;
      else if (!ParseChecksum(digits_, given)) result_ = -4;  // not hexadecimal: a corrupted reply
      else result_ = given == sum_ ? 0 : -4;
      return true;
    }
  }
  return false;
}

}  // namespace trivex
