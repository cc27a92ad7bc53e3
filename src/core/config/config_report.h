#pragma once
// The printed report of a configuration: general values, the device table, every function
// block's variables (from the variable tables) and the net list, as an HTML document.
#include <string>

#include "lang/date_time.h"

namespace trivex {

class TZyrData;

std::string ConfigReportHtml(const TZyrData& config, DateTime printed);

}  // namespace trivex
