// Groups of connected feeders and the texts of the model's entries.
#include "config/net_list_groups.h"
#include "config/net_list_texts.h"
#include "net_list_fixture.h"

using namespace trivex;
using namespace nltest;

class Groups : public English {};

namespace {
std::string GroupsText(TNetListData& d, uint8_t master = 1) {
  const TAbgangGruppen g = FindAbgangGruppen(d, master);
  std::string s;
  for (const TAbgangGruppe& x : g.groups) s += GroupMeasurementText(x) + ": " + GroupFeedersText(d, x) + "; ";
  return s + "unassigned " + std::to_string(g.unassigned);
}
}  // namespace

TEST_F(Groups, ClosedSwitchesJoinFeedersToTheBusbarMeasurement) {
  TNetListData d = CompileD({
      Row({{1, "U0"}, {9, "B:"}, {12, "Uen1"}, {13, "20000/100"}}),
      Row({{2, "U0"}, {9, "A:"}, {12, "Uen2"}, {13, "20000/100"}}),
      Row({{1, "X"}, {4, "J1"}, {7, "A:"}, {8, "E1"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}}),
      Row({{2, "X"}, {4, "J1"}, {7, "A:"}, {8, "E2"}}),
      Row({{1, "X"}, {4, "J2"}, {7, "on"}, {9, "B:"}, {10, "I1"}, {11, "200/5"}}),
      Row({{2, "X"}, {4, "J3"}, {7, "on"}}),
      Row({{4, "J3"}, {7, "on"}, {9, "A:"}, {10, "I2"}, {11, "200/5"}}),
      Row({{1, "X"}, {2, "X"}, {4, "J4"}, {7, "A:"}, {8, "E3"}}),
  });
  // Busbar 1 (measured by B:) is found first; J1's switches are open.
  EXPECT_EQ(GroupsText(d), "B:Une1: B:Io1; A:Une2: A:Io2; unassigned 0");
  EXPECT_EQ(d.devices.Get(1)->feeder_groups, (std::array<uint8_t, 4>{0, 2, 0, 0}));

  // Closing J1 to busbar 1 adds it there; closing the busbar connection joins both busbars
  // into one group, which the master A: measures with its Uen2.
  d.switches.FindByInput(1, 1)->closed = true;
  EXPECT_EQ(GroupsText(d), "B:Une1: A:Io1, B:Io1; A:Une2: A:Io2; unassigned 0");
  EXPECT_EQ(d.devices.Get(1)->feeder_groups, (std::array<uint8_t, 4>{1, 2, 0, 0}));
  d.switches.FindByInput(1, 3)->closed = true;
  EXPECT_EQ(GroupsText(d), "A:Une2: A:Io1, B:Io1, A:Io2; unassigned 0");

  // A relay input on a segment that another relay's input measures is found through it.
  d.devices.Get(11)->I(3).segment = d.devices.Get(1)->I(2).segment;
  GroupsText(d);
  EXPECT_EQ(FeederGroupText(d.devices.Get(11)->feeder_groups[2]), "s1");
  EXPECT_EQ(FeederGroupText(d.devices.Get(11)->feeder_groups[0]), "1");
  EXPECT_EQ(FeederGroupText(d.devices.Get(11)->feeder_groups[1]), "-");
}

TEST_F(Groups, MeasurementsThatReachNoBusbarStayUnassignedAndTheWalkEnds) {
  // The only Uen sits on a feeder whose disconnector is open: no group.
  TNetListData lone = CompileD({Row({{1, "X"}, {4, "J1"}, {7, "off"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}})});
  EXPECT_EQ(GroupsText(lone), "unassigned 1");

  // An unconnected feeder measurement first, then a busbar: the busbar still makes group 1.
  TNetListData mixed = CompileD({
      Row({{1, "X"}, {4, "J1"}, {7, "off"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
      Row({{1, "U0"}, {9, "A:"}, {12, "Uen2"}, {13, "20000/100"}}),
      Row({{1, "X"}, {4, "J2"}, {7, "on"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}}),
  });
  EXPECT_EQ(GroupsText(mixed), "A:Une2: A:Io1; unassigned 1");

  // Five measured busbar sections, separated by open couplers: four groups, one left.
  TNetListData five = CompileD({
      Row({{1, "U0"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
      Row({{2, "U0"}, {9, "A:"}, {12, "Uen2"}, {13, "20000/100"}}),
      Row({{3, "U0"}, {9, "A:"}, {12, "Uen3"}, {13, "20000/100"}}),
      Row({{1, "LK"}, {4, "K1"}, {7, "off"}}),
      Row({{1, "U0"}, {9, "A:"}, {12, "Uen4"}, {13, "20000/100"}}),
      Row({{2, "LK"}, {4, "K2"}, {7, "off"}}),
      Row({{2, "U0"}, {9, "A:"}, {12, "Uen5"}, {13, "20000/100"}}),
  });
  EXPECT_EQ(GroupsText(five), "A:Une1: <empty>; A:Une2: <empty>; A:Une3: <empty>; A:Une4: <empty>; unassigned 1");
}

TEST_F(Groups, EntryTextsOfSegmentsAndSwitches) {
  TSegment s{25, kSegCurrent | kSegVoltage, 11, 2, 3, 0};
  EXPECT_EQ(SegmentEntryText(s), "25\tUI\tB:U2/I3");
  s.tags = kSegCurrent;
  EXPECT_EQ(SegmentEntryText(s), "25\tI\tB:Io3");
  s.tags = kSegVoltage | kSegBusbar;
  EXPECT_EQ(SegmentEntryText(s), "25\tUB\tB:Une2");
  EXPECT_EQ(SegmentEntryText(TSegment{12, kSegBusbar}), "12\tB");

  TSchalter sw{15, 24, 25, 1, 3};
  EXPECT_EQ(SwitchEntryText(stZYRD, sw), "15\t24-25\tA:BI03");
  sw.input = 35;  // board 3, input 3
  EXPECT_EQ(SwitchEntryText(stZYRDM, sw), "15\t24-25\tA:BI303");
  sw.input = 16;
  EXPECT_EQ(SwitchSourceText(stZYRDM, sw), "A:BI116");
  sw.device = 0;
  EXPECT_EQ(SwitchSourceText(stZYRD, sw), "I&C:BI016");
  sw.input = 0;
  sw.closed = true;
  EXPECT_EQ(SwitchSourceText(stZYRD, sw), "closed");
  sw.closed = false;
  EXPECT_EQ(SwitchSourceText(stZYRD, sw), "open");
  lang::SetCurrentLanguage(lang::German);
  EXPECT_EQ(SwitchSourceText(stZYRD, sw), "offen");
}
