#pragma once
// Writes a stack trace into a report file of the user's data folder when the program dies
// of a fatal signal; the error report window lists those files.
#include <string>
#include <vector>

namespace trivex {

// Installs the handler; reports go to `folder` (created when missing).
void InstallCrashHandler(const std::string& folder, const std::string& version);
// The report files in `folder`, newest first.
std::vector<std::string> CrashReports(const std::string& folder);

}  // namespace trivex
