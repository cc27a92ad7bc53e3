#pragma once
// Three-language texts. Every user-visible text is one Text3 entry (German, English,
// Italian) and is looked up by the program-wide language number at the moment it is shown.
#include <string>
#include <string_view>

namespace trivex::lang {

struct Text3 {
  const char* de;
  const char* en;
  const char* it;
};

enum Language : int { German = 0, English = 1, Italian = 2 };
constexpr int kLanguageCount = 3;

// The program-wide language number (0 German, 1 English, 2 Italian; default German).
int CurrentLanguage();
// Stores the number; anything outside 0..2 is taken as 0.
void SetCurrentLanguage(int language);

// The string of the current language (or of the given one).
const char* Tr(const Text3& text);
const char* Tr(const Text3& text, int language);

// A text used as a drop-down list holds its items separated by CR LF; returns item `index`
// of the current language, or an empty string when there is no such item.
std::string TrItem(const Text3& text, int index);
// Splits a CR LF list text into its items.
std::string_view ListItem(std::string_view list, int index);
int ListCount(std::string_view list);

// The name of `language` in the current language ("Deutsch", "English", "Italiano", ...).
const char* LanguageName(int language);
// The English short name used for menu object names ("German", "English", "Italian").
const char* LanguageEnglishName(int language);
// The language menu's caption in the current language.
const char* LanguageMenuCaption();

}  // namespace trivex::lang
