#pragma once
// Firmware version numbers are integers such as 1430, shown as "1.4.30":
// v / 1000, (v % 1000) / 100 and v % 100 with two digits.
#include <string>
#include <string_view>

namespace trivex {

std::string VersionText(int v);

// Reads "1.4.30" (blanks around it are ignored, anything after the two digits of the last part
// too) as 1430; any other shape gives 0.
int ParseVersion(std::string_view text);

}  // namespace trivex
