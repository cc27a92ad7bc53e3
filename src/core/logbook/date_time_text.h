#pragma once
// Reading a date-time text back in the pattern it was written with ("yyyy-mm-dd hh:nn:ss.zzz",
// "dd.mm.yyyy hh:nn:ss,zzz", ...): the numbers of the text are taken in the order of the
// pattern's fields; missing time fields are 0.
#include <string_view>

#include "lang/date_time.h"

namespace trivex {

// False when the text does not hold a valid date (and time) in the pattern's order. Patterns
// with month or weekday names are not read.
bool ParseDateTimeText(std::string_view text, std::string_view pattern, DateTime& out);

}  // namespace trivex
