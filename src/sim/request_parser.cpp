#include "request_parser.h"

#include "link/frame.h"

namespace trivex::sim {

void RequestParser::Finish(std::vector<RequestFrame>& frames) {
  cur_.has_checksum = !digits_.empty();
  uint16_t given = 0;
  cur_.checksum_ok = ParseChecksum(digits_, given) && given == RequestChecksum(cur_.text);
  frames.push_back(std::move(cur_));
  cur_ = RequestFrame();
  digits_.clear();
  state_ = State::kIdle;
}

void RequestParser::Feed(uint8_t b, std::vector<RequestFrame>& frames, std::string& outside) {
  if (b == kCan) {  // the PC abandons whatever it was sending
    cur_ = RequestFrame();
    digits_.clear();
    state_ = State::kIdle;
    return;
  }
  if (b == kStx && state_ != State::kText) {
    if (state_ == State::kChecksum) Finish(frames);
    cur_ = RequestFrame();
    cur_.raw += static_cast<char>(b);
    state_ = State::kSyn1;
    return;
  }
  switch (state_) {
    case State::kIdle:
      outside += static_cast<char>(b);
      return;
    case State::kSyn1:
    case State::kSyn2:
      // The framed exchange sends STX SYN SYN; the raw send of the framed mode only STX.
      cur_.raw += static_cast<char>(b);
      if (b == kSyn) {
        state_ = state_ == State::kSyn1 ? State::kSyn2 : State::kText;
        return;
      }
      state_ = State::kText;
      if (b == kLf) state_ = State::kChecksum;
      else cur_.text += static_cast<char>(b);
      return;
    case State::kText:
      cur_.raw += static_cast<char>(b);
      if (b == kLf) state_ = State::kChecksum;
      else cur_.text += static_cast<char>(b);
      return;
    case State::kChecksum:
      cur_.raw += static_cast<char>(b);
      digits_ += static_cast<char>(b);
      if (digits_.size() == 4) Finish(frames);
      return;
  }
}

void RequestParser::Idle(std::vector<RequestFrame>& frames) {
  if (state_ == State::kChecksum) Finish(frames);
}

}  // namespace trivex::sim
