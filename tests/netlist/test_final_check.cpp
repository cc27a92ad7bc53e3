// ZYR-DM final check: the measuring boards of the busbar voltages come from the net list.
#include "config/zyr_dm_data.h"
#include "net_list_fixture.h"

using namespace trivex;
using namespace nltest;

TEST(DmFinalCheck, BoardsOfTheBusbarVoltagesComeFromTheNetList) {
  TZyrDmData dm;  // measuring boards 1-3 with eight currents, 4 and 5 empty
  dm.dif[dmdif::ZyrFV121] = 7;
  dm.dif[dmdif::ZyrFV122] = 7;
  dm.switches = {
      Row({{2, "U12"}, {9, "A:"}, {12, "U2"}, {13, "20000/100"}}),
      Row({{1, "U12"}, {9, "A:"}, {12, "U4"}, {13, "20000/100"}}),
  };
  dm.FinalCheck();
  EXPECT_EQ(dm.dif.I(dmdif::ZyrFV122), 2);
  EXPECT_TRUE(dm.v122_from_net_list);
  // Busbar 1 is measured on board 4, which has no currents: unchanged.
  EXPECT_EQ(dm.dif.I(dmdif::ZyrFV121), 7);
  EXPECT_FALSE(dm.v121_from_net_list);

  dm.dsp[3] = dspSlaveI;
  dm.switches.push_back(Row({{1, "+"}, {3, "U12"}, {9, "A:"}, {12, "U5"}, {13, "20000/100"}}));
  dm.FinalCheck();
  EXPECT_EQ(dm.dif.I(dmdif::ZyrFV121), 4);
  EXPECT_TRUE(dm.v121_from_net_list);

  // A net list that does not compile changes nothing.
  dm.switches.push_back(Row({{1, "X"}, {4, "J1"}, {7, "A:"}, {8, "E317"}}));
  dm.dif[dmdif::ZyrFV121] = 1;
  dm.FinalCheck();
  EXPECT_EQ(dm.dif.I(dmdif::ZyrFV121), 1);
  EXPECT_FALSE(dm.v121_from_net_list);
  EXPECT_FALSE(dm.v122_from_net_list);
}
