#pragma once
// The exception of the link: misuse (an operation in the wrong state, a port number without
// entry) and a port that cannot be opened. Link failures during exchanges are result codes.
#include <stdexcept>
#include <string>

namespace trivex {

class ECommError : public std::runtime_error {
 public:
  explicit ECommError(const std::string& message, int system_error = 0)
      : std::runtime_error(message), system_error_(system_error) {}
  // The system's error number where the system refused (opening a port); else 0.
  int SystemError() const { return system_error_; }

 private:
  int system_error_;
};

}  // namespace trivex
