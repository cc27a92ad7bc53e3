// Writing a station model as net list text: generate -> compile gives the model back.
#include "net_list_fixture.h"

using namespace trivex;
using namespace nltest;

class Generate : public English {};

namespace {

struct Station {
  const char* name;
  TSystemType type;
  uint8_t master;
  std::vector<std::string> lines;
};

std::vector<Station> Stations() {
  return {
      {"feeders, coupler and busbar connection", stZYRD, 1, {
           Row({{1, "U0"}, {2, "+"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
           Row({{1, "X"}, {4, "J01"}, {7, "A:"}, {8, "E01"}}),
           Row({{2, "X"}, {4, "J01"}, {7, "A:"}, {8, "~E02"}}),
           Row({{4, "J01"}, {7, "A:"}, {8, "E03"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}}),
           "",
           Row({{1, "X"}, {4, "J02"}, {7, "on"}}),
           Row({{4, "J02"}, {7, "on"}, {9, "A:"}, {10, "I2"}, {11, "300/1"}, {12, "Uen2"}, {13, "11547/57.74"}}),
           Row({{1, "LK"}, {4, "J03"}, {7, "virt"}, {8, "E005"}}),
           Row({{1, "X"}, {3, "X"}, {4, "J04"}, {7, "off"}}),
       }},
      {"sectioned busbars, several relays, U12 and unassigned inputs", stZYRD, 1, {
           Row({{1, "U0"}, {2, "+"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
           Row({{3, "U12"}, {9, "A: B:"}, {12, "U12"}, {13, "20000/100"}}),
           Row({{1, "X"}, {4, "F1"}, {7, "A:"}, {8, "E1"}}),
           Row({{2, "X"}, {4, "F1"}, {7, "A:"}, {8, "-E2"}}),
           Row({{4, "F1"}, {7, "A:"}, {8, "E3"}, {9, "A: B:"}, {10, "I1"}, {11, "400/1"}, {12, "Uen2"}, {13, "11547/57.74"}}),
           "",
           Row({{1, "LK"}, {4, "K1"}, {7, "B:"}, {8, "E1"}}),
           Row({{1, "U0"}, {3, "+"}, {9, "B:"}, {12, "Uen1"}, {13, "20000/100"}}),
           Row({{1, "X"}, {4, "F2"}, {7, "off"}, {9, "C:"}, {12, "U3"}, {13, "100/100"}}),
           Row({{3, "X"}, {4, "F3"}, {7, "on"}}),
           Row({{4, "F3"}, {7, "on"}, {9, "C:"}, {12, "U12"}, {13, "20000/100"}}),
           Row({{2, "X"}, {3, "X"}, {4, "K2"}, {7, "Virt"}, {8, "~E12"}}),
           Row({{9, "D:"}, {10, "I4"}, {11, "50/1"}, {12, "Uen3"}, {13, "10000/100"}}),
           Row({{2, "LK"}, {4, "K3"}, {7, "on"}}),
           Row({{2, "X"}, {4, "F4"}, {7, "on"}, {9, "D:"}, {10, "I1"}, {11, "100/1"}}),
       }},
      {"ZYR-DM with board inputs and channels", stZYRDM, 21, {
           Row({{1, "U12"}, {9, "C:"}, {12, "U1"}, {13, "20000/100"}}),
           Row({{1, "+"}, {2, "U0"}, {9, "C:"}, {12, "Uen2"}, {13, "20000/100"}}),
           Row({{1, "X"}, {4, "A1"}, {7, "C:"}, {8, "E101"}}),
           Row({{4, "A1"}, {7, "C:"}, {8, "~E216"}, {9, "C:"}, {10, "I58"}, {11, "600/1"}, {12, "Uen3"}, {13, "20000/100"}}),
           Row({{2, "X"}, {4, "A2"}, {7, "virt"}, {8, "E255"}, {9, "C:"}, {10, "I9"}, {11, "100/5"}}),
       }},
      {"switches incomplete", stZYRD, 1, {
           Row({{1, "X"}, {4, "J1"}}),
           Row({{4, "J1"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
           Row({{2, "X"}, {4, "J2"}, {7, "on"}}),
       }},
  };
}

}  // namespace

TEST_F(Generate, CompilingTheGeneratedTextGivesTheSameModel) {
  for (const Station& st : Stations()) {
    SCOPED_TRACE(st.name);
    const TNetListData model = TNetListConverter::Compile(st.type, st.master, st.lines);
    const std::vector<std::string> text = TNetListConverter::Generate(st.type, model);
    TNetListData again;
    ASSERT_NO_THROW(TNetListConverter::Compile(st.type, st.master, text, again));
    EXPECT_EQ(again, model);
    EXPECT_EQ(Segments(again), Segments(model));
    EXPECT_EQ(Switches(again), Switches(model));
    EXPECT_EQ(TNetListConverter::Generate(st.type, again), text);
  }
}

TEST_F(Generate, FieldsOfTheGeneratedLines) {
  const Station st = Stations()[0];
  const std::vector<std::string> text = TNetListConverter::Generate(st.type, TNetListConverter::Compile(st.type, 1, st.lines));
  const std::vector<std::string> expected = {
      "Uo\t+\t\t\t\t\t\t\tA:\t\t\tUen1\t20000/100",
      "",
      "X\t\t\tJ01:\tQ01\t\tA:\tE01\tA:\tIo1\t200/5",
      "\tX\t\tJ01:\tQ02\t\tA:\t~E02",
      "\t\t\tJ01:\tQ00\t\tA:\tE03",
      "",
      // Relay and input in their own fields; the nominal voltage 57.74 is kept.
      "X\t\t\tJ02:\tQ01\t\ton\t\tA:\tIo2\t300/1\tUen2\t11547/57.74",
      "\t\t\tJ02:\tQ00\t\ton",
      "",
      "LK\t\t\tJ03:\tQ00\t\tvirt\tE005",
      "",
      "X\t\tX\tJ04:\tQ00\t\toff",
  };
  EXPECT_EQ(text, expected);
}

TEST_F(Generate, AModelThatNoNetListExpressesIsRefused) {
  TNetListData d = CompileD({Row({{1, "X"}, {4, "J1"}, {7, "on"}})});
  TSegment stray;
  stray.id = 99;
  stray.tags = kSegCurrent;
  d.segments.Add(stray);
  EXPECT_THROW(TNetListConverter::Generate(stZYRD, d), ENetList);

  TNetListData sw = CompileD({Row({{1, "X"}, {4, "J1"}, {7, "on"}})});
  sw.switches.Add(TSchalter{4, 11, 25});
  try {
    TNetListConverter::Generate(stZYRD, sw);
    FAIL();
  } catch (const ENetList& e) {
    EXPECT_EQ(std::string(e.what()), "The station data cannot be written as a net list: switch 4");
  }
}
