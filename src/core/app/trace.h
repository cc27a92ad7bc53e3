#pragma once
// Trace output for developers: lines go to standard error when the environment variable
// TRIVEX_TRACE is set, and nowhere otherwise.
#include <string_view>

namespace trivex {

bool TraceEnabled();
void Trace(std::string_view line);

}  // namespace trivex
