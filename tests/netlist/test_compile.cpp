// Compiling net list text: every message with its line, the feeder states, switches,
// binary inputs, measurements and the limits of both families.
#include "config/net_list_texts.h"
#include "net_list_fixture.h"

using namespace trivex;
using namespace nltest;

namespace {

struct ErrorCase {
  const char* what;
  TSystemType type;
  std::vector<std::string> lines;
  const char* message;
  int line;
};


}  // namespace

class Compile : public English {};

TEST_F(Compile, EveryFaultNamesItsMessageAndLine) {
  const auto feeder_meas = [](const char* f9, const char* f10, const char* f11, const char* f12, const char* f13) {
    return Row({{1, "X"}, {4, "J1"}, {7, "on"}, {9, f9}, {10, f10}, {11, f11}, {12, f12}, {13, f13}});
  };
  const auto bi = [](const char* f7, const char* f8) { return Row({{1, "X"}, {4, "J1"}, {7, f7}, {8, f8}}); };
  const std::string busbar_u0 = Row({{1, "U0"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}});
  const ErrorCase cases[] = {
      {"busbar markers", stZYRD, {"", Row({{1, "X"}, {2, "LK"}, {4, "J1"}, {7, "on"}})}, "Incorrect declaration of breaker in line 2", 2},
      {"unknown marker", stZYRD, {Row({{1, "Y"}, {4, "J1"}, {7, "on"}})}, "Incorrect declaration of breaker in line 1", 1},
      {"two X and LK", stZYRD, {Row({{1, "X"}, {2, "X"}, {3, "LC"}, {4, "J1"}, {7, "on"}})}, "Incorrect declaration of breaker in line 1", 1},
      {"breaker twice", stZYRD, {Row({{4, "J1"}, {7, "on"}}), Row({{4, "J1"}, {7, "on"}})}, "Inconsistent declaration of breaker in lines 1-2", 2},
      {"disconnector twice", stZYRD, {bi("on", ""), Row({{4, "J1"}, {7, "on"}}), bi("on", "")}, "Inconsistent declaration of breaker in lines 1-3", 3},
      {"line after a coupler", stZYRD, {Row({{1, "LK"}, {4, "J1"}, {7, "on"}}), bi("on", "")}, "Inconsistent declaration of breaker in lines 1-2", 2},
      {"coupler after a disconnector", stZYRD, {bi("on", ""), Row({{2, "LK"}, {4, "J1"}, {7, "on"}})}, "Inconsistent declaration of breaker in lines 1-2", 2},
      {"breaker alone", stZYRD, {Row({{4, "J1"}, {7, "on"}}), Row({{4, "J1"}, {7, "on"}, {1, "X"}}), Row({{4, "J2"}, {7, "on"}})}, "Incomplete declaration of breaker in lines 3-3", 3},
      {"breaker alone, then blank", stZYRD, {Row({{4, "J1"}, {7, "on"}}), Row({{4, "J1b"}, {7, "on"}}), ""}, "Incomplete declaration of breaker in lines 1-1", 1},
      {"coupler without switch", stZYRD, {Row({{1, "LK"}, {4, "J1"}})}, "Incomplete declaration of breaker in line 1", 1},
      {"connection without switch", stZYRD, {Row({{1, "X"}, {3, "X"}, {4, "J1"}})}, "Incomplete declaration of breaker in line 1", 1},
      {"bad relay", stZYRD, {bi("Q1", "E01")}, "Incorrect naming of binary input in line 1", 1},
      {"no relay", stZYRD, {bi("", "E01")}, "Incorrect naming of binary input in line 1", 1},
      {"input 17", stZYRD, {bi("A:", "E17")}, "Incorrect declaration of binary input in line 1", 1},
      {"input 0", stZYRD, {bi("A:", "E0")}, "Incorrect declaration of binary input in line 1", 1},
      {"input without E", stZYRD, {bi("A:", "3")}, "Incorrect declaration of binary input in line 1", 1},
      {"no input", stZYRD, {bi("A:", "")}, "Incorrect declaration of binary input in line 1", 1},
      {"virtual 256", stZYRD, {bi("Virt", "E256")}, "Incorrect declaration of binary input in line 1", 1},
      {"ZYR-DM input 17", stZYRDM, {bi("A:", "E317")}, "Incorrect declaration of binary input in line 1", 1},
      {"ZYR-DM board 9", stZYRDM, {bi("A:", "E901")}, "Incorrect declaration of binary input in line 1", 1},
      {"ZYR-DM board 0", stZYRDM, {bi("A:", "E5")}, "Incorrect declaration of binary input in line 1", 1},
      {"second measurement", stZYRD, {feeder_meas("A:", "I1", "200/5", "", ""), Row({{4, "J1"}, {7, "on"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}})}, "Duplicate declaration of binary input in line 2", 2},
      {"relay without colon", stZYRD, {feeder_meas("A", "I1", "200/5", "", "")}, "Incorrect Device-ID for measurement in line 1", 1},
      {"no relay for a measurement", stZYRD, {feeder_meas("", "I1", "200/5", "", "")}, "Incorrect Device-ID for measurement in line 1", 1},
      {"current input 5", stZYRD, {feeder_meas("A:", "I5", "200/5", "", "")}, "Incorrect current measurement declaration in line 1", 1},
      {"current text", stZYRD, {feeder_meas("A:", "X1", "200/5", "", "")}, "Incorrect current measurement declaration in line 1", 1},
      {"ZYR-DM channel 9", stZYRDM, {feeder_meas("A:", "I19", "200/5", "", "")}, "Incorrect current measurement declaration in line 1", 1},
      {"ZYR-DM board 6", stZYRDM, {feeder_meas("A:", "I61", "200/5", "", "")}, "Incorrect current measurement declaration in line 1", 1},
      {"kni without input", stZYRD, {feeder_meas("A:", "", "200/5", "", "")}, "Incorrect current measurement declaration in line 1", 1},
      {"kni without nominal", stZYRD, {feeder_meas("A:", "I1", "200", "", "")}, "Incorrect Kni-declaration in line 1", 1},
      {"kni nominal 0", stZYRD, {feeder_meas("A:", "I1", "200/0", "", "")}, "Incorrect Kni-declaration in line 1", 1},
      {"kni missing", stZYRD, {feeder_meas("A:", "I1", "", "", "")}, "Incorrect Kni-declaration in line 1", 1},
      {"voltage input 6", stZYRD, {feeder_meas("A:", "", "", "U6", "20000/100")}, "Incorrect voltage measurement declaration in line 1", 1},
      {"ZYR-DM voltage input 9", stZYRDM, {feeder_meas("A:", "", "", "Uen9", "20000/100")}, "Incorrect voltage measurement declaration in line 1", 1},
      {"voltage text", stZYRD, {feeder_meas("A:", "", "", "W1", "20000/100")}, "Incorrect voltage measurement declaration in line 1", 1},
      {"knu without input", stZYRD, {feeder_meas("A:", "", "", "", "20000/100")}, "Incorrect voltage measurement declaration in line 1", 1},
      {"knu without nominal", stZYRD, {feeder_meas("A:", "", "", "Uen1", "20000")}, "Incorrect Knu-declaration in line 1", 1},
      {"knu nominal 0", stZYRD, {feeder_meas("A:", "", "", "Uen1", "200/0")}, "Incorrect Knu-declaration in line 1", 1},
      {"input of two feeders", stZYRD, {bi("A:", "E01"), "", Row({{2, "X"}, {4, "J2"}, {7, "A:"}, {8, "E1"}})}, "Binary input BI01 already used in lines 1-3", 3},
      {"ZYR-DM input of two feeders", stZYRDM, {bi("A:", "E311"), Row({{2, "X"}, {4, "J2"}, {7, "A:"}, {8, "~BI311"}})}, "Binary input BI311 already used in lines 1-2", 2},
      {"input of a coupler", stZYRD, {bi("A:", "E01"), Row({{1, "LK"}, {4, "J2"}, {7, "A:"}, {8, "E01"}})}, "Binary input already used in line 2", 2},
      {"voltage input twice", stZYRD, {busbar_u0, Row({{2, "U0"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}})}, "Voltage input U1 already used in line 2", 2},
      {"U12 twice", stZYRD, {feeder_meas("A:", "", "", "U12", "20000/100"), Row({{1, "X"}, {4, "J2"}, {7, "on"}, {9, "A:"}, {12, "U12"}, {13, "20000/100"}})}, "Voltage input U12 already used in line 2", 2},
      {"current input twice", stZYRD, {feeder_meas("A:", "I1", "200/5", "", ""), Row({{9, "A:"}, {10, "I1"}, {11, "200/5"}})}, "Current input I1 already used in line 2", 2},
      {"busbar line with current", stZYRD, {Row({{1, "U0"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}, {12, "Uen1"}, {13, "20000/100"}})}, "Incorrect measurement declaration in line 1", 1},
      {"busbar line without knu", stZYRD, {Row({{1, "U0"}, {9, "A:"}, {12, "Uen1"}})}, "Incorrect measurement declaration in line 1", 1},
      {"busbar line without relay", stZYRD, {Row({{1, "U0"}, {12, "Uen1"}, {13, "20000/100"}})}, "Incorrect measurement declaration in line 1", 1},
      {"measured coupler", stZYRD, {Row({{1, "LK"}, {4, "J1"}, {7, "on"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}})}, "Incorrect measurement declaration in line 1", 1},
      {"busbar link X", stZYRD, {Row({{1, "U0"}, {2, "X"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}})}, "Incorrect measurement link in line 1", 1},
      {"busbar link without code", stZYRD, {Row({{1, "+"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}})}, "Incorrect measurement link in line 1", 1},
      {"no switches and no Vo", stZYRD, {Row({{1, "X"}, {4, "J1"}}), Row({{4, "J1"}})}, "Neither switches nor Vo-measurements on feeders\nare defined completely", 0},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.what);
    int line = -1;
    EXPECT_EQ(CompileError(c.type, c.lines, &line), c.message);
    EXPECT_EQ(line, c.line);
  }
}

TEST_F(Compile, FeederStatesGiveTheirSegmentsAndSwitches) {
  const std::string b = Row({{4, "J1"}, {7, "on"}});  // breaker
  const std::string x1 = Row({{1, "X"}, {4, "J1"}, {7, "on"}}), x2 = Row({{2, "X"}, {4, "J1"}, {7, "on"}}),
                    x3 = Row({{3, "X"}, {4, "J1"}, {7, "on"}});
  struct Case {
    const char* state;
    std::vector<std::string> lines;
    const char* segments;
    const char* switches;
  } cases[] = {
      {"3", {x1}, "11B 25", "11:11-25"},
      {"4", {x1, x2}, "11B 12B 25", "11:11-25 12:12-25"},
      {"5", {x3, x1, x2}, "11B 12B 13B 25", "11:11-25 12:12-25 13:13-25"},
      {"6 breaker first", {b, x2}, "12B 24 25", "12:12-24 15:24-25"},
      {"6 breaker last", {x3, b}, "13B 24 25", "13:13-24 15:24-25"},
      {"7", {x1, x2, b}, "11B 12B 24 25", "11:11-24 12:12-24 15:24-25"},
      {"8", {x1, x2, x3, b}, "11B 12B 13B 24 25", "11:11-24 12:12-24 13:13-24 15:24-25"},
      {"9 X X -", {Row({{1, "X"}, {2, "X"}, {4, "J1"}, {7, "on"}})}, "11B 12B", "16:11-12"},
      {"9 - X X", {Row({{2, "X"}, {3, "X"}, {4, "J1"}, {7, "on"}})}, "12B 13B", "16:12-13"},
      // The busbar connection X - X joins busbars 3 and 1.
      {"9 X - X", {Row({{1, "x"}, {3, "x"}, {4, "J1"}, {7, "on"}})}, "11B 13B", "16:13-11"},
      {"10", {Row({{2, "LC"}, {4, "J1"}, {7, "on"}})}, "12B 32B", "17:12-32"},
      // Each feeder moves the bases by 10; a coupler sections its busbar and later feeders
      // connect to the new section.
      {"sections", {Row({{1, "LK"}, {4, "J1"}, {7, "off"}}), Row({{1, "X"}, {4, "J2"}, {7, "on"}}), Row({{1, "lk"}, {4, "J3"}, {7, "on"}}), Row({{1, "X"}, {4, "J4"}, {7, "on"}})},
       "11B 31B 45 51B 65", "17:11-31 21:31-45 37:31-51 41:51-65"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    const TNetListData d = CompileD(c.lines);
    EXPECT_EQ(Segments(d), c.segments);
    EXPECT_EQ(Switches(d), c.switches);
    EXPECT_FALSE(d.switches_incomplete);
  }
}

TEST_F(Compile, WorkedFeederWithBinaryInputsAndCurrent) {
  // Feeder J2 (second feeder: segment base 30, switch base 20): disconnector 1,
  // disconnector 2, breaker -> state 7.
  const TNetListData d = CompileD({
      Row({{1, "X"}, {4, "J1"}, {7, "EIN"}}),
      "",
      Row({{1, "X"}, {4, "J2"}, {5, "Q1"}, {7, "A:"}, {8, "E01"}}),
      Row({{2, "X"}, {4, "J2"}, {5, "Q2"}, {7, "B:"}, {8, "~E02"}}),
      Row({{4, "J2"}, {5, "Q0"}, {7, "A:"}, {8, "DI03"}, {9, "B:"}, {10, "IO2"}, {11, "200/5"}}),
  });
  EXPECT_EQ(Segments(d), "11B 12B 25 34 35I");
  EXPECT_EQ(Switches(d), "11:11-25 21:11-34 22:12-34 25:34-35");
  const TSchalter& q2 = *d.switches.Find(22);
  EXPECT_EQ(q2.device, 11);
  EXPECT_EQ(q2.input, 2);
  EXPECT_TRUE(q2.inverted);
  EXPECT_TRUE(d.switches.Find(11)->closed);
  const TDevice& a = *d.devices.Get(1);
  EXPECT_EQ(a.BI(1).switch_id, 21);
  EXPECT_EQ(a.BI(3).switch_id, 25);
  EXPECT_FALSE(a.BI(3).inverted);
  const TDevice& bdev = *d.devices.Get(11);
  EXPECT_EQ(bdev.BI(2), (TBinaryInput{22, true}));
  EXPECT_EQ(bdev.I(2), (TCurrentInput{35, 40, 5}));
  const TSegment& f = *d.segments.Find(35);
  EXPECT_EQ(f.device, 11);
  EXPECT_EQ(f.current_input, 2);
  EXPECT_EQ(d.devices.IdTexts(), (std::vector<std::string>{"A:", "B:"}));

  // The refresh takes the relays' inversions into the switches.
  TNetListData r = d;
  r.devices.Get(1)->BI(1).inverted = true;
  r.devices.Get(11)->BI(2).inverted = false;
  r.Refresh();
  EXPECT_TRUE(r.switches.Find(21)->inverted);
  EXPECT_FALSE(r.switches.Find(22)->inverted);
}

TEST_F(Compile, PositionSourcesOfASwitch) {
  struct Case {
    const char* f7;
    const char* f8;
    uint8_t device, input;
    bool closed, inverted;
  } cases[] = {
      {"aus", "", 0, 0, false, false}, {"AUF", "", 0, 0, false, false}, {"Offen", "", 0, 0, false, false},
      {"off", "", 0, 0, false, false}, {"OPEN", "", 0, 0, false, false}, {"ein", "", 0, 0, true, false},
      {"ZU", "", 0, 0, true, false},   {"geschlossen", "", 0, 0, true, false}, {"On", "", 0, 0, true, false},
      {"", "closed", 0, 0, true, false}, {"A:", "open", 0, 0, false, false},
      {"a1:", "E7", 2, 7, false, false}, {"Z4:", "-bi16", 255, 16, false, true}, {"A:", "~ DI3", 1, 3, false, true},
      {"Virt", "E200", 0, 200, false, false}, {"LT:", "~E1", 0, 1, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.f7) + "|" + c.f8);
    const TNetListData d = CompileD({Row({{1, "X"}, {4, "J1"}, {7, c.f7}, {8, c.f8}})});
    const TSchalter& sw = d.switches[0];
    EXPECT_EQ(sw.device, c.device);
    EXPECT_EQ(sw.input, c.input);
    EXPECT_EQ(sw.closed, c.closed);
    EXPECT_EQ(sw.inverted, c.inverted);
    EXPECT_FALSE(sw.undefined);
    if (c.input && !c.device) EXPECT_EQ(d.virtual_inputs[c.input], (TBinaryInput{11, c.inverted}));
  }
  // A line without a position source leaves the station's switches incomplete; a Vo
  // measurement on the feeder still lets it compile.
  const TNetListData d = CompileD({Row({{1, "X"}, {4, "J1"}}), Row({{4, "J1"}, {9, "A:"}, {12, "UEN1"}, {13, "20000/100"}})});
  EXPECT_TRUE(d.switches_incomplete);
  EXPECT_TRUE(d.switches.Find(11)->undefined);
  EXPECT_FALSE(d.switches.Find(11)->closed);
  EXPECT_EQ(Segments(d), "11B 24 25U");
}

TEST_F(Compile, BusbarMeasurementsGiveVoltageGroups) {
  const TNetListData d = CompileD({
      Row({{1, "U0"}, {2, "+"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
      Row({{2, "VEN"}, {9, "A: B:"}, {12, "Uen2"}, {13, "20000/100"}}),
      Row({{3, "U12"}, {9, "A:"}, {12, "U12"}, {13, "20000/100"}}),
      Row({{1, "+"}, {3, "v1n"}, {9, "C:"}, {12, "U3"}, {13, "11547/57.74"}}),
  });
  EXPECT_EQ(Segments(d), "11UB 12UB 13B");
  // Busbar 1 holds only its own input 1 and a C: input 3 link; busbar 2 both inputs 1
  // and 2; busbar 3 the U12 input 5 and C:'s input 3.
  EXPECT_EQ(d.segments.Find(11)->voltage_group, 0b101);
  EXPECT_EQ(d.segments.Find(12)->voltage_group, 0b11);
  EXPECT_EQ(d.segments.Find(13)->voltage_group, 0b10100);
  EXPECT_EQ(d.segments.Find(12)->device, 1);
  EXPECT_EQ(d.segments.Find(12)->voltage_input, 2);
  const TDevice& a = *d.devices.Get(1);
  EXPECT_EQ(a.U(1), (TVoltageInput{11, kVoltUen, 200, 100}));
  EXPECT_EQ(a.U(2), (TVoltageInput{12, kVoltUen, 200, 100}));
  EXPECT_EQ(a.U(5), (TVoltageInput{13, kVoltU12, 200, 100}));
  EXPECT_EQ(d.devices.Get(11)->U(2), a.U(2));
  EXPECT_EQ(d.devices.Get(21)->U(3).kind, kVoltU1N);
  EXPECT_DOUBLE_EQ(d.devices.Get(21)->U(3).vnom, 57.74);

  // A busbar group that holds only the busbar's own measured input is cleared.
  const TNetListData own = CompileD({Row({{1, "Uo"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}})});
  EXPECT_EQ(Segments(own), "11UB");
  EXPECT_EQ(own.segments[0].voltage_group, 0);
}

TEST_F(Compile, FeederAndUnassignedMeasurements) {
  const TNetListData d = CompileD({
      Row({{1, "X"}, {4, "J1"}, {7, "on"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}, {12, "Uen2"}, {13, "11547/57.74"}}),
      Row({{1, "X"}, {4, "J2"}, {7, "on"}, {9, "A:, B:"}, {12, "U3"}, {13, "100/100"}}),
      Row({{1, "X"}, {4, "J3"}, {7, "on"}, {9, "B:"}, {12, "U12"}, {13, "10000/100"}}),
      "",
      Row({{9, "C:"}, {10, "I03"}, {11, "100/1"}, {12, "Uen4"}, {13, "10000/100"}}),
      Row({{14, "remark only"}}),
  });
  EXPECT_EQ(Segments(d), "11B 25UI 35U 45");
  const TDevice& a = *d.devices.Get(1);
  EXPECT_EQ(a.I(1), (TCurrentInput{25, 40, 5}));
  EXPECT_EQ(a.U(2), (TVoltageInput{25, kVoltUen, 11547 / 57.74, 57.74}));
  EXPECT_EQ(a.U(3), (TVoltageInput{35, kVoltPlain, 1, 100}));
  EXPECT_EQ(d.devices.Get(11)->U(3), a.U(3));
  // U12 measures the feeder on the relay without marking the segment.
  EXPECT_EQ(d.devices.Get(11)->U(5), (TVoltageInput{45, kVoltU12, 100, 100}));
  EXPECT_EQ(d.segments.Find(35)->device, 1);
  const TDevice& c = *d.devices.Get(21);
  EXPECT_EQ(c.I(3), (TCurrentInput{0, 100, 1}));
  EXPECT_EQ(c.U(4), (TVoltageInput{0, kVoltUen, 100, 100}));
  // Either decimal separator.
  EXPECT_DOUBLE_EQ(CompileD({Row({{9, "A:"}, {10, "I1"}, {11, "1,5/0,5"}})}).devices[0].I(1).kni, 3);
}

TEST_F(Compile, ZyrDmAssignsEverythingToItselfWithBoardInputs) {
  const TNetListData d = CompileDm({
      Row({{1, "U12"}, {9, "A:"}, {12, "U2"}, {13, "20000/100"}}),
      Row({{2, "U12"}, {9, "C:"}, {12, "U3"}, {13, "20000/100"}}),
      Row({{1, "X"}, {4, "J1"}, {7, "A:"}, {8, "E311"}, {9, "A:"}, {10, "I12"}, {11, "200/1"}}),
      Row({{4, "J1"}, {7, "Virt"}, {8, "E250"}}),
      Row({{2, "X"}, {4, "J2"}, {7, "K:"}, {8, "~E116"}, {9, "A:"}, {10, "I5"}, {11, "200/1"}, {12, "Uen8"}, {13, "20000/100"}}),
      Row({{4, "J2"}, {7, "A:"}, {8, "E801"}}),
  }, 21);
  ASSERT_EQ(d.devices.Count(), 1);
  const TDevice& dm = d.devices[0];
  EXPECT_EQ(dm.id, 21);
  // Board 3 input 11 has code 43; board 1 input 16 code 16; board 8 input 1 code 113.
  EXPECT_EQ(dm.BI(43).switch_id, 11);
  EXPECT_EQ(dm.BI(16), (TBinaryInput{22, true}));
  EXPECT_EQ(dm.BI(113).switch_id, 25);
  EXPECT_EQ(d.switches.Find(22)->device, 21);
  EXPECT_EQ(d.switches.Find(11)->input, 43);
  EXPECT_EQ(d.virtual_inputs[250].switch_id, 15);
  // I12 is board 1 channel 2 (input 2); I5 input 5.
  EXPECT_EQ(dm.I(2).segment, 25);
  EXPECT_EQ(dm.I(5).segment, 35);
  EXPECT_EQ(dm.U(8).segment, 35);
  // The boards' values are the segments of their voltage inputs.
  EXPECT_EQ(dm.board_values, (std::array<int32_t, 8>{0, 11, 12, 0, 0, 0, 0, 35}));
  EXPECT_EQ(SwitchEntryText(stZYRDM, *d.switches.Find(11)), "11\t11-24\tC:BI311");
}
