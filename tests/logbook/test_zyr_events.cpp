// ZYR-D events: the text line and the CSV line of every kind of event.
#include "decoder_test_util.h"
#include "logbook/zyr_log_events.h"

namespace trivex {
namespace {
using namespace trivex::testing;

TLogEventFactory Zyr(bool show_io = true) {
  return [show_io](const TRawLogEvent& raw) { return CreateZyrLogEvent(raw, show_io); };
}

const std::string PD = "1990-01-01 00:15:00,007";  // power-down / old clock time (900 s, 7 ms)
const Bytes kPdTime = Cat({Be32(900), Be16(7)});
const std::string Frec5 = "Fault record: 00000005";

TEST(ZyrEvents, LabelsDirectionsAndErrors) {
  CheckCases(Zyr(), {
      {"simple, comes", 65, {}, T + " " + P("Transient reset", 17) + "come", Csv({C.c_str(), "Transient reset", "come"})},
      {"simple, goes", 262, {}, T + " " + P("Slave missing", 17) + "go", Csv({C.c_str(), "Slave missing", "go"})},
      {"device list, comes", 261, {2, 1, 23},
       T + " " + P("Slave missing", 17) + P("come", 17) + "A: C2:",
       Csv({C.c_str(), "Slave missing", "come", nullptr, nullptr, "A: C2:"})},
      {"device list without direction", 264, {1, 0},
       T + " " + P("Config error", 17) + P("", 17) + "-:", Csv({C.c_str(), "Config error", "", nullptr, nullptr, "-:"})},
      {"error code", 273, {0, 0, 0x12, 0xAB},
       T + " " + P("Tynet error", 17) + P("come", 17) + "000012AB", Csv({C.c_str(), "Tynet error", "come", "000012AB"})},
      {"earth fault comes", 17, Cat({{0x32, 0}, F32(230.0f)}),
       T + " " + P("Earth fault", 17) + P("come", 17) + "Grp:1,2 BB:1 Uampl=230.0V",
       Csv({C.c_str(), "Earth fault", "come", nullptr, nullptr, "Grp:1,2", "BB:1", " Uampl=230.0V"})},
      {"earth fault goes", 18, {0x8E},
       T + " " + P("Earth fault", 17) + P("go", 17) + "Grp:4 BB:1,2,3",
       Csv({C.c_str(), "Earth fault", "go", nullptr, nullptr, "Grp:4", "BB:1,2,3", ""})},
      {"reset", 4, kPdTime, PD + " Powerdown/reset\r\n" + T + " Powerup/reset",
       "\"1990-01-01 00:15:00.007\";\"Powerdown/reset\"\r\n" + Csv({C.c_str(), "Powerup/reset"})},
      {"configuration", 8, Cat({Be32(77), {2, 1, 11}}),
       T + " " + P("Config", 17) + P("ID: 77", 17) + "Devices: A: B:",
       Csv({C.c_str(), "Config", "ID: 77", nullptr, nullptr, "Devices: A: B:"})},
      {"clock set", 40, kPdTime, T + " " + P("Time", 34) + "Old Time: " + PD,
       Csv({C.c_str(), "Time", nullptr, nullptr, nullptr, "1990-01-01 00:15:00.007"})},
      {"firmware version", 48, Cat({Be16(1200), Be16(1103)}),
       T + " " + P("Firmware version", 23) + "1.1.03 -> 1.2.00",
       Csv({C.c_str(), "Firmware version", nullptr, "1.1.03", "1.2.00"})},
      {"fault record numbers", 52, Cat({Be32(1), Be32(2)}),
       T + " " + P("Fault record numbers", 23) + "00000002 -> 00000001",
       Csv({C.c_str(), "Fault record numbers", nullptr, "00000002", "00000001"})},
      {"unrecognized code", 999, {1, 2}, T + " unrecognized event #$03E7", Csv({C.c_str(), "unrecognized event #$03E7"})},
      {"code 148 is ZYR-D; code 277 is not", 277, {}, T + " unrecognized event #$0115",
       Csv({C.c_str(), "unrecognized event #$0115"})},
  });
}

TEST(ZyrEvents, NetworkGroups) {
  CheckCases(Zyr(), {
      {"no group", 12, Be16(0), T + " " + P("Groups", 34) + "(empty)",
       Csv({C.c_str(), "Groups", "(empty)", nullptr, nullptr, nullptr, "(empty)"})},
      {"two groups", 12, Cat({Be16(2), {1, 2, 0x02, 1, 2, 0x05}, {11, 1, 0x0C, 0}}),
       T + " " + P("Group 1", 17) + P("BB:1", 9) + P("U: A:2", 8) + "Fdr: A1:1 A1:3\r\n" +
           T + " " + P("Group 2", 17) + P("BB:2,3", 9) + P("U: B:1", 8) + "Fdr:",
       Csv({C.c_str(), "Group 1", "BB:1", nullptr, "U: A:2", "Fdr: A1:1 A1:3"}) +
           Csv({C.c_str(), "Group 2", "BB:2,3", nullptr, "U: B:1", "Fdr:"})},
  });
}

TEST(ZyrEvents, FeederStatesAndDirectionWords) {
  // Feeder 1 in nibbles 1 and 2 (inv. L>B), feeder 2 in nibbles 0 and 3 (inv. B>L), feeder
  // 3 in nibbles 0 and 1 (Error $03).
  const std::string fr7 = "Fault record: 00000007";
  CheckCases(Zyr(), {
      {"old-style transient", 20, Cat({Be16(1), {1, 0}, Be16(0x2156), Be32(7)}),
       T + " " + P("Transient", 17) + P("inv.", 6) + P("L>B", 6) + P("A:1", 5) + fr7 + "\r\n" +
           T + " " + P("Transient", 17) + P("inv.", 6) + P("B>L", 6) + P("A:2", 5) + fr7 + "\r\n" +
           T + " " + P("Transient", 17) + P("Error", 6) + P("$03", 6) + P("A:3", 5) + fr7,
       Csv({C.c_str(), "Transient", "inv.", "L>B", "A:1", fr7.c_str()}) +
           Csv({C.c_str(), "Transient", "inv.", "B>L", "A:2", fr7.c_str()}) +
           Csv({C.c_str(), "Transient", "Error", "$03", "A:3", fr7.c_str()})},
      {"goes: no fault record", 20, Cat({Be16(1), {2, 0}, Be16(0x0020)}),
       T + " " + P("Transient", 17) + P("go", 6) + P("Ln", 6) + P("A1:2", 5),
       Csv({C.c_str(), "Transient", "go", "Ln", "A1:2", ""})},
      {"new-style state word 0x0010 is feeder 1 comes on the line", 148,
       Cat({Be16(1), {2, 0}, Be16(0x0010), Be32(66)}),
       T + " " + P("Transient", 17) + P("come", 6) + P("Ln", 6) + P("A1:1", 5) + "Fault record: 00000066",
       Csv({C.c_str(), "Transient", "come", "Ln", "A1:1", "Fault record: 00000066"})},
      {"qui states", 136, Cat({Be16(1), {1, 0}, Be16(0x0010)}),
       T + " " + P("qui", 17) + P("come", 6) + P("Ln", 6) + P("A:1", 5),
       Csv({C.c_str(), "qui", "come", "Ln", "A:1"})},
  });
}

TEST(ZyrEvents, MeasurementEvents) {
  const std::string i15 = "Iampl=  1.500A    0.0°";
  CheckCases(Zyr(), {
      {"harmonics", 24, Cat({{0x12, 1}, F32(100), Be16(1), {1, 0x01}, Be16(0x0001), F32(1.5f), F32(0)}),
       T + " " + P("Harmonics", 17) + P("50Hz", 17) + "Grp:1 BB:1 Uampl=100.0V\r\n" +
           T + " " + P("Harmonics", 17) + P("come", 6) + P("Ln", 6) + P("A:1", 5) + i15,
       Csv({C.c_str(), "Harmonics", "50Hz", nullptr, nullptr, "Grp:1", "BB:1", "Uampl=100.0V"}) +
           Csv({C.c_str(), "Harmonics", "come", "Ln", "A:1", i15.c_str()})},
      {"cyclic harmonics, other frequency, no values", 75, Cat({{0x10, 0x80}, F32(1), Be16(1), {1, 0}, Be16(0x0100)}),
       T + " " + P("Zxklisch Harmonische", 17) + P("XFreq", 17) + "Grp:1 BB:\r\n" +
           T + " " + P("Zxklisch Harmonische", 17) + P("come", 6) + P("BB", 6) + P("A:1", 5),
       Csv({C.c_str(), "Zxklisch Harmonische", "XFreq", nullptr, nullptr, "Grp:1", "BB:", ""}) +
           Csv({C.c_str(), "Zxklisch Harmonische", "come", "BB", "A:1", ""})},
      {"pulse, new style", 156, Cat({Be16(1), {1, 0}, Be16(0x0010), F32(2), F32(0)}),
       T + " " + P("Pulse", 17) + P("come", 12) + P("A:1", 5) + "Iampl50=  2.000A    0.0°",
       Csv({C.c_str(), "Pulse", "come", nullptr, "A:1", "Iampl50=  2.000A    0.0°"})},
      {"wattmetric", 32, Cat({{0x12, 1}, {1, 0x01}, Be16(0x0001), F32(2), F32(0)}),
       T + " " + P("Wattmetr", 34) + "Grp:1 BB:1\r\n" + T + " " + P("Wattmetr", 17) + P("come", 6) + P("Ln", 6) +
           P("A:1", 5) + "Iampl=2A    0.0°  Iw=2A",
       Csv({C.c_str(), "Wattmetr", nullptr, nullptr, nullptr, "Grp:1", "BB:1"}) +
           Csv({C.c_str(), "Wattmetr", "come", "Ln", "A:1", "Iampl=2A    0.0°  Iw=2A"})},
      {"harmonic voltages", 36,
       Cat({Be16(1), {1, 2}, F32(1), F32(2), F32(3), F32(4), F32(5), F32(6), F32(7), F32(8), F32(9), F32(10), F32(11)}),
       T + " " + P("UharmAmpl", 17) + P("A:2", 17) +
           "1.=1.000V 3.=2.000V 5.=3.000V 7.=4.000V 9.=5.000V 11.=6.000V 13.=7.000V 15.=8.000V 17.=9.000V "
           "19.=10.000V extra=11.000V",
       Csv({C.c_str(), "UharmAmpl", "A:2", nullptr, nullptr,
            "1.=1.000V 3.=2.000V 5.=3.000V 7.=4.000V 9.=5.000V 11.=6.000V 13.=7.000V 15.=8.000V 17.=9.000V "
            "19.=10.000V extra=11.000V"})},
  });
}

TEST(ZyrEvents, TransientEvaluations) {
  // Feeder codes 1, 2, 3, 0 (bus bar, line, both, none).
  const Bytes eval = Cat({{1, 0x39}, Be32(5)});
  const std::string padded = "     1:B      2:L  3:L+B     4:- ";
  CheckCases(Zyr(), {
      {"evaluation", 44, eval, T + " " + P("Eval transient", 29) + "A: 1:B 2:L 3:L+B 4:- " + Frec5,
       Csv({C.c_str(), "Eval transient", nullptr, nullptr, "A:", " 1:B 2:L 3:L+B 4:-", Frec5.c_str()})},
      {"disturbance detection", 45, Cat({Bytes(25, 0), {2, 0x39}, Be32(5)}),
       T + " " + P("Disturbation Detection", 29) + "A1: 1:B 2:L 3:L+B 4:- " + Frec5,
       Csv({C.c_str(), "Disturbation Detection", nullptr, nullptr, "A1:", " 1:B 2:L 3:L+B 4:-", Frec5.c_str()})},
      {"largest currents", 46, Cat({{1, 0}, Be32(5), F32(1.5f), F32(2.25f), F32(0), F32(10)}),
       T + " " + P("Eval Ice", 29) + "A:Io1:1.50A  Io2:2.25A  Io3:0.00A  Io4:10.00A   " + Frec5,
       Csv({C.c_str(), "Eval Ice", nullptr, nullptr, "A:", "Io1:1.50A  Io2:2.25A  Io3:0.00A  Io4:10.00A  ",
            Frec5.c_str()})},
      {"qu2 evaluation", 112, eval, T + " " + P("qu2_Wischer DE", 29) + "A:" + padded + " " + Frec5 + " ",
       Csv({C.c_str(), "qu2_Wischer DE", nullptr, "A:", padded.c_str(), Frec5.c_str()})},
      {"qu2 Ice values", 104, Cat({{1, 0}, F32(1.5f), F32(-2.25f), F32(123456), F32(0)}),
       T + " " + P("  Ice", 29) + "A:" + "    " + "   1.50   -2.25 1.2E+005    0.00  ",
       "\"" + C + "\";\"  Ice\";\"A:\";\"   " + "   1.50   -2.25 1.2E+005    0.00  \";\r\n"},
      {"qui message", 120, {1, 0x39}, T + " " + P("qui ", 29) + "A:" + padded,
       Csv({C.c_str(), "qui ", "A:", padded.c_str()})},
      {"qui counts, missing ones are 0", 124, Cat({{1, 0}, Be16(5), Be16(0xFFFD)}),
       T + " " + P("  qui_N vorwärts", 29) + "A: " + "      5      -3       0       0  ",
       Csv({C.c_str(), "  qui_N vorwärts", "A:", "      5      -3       0       0  "})},
      {"qui gradients", 132, Cat({{1, 0}, F32(1), F32(-1), F32(12345), F32(0)}),
       T + " " + P("  qui_gradient", 29) + "A: " + "   1.00      -1.00   12345.00    0.00   ",
       Csv({C.c_str(), "  qui_gradient", nullptr, "A:", "   1.00      -1.00   12345.00    0.00   "})},
      {"qui gradients without values", 132, Bytes(17, 1), "", ""},
  });
}

TEST(ZyrEvents, BinaryInputsAndRelays) {
  CheckCases(Zyr(), {
      {"inputs of a device", 288, Cat({{1, 0}, Be16(0x0001), Be16(0x0002)}),
       T + " Switching event A: BE01=0 BE02=1 ", Csv({C.c_str(), "Switching event", "A:", "BE01=0 BE02=1 "})},
      {"local inputs of group 1: bit 0 is not reported", 288, Cat({{0, 1}, Be16(0x0003), Be16(0)}),
       T + " Switching event virt. BE001=0 ", Csv({C.c_str(), "Switching event", "virt. BE001=0 "})},
      {"local inputs of group 2", 288, Cat({{0, 2}, Be16(0), Be16(0x0001)}),
       T + " Switching event virt. BE016=1 ", Csv({C.c_str(), "Switching event", "virt. BE016=1 "})},
      {"no change", 288, Cat({{1, 0}, Be16(5), Be16(5)}), "", ""},
      {"relays", 292, Cat({Be16(0), Be16(0x0003)}), T + " Relais event R01=1 R02=1 ",
       Csv({C.c_str(), "Relais event", "R01=1 R02=1 "})},
      {"relays above 5 only", 292, Cat({Be16(0x0020), Be16(0)}), "", ""},
  });
  EXPECT_EQ(Render(Zyr(false), Raw(288, Cat({{1, 0}, Be16(0), Be16(1)})), 0), "(hidden)");
  EXPECT_EQ(Render(Zyr(false), Raw(292, Cat({Be16(0), Be16(1)})), 0), "(hidden)");
}

TEST(ZyrEvents, ShortDataIsRejectedWithTheClassName) {
  struct Case {
    uint16_t code;
    Bytes data;
    const char* cls;
  };
  const Case cases[] = {
      {17, Bytes(5, 0), "TZyrLogErdschlussEvent"},
      {46, Bytes(21, 0), "TZyrLogWischerIceMaxEvent"},  // reads up to offset 21
      {45, Bytes(30, 0), "TZyrLogWischerDDqu2DataEvent"},
      {261, {3, 1, 2}, "TZyrLogDevListEvent"},
      {8, Cat({Be32(1), {4, 1}}), "TZyrLogKonfigEvent"},
      {12, Cat({Be16(1), {1, 2, 0, 3, 1, 1}}), "TZyrLogNetzEvent"},
      {20, Cat({Be16(1), {1, 0}, Be16(0x0001)}), "TZyrLogWischerEvent"},  // fault record missing
      {24, Cat({{0, 0}, F32(0), Be16(1), {1, 1}, Be16(1), F32(1)}), "TZyrLogOberschwEvent"},
      {36, Cat({Be16(1), Bytes(45, 0)}), "TZyrLogSpannungEvent"},
      {136, Cat({Be16(2), Bytes(6, 0)}), "TZyrLogQuiData"},
      {288, Bytes(5, 0), "TZyrLogSchalterEvent"},
      {104, Bytes(17, 0), "TLogWischerIceData"},
      {108, Bytes(17, 0), "TLogWischerRotData"},
      {4, Bytes(5, 0), "TZyrLogResetEvent"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodeError(Zyr(), c.code, c.data), std::string(c.cls) + ".Create: invalid Data") << c.code;
}

TEST(ZyrEvents, GermanAndItalianWithCommaDecimals) {
  const TRawLogEvent raw = Raw(17, Cat({{0x32, 0}, F32(230.5f)}), kSecs, kMs);
  lang::SetCurrentLanguage(lang::German);
  EXPECT_EQ(Render(Zyr(), raw, TLogRenderContext::kText, ','),
            T + " " + P("Erdschluss", 17) + P("kommt", 17) + "Grp:1,2 SS:1 Uampl=230,5V\r\n");
  EXPECT_EQ(Render(Zyr(), raw, TLogRenderContext::kCsv, ','),
            "\"1990-01-01 00:16:40,005\";\"Erdschluss\";\"kommt\";;;\"Grp:1,2\";\"SS:1\";\" Uampl=230,5V\"\r\n");
  lang::SetCurrentLanguage(lang::Italian);
  EXPECT_EQ(Render(Zyr(), Raw(20, Cat({Be16(1), {1, 0}, Be16(0x0020)}), kSecs, kMs), TLogRenderContext::kText),
            T + " " + P("Transitorio", 17) + P("fine", 6) + P("Li", 6) + P("A:2", 5) + "\r\n");
  lang::SetCurrentLanguage(lang::English);
}

}  // namespace
}  // namespace trivex
