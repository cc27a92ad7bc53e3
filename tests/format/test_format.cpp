#include <gtest/gtest.h>

#include <clocale>

#include "config/date_time_formats.h"
#include "lang/date_time.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/system_formats.h"

namespace trivex {
namespace {


TEST(Format, Specifiers) {
  const std::pair<std::string, std::string> cases[] = {
      {Format("%s=%d", {"ZyrWLog", 3}), "ZyrWLog=3"},
      {Format("%u", {-1}), "4294967295"},               // unsigned 32-bit view
      {Format("%x/%X", {255, 48879}), "FF/BEEF"},       // both upper case
      {Format("%.4x", {10}), "000A"},
      {Format("%.2d", {5}), "05"},
      {Format("%d.%d.%.2d", {1, 4, 30}), "1.4.30"},
      {Format("[%5d][%-5d][%05d]", {42, 42, -42}), "[   42][42   ][-0042]"},
      {Format("[%*d][%-*s]", {4, 7, 3, "ab"}), "[   7][ab ]"},
      {Format("[%*s]", {-3, "x"}), "[x  ]"},
      {Format("%.*f", {3, 2.0}), "2.000"},
      {Format("%2.2d:%2.2d", {1, 5}), "01:05"},
      {Format("%.3s", {"abcdef"}), "abc"},
      {Format("%-5s|%3s|%.2s", {"ä", "ü", "äöü"}), "ä    |  ü|äö"},  // widths in characters
      {Format("100%%", {}), "100%"},
      {Format("%f|%.1f|%.0f", {3.14159, 0.05, 2.5}), "3.14|0.1|2"},
      {Format("%n", {1234567.891}), "1,234,567.89"},
      {Format("%.0n", {-1234567.5}), "-1,234,568"},
      {Format("%e", {1234.5}), "1.23450000000000E+003"},
  };
  for (const auto& [got, expect] : cases) EXPECT_EQ(got, expect);
}

TEST(Format, ArgumentIndicesContinueFromTheIndex) {
  EXPECT_EQ(Format("%1:s %s %0:s %s", {"a", "b", "c"}), "b c a b");
  // The CSV header form: a separator argument reused between columns.
  EXPECT_EQ(Format("\"%s\"%2:s\"%1:s1\"%2:s\"%1:s2\"", {"Index", "u", ";"}),
            "\"Index\";\"u1\";\"u2\"");
  EXPECT_EQ(Format("%1:-4d|", {0, 7}), "7   |");
}

TEST(Format, GeneralNumbersHaveUpToFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {0.1, "0.1"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {100, "100"},
      {-0.5, "-0.5"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E15"},
      {1e20, "1E20"},
      {1.5e-7, "1.5E-7"},
      {0.0001, "0.0001"},
      {0.0, "0"}};
  for (auto [v, text] : cases) EXPECT_EQ(FormatWith('.', "%g", {v}), text) << text;
  EXPECT_EQ(FormatWith('.', "%.3g", {3.14159}), "3.14");
  EXPECT_EQ(FormatWith(',', "%g;%f", {0.5, 1.25}), "0,5;1,25");
  EXPECT_EQ(FormatG(0.25, ','), "0,25");
}

TEST(Format, ProcessLocaleIsNeverUsed) {
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // where the system has it
  SystemFormats saved = CurrentFormats();
  SystemFormats comma = saved;
  comma.decimal_separator = ',';
  SetCurrentFormats(comma);
  EXPECT_EQ(Format("%g %.2f", {1.5, 2.0}), "1,5 2,00");
  EXPECT_EQ(FormatWith('.', "%g", {1.5}), "1.5");  // device requests
  EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
  SetCurrentFormats(saved);
  EXPECT_EQ(Format("%g", {1.5}), "1.5");
  std::setlocale(LC_ALL, "C");
}

TEST(Format, MisuseRaisesFormatError) {
  EXPECT_THROW(Format("%d %d", {1}), FormatError);
  EXPECT_THROW(Format("%d", {"text"}), FormatError);
  EXPECT_THROW(Format("%s", {1}), FormatError);
  EXPECT_THROW(Format("%q", {1}), FormatError);
  EXPECT_THROW(Format("50%", {}), FormatError);
}

TEST(FormatDateTime, Patterns) {
  lang::SetCurrentLanguage(lang::English);
  DateTime t = DateTime::FromCivil(2004, 3, 7, 9, 5, 3, 42);  // a Sunday
  const std::pair<const char*, const char*> cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2004-03-07 09:05:03.042"},
      {"YYYY-MM-DD HH:NN:SS", "2004-03-07 09:05:03"},
      {"d.m.yy", "7.3.04"},
      {"h:m:s", "9:5:3"},           // m after h is minutes
      {"hh:mm", "09:05"},
      {"hh mm", "09 05"},
      {"mm/dd", "03/07"},
      {"mmm mmmm", "Mar March"},
      {"ddd dddd", "Sun Sunday"},
      {"\"at\" hh 'o''clock'", "at 09 oclock"},
      {"z", "42"},
      {"yyyymmddhhnnsszzz000", "2004030709050304200" "0"},
  };
  for (auto [pattern, text] : cases) EXPECT_EQ(FormatDateTime(pattern, t), text) << pattern;
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", t, '.', '-'), "07.03.2004 09-05");
  lang::SetCurrentLanguage(lang::German);
  EXPECT_EQ(FormatDateTime("dddd, d. mmmm", t), "Sonntag, 7. März");
}

TEST(DateTimeFormats, BuiltFromTheSystemFormats) {
  SystemFormats german;
  german.short_date = "dd.MM.yy";
  german.decimal_separator = ',';
  TDateTimeFormats f(german);
  EXPECT_EQ(f.DateTimeFormat(), "dd.mm.yyyy hh:nn:ss");
  EXPECT_EQ(f.FullFormat(), "dd.mm.yyyy hh:nn:ss,zzz");
  EXPECT_EQ(f.DisplayFormat(), f.FullFormat());
  EXPECT_EQ(f.DateTimeWidth(), 19);
  EXPECT_EQ(f.FullWidth(), 23);
  DateTime t = DateTime::FromCivil(2011, 12, 24, 18, 30, 0, 5);
  EXPECT_EQ(f.FormatFull(t), "24.12.2011 18:30:00,005");

  SystemFormats iso;  // yyyy-mm-dd, ":" and "."
  TDateTimeFormats g(iso);
  EXPECT_EQ(g.FullFormat(), "yyyy-mm-dd hh:nn:ss.zzz");
  SystemFormats us;
  us.short_date = "M/d/yyyy";
  us.time_separator = '.';
  EXPECT_EQ(TDateTimeFormats(us).DateTimeFormat(), "m/d/yyyy hh.nn.ss");
}

TEST(DateTimeFormats, DisplayWidthCoversNamesOfDaysAndMonths) {
  lang::SetCurrentLanguage(lang::English);
  TDateTimeFormats f{SystemFormats{}};
  f.SetDisplayFormat("dddd");
  EXPECT_EQ(f.DisplayWidth(), 9);  // Wednesday
  f.SetDisplayFormat("mmmm");
  EXPECT_EQ(f.DisplayWidth(), 9);  // September
  f.SetDisplayFormat("d/m");
  EXPECT_EQ(f.DisplayWidth(), 5);  // two-digit days and months
  lang::SetCurrentLanguage(lang::German);
  f.SetDisplayFormat("mmmm");
  EXPECT_EQ(f.DisplayWidth(), 9);  // September; "März" counts four characters
  f.SetDisplayFormat("ddd");
  EXPECT_EQ(f.DisplayWidth(), 2);
}

}  // namespace
}  // namespace trivex
