// Settings reading rules, the terminal/dialog settings and the program's own keys.
#include <gtest/gtest.h>

#include "app/memory_settings_store.h"
#include "app/terminal_data.h"
#include "app/trivor_settings.h"
#include "app/x_registry.h"

using namespace trivex;

TEST(XRegistry, BooleanTextsAndNumbers) {
  struct Case {
    const char* text;
    bool value;
  } const cases[] = {{"", false},     {"0", false},     {"n", false},    {"No", false},
                     {"NEIN", false}, {"f", false},     {"FALSE", false}, {"falsch", false},
                     {"1", true},     {"TRUE", true},   {"x", true},     {"yes", true}};
  MemorySettingsStore store;
  XRegistry r(store, "K");
  for (const auto& c : cases) {
    r.WriteString("B", c.text);
    EXPECT_EQ(r.ReadBool("B", !c.value), c.value) << '"' << c.text << '"';
  }
  EXPECT_TRUE(r.ReadBool("Missing", true));
  r.WriteString("N", "12x");
  EXPECT_EQ(r.ReadInt("N", 7), 7);
  r.WriteString("N", " -3 ");
  EXPECT_EQ(r.ReadInt("N", 7), -3);
  r.WriteString("N", "");
  EXPECT_EQ(r.ReadInt("N", 7), 7);
}

TEST(XRegistry, ListsStopAtTheFirstGapAndAShorterWriteEndsThere) {
  MemorySettingsStore store;
  XRegistry r(store, "K");
  r.WriteString("Connection0", "a");
  r.WriteString("Connection1", "b");
  r.WriteString("Connection3", "d");
  EXPECT_EQ(r.ReadList("Connection%d"), (std::vector<std::string>{"a", "b"}));

  r.WriteList("Modem%d", {"m0", "m1", "m2"});
  r.WriteList("Modem%d", {"x0"});
  EXPECT_EQ(r.ReadList("Modem%d"), (std::vector<std::string>{"x0"}));
}

TEST(TerminalData, CommonDataFolderSetsAllSixDirectoriesAndTellsTheOwner) {
  TTerminalData t;
  std::string told;
  t.on_initial_dir_changed = [&](const std::string& d) { told = d; };
  t.SetDir(DialogDir::SFile, "/data/station");
  for (auto d : {DialogDir::Config, DialogDir::Regulator, DialogDir::LoggerOpen, DialogDir::SFile,
                 DialogDir::DFile, DialogDir::LoggerSave})
    EXPECT_EQ(t.Dir(d), "/data/station");
  EXPECT_EQ(told, "/data/station");

  t.common_initial_dir = false;
  told.clear();
  t.SetDir(DialogDir::Config, "/other");
  EXPECT_EQ(t.Dir(DialogDir::Config), "/other");
  EXPECT_EQ(t.Dir(DialogDir::DFile), "/data/station");
  EXPECT_TRUE(told.empty());
}

TEST(TerminalData, ConnectionIndexIsKeptInsideItsList) {
  struct Case {
    int stored;
    int connections;
    int expected;
  } const cases[] = {{1, 2, 1}, {2, 2, 0}, {5, 0, -1}, {-7, 2, -1}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    XRegistry r(store, kKeyTerminal);
    for (int i = 0; i < c.connections; ++i) r.WriteString(NumberedName("Connection%d", i), "c");
    r.WriteInt("ConnectionIndex", c.stored);
    TTerminalData t;
    t.ReadTerminalKey(store);
    EXPECT_EQ(t.connection_index, c.expected) << c.stored << " of " << c.connections;
  }
}

TEST(ProgramSettings, RoundTripAndDefaults) {
  MemorySettingsStore store;
  TrivorSettings fresh;
  fresh.Read(store);
  EXPECT_TRUE(fresh.argv0_initial_dir);
  EXPECT_EQ(fresh.service_dm_mode, -1);
  EXPECT_FALSE(fresh.bounds.has_value());

  XRegistry(store, kKeyTrivor).WriteString("SystemType", "1");
  TrivorSettings s;
  s.language = 2;
  s.visibility = -1;
  s.save_before_send = true;
  s.bounds = WindowBounds{10, 20, 800, 600};
  s.Write(store);
  EXPECT_FALSE(XRegistry(store, kKeyTrivor).HasValue("SystemType"));
  TrivorSettings back;
  back.Read(store);
  EXPECT_EQ(back.language, 2);
  EXPECT_EQ(back.visibility, -1);
  EXPECT_TRUE(back.save_before_send);
  ASSERT_TRUE(back.bounds.has_value());
  EXPECT_EQ(back.bounds->width, 800);

  XRegistry(store, kKeyTrivor).WriteString("Language", "7");
  back.Read(store);
  EXPECT_EQ(back.language, 0);
}

TEST(ProgramSettings, FirstRunShowsBothRelayPagesAndHidesTheRegulator) {
  MemorySettingsStore store;
  OptionsSettings o;
  o.Read(store);
  EXPECT_TRUE(o.visible[kPageZyrD]);
  EXPECT_TRUE(o.visible[kPageZyrDm]);
  EXPECT_FALSE(o.visible[kPageRegler]);
  o.visible[kPagePanel] = false;
  o.Write(store);
  EXPECT_EQ(XRegistry(store, kKeyOptions).ReadString("Panel Visible"), "FALSE");
  EXPECT_EQ(XRegistry(store, kKeyOptions).ReadString("ZYR-D Visible"), "1");
}

TEST(ProgramSettings, OldDisconnectValueIsMovedToItsNewName) {
  MemorySettingsStore store;
  XRegistry(store, kKeyTerminal).WriteString("TrennenFallsInaktiv", "1");
  TerminalKeyOptions t;
  t.Read(store);
  EXPECT_TRUE(t.disconnect_on_deactivate);
  EXPECT_FALSE(XRegistry(store, kKeyTerminal).HasValue("TrennenFallsInaktiv"));
  EXPECT_EQ(XRegistry(store, kKeyTerminal).ReadString("TrennenWennInaktiv"), "1");
}
