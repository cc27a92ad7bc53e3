// The net list window: lists, device panels, switch positions, F5, the net list lines, and
// opening it from the configuration page's menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include "app/frm_trivor.h"
#include "app/memory_settings_store.h"
#include "app/startup.h"
#include "app/x_registry.h"
#include "config/frm_config_summary.h"
#include "config/frm_net_list.h"
#include "config/zyr_d_data.h"
#include "config/zyr_dm_data.h"
#include "lang/lang.h"

using namespace trivex;

namespace {

std::vector<std::string> Station() {
  return {
      "U0\t\t\t\t\t\t\t\tA:\t\t\tUen1\t20000/100",
      "X\t\t\tJ1\tQ1\t\tA:\tE01\tA:\tI1\t200/5",
      "X\t\t\tJ2\tQ1\t\ton\t\tA:\tI2\t200/5",
  };
}

QStringList Column(QTreeWidget* list, int column) {
  QStringList s;
  for (int i = 0; i < list->topLevelItemCount(); ++i) s << list->topLevelItem(i)->text(column);
  return s;
}

class NetListWindow : public ::testing::Test {
 protected:
  void SetUp() override { lang::SetCurrentLanguage(lang::English); }
};

}  // namespace

TEST_F(NetListWindow, ShowsTheModelAndTriesSwitchPositions) {
  TZyrDData cfg;
  cfg.switches = Station();
  TFrmNetList w(cfg);
  ASSERT_TRUE(w.Compiled());
  EXPECT_EQ(Column(w.SegmentList(), 0), QStringList({"11", "25", "35"}));
  EXPECT_EQ(Column(w.SwitchList(), 2), QStringList({"A:BI01", "closed"}));
  // J1's disconnector reports through A: BI01, unticked: only J2 belongs to the group.
  EXPECT_EQ(Column(w.GroupList(), 2), QStringList({"A:Io2"}));
  QCheckBox* bi = w.InputCheckBox(1, 1);
  ASSERT_NE(bi, nullptr);
  EXPECT_FALSE(bi->isChecked());
  bi->setChecked(true);
  EXPECT_EQ(Column(w.GroupList(), 2), QStringList({"A:Io1, A:Io2"}));
  auto* cell = w.findChild<QTableWidget*>(QStringLiteral("GrdInputs_1"));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->item(4, 4)->text(), "1");  // Io1 in group 1

  // F5 divides again; the window's positions stay, the configuration is untouched.
  w.GroupList()->clear();
  QTest::keyClick(&w, Qt::Key_F5);
  EXPECT_EQ(Column(w.GroupList(), 2), QStringList({"A:Io1, A:Io2"}));
  EXPECT_EQ(cfg.switches, Station());
  EXPECT_TRUE(cfg.tracker.Saved());

  // Language switch: the entries follow.
  lang::SetCurrentLanguage(lang::German);
  w.UpdateLanguageStrings();
  EXPECT_EQ(w.windowTitle(), "Netzliste");
  EXPECT_EQ(Column(w.SwitchList(), 2), QStringList({"A:BI01", "geschlossen"}));
  EXPECT_TRUE(w.InputCheckBox(1, 1)->isChecked());
}

TEST_F(NetListWindow, InsertsAndDeletesNetListLines) {
  TZyrDData cfg;
  cfg.switches = Station();
  TFrmNetList w(cfg);
  w.AcnShowNetlist->trigger();
  EXPECT_TRUE(w.NetListGrid()->isVisibleTo(&w));
  ASSERT_EQ(w.NetListGrid()->rowCount(), 3);
  EXPECT_EQ(w.NetListGrid()->item(1, 4)->text(), "J1");

  // An empty line before J2 ends nothing: J2 is a feeder of its own already.
  w.NetListGrid()->setCurrentCell(2, 1);
  w.AcnInsertLine->trigger();
  EXPECT_EQ(cfg.switches.size(), 4u);
  EXPECT_EQ(cfg.switches[2], "");
  EXPECT_EQ(cfg.switches[3], Station()[2]);
  EXPECT_FALSE(cfg.tracker.Saved());
  EXPECT_EQ(w.NetListGrid()->rowCount(), 4);
  EXPECT_EQ(w.NetListGrid()->item(3, 0)->text(), "4");

  // Typing a feeder into the new line compiles it at once.
  w.NetListGrid()->item(2, 1)->setText("X");
  w.NetListGrid()->item(2, 4)->setText("J9");
  w.NetListGrid()->item(2, 7)->setText("off");
  EXPECT_EQ(cfg.switches[2], "X\t\t\tJ9\t\t\toff");
  EXPECT_EQ(Column(w.SegmentList(), 0), QStringList({"11", "25", "35", "45"}));

  // A faulty line shows its message instead of the model.
  w.NetListGrid()->item(2, 7)->setText("A:");
  EXPECT_FALSE(w.Compiled());
  EXPECT_EQ(w.Message()->text(), "Incorrect declaration of binary input in line 3");
  EXPECT_EQ(w.SegmentList()->topLevelItemCount(), 0);

  w.NetListGrid()->setCurrentCell(2, 1);
  w.AcnDeleteLine->trigger();
  EXPECT_EQ(cfg.switches, Station());
  EXPECT_TRUE(w.Compiled());
  EXPECT_EQ(w.NetListGrid()->rowCount(), 3);
}

TEST_F(NetListWindow, ZyrDmBoardsAndIncompleteSwitches) {
  TZyrDmData dm;
  dm.switches = {
      "U0\t\t\t\t\t\t\t\tA:\t\t\tUen2\t20000/100",
      "X\t\t\tJ1\t\t\tA:\tE311\tA:\tI12\t200/1\tUen4\t20000/100",
      "\t\t\tJ1",
      "X\t\t\tJ2\t\t\tvirt\tE7\tA:\tI21\t200/1\tUen3\t20000/100",
  };
  TFrmNetList w(dm);
  ASSERT_TRUE(w.Compiled()) << w.Message()->text().toStdString();
  EXPECT_NE(w.InputCheckBox(1, 43), nullptr);  // board 3, input 11
  EXPECT_NE(w.InputCheckBox(0, 7), nullptr);   // virtual input 7
  EXPECT_EQ(Column(w.SwitchList(), 2), QStringList({"A:BI311", "undefined", "I&C:BI007"}));
  EXPECT_EQ(w.Message()->text(),
            "The breakers aren't completely defined. Therefore the feeders can't be divided into groups unless there's an earth fault.");
  EXPECT_TRUE(w.Message()->font().bold());
  EXPECT_EQ(w.GroupList()->topLevelItemCount(), 0);
}

TEST_F(NetListWindow, OpensFromTheConfigurationPageMenuAndFollowsTheLanguage) {
  MemorySettingsStore store;
  XRegistry(store, kKeyTrivor).WriteString("Argv0InitialDir", "0");
  auto main = std::make_unique<TFrmTrivor>(store, CommandLine{});
  main->SetLanguage(lang::English);
  QApplication::processEvents();
  main->ZyrD().switches = Station();
  main->SelectPage(kPageZyrD);
  auto* view = dynamic_cast<TFrmConfigSummary*>(main->CurrentView());
  ASSERT_NE(view, nullptr);
  const QList<QMenu*> menus = view->GetViewMenu();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->menuAction()->property("groupIndex").toInt(), 10);
  EXPECT_EQ(menus[0]->title(), "Configuration");
  EXPECT_TRUE(main->menuBar()->actions().contains(menus[0]->menuAction()));
  view->AcnShowNetlist()->trigger();
  auto* w = main->findChild<TFrmNetList*>(QStringLiteral("FrmNetList"));
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(&w->Configuration(), static_cast<TZyrData*>(&main->ZyrD()));
  EXPECT_EQ(w->SegmentList()->topLevelItemCount(), 3);

  main->SetLanguage(lang::Italian);
  EXPECT_EQ(w->windowTitle(), "Lista di rete");
  EXPECT_EQ(w->AcnShowNetlist->text(), "Mostra lista di rete");

  // The ZYR-DM page opens the same window on its own configuration.
  main->SetLanguage(lang::English);
  main->SelectPage(kPageZyrDm);
  dynamic_cast<TFrmConfigSummary*>(main->CurrentView())->AcnShowNetlist()->trigger();
  EXPECT_EQ(main->findChildren<TFrmNetList*>().size(), 1);
  EXPECT_EQ(&w->Configuration(), static_cast<TZyrData*>(&main->ZyrDm()));
  main.reset();
}
