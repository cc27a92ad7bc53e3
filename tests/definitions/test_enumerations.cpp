#include <gtest/gtest.h>

#include "config/dev_type.h"
#include "config/enumerations.h"
#include "config/port_settings.h"
#include "lang/lang.h"

namespace trivex {
namespace {

class English : public ::testing::Test {
 protected:
  void SetUp() override { lang::SetCurrentLanguage(lang::English); }
  void TearDown() override { lang::SetCurrentLanguage(lang::German); }
};

TEST(Enumerations, NamesLookUpWithoutCase) {
  EXPECT_EQ(EnumCode<TMeldeRichtung>("mrboth"), mrBoth);
  EXPECT_EQ(EnumCode<TMeldeRichtung>("MRBOTH"), mrBoth);
  EXPECT_EQ(EnumCode<TMeldeRichtung>("mrBoth "), -1);
  EXPECT_EQ(EnumCode<TMeldeRichtung>("wrBeide"), -1);
  EXPECT_EQ(EnumCode<TDmAusgangsFunktion>("dbafEnablePigSS3"), dbafEnablePigSS3);
  EXPECT_EQ(EnumName(cb115200), "cb115200");
  EXPECT_EQ(EnumName(static_cast<TComBaud>(12)), "");
}

// Every name maps back to its own code; the counts are those the devices use.
TEST(Enumerations, NameAndCodeRoundTrip) {
  auto check = [](const EnumInfo& info, int count) {
    ASSERT_EQ(static_cast<int>(info.names.size()), count);
    for (int code = 0; code < count; ++code)
      EXPECT_EQ(EnumCodeOf(info, EnumNameOf(info, code)), code) << EnumNameOf(info, code);
  };
  check(EnumInfoOf<TAusgangsFunktion>(), 21);
  check(EnumInfoOf<TMasterFunktion>(), 20);
  check(EnumInfoOf<TDmAusgangsFunktion>(), 34);
  check(EnumInfoOf<TDmMasterFunktion>(), 20);
  check(EnumInfoOf<TComBaud>(), 12);
  check(EnumInfoOf<TBinIODevTypes>(), 6);
  check(EnumInfoOf<TLedDevTypes>(), 5);
}

TEST_F(English, DisplayTexts) {
  EXPECT_EQ(EnumDisplay(mrBoth), "Both");
  EXPECT_EQ(EnumDisplay(leBeginEnd), "coming+going");
  EXPECT_EQ(EnumDisplay(bafFastQuI4r), "Transient Io 4 backwards");
  EXPECT_EQ(EnumDisplay(bafUenTrigg), "");  // not offered on the relay page
  EXPECT_EQ(EnumDisplay(mfQuiRueck), "qui backward");
  EXPECT_EQ(EnumDisplay(dbafEnablePigSS3), "Enable PIG BB3");
  EXPECT_EQ(EnumDisplay(dmfDifInfo), "DIF msg");
  EXPECT_EQ(EnumDisplay(cmEclHp), "");
  EXPECT_EQ(EnumDisplay(cb76800), "76800");
  EXPECT_EQ(EnumDisplay(eb375000), "375000");
  EXPECT_EQ(EnumDisplay(wmrBeide), "Both");
  EXPECT_EQ(EnumDisplay(drVorwaerts), "Forward");
  // Boards: the page offers a subset; the list index maps to the code.
  EXPECT_EQ(EnumDisplay(dspSlaveI), "8 Currents");
  EXPECT_EQ(EnumDisplay(dspMasterU), "");
  EXPECT_EQ(EnumCodeOfDisplayIndex(EnumInfoOf<TDspDevTypes>(), 1), dspSlaveI);
  EXPECT_EQ(EnumDisplayIndexOf(EnumInfoOf<TLedDevTypes>(), led5bi), -1);
  EXPECT_EQ(EnumDisplay(led16mono), "16 monochrome");
  EXPECT_EQ(EnumDisplayList<TComMode>(), "OFF\r\nStandard\r\nDCF77");
  EXPECT_EQ(MasterChannelText(7), "Group 4");
  EXPECT_EQ(MasterChannelText(11, true), "Master U 4");
  EXPECT_EQ(MasterChannelText(8), "");
}

TEST(Enumerations, DisplayTextsFollowTheLanguage) {
  lang::SetCurrentLanguage(lang::Italian);
  EXPECT_EQ(EnumDisplay(cpEven), "Pari");
  lang::SetCurrentLanguage(lang::German);
  EXPECT_EQ(EnumDisplay(cpEven), "Gerade");
}

TEST(Enumerations, NominalFrequency) {
  // Code 0 (not set) is written as 0 and reads back as 50 Hz; 16.7 Hz round-trips through 2.
  EXPECT_EQ(NominalFrequencyToFile(0), 0);
  EXPECT_EQ(NominalFrequencyFromFile(0), 2);
  EXPECT_EQ(NominalFrequencyToFile(1), 2);
  EXPECT_EQ(NominalFrequencyFromFile(2), 1);
  EXPECT_EQ(NominalFrequencyToFile(2), 0);
  EXPECT_EQ(NominalFrequencyFromFile(1), 0);
}

TEST(DevType, NamesBothWays) {
  EXPECT_EQ(DevTypeName(dtZyrDM), "ZYR-DM");
  EXPECT_EQ(DevTypeName(dtQuvDPA), "ZED-UDE");
  EXPECT_EQ(DevTypeOfName(" zyr-d "), dtZyrD);
  EXPECT_EQ(DevTypeOfName("ZYR"), dtUnknown);
  for (int t = 1; t <= dtQuvDPA; ++t)
    EXPECT_EQ(DevTypeOfName(DevTypeName(static_cast<TDevType>(t))), t);
}

TEST(PortSettings, TextOfSerialPort) {
  EXPECT_EQ(ComSettingsText({cmEcl, cb9600, cpOff, chRtsCts}), "ECL/9600/P-/RTS");
  EXPECT_EQ(ComSettingsText({cmEclHp, cb115200, cpEven, chXonXoff}), "ECL+HP/115200/PE/XON");
  EXPECT_EQ(ComSettingsText({cmDcf, cb110, cpOdd, chOff}), "DCF77/110/PO/H-");
}

TEST(PortSettings, ParseSerialPort) {
  struct Case {
    const char* text;
    TComSettings expect;
    bool ok;
  };
  const Case cases[] = {
      {"ecl/9K/pe/xon", {cmEcl, cb9600, cpEven, chXonXoff}, true},
      {"DCF77", {cmDcf, cb115200, cpOff, chRtsCts}, true},
      {"OFF/1200/PO/XON", {cmOff, cb115200, cpOff, chRtsCts}, true},  // only ECL reads the rest
      {"ECL+HP/115/P-/H-", {cmEclHp, cb115200, cpOff, chOff}, true},
      {"ECL/110/PO/RTS", {cmEcl, cb110, cpOdd, chRtsCts}, true},
      {"ECL/1/PE/RTS", {cmEcl, cb1200, cpEven, chRtsCts}, true},
      {"ECL/76K/P-/RTS", {cmEcl, cb76800, cpOff, chRtsCts}, true},
      {"ECL/9601/PE/RTS", {cmEcl, cb115200, cpEven, chRtsCts}, false},
      {"ECL/9600/PX/RTS", {cmEcl, cb9600, cpOff, chRtsCts}, false},
      {"ECL/9600/PE/RTS/x", {cmEcl, cb9600, cpEven, chOff}, false},  // handshake = whole rest
      {"ECL", {cmEcl, cb115200, cpOff, chOff}, false},
      {"MODEM/9600/PE/XON", {cmOff, cb115200, cpOff, chRtsCts}, false},
      {"", {cmOff, cb115200, cpOff, chRtsCts}, false},
  };
  for (const auto& c : cases) {
    TComSettings s{cmEclHp, cb300, cpOdd, chXonXoff};
    EXPECT_EQ(ParseComSettings(c.text, s), c.ok) << c.text;
    EXPECT_EQ(s, c.expect) << c.text;
  }
}

TEST(PortSettings, RoundTripEverySerialSetting) {
  for (int b = 0; b < EnumCount<TComBaud>(); ++b)
    for (int p = 0; p < 3; ++p)
      for (int h = 0; h < 3; ++h) {
        TComSettings in{cmEcl, static_cast<TComBaud>(b), static_cast<TComParity>(p),
                        static_cast<TComHandshake>(h)};
        TComSettings out;
        EXPECT_TRUE(ParseComSettings(ComSettingsText(in), out)) << ComSettingsText(in);
        EXPECT_EQ(out, in);
      }
}

TEST(PortSettings, BusSettings) {
  EXPECT_EQ(TynetSettingsText({em2W, eb375000, true}), "2W+/375K");
  EXPECT_EQ(TynetSettingsText({em4W, eb375000, true}), "4W/375K");  // "+" only for 2-wire
  EXPECT_EQ(TynetSettingsText({em4W, eb15600, false}), "4W/15K6");

  struct Case {
    const char* text;
    TTynetSettings expect;
    bool ok;
  };
  const Case cases[] = {
      {"2W+/375K", {em2W, eb375000, true}, true},
      {"2d/125000", {em2W, eb125000, false}, true},
      {"4D/62K5", {em4W, eb62500, false}, true},
      // The devices take only the three fast rates: the slow ones read as 62500 and fail.
      {"4W/15K6", {em4W, eb62500, false}, false},
      {"3W/125K", {em2W, eb125000, false}, false},
      {"", {em2W, eb62500, false}, false},
  };
  for (const auto& c : cases) {
    TTynetSettings s{em4W, eb15600, true};
    EXPECT_EQ(ParseTynetSettings(c.text, s), c.ok) << c.text;
    EXPECT_EQ(s, c.expect) << c.text;
  }
}

}  // namespace
}  // namespace trivex
