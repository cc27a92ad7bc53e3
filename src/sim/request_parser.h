#pragma once
// The device side of the frame: finds STX and the SYN SYN after it (which the raw sending of
// the framed mode leaves out), collects the request text up to LF and the four checksum
// characters after it. A frame whose LF is followed by silence (or by the
// next STX) before any checksum character is a frame without checksum, as the raw sending
// of the framed mode writes it.
#include <cstdint>
#include <string>
#include <vector>

namespace trivex::sim {

struct RequestFrame {
  std::string text;
  bool has_checksum = false;
  bool checksum_ok = false;
  std::string raw;  // every byte of the frame as it arrived
};

class RequestParser {
 public:
  // Takes one byte. Completed frames are appended to `frames`; bytes outside any frame to
  // `outside` (raw commands such as a modem's AT lines).
  void Feed(uint8_t byte, std::vector<RequestFrame>& frames, std::string& outside);
  // The line has been quiet for a while: a frame waiting for its checksum ends here.
  void Idle(std::vector<RequestFrame>& frames);
  // True while a frame's text is complete and its checksum characters are awaited.
  bool AwaitingChecksum() const { return state_ == State::kChecksum; }
  bool InFrame() const { return state_ != State::kIdle; }

 private:
  enum class State { kIdle, kSyn1, kSyn2, kText, kChecksum };
  void Finish(std::vector<RequestFrame>& frames);
  State state_ = State::kIdle;
  RequestFrame cur_;
  std::string digits_;
};

}  // namespace trivex::sim
