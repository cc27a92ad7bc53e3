// Command line, start pages, window placement, progress panel and caption.
#include <gtest/gtest.h>

#include "app/startup.h"

using namespace trivex;

TEST(CommandLine, OptionsAndDeviceTypeNames) {
  CommandLine c = ParseCommandLine({"-3+", "/v-1", "zyr-dm", "--port", "/dev/pts/4"});
  EXPECT_TRUE(c.three_plus);
  ASSERT_TRUE(c.visibility.has_value());
  EXPECT_EQ(*c.visibility, -1);
  EXPECT_EQ(c.start_page, kPageZyrDm);
  EXPECT_EQ(c.ports, std::vector<std::string>{"/dev/pts/4"});

  EXPECT_FALSE(ParseCommandLine({"-V2"}).visibility.has_value());  // outside -1..1: ignored
  EXPECT_EQ(ParseCommandLine({"VAD-AZ"}).start_page, kPageRegler);
  EXPECT_EQ(ParseCommandLine({"ZYR-X"}).start_page, -1);
}

TEST(StartPages, DerivedFromOlderSettingsWhenSubPagesAreMissing) {
  struct Case {
    int flat;
    int start, zyrd, zyrdm;
  } const cases[] = {
      {0, 0, 1, 1}, {7, 0, 8, 1}, {8, 0, 1, 3}, {12, 0, 1, 7},
      {13, 3, 1, 1}, {16, 6, 1, 1}, {17, 2, 1, 1}, {18, 0, 1, 1}, {-4, 0, 1, 1},
  };
  for (const auto& c : cases) {
    TrivorSettings s;
    s.active_page_index = c.flat;
    StartPages p = DeriveStartPages(s, CommandLine{});
    EXPECT_EQ(p.start_page, c.start) << c.flat;
    EXPECT_EQ(p.sub_zyrd, c.zyrd) << c.flat;
    EXPECT_EQ(p.sub_zyrdm, c.zyrdm) << c.flat;
  }
  TrivorSettings s;
  s.active_page_index = 5;  // the stored page is not the start page when sub-pages exist
  s.active_page_index_zyrd = 2;
  s.active_page_index_zyrdm = 4;
  StartPages p = DeriveStartPages(s, ParseCommandLine({"ZYR-DM"}));
  EXPECT_EQ(p.start_page, kPageZyrDm);
  EXPECT_EQ(p.sub_zyrd, 2);
  EXPECT_EQ(p.sub_zyrdm, 4);
}

TEST(WindowPlacement, KeepsTheWindowReachableAndMaximisesWhenTooLarge) {
  const Rect work{0, 0, 1920, 1040};
  const Rect design{40, 40, 1024, 720};
  Placement off = PlaceWindow(WindowBounds{5000, 3000, 800, 600}, work, design);
  EXPECT_EQ(off.bounds, (Rect{1920 - 32, 1040 - 16, 800, 600}));
  EXPECT_FALSE(off.maximized);
  Placement big = PlaceWindow(WindowBounds{0, 0, 4000, 600}, work, design);
  EXPECT_TRUE(big.maximized);
  Placement left = PlaceWindow(WindowBounds{-900, -50, 800, 600}, Rect{100, 30, 1800, 1000}, design);
  EXPECT_EQ(left.bounds.left, 100);
  EXPECT_EQ(left.bounds.top, 30);
  EXPECT_EQ(PlaceWindow(std::nullopt, work, design).bounds, design);
}

TEST(ProgressPanel, LargeMaximaAreShownDividedBy1024) {
  ProgressDisplay d = ComputeProgress(10000000, 20000000, 200);
  EXPECT_EQ(d.text, "9765/19531");
  EXPECT_EQ(d.filled, 100);
  EXPECT_FALSE(ComputeProgress(5, 0, 200).visible);
  // A position beyond the maximum fills the panel and no more; no overflow on wide panels.
  EXPECT_EQ(ComputeProgress(4000000000u, 16000000, 3000).filled, 3000);
  EXPECT_EQ(ComputeProgress(1, 3, 100).filled, 33);
}

TEST(Caption, VersionAndDisplayName) {
  const std::string v = ProgramVersion();
  EXPECT_EQ(WindowCaption(""), "Trivex + ZYR " + v + " ");
  EXPECT_EQ(WindowCaption("Sub_Nord"), "Trivex + ZYR " + v + " - Sub_Nord ");
  EXPECT_EQ(WindowCaption("(new)"), "Trivex + ZYR " + v + " (new) ");
  EXPECT_EQ(FourDigitYearPattern("dd.mm.yy"), "dd.mm.yyyy");
  EXPECT_EQ(FourDigitYearPattern("yyyy-mm-dd"), "yyyy-mm-dd");
}
