#include "lang/lang.h"

#include <atomic>

namespace trivex::lang {
namespace {
std::atomic<int> g_language{German};

constexpr Text3 kNames[kLanguageCount] = {
    {"Deutsch", "German", "Tedesco"},
    {"Englisch", "English", "Inglese"},
    {"Italienisch", "Italian", "Italiano"},
};
constexpr Text3 kMenuCaption{"Sprache", "Language", "Lingua"};
}  // namespace

int CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }

void SetCurrentLanguage(int language) {
  if (language < 0 || language >= kLanguageCount) language = German;
  g_language.store(language, std::memory_order_relaxed);
}

const char* Tr(const Text3& text, int language) {
  switch (language) {
    case English: return text.en;
    case Italian: return text.it;
    default: return text.de;
  }
}

const char* Tr(const Text3& text) { return Tr(text, CurrentLanguage()); }

std::string_view ListItem(std::string_view list, int index) {
  if (index < 0) return {};
  size_t start = 0;
  for (int i = 0;; ++i) {
    size_t end = list.find("\r\n", start);
    if (i == index) return list.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (end == std::string_view::npos) return {};
    start = end + 2;
  }
}

int ListCount(std::string_view list) {
  if (list.empty()) return 0;
  int n = 1;
  for (size_t p = list.find("\r\n"); p != std::string_view::npos; p = list.find("\r\n", p + 2)) ++n;
  return n;
}

std::string TrItem(const Text3& text, int index) { return std::string(ListItem(Tr(text), index)); }

const char* LanguageName(int language) {
  if (language < 0 || language >= kLanguageCount) language = German;
  return Tr(kNames[language]);
}

const char* LanguageEnglishName(int language) {
  if (language < 0 || language >= kLanguageCount) language = German;
  return kNames[language].en;
}

const char* LanguageMenuCaption() { return Tr(kMenuCaption); }

}  // namespace trivex::lang
