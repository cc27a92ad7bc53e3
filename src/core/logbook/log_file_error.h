#pragma once
// Inconsistent log data: an event that runs past the end of the records, a broken trailer,
// event data that is shorter than its kind needs.
#include <stdexcept>

namespace trivex {

class ELogFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace trivex
