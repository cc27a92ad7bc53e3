#include <gtest/gtest.h>

#include "config/crc16.h"
#include "lang/lang.h"
#include "lang/system_formats.h"
#include "protocol/commands.h"
#include "protocol/device_date.h"
#include "protocol/device_identity.h"
#include "protocol/file_block.h"
#include "protocol/reply.h"
#include "protocol/request.h"
#include "protocol/version_check.h"

namespace trivex {
namespace {

TEST(Request, WritesAndReads) {
  SystemFormats saved = CurrentFormats();
  SystemFormats comma = saved;
  comma.decimal_separator = ',';
  SetCurrentFormats(comma);  // the user's separator never reaches a device
  const std::pair<std::string, std::string> cases[] = {
      {req::Write("ZyrWLog", 1), "ZyrWLog=1"},
      {req::WriteReal("ZyrWMsgDelay", 0.25), "ZyrWMsgDelay=0.25"},
      {req::WriteReal("ZyrWImin", 1.0 / 3), "ZyrWImin=0.333333333333333"},
      {req::Write(req::Indexed("ZyrMRelFu", {3, 2}), 7), "ZyrMRelFu 3 2=7"},
      {req::Write(req::Indexed("ZyrCnfSegment", {1, 4}), -1), "ZyrCnfSegment 1 4=-1"},
      {req::WriteReal(req::Indexed("ZyrWImin", "A1"), 2.5), "ZyrWImin A1=2.5"},
      {req::WriteQuoted("Device", "Feld 1"), "Device=\"Feld 1\""},
      {req::WriteText("ZyrStation", "Nord"), "ZyrStation=Nord"},
      {req::Query("ZyrWImin", req::kNumber), "ZyrWImin+#"},
      {req::Query("ZyrWLog", req::kCode), "ZyrWLog_+#"},
      {req::Query("ZyrMRelChan", req::kNumber, {3, 2}), "ZyrMRelChan+# 3 2"},
      {req::Query("ZyrMRelFu", req::kCode, {3, 2}), "ZyrMRelFu_+# 3 2"},
      {req::Query("ZyrRelFu", req::kHashPlus, {6}), "ZyrRelFu#+ 6"},
      {req::Query("ZyrRelFu", req::kAll), "ZyrRelFu#+ *"},
      {req::Query("ZyrIObsT", req::kHashUnderscorePlus), "ZyrIObsT#_+"},
      {req::Query("ZyrMCplEnable", req::kPlusHashUnderscore), "ZyrMCplEnable+#_"},
      {req::Join({"", "nf4m", "ZyrVVen#+ *"}), ",nf4m,ZyrVVen#+ *"},
      {cmd::FileSize("A1:", "NetFile"), "A1:fsr+# NetFile"},
      {cmd::FileRead("", "log.h", 0), "fread.+ log.h 0"},
      {cmd::ComSettingsQuery("B:", "1"), "B:SetCom1+#"},
      {cmd::LanSettingsQuery("B:", "R"), "B:SetLanR+#"},
      {cmd::SetCom("2", {cmEcl, cb9600, cpOff, chRtsCts}), "SetCom2=ECL/9600/P-/RTS 0.5"},
      {cmd::SetLan("L", {em2W, eb375000, true}), "SetLanL=2W+/375K"},
      {cmd::SetKenn(12), "SetKenn=B1:"},
      {cmd::SetDeviceName("Abzweig 3"), "Device=\"Abzweig 3\""},
  };
  SetCurrentFormats(saved);
  for (const auto& [got, expect] : cases) EXPECT_EQ(got, expect);
}

TEST(Request, PrefixIsAddedOnce) {
  EXPECT_EQ(req::WithPrefix("A1:", "ver+"), "A1:ver+");
  EXPECT_EQ(req::WithPrefix("A1:", "A1:ver+"), "A1:ver+");
  EXPECT_EQ(req::WithPrefix("", "ver+"), "ver+");
  EXPECT_EQ(req::WithPrefix("A:", "A1:ver+"), "A:A1:ver+");  // another device's prefix is data
  EXPECT_TRUE(req::IsPrefixOnly("A1:", "A1:"));
  EXPECT_TRUE(req::IsPrefixOnly("", ""));
  EXPECT_FALSE(req::IsPrefixOnly("A1:ver+", "A1:"));
}

TEST(Reply, Conventions) {
  EXPECT_EQ(reply::Number("\r\n12"), 12.0);
  EXPECT_EQ(reply::Number("0.5"), 0.5);
  EXPECT_EQ(reply::Number("0,5 "), 0.5);
  EXPECT_EQ(reply::Number("\r\n"), std::nullopt);
  EXPECT_EQ(reply::Number("<<unknown"), std::nullopt);
  EXPECT_EQ(reply::Integer("\r\n12\r\n"), 12);
  EXPECT_EQ(reply::Integer("1.5"), std::nullopt);

  std::string ok = "\r\n42";
  EXPECT_TRUE(reply::Accept(ok));
  EXPECT_EQ(ok, "42");
  std::string refused = "\r\n<<syntax";
  EXPECT_FALSE(reply::Accept(refused));  // acknowledged, but still a failure
  EXPECT_EQ(refused, "<<syntax");
  EXPECT_TRUE(reply::IsRefusal("<<x"));
  EXPECT_FALSE(reply::IsRefusal(" <<x"));
  std::string only_crlf = "\r\n\r\n";
  EXPECT_TRUE(reply::Accept(only_crlf));  // one CR LF removed
  EXPECT_EQ(only_crlf, "\r\n");

  using V = std::vector<std::string>;
  EXPECT_EQ(reply::Lines("A:\r\nA1:\r\n\r\n B: \r\n"), (V{"A:", "A1:", "B:"}));
  EXPECT_EQ(reply::Items("1 2\r\n3  4\r\n"), (V{"1", "2", "3", "4"}));
  EXPECT_EQ(reply::Items(""), V{});
}

TEST(FileBlock, DestuffEachEscapeForm) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc", "abc"},
      {std::string("a\x01" "!b", 4), std::string("a\x01" "b", 3)},           // one byte shifted
      {std::string("\x02" "!\"#\x03" "A", 6), std::string("\x01\x02\x03" "A", 4)},  // a stretch
      {std::string("\x02" "*", 2), std::string("\x0A", 1)},                // stretch to the end
      {std::string("\x01\x20", 2), std::string("\0", 1)},
      {std::string("\x01\x10", 2), std::string("\xF0", 1)},                // shifted wraps round
      {std::string("\x02\x01" "A\x03", 4), std::string("\x21", 1)},        // 0x01 inside a stretch
  };
  for (const auto& [stuffed, plain] : cases) {
    bool complete = false;
    EXPECT_EQ(Destuff(stuffed, &complete), plain);
    EXPECT_TRUE(complete);
  }
  bool complete = true;
  EXPECT_EQ(Destuff(std::string("ab\x01", 3), &complete), "ab");
  EXPECT_FALSE(complete);
}

TEST(FileBlock, StuffingRoundTripAndNoControlBytes) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  all += std::string("\x00\xFF\x1F\xE0", 4);
  std::string stuffed = Stuff(all);
  for (char c : stuffed) {
    auto b = static_cast<unsigned char>(c);
    EXPECT_TRUE(b >= 32 || b == 2 || b == 3) << int{b};
  }
  EXPECT_EQ(Destuff(stuffed), all);
}

TEST(FileBlock, CrcCheck) {
  std::string data = "ZYR net\r\n\x01\x02\x03";
  auto good = DecodeFileBlock(EncodeFileBlock(data));
  ASSERT_TRUE(good.has_value());
  EXPECT_EQ(*good, data);
  // The CRC travels high byte first.
  std::string plain = "123456789";
  EXPECT_EQ(DecodeFileBlock(plain + "\xD6\x4E"), plain);
  EXPECT_EQ(DecodeFileBlock(plain + "\x4E\xD6"), std::nullopt);
}

TEST(FileBlock, BrokenBlocksAreCrcErrors) {
  EXPECT_EQ(DecodeFileBlock(std::string("\x00\x00", 2)), "");  // CRC of nothing is 0
  const std::string broken[] = {
      "",                                            // no CRC bytes at all
      "A",                                           // one byte
      std::string("\x01", 1),                        // a lone escape
      std::string("\x01\x20\x01", 3),                // one byte and a lone escape
      "123456789" + std::string("\xD6\x4E\x01", 3),  // valid, then a dangling escape
      "123456789\xD6\x4F",                           // CRC off by one bit
  };
  for (const auto& b : broken) {
    EXPECT_EQ(DecodeFileBlock(b), std::nullopt) << b.size();
  }
  EXPECT_EQ(kResultCrcError, -6);
}

TEST(FileBlock, ReplyCheck) {
  std::string reply = "\r\n" + EncodeFileBlock("\r\nline\r\n");
  int result = 0;
  EXPECT_TRUE(CheckFileBlockReply(reply, result));
  EXPECT_EQ(reply, "\r\nline\r\n");
  EXPECT_EQ(result, 0);

  std::string refused = "\r\n<<no file\r";
  EXPECT_FALSE(CheckFileBlockReply(refused, result));
  EXPECT_EQ(result, 0);

  std::string broken = "123456789\xD6\x4F";
  EXPECT_FALSE(CheckFileBlockReply(broken, result));
  EXPECT_EQ(result, -6);
}

TEST(DeviceDate, PatternOfEightCharacters) {
  EXPECT_EQ(DeviceDatePattern("tt.mm.jj"), "dd.mm.yy hh\":\"nn\":\"ss");
  EXPECT_EQ(DeviceDatePattern("\r\nmm/tt/jj"), "mm\"/\"dd\"/\"yy hh\":\"nn\":\"ss");
  EXPECT_EQ(DeviceDatePattern("tt.mm.jjjj"), std::nullopt);  // ten characters: no date
  EXPECT_EQ(DeviceDatePattern("tt.mm.j"), std::nullopt);
  EXPECT_EQ(DeviceDatePattern(""), std::nullopt);

  DateTime t = DateTime::FromCivil(2009, 7, 4, 13, 5, 9);
  EXPECT_EQ(DateRequest(*DeviceDatePattern("tt.mm.jj"), t), "Date//=04.07.09 13:05:09");
  EXPECT_EQ(DateRequest(*DeviceDatePattern("mm/tt/jj"), t, true),
            "all,Date//=07/04/09 13:05:09");
  // The user's separators do not leak into the device's format.
  EXPECT_EQ(FormatDateTime(*DeviceDatePattern("TT-MM-JJ"), t, '.', '.'), "04-07-09 13:05:09");
}

TEST(DeviceIdentity, RepliesAndPrefix) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ParseDirectoryReply("\r\nA:\r\nA1:\r\nB:\r\n"), (V{"A:", "A1:", "B:"}));
  VerDotInfo v = ParseVerDotReply("ZYR-D;1.1.03 vom 12.03.2008");
  EXPECT_EQ(v.type, "ZYR-D");
  EXPECT_EQ(v.version, 1103);
  EXPECT_EQ(ParseVerDotReply("\r\nZYR-DM;1.4.30").version, 1430);
  EXPECT_EQ(ParseVerDotReply("VAD-AZ;2.x.00").version, 0);
  EXPECT_EQ(ParseVerDotReply("VAD-AZ;2.1").version, 0);
  EXPECT_EQ(ParseVerDotReply("VAD-AZ").type, "VAD-AZ");
  EXPECT_EQ(ParseKennReply("\r\n12"), 12);
  EXPECT_EQ(ParseKennReply("x"), std::nullopt);
  EXPECT_EQ(TransferPrefix(12, 12), "");
  EXPECT_EQ(TransferPrefix(1, 12), "B1:");
  EXPECT_EQ(TransferPrefix(std::nullopt, 2), "A1:");
}

TEST(VersionCheck, AcceptsTheExpectedType) {
  auto c = CheckVersionReply("\r\nzyr-d: version 1.4.30  ", "ZYR-D", "A:", "reading");
  EXPECT_TRUE(c.ok);
  EXPECT_EQ(c.version, 1430);
  EXPECT_EQ(CheckVersionReply("ZYR-D: Version 1.2.08 vom 1.1.2009", "ZYR-D", "A:", "x").version,
            1208);
  EXPECT_EQ(CheckVersionReply("ZYR-D: Version garbage", "ZYR-D", "A:", "x").version, 0);
}

TEST(VersionCheck, ErrorTexts) {
  lang::SetCurrentLanguage(lang::English);
  const std::pair<const char*, const char*> cases[] = {
      {"", "Device A1: doesn't respond"},
      {"\r\n", "Device A1: doesn't respond"},
      {"\r\n<<unknown>", "Communications problem with A1:\r\n<<unknown"},
      {"ZYR-DM: Version 1.0.00", "Device A1: is no ZYR-D\r\nbut a ZYR-DM"},
      {"hello", "Device A1: is no ZYR-D"},
  };
  for (auto [reply, detail] : cases) {
    auto c = CheckVersionReply(reply, "ZYR-D", "A1:", "reading");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.version, 0);
    EXPECT_EQ(c.detail, detail);
    EXPECT_EQ(c.message, std::string("Error while reading the Configuration:\r\n\r\n") + detail);
  }
  EXPECT_EQ(ConfigErrorReplyText(-2, "x"), "[no response]");
  EXPECT_EQ(ConfigErrorReplyText(-6, "x"), "CRC error");
  EXPECT_EQ(ConfigErrorReplyText(-3, "x"), "[communication failure]");
  EXPECT_EQ(ConfigErrorReplyText(0, "x"), "x");
  lang::SetCurrentLanguage(lang::German);
}

}  // namespace
}  // namespace trivex
