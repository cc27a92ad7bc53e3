#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>

#include "config/bool_text.h"
#include "config/cp1252.h"
#include "config/crc16.h"
#include "config/device_time.h"
#include "config/duration_text.h"
#include "config/escaped_text.h"
#include "config/number_text.h"
#include "config/word_list.h"
#include "lang/lang.h"
#include "lang/system_formats.h"

namespace trivex {
namespace {

TEST(BoolText, WriteAndRead) {
  EXPECT_STREQ(BoolText(true), "TRUE");
  EXPECT_STREQ(BoolText(false), "FALSE");
  const std::pair<const char*, bool> cases[] = {
      {"", false},  {"Nein", false}, {"no", false}, {"FALSE", false}, {"0", false},
      {"x", true},  {"1", true},     {"TRUE", true}, {"ja", true},     {"00", true}};
  for (auto [text, value] : cases) EXPECT_EQ(ParseBoolText(text), value) << text;
}

TEST(BoolText, SettingsReader) {
  for (const char* f : {"", "0", "n", "NO", "Nein", "f", "false", "FALSCH"})
    EXPECT_FALSE(ParseSettingsBool(f)) << f;
  for (const char* t : {"1", "yes", "true", "nix", "fa"}) EXPECT_TRUE(ParseSettingsBool(t)) << t;
}

TEST(BoolText, YesNoInTheCurrentLanguage) {
  lang::SetCurrentLanguage(lang::English);
  EXPECT_STREQ(YesNoText(true), "Yes");
  lang::SetCurrentLanguage(lang::German);
  EXPECT_STREQ(YesNoText(false), "Nein");
}

// The user's locale must not change how numbers are read: the process locale is set to one
// with a decimal comma, and the program's separator to ',' as well.
class GermanLocale : public ::testing::Test {
 protected:
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
  };
  void SetUp() override {
    saved_ = CurrentFormats();
    SystemFormats german;
    german.short_date = "dd.mm.yyyy";
    german.decimal_separator = ',';
    german.list_separator = ';';
    SetCurrentFormats(german);
    old_locale_ = std::locale::global(std::locale(std::locale::classic(), new Comma));
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where the system has it
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    std::locale::global(old_locale_);
    SetCurrentFormats(saved_);
  }
  SystemFormats saved_;
  std::locale old_locale_;
};

TEST_F(GermanLocale, TolerantParsingTakesEitherSeparator) {
  EXPECT_DOUBLE_EQ(ParseNumberTolerant("0,4"), 0.4);
  EXPECT_DOUBLE_EQ(ParseNumberTolerant("0.4"), 0.4);
  EXPECT_DOUBLE_EQ(ParseNumberTolerant(" -12,5e1 "), -125.0);
  EXPECT_DOUBLE_EQ(ParseNumberTolerant(""), 0.0);
  EXPECT_DOUBLE_EQ(ParseNumberTolerant("+7"), 7.0);
  EXPECT_DOUBLE_EQ(ParseNumberTolerant(",5"), 0.5);
  for (const char* bad : {"1.000,5", "1,2,3", "abc", "1e", "--1", "1 2", ".", "0x10"})
    EXPECT_THROW(ParseNumberTolerant(bad), ConvertError) << bad;
}

TEST(NumberText, TolerantParsingUnderDotSeparator) {
  EXPECT_DOUBLE_EQ(ParseNumberTolerant("0,4", '.'), 0.4);
  EXPECT_DOUBLE_EQ(ParseNumberTolerant("0.4", '.'), 0.4);
  lang::SetCurrentLanguage(lang::English);
  try {
    ParseNumberTolerant("4,2,1", '.');
    ADD_FAILURE();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "\"4,2,1\" is not a valid floating point value");
  }
  lang::SetCurrentLanguage(lang::German);
}

TEST(NumberText, FieldChecks) {
  const std::tuple<const char*, bool, bool> cases[] = {
      // text, integer, decimal with ','
      {"12", true, true},    {"-12", true, true},  {"+0", true, true},  {"1,5", false, true},
      {"-,5", false, true},  {"1,5,", false, false}, {"1.5", false, false}, {"", false, false},
      {"-", false, false},   {" 1", false, false}, {"1e3", false, false}};
  for (auto [text, integer, decimal] : cases) {
    EXPECT_EQ(IsIntegerText(text), integer) << text;
    EXPECT_EQ(IsDecimalText(text, ','), decimal) << text;
  }
}

TEST(NumberText, RangeCheckTakesBoundsInEitherOrder) {
  EXPECT_EQ(CheckRange(0.5, 1, 5), -1);
  EXPECT_EQ(CheckRange(0.5, 5, 1), -1);
  EXPECT_EQ(CheckRange(5, 5, 1), 0);
  EXPECT_EQ(CheckRange(5.01, 1, 5), 1);
  SetCurrentFormats(SystemFormats{});
  lang::SetCurrentLanguage(lang::English);
  EXPECT_EQ(RangeMessage(5, 1), "Value range from 1.0 to 5.0");
  lang::SetCurrentLanguage(lang::German);
  EXPECT_EQ(RangeMessage(5, 1), "Wertebereich von 1.0 bis 5.0");
}

TEST(NumberText, AngleFolding) {
  const double pi = std::acos(-1.0);
  const std::pair<double, double> cases[] = {
      {0, 0}, {pi, 180}, {-pi, 180}, {1.5 * pi, -90}, {-1.5 * pi, 90}, {3 * pi, 180},
      {pi / 2, 90}};
  for (auto [rad, deg] : cases) EXPECT_NEAR(NormalizeAngleDeg(rad), deg, 1e-9) << rad;
}

TEST(DurationText, DisplayAndEntry) {
  const std::pair<long long, const char*> shown[] = {
      {0, "0:00"}, {59, "0:59"}, {3599, "59:59"}, {3600, "1:00:00"}, {90061, "25:01:01"},
      {-65, "-1:05"}};
  for (auto [s, text] : shown) EXPECT_EQ(SecondsText(s), text) << s;

  const std::pair<const char*, double> entered[] = {
      {"1:02:03", 3723}, {"2:30", 150}, {"45", 45}, {"1:0,5", 60.5}, {"0:1.25", 1.25},
      {" 1 : 2 : 3 ", 3723}};
  for (auto [text, s] : entered) EXPECT_DOUBLE_EQ(ParseDuration(text), s) << text;
  for (const char* bad : {"1:2:3:4", "a:10", "1.5:10", "1:", ":5", "-1:30", "1:-5", ""})
    EXPECT_THROW(ParseDuration(bad), ConvertError) << bad;

  EXPECT_EQ(MinSecText(65), "1:05");
  EXPECT_EQ(MinSecText(600), "10:00");
  EXPECT_EQ(ParseMinSec("1:05"), 65);
  EXPECT_EQ(ParseMinSec("90"), 90);
  EXPECT_THROW(ParseMinSec("1:2:3"), ConvertError);
  EXPECT_THROW(ParseMinSec("1:2.5"), ConvertError);
}

TEST(EscapedText, EncodeAndDecode) {
  const std::pair<std::string, std::string> cases[] = {
      {"AT&F\r\n", "AT&F\\r\\n"},
      {std::string("\a\b\t\"\\", 5), "\\g\\b\\t\\\"\\\\"},
      {std::string("\x00\x1b\x1f", 3), "\\000\\033\\037"},
      {"ä+~", "ä+~"}};
  for (const auto& [plain, escaped] : cases) {
    EXPECT_EQ(EscapeText(plain), escaped);
    EXPECT_EQ(UnescapeText(escaped), plain);
  }
  // Forms the encoder does not write.
  const std::pair<std::string, std::string> decoded[] = {
      {"\\x41\\x4a", "AJ"}, {"\\x4", "\x04"},    {"\\xZ", "xZ"},  {"\\7", "\a"},
      {"\\101B", "AB"},     {"\\1019", "A9"},    {"\\q", "q"},    {"end\\", "end\\"},
      {"\\'", "'"}};
  for (const auto& [escaped, plain] : decoded) EXPECT_EQ(UnescapeText(escaped), plain) << escaped;
  // Every byte survives a round trip.
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(UnescapeText(EscapeText(all)), all);
}

TEST(WordList, QuotedValuesAndWords) {
  EXPECT_EQ(Unquote("\"abc\""), "abc");
  EXPECT_EQ(Unquote("'a'"), "a");
  EXPECT_EQ(Unquote("\"\""), "");
  EXPECT_EQ(Unquote("\"abc'"), "\"abc'");
  EXPECT_EQ(Unquote("\""), "\"");

  using V = std::vector<std::string>;
  EXPECT_EQ(SplitWordList("a b,c\td\r\ne"), (V{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(SplitWordList("\"a b, c\" d"), (V{"a b, c", "d"}));
  EXPECT_EQ(SplitWordList("\"say \"\"hi\"\"\",x"), (V{"say \"hi\"", "x"}));
  EXPECT_EQ(SplitWordList("a // b c"), (V{"a"}));
  EXPECT_EQ(SplitWordList("http://x \"//\""), (V{"http://x", "//"}));
  EXPECT_EQ(SplitWordList("\"open"), (V{"open"}));
  EXPECT_EQ(SplitWordList(",,  ,"), V{});
}

TEST(Cp1252, BothDirections) {
  EXPECT_EQ(Cp1252ToUtf8("Stra\xDF" "e \x80 \x9F"), "Straße € Ÿ");
  EXPECT_EQ(Utf8ToCp1252("Straße € Ÿ"), "Stra\xDF" "e \x80 \x9F");
  EXPECT_EQ(Utf8ToCp1252("Ω ok"), "? ok");          // no byte for it
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");           // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xC0\x80x"), "?x");       // overlong form of NUL
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Crc16, CheckValueAndStartValue) {
  EXPECT_EQ(Crc16("123456789"), 0xD64E);
  EXPECT_EQ(Crc16(""), 0x0000);
  // A run in two parts gives the same result when the first result is the start value.
  EXPECT_EQ(Crc16("56789", Crc16("1234")), 0xD64E);
}

TEST(DeviceTime, EpochRangeAndRounding) {
  EXPECT_EQ(DeviceSecsToDateTime(0), DateTime::FromCivil(1990, 1, 1));
  EXPECT_EQ(DeviceSecsToDateTime(86400, 250), DateTime::FromCivil(1990, 1, 2, 0, 0, 0, 250));
  EXPECT_EQ(DateTimeToDeviceSecs(DateTime::FromCivil(1990, 1, 1, 0, 0, 1, 499)), 1u);
  EXPECT_EQ(DateTimeToDeviceSecs(DateTime::FromCivil(1990, 1, 1, 0, 0, 1, 500)), 2u);
  EXPECT_EQ(DateTimeToDeviceSecs(DeviceSecsToDateTime(0xFFFFFFFFu)), 0xFFFFFFFFu);
  DateTime before = DateTime::FromCivil(1989, 12, 31, 23, 59, 59);
  DateTime after = DateTime::FromMs(DeviceSecsToDateTime(0xFFFFFFFFu).ms() + 1000);
  lang::SetCurrentLanguage(lang::English);
  try {
    DateTimeToDeviceSecs(before);
    ADD_FAILURE();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "1989-12-31 23:59:59 cannot be converted to Secs");
  }
  lang::SetCurrentLanguage(lang::German);
  EXPECT_THROW(DateTimeToDeviceSecs(after), ConvertError);
  EXPECT_EQ(DateTimeToDeviceSecsLenient(before), 0u);
  EXPECT_EQ(DateTimeToDeviceSecsLenient(after), 0xFFFFFFFFu);
  uint8_t b[4];
  WriteBE32(b, 0x12345678);
  EXPECT_EQ(b[0], 0x12);
  EXPECT_EQ(ReadBE32(b), 0x12345678u);
  EXPECT_EQ(ReadBE16(b + 2), 0x5678);
}

}  // namespace
}  // namespace trivex
