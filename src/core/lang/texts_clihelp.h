#pragma once
#include "lang/texts.h"

namespace trivex::tx::clihelp {
#define TX(id, de, en, it) inline constexpr ::trivex::lang::Text3 id{de, en, it};
#include "lang/texts_clihelp.def"
#undef TX
}  // namespace trivex::tx::clihelp
