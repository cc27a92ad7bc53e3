// The settings survive a restart through the real settings file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/frm_trivor.h"
#include "app/terminal_data.h"
#include "app/x_registry.h"
#include "logbook/logbook_page.h"
#include "qt_settings_store.h"

using namespace trivex;

TEST(SettingsFile, WrittenValuesReadBackAfterARestart) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("Trivor.conf").toStdString();
  {
    QtSettingsStore store(path);
    XRegistry(store, kKeyOptions).WriteBoolInt("ZYR-D Visible", false);
    TTerminalData t;
    t.common_initial_dir = true;
    t.SetDir(DialogDir::Config, "/home/eng/Station Nord");
    t.modem_connections = {"Nord;0301 555", "Süd;0301 556"};
    t.WriteMainKey(store);
    t.WriteTerminalKey(store);
    XRegistry r(store, kKeyTrivor);
    r.WriteList("LoggerFile%d", {"a.log", "b.log", "c.log"});
    r.WriteList("LoggerFile%d", {"a.log"});
    ASSERT_TRUE(store.Flush());
  }
  QtSettingsStore store(path);
  TTerminalData t;
  t.ReadMainKey(store);
  t.ReadTerminalKey(store);
  EXPECT_EQ(t.Dir(DialogDir::LoggerSave), "/home/eng/Station Nord");
  EXPECT_EQ(t.modem_connections, (std::vector<std::string>{"Nord;0301 555", "Süd;0301 556"}));
  EXPECT_EQ(XRegistry(store, kKeyTrivor).ReadList("LoggerFile%d"), std::vector<std::string>{"a.log"});
  EXPECT_FALSE(XRegistry(store, kKeyOptions).ReadBool("ZYR-D Visible", true));
  EXPECT_TRUE(store.KeyExists(kKeyOptions));
  EXPECT_FALSE(store.KeyExists("Trivor/Nothing"));
}

TEST(SettingsFile, TheMainWindowKeepsLanguagePageAndFoldersAcrossRuns) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("Trivor.conf").toStdString();
  {
    QtSettingsStore store(path);
    XRegistry(store, kKeyTrivor).WriteBool01("Argv0InitialDir", false);
    TFrmTrivor w(store, CommandLine{});
    QApplication::processEvents();
    w.SetLanguage(2);
    w.SelectPage(kPageTerminal);
    w.TerminalData().SetDir(DialogDir::DFile, "/srv/loads");
    EXPECT_EQ(w.LogbookDir(), "/srv/loads");  // "Common Data Folder" reaches the logbook too
    auto* page = w.findChild<TLogbookPageState*>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->data.Dir(LogbookDir::LogFiles), "/srv/loads");
    EXPECT_EQ(page->data.Dir(LogbookDir::Samples), "/srv/loads");
  }
  QtSettingsStore store(path);
  EXPECT_EQ(XRegistry(store, kKeyTrivor).ReadInt("Language", 0), 2);
  EXPECT_EQ(XRegistry(store, kKeyTrivor).ReadInt("ActivePageIndex", 0), kPageTerminal);
  TFrmTrivor w(store, CommandLine{});
  QApplication::processEvents();
  EXPECT_EQ(lang::CurrentLanguage(), 2);
  EXPECT_EQ(w.CurrentPage(), kPageZyrD);  // the start page stays the first one
  EXPECT_EQ(w.TerminalData().Dir(DialogDir::Config), "/srv/loads");
  w.SetLanguage(0);
}
