// The pieces of the fetch without a device: file name proposal, CRC mode, reply decoding,
// ring slots and the chooser's selection rules.
#include <gtest/gtest.h>

#include "config/crc16.h"
#include "lang/lang.h"
#include "logbook/device_chooser.h"
#include "logbook/logbook_fetch.h"
#include "logbook/logbook_fetch_exchange.h"
#include "protocol/file_block.h"

namespace trivex {
namespace {

TEST(FetchParts, ProposedFileNameReplacesCharactersThatPathsCannotHold) {
  EXPECT_EQ(ProposedLogFileName("ZYR-D", "Sub Nord:1", "A1"), "ZYR-D_Sub Nord_1_A1");
  EXPECT_EQ(ProposedLogFileName("ZYR-D", "Sub/Nord\\1<2>", "A1"), "ZYR-D_Sub_Nord_1_2__A1");
  EXPECT_EQ(ProposedLogFileName("VAD-AZ", "", "B"), "VAD-AZ__B");
}

TEST(FetchParts, BinaryCheckModeByTypeAndFirmware) {
  struct Case {
    const char* type;
    int version;
    bool crc;
  } cases[] = {{"ZYR-D", 1103, false}, {"ZYR-D", 1104, true},   {"zyr-d", 1104, true},
               {"ZYR-DM", 0, true},     {"ZYR-DM", 213, true},   {"VAD-AZ", 2199, false},
               {"VAD-AZ", 2200, true},  {"ZED-UDE", 2199, false}, {"ZED-UDE", 2200, true},
               {"", 0, true}};
  for (const auto& c : cases) EXPECT_EQ(LogBinaryCheckMode(c.type, c.version), c.crc) << c.type << " " << c.version;
}

TEST(FetchParts, ReplyDecodingRemovesEscapesAndChecksTheCrc) {
  EXPECT_EQ(Crc16("123456789"), 0xD64E);  // CRC-16/GENIBUS
  const std::string data("\x00\x01\x1F\x20\xFF\x7F", 6);
  const std::string with_crc = EncodeFileBlock(data);  // escaped, CRC high byte first

  std::string r = "\r\n" + with_crc;
  ASSERT_TRUE(DecodeLogReply(r, true));
  EXPECT_EQ(r, data);

  // Without the check mode the CRC is data like any other byte.
  r = with_crc;
  ASSERT_TRUE(DecodeLogReply(r, false));
  EXPECT_EQ(r.size(), data.size() + 2);

  std::string spoiled = Stuff(data + std::string("\x12\x34", 2));
  EXPECT_FALSE(DecodeLogReply(spoiled, true));
  std::string one = "A";
  EXPECT_FALSE(DecodeLogReply(one, true));  // shorter than a CRC
  std::string empty;
  EXPECT_FALSE(DecodeLogReply(empty, true));
  std::string open_escape = with_crc + "\x01";
  EXPECT_FALSE(DecodeLogReply(open_escape, true));
}

TEST(FetchParts, RingSlotsInUse) {
  struct Case {
    int slot, fi, li;
    bool in_use;
  } cases[] = {{5, 5, 2, true},  {7, 5, 2, true},  {0, 5, 2, true}, {2, 5, 2, true}, {3, 5, 2, false},
               {4, 5, 2, false}, {3, 3, 3, true},  {2, 3, 6, false}, {6, 3, 6, true}, {7, 3, 6, false}};
  for (const auto& c : cases) EXPECT_EQ(RingSlotInUse(c.slot, c.fi, c.li), c.in_use) << c.slot << " " << c.fi << " " << c.li;
}

TEST(FetchParts, ChooserSelectionAndAllowedTypes) {
  lang::SetCurrentLanguage(lang::English);
  TDeviceChooser chooser;
  EXPECT_EQ(chooser.CaptionText(), "Read Logfile From");
  EXPECT_FALSE(chooser.OkEnabled());
  const std::vector<TChooserEntry> devices = {
      {"A:", "Master", "ZYR-D", 1220}, {"A1:", "Slave", "ZYR-D", 1220}, {"B:", "Feeder", "zyr-dm", 213}};

  chooser.SetEntries(devices, "");
  EXPECT_EQ(chooser.Selected(), 0);  // the first when nothing was selected
  ASSERT_TRUE(chooser.Select("b:"));
  chooser.SetEntries(devices, "");
  EXPECT_EQ(chooser.Selected(), 2);  // kept by address text
  chooser.SetEntries(devices, "Slave");
  EXPECT_EQ(chooser.Selected(), 1);  // the device at the port wins over another entry
  chooser.SetEntries(devices, "Master");
  EXPECT_EQ(chooser.Selected(), 1);  // ... but not when it is the first entry
  EXPECT_FALSE(chooser.Select("C:"));
  EXPECT_EQ(chooser.Selected(), 1);

  chooser.SetAllowedTypes("ZYR-DM;VAD-AZ");
  EXPECT_FALSE(chooser.OkEnabled());
  chooser.Select("B:");
  EXPECT_TRUE(chooser.OkEnabled());  // type names compared without case

  EXPECT_EQ(chooser.Name(7), "");
  EXPECT_EQ(chooser.Version(-1), 0);
  EXPECT_EQ(chooser.Version(2), 213);
  EXPECT_EQ(chooser.AddressWidth(), 3);
  EXPECT_EQ(chooser.NameWidth(), 8);
  EXPECT_EQ(chooser.EntryText(0), "A:   \"Master\"  (ZYR-D)");
  EXPECT_EQ(chooser.EntryText(2), "B:   \"Feeder\"  (zyr-dm)");

  chooser.SetEntries({}, "");
  EXPECT_EQ(chooser.Selected(), -1);
  EXPECT_FALSE(chooser.OkEnabled());
  chooser.SetCaption("Read Configuration From");
  EXPECT_EQ(chooser.CaptionText(), "Read Configuration From");
}

}  // namespace
}  // namespace trivex
