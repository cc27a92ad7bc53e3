// The wire frame, the port configuration record and its texts, the elapsed-time formats.
#include <gtest/gtest.h>

#include "app/memory_settings_store.h"
#include "lang/lang.h"
#include "link/communicator.h"
#include "link/frame.h"
#include "link/kombi_communicator.h"
#include "link/link_settings.h"
#include "link/port_config.h"
#include "link/precise_ticks.h"

using namespace trivex;

namespace {

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

TEST(Frame, WorkedExampleAndEmptyRequest) {
  EXPECT_EQ(BuildRequestFrame("abc"), Bytes({2, 0x16, 0x16}) + "abc\n0130");
  EXPECT_EQ(BuildRequestFrame(""), Bytes({2, 0x16, 0x16}) + "\n000A");
  EXPECT_EQ(BuildReplyFrame(kAck, "ok"), Bytes({6}) + "ok" + Bytes({0x1A}) + "00FA");
  // The sum wraps at 65536.
  std::string big(300, '\xFF');
  EXPECT_EQ(RequestChecksum(big), static_cast<uint16_t>(10 + 300 * 255));
}

TEST(Frame, ReplyAssemblerResults) {
  struct Case {
    std::string bytes;
    int result;
    std::string text;
  } cases[] = {
      {BuildReplyFrame(kAck, "ok"), 0, "ok"},
      {Bytes({6}) + "ok" + Bytes({0x1A}) + "00fa", 0, "ok"},            // lower-case digits
      {BuildReplyFrame(kNak, "bad"), -3, "bad"},                         // rejected, text kept
      {Bytes({6}) + "ok" + Bytes({0x1A}) + "00FB", -4, "ok"},            // wrong sum
      {Bytes({6}) + "ok" + Bytes({0x1A}) + "0G?A", -4, "ok"},            // not hexadecimal
      {Bytes({6, 0x1A}) + "0020" + "trailing", 0, ""},                   // bytes after the reply
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    ReplyAssembler a;
    ASSERT_TRUE(a.Feed(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()));
    EXPECT_EQ(a.Result(), c.result);
    EXPECT_EQ(a.Text(), c.text);
  }
  // Incomplete: no SUB yet, or fewer than four checksum characters.
  ReplyAssembler a;
  std::string part = Bytes({6}) + "ok" + Bytes({0x1A}) + "00F";
  EXPECT_FALSE(a.Feed(reinterpret_cast<const uint8_t*>(part.data()), part.size()));
}

TEST(PortConfig, SettingsText) {
  TPortConfig c;
  EXPECT_EQ(PortSettingsText(c), "9600, N, 8, 1, -");
  struct Case {
    bool cts;
    bool xon;
    uint8_t rts;
    const char* text;
  } cases[] = {
      {false, false, kRtsOff, "-"},        {false, true, kRtsOff, "Xon/Xoff-"},
      {false, false, kRtsOn, "+"},         {false, true, kRtsOn, "Xon/Xoff+"},
      {true, false, kRtsHandshake, "RTS/CTS"}, {false, false, kRtsToggle, "RS485"},
      {true, false, kRtsOn, "?"},          {false, true, kRtsToggle, "?"},
  };
  for (const auto& k : cases) {
    c.cts_flow = k.cts;
    c.xon_xoff_in = c.xon_xoff_out = k.xon;
    c.rts_control = k.rts;
    EXPECT_EQ(PortSettingsText(c), std::string("9600, N, 8, 1, ") + k.text);
  }
  TPortConfig p;
  p.baud = 19200;
  p.parity = 2;
  p.parity_check = true;
  p.data_bits = 7;
  p.stop_bits = 1;
  EXPECT_EQ(PortSettingsText(p), "19200, E, 7, 1.5, -");
  p.parity = 9;
  p.stop_bits = 7;
  EXPECT_EQ(PortSettingsText(p), "19200, ?, 7, ?, -");
  p.parity_check = false;  // parity letter "N" whenever checking is off
  EXPECT_EQ(PortSettingsText(p).substr(0, 9), "19200, N,");
}

TEST(PortConfig, StoredFormRoundTripAndRejects) {
  TPortConfig c;
  c.baud = 115200;
  c.parity = 1;
  c.parity_check = true;
  c.xon_xoff_in = true;
  c.rts_control = kRtsToggle;
  auto back = PortConfigFromText(PortConfigToText(c));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, c);
  for (const char* bad : {"", "garbage", "2,9600,8,0,0,0,0,0,0,0", "1,9600,8,0,0,0,0,0,0", "1,9600,9,0,0,0,0,0,0,0",
                          "1,9600,8,5,0,0,0,0,0,0", "1,9600,8,0,0,2,0,0,0,0", "1,9600,8,0,0,0,0,0,0,4",
                          "1,9600,8,0,0,0,0,0,0,0,0", "1,-9600,8,0,0,0,0,0,0,0", "1,9600,8,0,0,0,0,0,0, 1"})
    EXPECT_FALSE(PortConfigFromText(bad)) << bad;
}

TEST(PortConfig, HandshakeRules) {
  struct Case {
    bool cts, xon;
    uint8_t rts;
    bool rts_option, rs485;
    uint8_t expected;
  } cases[] = {
      {false, true, kRtsOff, true, false, kRtsOn},       // XON/XOFF: RTS follows the RTS option
      {false, true, kRtsOn, false, true, kRtsOff},
      {false, false, kRtsOff, true, true, kRtsToggle},   // no handshake: RS485 first
      {false, false, kRtsOn, true, false, kRtsOn},
      {false, false, kRtsOn, false, false, kRtsOff},
      {false, false, kRtsHandshake, true, true, kRtsHandshake},
      {true, false, kRtsHandshake, false, true, kRtsHandshake},  // RTS/CTS never changes
  };
  for (const auto& k : cases) {
    TPortConfig c;
    c.cts_flow = k.cts;
    c.xon_xoff_in = c.xon_xoff_out = k.xon;
    c.rts_control = k.rts;
    ApplyHandshakeRules(c, k.rts_option, k.rs485);
    EXPECT_EQ(c.rts_control, k.expected);
  }
}

TEST(PortTable, NumbersIndicesAndMisuse) {
  lang::SetCurrentLanguage(lang::English);
  TCommunicator serial(CreatePosixSerialPort, [] { return std::vector<std::string>{"/dev/null-a", "/dev/null-b"}; });
  EXPECT_EQ(serial.PortCount(), 2);
  EXPECT_EQ(serial.GetComIdx2Num(2), 2);
  EXPECT_EQ(serial.PortPath(2), "/dev/null-b");
  try {
    serial.GetComNum2Idx(3);
    FAIL();
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "Invalid COM-Nr 3 in GetComNum2Idx");
  }
  EXPECT_THROW(serial.SetComIdx(0), ECommError);
  EXPECT_THROW(serial.SetCommConfig(7, TPortConfig()), ECommError);
  EXPECT_EQ(serial.GetCommPropertiesAsString(0), "");  // closed port
  EXPECT_EQ(serial.GetCommPropertiesAsString(2), "9600, N, 8, 1, -");
  EXPECT_THROW(serial.Send("x"), ECommError);
  EXPECT_THROW(serial.RegisterReceiver([] {}, false, false), ECommError);
  std::string reply;
  EXPECT_THROW(serial.SendRecvSync("x", reply, 100, false), ECommError);
}

TEST(PortTable, NoPortsAndMissingDevice) {
  lang::SetCurrentLanguage(lang::English);
  TCommunicator none(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  EXPECT_EQ(none.PortCount(), 0);
  EXPECT_EQ(none.ComNum(), 1);
  EXPECT_EQ(none.ComIdx(), 1);
  try {
    none.SetActive(true);
    FAIL();
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "Error 2 on opening COM1");
  }
}

TEST(LinkSettings, StoredValues) {
  MemorySettingsStore store;
  auto lister = [] { return std::vector<std::string>{"/dev/null-a", "/dev/null-b"}; };
  TKombiCommunicator link(nullptr, nullptr, std::make_unique<TCommunicator>(CreatePosixSerialPort, lister));
  TPortConfig c;
  c.baud = 57600;
  store.Write(kKeyTerminal, "ComNum", "2");
  store.Write(kKeyTerminal, "Com1Settings", "not a record");  // unreadable: the default
  store.Write(kKeyTerminal, "Com2Settings", PortConfigToText(c));
  store.Write(kKeyTerminal, "ExtraPort0", "/dev/null-c");
  ReadLinkSettings(store, link);
  EXPECT_EQ(link.Serial().PortCount(), 3);
  EXPECT_EQ(link.Serial().PortPath(3), "/dev/null-c");
  EXPECT_EQ(link.Serial().ComNum(), 2);
  EXPECT_EQ(link.Serial().GetCommConfig(1), TPortConfig());
  EXPECT_EQ(link.Serial().GetCommConfig(2).baud, 57600u);

  store.Write(kKeyTerminal, "ComNum", "9");  // no such port: the first one
  ReadLinkSettings(store, link);
  EXPECT_EQ(link.Serial().ComNum(), 1);

  MemorySettingsStore out;
  WriteLinkSettings(out, link);
  EXPECT_EQ(out.Read(kKeyTerminal, "Com2Settings"), PortConfigToText(c));
  EXPECT_EQ(out.Read(kKeyTerminal, "ComNum"), "1");
  EXPECT_EQ(out.Read(kKeyTerminal, "ExtraPort0"), "/dev/null-c");
  EXPECT_FALSE(out.Read(kKeyTerminal, "UseKxoServer"));  // no bus server here

  // A port given for this run joins the table and is used, but is not stored.
  ReadLinkSettings(store, link, "/dev/null-d");
  EXPECT_EQ(link.Serial().ComNum(), 4);
  EXPECT_EQ(link.Serial().PortPath(4), "/dev/null-d");
  ReadLinkSettings(store, link);  // a rescan keeps it
  EXPECT_EQ(link.Serial().PortPath(4), "/dev/null-d");
  MemorySettingsStore out2;
  WriteLinkSettings(out2, link);
  EXPECT_FALSE(out2.Read(kKeyTerminal, "ExtraPort1"));
}

TEST(PreciseTicks, ElapsedTexts) {
  const int64_t t0 = 1'000'000'000;
  const int64_t h = 3600LL * 1'000'000'000;
  // The counter's own reading cost is subtracted; it is far below a microsecond.
  EXPECT_EQ(FormatElapsedMs(t0 + 12'345'400, t0), "12.345");
  EXPECT_EQ(FormatElapsedHms(true, t0 + 2 * h + 5LL * 60'000'000'000 + 7'250'000'000, t0), "2:05:07.250");
  EXPECT_EQ(FormatElapsedHms(false, t0 + 65'900'000'000, t0), "0:01:05");
  EXPECT_EQ(FormatElapsedHms(false, t0 - 65'000'000'000, t0), "-0:01:05");
}

}  // namespace
