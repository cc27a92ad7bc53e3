#pragma once
// Faults the simulator plays on request: no reply, a NAK, a reply with a wrong checksum, or
// a "<<" refusal, for the requests whose text contains a pattern, optionally only for the
// first N of them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trivex::sim {

enum class FaultKind { kNoReply, kNak, kBadChecksum, kRefuse };

class FaultInjector {
 public:
  // "KIND[:PATTERN[:COUNT]]" with KIND noreply|nak|badsum|refuse; PATTERN empty or "*" for
  // every request; COUNT how many matching requests get the fault (absent: all).
  bool Add(std::string_view text, std::string& error);
  void Clear() { faults_.clear(); }
  // The fault for this request, counted; none when no fault matches.
  std::optional<FaultKind> Take(std::string_view request);

 private:
  struct Fault {
    FaultKind kind;
    std::string pattern;
    long remaining;  // -1: always
  };
  std::vector<Fault> faults_;
};

}  // namespace trivex::sim
