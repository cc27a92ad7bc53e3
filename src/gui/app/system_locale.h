#pragma once
#include "lang/system_formats.h"

namespace trivex {

// The user's system formats read from the locale (C/POSIX: ISO date, ":" and ".").
SystemFormats SystemFormatsFromLocale();

}  // namespace trivex
