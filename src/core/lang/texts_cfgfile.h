#pragma once
#include "lang/texts.h"

namespace trivex::tx::cfgfile {
#define TX(id, de, en, it) inline constexpr ::trivex::lang::Text3 id{de, en, it};
#include "lang/texts_cfgfile.def"
#undef TX
}  // namespace trivex::tx::cfgfile
