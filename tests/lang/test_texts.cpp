// Every entry of every text table: three non-empty strings with the same placeholders in
// the same order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/lang.h"

namespace {

struct Entry {
  const char* table;
  const char* id;
  const char* s[3];
};

std::vector<Entry> AllEntries() {
  std::vector<Entry> all;
  const char* table = "";
#define TRIVEX_TEXT_TABLE(name) table = name;
#define TX(id, de, en, it) all.push_back(Entry{table, #id, {de, en, it}});
#include "all_text_tables.inc"
#undef TX
#undef TRIVEX_TEXT_TABLE
  return all;
}

// The placeholders of a format text in order: "%s", "%1:s", "%.1f", "%-*d", ...
std::vector<std::string> Placeholders(const std::string& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') continue;
    if (i + 1 < s.size() && s[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < s.size() && std::string("0123456789:-.*").find(s[j]) != std::string::npos) ++j;
    if (j < s.size() && std::string("sdugfxXenm").find(s[j]) != std::string::npos) {
      out.push_back(s.substr(i, j - i + 1));
      i = j;
    }
  }
  return out;
}

TEST(TextTables, EveryEntryHasThreeStringsWithTheSamePlaceholders) {
  auto all = AllEntries();
  ASSERT_FALSE(all.empty());
  for (const auto& e : all) {
    SCOPED_TRACE(std::string(e.table) + ": " + e.id);
    for (int l = 0; l < 3; ++l) EXPECT_STRNE(e.s[l], "") << "language " << l;
    auto en = Placeholders(e.s[1]);
    EXPECT_EQ(Placeholders(e.s[0]), en) << "German";
    EXPECT_EQ(Placeholders(e.s[2]), en) << "Italian";
    // Drop-down lists have the same number of items in every language.
    EXPECT_EQ(trivex::lang::ListCount(e.s[0]), trivex::lang::ListCount(e.s[1]));
    EXPECT_EQ(trivex::lang::ListCount(e.s[2]), trivex::lang::ListCount(e.s[1]));
  }
}

TEST(Language, NumberOutsideRangeIsGerman) {
  for (int n : {-1, 3, 200}) {
    trivex::lang::SetCurrentLanguage(2);
    trivex::lang::SetCurrentLanguage(n);
    EXPECT_EQ(trivex::lang::CurrentLanguage(), 0);
  }
  trivex::lang::SetCurrentLanguage(2);
  EXPECT_STREQ(trivex::lang::LanguageName(0), "Tedesco");
  EXPECT_STREQ(trivex::lang::LanguageMenuCaption(), "Lingua");
  trivex::lang::SetCurrentLanguage(0);
}

}  // namespace
