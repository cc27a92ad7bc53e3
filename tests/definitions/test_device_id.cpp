#include <gtest/gtest.h>

#include <cctype>

#include "config/device_id.h"
#include "config/device_time.h"
#include "config/version_number.h"
#include "lang/lang.h"

namespace trivex {
namespace {

TEST(DeviceId, TextOfKnownIdentifiers) {
  const std::pair<int, const char*> cases[] = {
      {1, "A:"}, {2, "A1:"}, {10, "A9:"}, {11, "B:"}, {12, "B1:"}, {255, "Z4:"}, {0, "-:"}};
  for (auto [id, text] : cases) EXPECT_EQ(DeviceIdText(id), text) << id;
}

TEST(DeviceId, RoundTripOverEveryByte) {
  for (int id = 1; id <= 255; ++id) {
    std::string text = DeviceIdText(id);
    EXPECT_EQ(ParseDeviceId(text), id) << text;
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(ParseDeviceId(text), id) << text;
  }
}

TEST(DeviceId, RejectsWhatIsNotAnIdentifier) {
  lang::SetCurrentLanguage(lang::English);
  for (const char* text : {"Z5:", "AA:", "", ":", "A", "A1", "1:", "A12:", "-:", "A:x", "@:", "[:"}) {
    try {
      ParseDeviceId(text);
      ADD_FAILURE() << text;
    } catch (const ConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "\"" + std::string(text) + "\" is not a device ID");
    }
  }
  lang::SetCurrentLanguage(lang::German);
}

TEST(DeviceId, LocalNamesOnlyWhereAllowed) {
  EXPECT_EQ(ParseDeviceIdOrLocal("LT"), 0);
  EXPECT_EQ(ParseDeviceIdOrLocal("virt:"), 0);
  EXPECT_EQ(ParseDeviceIdOrLocal("B1:"), 12);
  EXPECT_THROW(ParseDeviceId("LT:"), ConvertError);
}

TEST(DeviceId, TakeFromFrontOfText) {
  std::string_view text = " \tb1:  \tFeeder 3";
  EXPECT_EQ(TakeDeviceId(text), 12);
  EXPECT_EQ(text, "Feeder 3");

  std::string_view local = "LT: rest";
  EXPECT_EQ(TakeDeviceId(local, true), 0);
  EXPECT_EQ(local, "rest");

  std::string_view no_colon = "  B1 rest";
  EXPECT_THROW(TakeDeviceId(no_colon), ConvertError);
  EXPECT_EQ(no_colon, "  B1 rest");  // untouched on failure
}

TEST(VersionNumber, TextAndParse) {
  EXPECT_EQ(VersionText(1430), "1.4.30");
  EXPECT_EQ(VersionText(1103), "1.1.03");
  EXPECT_EQ(VersionText(2199), "2.1.99");
  EXPECT_EQ(VersionText(12005), "12.0.05");
  const std::pair<const char*, int> cases[] = {
      {"1.4.30", 1430}, {"  1.1.03  ", 1103}, {"1.4.30 b", 1430}, {"12.0.05", 12005},
      {"1.4.3", 0},     {"1.43.0", 0},        {"14.30", 0},       {"", 0},
      {"x.4.30", 0},    {".4.30", 0},         {"1.4.3x", 0},      {"1.4.30.7", 1430}};
  for (auto [text, v] : cases) EXPECT_EQ(ParseVersion(text), v) << text;
}

}  // namespace
}  // namespace trivex
