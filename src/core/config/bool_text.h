#pragma once
// Boolean and yes/no texts.
#include <string_view>

namespace trivex {

// "TRUE" or "FALSE" (configuration files and device texts).
const char* BoolText(bool value);
// False for an empty text, "0", or a text whose first letter is N or F (either case);
// true for every other text. Blanks around the text are ignored.
bool ParseBoolText(std::string_view text);
// The program settings' reader: false for "", "0", "n", "no", "nein", "f", "false" and
// "falsch" (either case, blanks ignored), true otherwise.
bool ParseSettingsBool(std::string_view text);
// "Yes" / "No" in the current language.
const char* YesNoText(bool value);

}  // namespace trivex
