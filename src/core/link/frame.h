#pragma once
// The framed request/reply exchange on the wire.
//
// A request travels as STX SYN SYN, the request text, LF and its checksum as four upper-case
// hexadecimal digits. The checksum is a 16-bit sum that starts at 10 (the LF) and adds every
// byte of the text. The device answers with a status byte (ACK when it accepted the request),
// the reply text, SUB and four hexadecimal digits of a 16-bit sum over the status byte, the
// text and the SUB.
//
//   request "abc"  ->  02 16 16 'a' 'b' 'c' 0A "0130"
//   reply   "ok"   ->  06 'o' 'k' 1A "00FA"
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trivex {

inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kLf = 0x0A;
inline constexpr uint8_t kCr = 0x0D;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kSyn = 0x16;
inline constexpr uint8_t kCan = 0x18;
inline constexpr uint8_t kSub = 0x1A;

// 16-bit sum over the bytes, added to `start`, wrapping at 65536.
uint16_t ByteSum(std::string_view bytes, uint16_t start);
// Checksum of a request text: the sum over the text and its terminating LF.
inline uint16_t RequestChecksum(std::string_view text) { return ByteSum(text, kLf); }
// Checksum of a reply: the sum over status byte, text and SUB.
uint16_t ReplyChecksum(uint8_t status, std::string_view text);

// Four upper-case hexadecimal digits.
std::string FormatChecksum(uint16_t sum);
// Reads exactly four hexadecimal digits (either case); false for anything else.
bool ParseChecksum(std::string_view digits, uint16_t& sum);

// The bytes of a framed request and of a device's framed reply.
std::string BuildRequestFrame(std::string_view text);
std::string BuildReplyFrame(uint8_t status, std::string_view text);

// Collects a device's reply from bytes that arrive in pieces of any size. The first byte is
// the status byte; the reply is complete when the four checksum characters after the SUB
// have arrived. Bytes after that are ignored.
class ReplyAssembler {
 public:
  void Reset();
  // Takes the next bytes; true once the reply is complete.
  bool Feed(const uint8_t* data, size_t size);
  bool Complete() const { return complete_; }
  bool Started() const { return started_; }
  // Once complete: 0 accepted and checksum right, -3 status not ACK, -4 checksum wrong (also
  // when the checksum characters are not hexadecimal digits).
  int Result() const { return result_; }
  uint8_t Status() const { return status_; }
  // The bytes between the status byte and the SUB.
  const std::string& Text() const { return text_; }

 private:
  bool started_ = false;
  bool sub_seen_ = false;
  bool complete_ = false;
  uint8_t status_ = 0;
  uint16_t sum_ = 0;
  int result_ = 0;
  std::string text_;
  std::string digits_;
};

}  // namespace trivex
