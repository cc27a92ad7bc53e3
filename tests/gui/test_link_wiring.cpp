// The main window on a simulated station: the port given on the command line, the COM menu,
// status panel 1, Disconnect, the exchange log window.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/frm_trivor.h"
#include "app/memory_settings_store.h"
#include "app/status_panels.h"
#include "app/x_registry.h"
#include "link/frm_tynet_log.h"
#include "link_test_support.h"

using namespace trivex;

TEST(LinkWiring, DemoModeOpensTheLinkOnTheGivenPortAndDisconnectClosesIt) {
  test::SimProcess sim;
  MemorySettingsStore store;
  XRegistry(store, kKeyTrivor).WriteString("Argv0InitialDir", "0");
  CommandLine cmd = ParseCommandLine({"--demo", "--port", sim.path()});
  TFrmTrivor w(store, cmd);
  w.SetLanguage(lang::English);
  QApplication::processEvents();
  ASSERT_TRUE(w.Link().Active());
  EXPECT_EQ(w.Panels()->linkState(), TStatusPanels::LinkState::Active);
  EXPECT_EQ(w.Panels()->Text(1).toStdString(), w.Link().LinkDescription());

  // The port of the command line is the one in use, and its menu item is checked.
  const int com = w.Link().Serial().ComNum();
  QAction* item = w.ComMenu().PortItem(com);
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(item->text().contains(QString::fromStdString(sim.path()))) << item->text().toStdString();

  // A framed exchange through the program's link reaches the simulator.
  std::string reply;
  EXPECT_EQ(w.Link().SendRecvRetry("ver+", reply, 2000), 0);
  EXPECT_FALSE(reply.empty());

  w.ComMenu().DisconnectItem()->trigger();
  EXPECT_FALSE(w.Link().Active());
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(w.Panels()->linkState(), TStatusPanels::LinkState::Inactive);

  // The session port is not stored; the retry setting reaches the link.
  w.WriteSettings();
  EXPECT_EQ(w.Link().RetrySetting(), 2);
  w.MnuTynetLog->trigger();
  QApplication::processEvents();
}

TEST(LinkWiring, ComMenuRulesAndTheExchangeLogWindow) {
  test::SimProcess sim;
  MemorySettingsStore store;
  XRegistry(store, kKeyTrivor).WriteString("Argv0InitialDir", "0");
  TFrmTrivor w(store, ParseCommandLine({"--port", sim.path()}));
  w.SetLanguage(lang::English);
  QApplication::processEvents();
  EXPECT_FALSE(w.Link().Active());  // only demo mode opens the link at once

  // Without a bus server its items stay hidden; the port items and COM Settings show.
  EXPECT_FALSE(w.ComMenu().ConnectionItem()->isVisible());
  EXPECT_FALSE(w.ComMenu().ConnectionSettingsItem()->isVisible());
  EXPECT_FALSE(w.ComMenu().UseServerItem()->isVisible());
  EXPECT_TRUE(w.ComMenu().ComSettingsItem()->isVisible());
  EXPECT_TRUE(w.ComMenu().PortItem(w.Link().Serial().ComNum())->isVisible());

  // "Disconnect On Deactivate" is the main window's option and is stored with it.
  w.ComMenu().DisconnectOnDeactivateItem()->trigger();
  EXPECT_TRUE(w.DisconnectOnDeactivate());
  w.WriteSettings();
  EXPECT_EQ(XRegistry(store, kKeyTerminal).ReadInt("TrennenWennInaktiv", 0), 1);

  // Deactivation closes an open link and activation opens it again.
  w.Link().Open();
  ASSERT_TRUE(w.Link().Active());
  w.ApplicationDeactivated();
  EXPECT_FALSE(w.Link().Active());
  w.ApplicationActivated();
  EXPECT_TRUE(w.Link().Active());

  // The exchange log window records the framed exchanges while "Recording" is on.
  TFrmTynetLog log(w.Link());
  log.Recording()->click();
  std::string reply;
  ASSERT_EQ(w.Link().SendRecvRetry("ver+", reply, 2000), 0);
  log.RefreshButton()->click();
  EXPECT_GE(w.Link().ExchangeLog().size(), 2u);
  log.ClearButton()->click();
  EXPECT_TRUE(w.Link().ExchangeLog().empty());
}
