// ZYR-DM and regulator (VAD-AZ, ZED-UDE) events: text and CSV lines of every kind.
#include "decoder_test_util.h"
#include "logbook/dm_log_events.h"
#include "logbook/dp_log_events.h"

namespace trivex {
namespace {
using namespace trivex::testing;

TLogEventFactory Dm() { return [](const TRawLogEvent& raw) { return CreateDmLogEvent(raw); }; }
TLogEventFactory Dp(bool show_io = false) {
  return [show_io](const TRawLogEvent& raw) { return CreateDpLogEvent(raw, show_io); };
}

TEST(DmEvents, AllKinds) {
  const std::string watt = "Iampl=2A    0.0°  Iw=1.4142A";
  const std::string dif = "Zu_ci=INF  Yfk=1kOhm 53.1°";
  CheckCases(Dm(), {
      {"shared simple event", 270, {}, T + " " + P("Master missing", 17) + "go", Csv({C.c_str(), "Master missing", "go"})},
      {"network with boards 2 and 5", 12, Cat({Be16(1), {3, 0x02, 0x12, 0x41, 0x80}}),
       T + " " + P("Group 1", 17) + P("BB:1", 9) + P("U: 3", 8) + "Fdr: 21 27 58",
       Csv({C.c_str(), "Group 1", "BB:1", nullptr, "U: 3", "Fdr: 21 27 58"})},
      {"network without groups", 12, Be16(0), T + " " + P("Groups", 34) + "(empty)",
       Csv({C.c_str(), "Groups", "(empty)", nullptr, nullptr, nullptr, "(empty)"})},
      {"wattmetric: A and D set is inv. L>B", 32, Cat({{0x12, 0x01}, {0x01, 0, 0, 0x01}, F32(2), F32(0)}),
       T + " " + P("Wattmetr", 34) + "Grp:1 BB:1\r\n" + T + " " + P("Wattmetr", 17) + P("inv.", 6) + P("L>B", 6) +
           P("11", 5) + watt,
       Csv({C.c_str(), "Wattmetr", nullptr, nullptr, nullptr, "Grp:1", "BB:1"}) +
           Csv({C.c_str(), "Wattmetr", "inv.", "L>B", "11", watt.c_str()})},
      {"admittance: B without A comes", 44,
       Cat({{0x12, 0x02}, {0x00, 0x01}, F32(0), F32(0), F32(0.0006f), F32(-0.0008f)}),
       T + " " + P("DIF", 34) + "Grp:1 BB:1\r\n" + T + " " + P("DIF", 17) + P("come", 6) + P("Ln", 6) + P("21", 5) + dif,
       Csv({C.c_str(), "DIF", nullptr, nullptr, nullptr, "Grp:1", "BB:1"}) +
           Csv({C.c_str(), "DIF", "come", "Ln", "21", dif.c_str()})},
      {"DSP status", 277, {0x05, 0x04}, T + " " + P("DSP Status error", 17) + P("come", 17) + "1-3--- -> --3---",
       Csv({C.c_str(), "DSP Status error", "come", "1-3--- -> --3---"})},
      {"DIF debug", 512, {0x05, 7}, T + " " + P("DIF Debug", 17) + P("", 17) + "1-3- 7",
       Csv({C.c_str(), "DIF Debug", "", "1-3- 7"})},
      {"ZYR-D only codes are unknown here", 148, {}, T + " unrecognized event #$0094",
       Csv({C.c_str(), "unrecognized event #$0094"})},
  });
  EXPECT_EQ(DecodeError(Dm(), 257, {1, 2}), "TDmLogErrorEvent.Create: invalid Data");
  EXPECT_EQ(DecodeError(Dm(), 44, Cat({{0, 1}, {0, 1}, Bytes(15, 0)})), "TDmLogDifEvent.Create: invalid Data");
  EXPECT_EQ(DecodeError(Dm(), 12, Cat({Be16(1), {3, 0, 0x03, 1}})), "TDmLogNetzEvent.Create: invalid Data");
}

TEST(DpEvents, StateEventsAndLabels) {
  const std::string none = std::string(20, ' ') + " " + std::string(12, ' ');
  CheckCases(Dp(), {
      {"master comes (bit 15)", 0xC002, {}, T + " " + P("Master", 21) + "come", Csv({C.c_str(), "Master", "come"})},
      {"master goes", 0x4002, {}, T + " " + P("Master", 21) + "go", Csv({C.c_str(), "Master", "go"})},
      {"status error", 0x4001, Be32(0xABCD), T + " " + P("Status error", 21) + P("go", 6) + "0000ABCD",
       Csv({C.c_str(), "Status error", "go", "0000ABCD"})},
      {"input function 5", 0xE105, Cat({Be16(0), Be16(0)}), T + " " + P("BIF005: Imp_Mot_L", 21) + P("come", 6) + none,
       Csv({C.c_str(), "BIF005: Imp_Mot_L", "come", nullptr, nullptr, none.c_str()})},
      {"output function without a name", 0x6256, Cat({Be16(0), Be16(0x0070), F32(231.5f), F32(0), F32(3)}),
       T + " " + P("BOF086:", 21) + P("go", 6) + "Une= 231.50V    0.0° Ipos=   3.0A",
       Csv({C.c_str(), "BOF086:", "go", nullptr, nullptr, "Une= 231.50V    0.0° Ipos=   3.0A"})},
      {"binary output", 0x6381, Cat({Be16(0), Be16(0x0010), F32(1)}),
       T + " " + P("BO 2", 21) + P("go", 6) + "Une=   1.00V" + std::string(8, ' ') + " " + std::string(12, ' '),
       Csv({C.c_str(), "BO 2", "go", nullptr, nullptr,
            ("Une=   1.00V" + std::string(8, ' ') + " " + std::string(12, ' ')).c_str()})},
      {"error message", 256 + 2, Cat({Be16(2), Be16(0)}),
       T + " " + P("Error #2", 27) + "drive error: false direction", Csv({C.c_str(), "Error #2", nullptr, "drive error: false direction"})},
      {"error without message", 256 + 40, Cat({Be16(40), Be16(0)}), T + " Error #40", Csv({C.c_str(), "Error #40", nullptr, ""})},
      {"error with detail", 256 + 22, Cat({Be16(22), Be16(3)}),
       T + " " + P("Error #22", 27) + "current injection: U value too small, chan: #3",
       Csv({C.c_str(), "Error #22", nullptr, "current injection: U value too small, chan: #3"})},
      {"error acknowledged", 511, Cat({Be16(0), Be16(0)}), T + " " + P("Error ack", 27) + "no error",
       Csv({C.c_str(), "Error ack", nullptr, "no error"})},
      {"clock set", 1, Cat({Be32(900), Be16(7)}), T + " " + P("Time", 27) + "Old Time: 1990-01-01 00:15:00,007",
       Csv({C.c_str(), "Time", nullptr, "1990-01-01 00:15:00.007"})},
      {"firmware version", 3, Cat({Be16(2210), Be16(2199)}), T + " " + P("Firmware version", 23) + "2.1.99 -> 2.2.10",
       Csv({C.c_str(), "Firmware version", nullptr, "2.1.99", "2.2.10"})},
      {"unknown code", 0x7000, {}, T + " unrecognized event #$7000", Csv({C.c_str(), "unrecognized event #$7000"})},
  });
}

TEST(DpEvents, StateListsWithTheSwitch) {
  // F = 0x0003: output functions 0 and 1 with their state values; the list is built from
  // bit 0 upwards, each item in front, so the second value comes first.
  const std::string lists = " BOF: .... .... .... .... .... .... 2222 1111 BIF: .... .... .... ...."
                            " BO: .... .... BI: 0033 ....";
  const std::string value = std::string(20, ' ') + " " + std::string(12, ' ') + lists;
  CheckCases(Dp(true), {
      {"function lists", 0x6200, Cat({Be16(0x0003), Be16(0x0008), Be16(0x1111), Be16(0x2222), Be16(0x0033)}),
       T + " " + P("BOF000: OFF", 21) + P("go", 6) + value,
       Csv({C.c_str(), "BOF000: OFF", "go", nullptr, nullptr, value.c_str()})},
  });
  EXPECT_EQ(DecodeError(Dp(), 0x6200, Cat({Be16(0x0003), Be16(0), Be16(1)})), "TDpBafLogEvent.Create: invalid Data");
}

TEST(DpEvents, MeasurementsDebugAndUserEvents) {
  const uint16_t all_valid_mode1_kind1 = (1 << 14) | (1 << 12) | 0xF;
  const std::string found = "Ice=  12.5A (Ipos + Ifix + I_Slave) Iext=   2.0A Ifix=   1.0A UresPhi=   90.0° Ures= 100.00V Iw=   3.0A";
  const std::string user_text = T + " UserEvent" + " " + std::string(17, ' ') + "Pump;" + std::string(10, ' ') + " " +
                                "Flags:       AB(hex); " + "Values:#1=  1.000 #2=  2.000  come";
  CheckCases(Dp(), {
      {"resonance curve, mode 1, kind 1", 2,
       Cat({Be16(all_valid_mode1_kind1), F32(12.5f), F32(3), F32(100), F32(1.5707963f), F32(1), F32(2)}),
       T + " " + P("Resonance curve", 27) + found,
       Csv({C.c_str(), "Resonance curve", "Ice=  12.5A", "(Ipos + Ifix + I_Slave)", "Iext=   2.0A", "Ifix=   1.0A",
            "UresPhi=   90.0°", "Ures= 100.00V", "Iw=   3.0A"})},
      {"provisional curve, nothing valid", 4, Cat({Be16(0), Bytes(16, 0)}),
       T + " " + P("Provisional curve", 27) + "Ires=  ----A   " + " UresPhi=  -----° Ures=  -----V Iw=  ----A",
       Csv({C.c_str(), "Provisional curve", "Ires=  ----A", "", "", "", "UresPhi=  -----°", "Ures=  -----V", "Iw=  ----A"})},
      {"coil currents", 5, Cat({F32(1), F32(2), F32(3), F32(0)}),
       T + " P-Coil " + std::string(19, ' ') + "Ib=  2.00A, Iw=  1.00A, Une=3.00V, Phi= 0.00° ",
       Csv({C.c_str(), "P-Coil", "Ib=  2.00A", "Iw=  1.00A", "Une= 3.00V", "Phi=  0.00°"})},
      {"debug values", 0x4004, Cat({Be16(3), Be16(2), F32(1), F32(2.5f)}),
       T + " DebugEvent #3 " + std::string(11, ' ') + std::string(38, ' ') + "Values:#1=   1.000#2=   2.500",
       "\"" + C + "\";\"DebugEvent #3\";\"Value1=   1.000\";\"Value2=   2.500\";\r\n"},
      {"user event", 0xC005,
       Cat({Be16(0x32), {'P', 'u', 'm', 'p', 0, 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'}, Be32(0xAB), F32(1),
            F32(2)}),
       user_text,
       Csv({C.c_str(), "UserEvent", "Pump ", "Flags:0xAB", "Value1=  1.000", "Value2=  2.000", "come"})},
  });
  // A name from the device with a double quote keeps the CSV line balanced.
  const auto quoted = Render(Dp(), Raw(0x4005, Cat({Be16(0x20), {'a', '"', 'b', 0}, Bytes(12, 0)}), kSecs, kMs),
                             TLogRenderContext::kCsv);
  EXPECT_EQ(quoted, "\"" + C + "\";\"UserEvent\";\"a\"\"b \";\"go\"\r\n");
  EXPECT_EQ(DecodeError(Dp(), 0x4004, Cat({Be16(3), Be16(20), Bytes(28, 0)})), "TDpDebugEvent.Create: invalid Data");
  EXPECT_EQ(DecodeError(Dp(), 5, Bytes(15, 0)), "TDpISpuleEvent.Create: invalid Data");
  EXPECT_EQ(DecodeError(Dp(), 2, Cat({Be16(1 << 14), Bytes(16, 0)})), "TDpLogSuchErgebnisEvent.Create: invalid Data");
}

TEST(EventFactories, ChosenByDeviceType) {
  lang::SetCurrentLanguage(lang::English);
  EXPECT_TRUE(LogEventFactoryForType("zyr-d", true));
  EXPECT_TRUE(LogEventFactoryForType("ZYR-DM", true));
  EXPECT_TRUE(LogEventFactoryForType("VAD-AZ", true));
  EXPECT_TRUE(LogEventFactoryForType("ZED-UDE", true));
  EXPECT_FALSE(LogEventFactoryForType("XYZ", true));
  const TRawLogEvent dsp = Raw(277, {5, 4}, kSecs, kMs);
  EXPECT_NE(Render(LogEventFactoryForType("ZYR-DM", true), dsp, 0).find("1-3---"), std::string::npos);
  EXPECT_NE(Render(LogEventFactoryForType("ZYR-D", true), dsp, 0).find("unrecognized"), std::string::npos);
}

}  // namespace
}  // namespace trivex
