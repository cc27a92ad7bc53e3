// Read, Send and Verify on the ZYR-D page against the simulated station.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/frm_trivor.h"
#include "app/memory_settings_store.h"
#include "app/x_registry.h"
#include "config/config_transfer.h"
#include "link_test_support.h"

using namespace trivex;

namespace {
struct Station {
  test::SimProcess sim;
  MemorySettingsStore store;
  std::unique_ptr<TFrmTrivor> w;
  std::vector<std::string> messages;
  std::vector<TConfigMsgs::Mode> results;
  std::string choose = "A:";  // the entry the user picks; empty: Cancel
  int answer = TConfigMsgs::kOk;
  Station() {
    XRegistry(store, kKeyTrivor).WriteString("Argv0InitialDir", "0");
    w = std::make_unique<TFrmTrivor>(store, ParseCommandLine({"--port", sim.path()}));
    w->SetLanguage(lang::English);
    QApplication::processEvents();
    TConfigTransfer& t = w->Transfer();
    t.final_pause_ms = 0;
    t.choose_device = [this](TDeviceChooser& c) { return !choose.empty() && c.Select(choose); };
    t.show_result = [this](const TConfigMsgs& m) {
      results.push_back(m.mode());
      last_rows = m.RowCount();
      last_text = m.ClipboardText();
      real_differences = 0;
      for (const auto& row : m.Rows()) real_differences += row[4] != "---";
      return answer;
    };
    t.show_message = [this](const std::string&, const std::string& text, bool) { messages.push_back(text); };
  }
  int last_rows = -1;
  int real_differences = -1;
  std::string last_text;
};
}  // namespace

TEST(ConfigTransferGui, ReadAcceptedSendAndVerifyWithoutDifferences) {
  Station s;
  ASSERT_EQ(s.w->CurrentPage(), kPageZyrD);
  s.w->Link().Open();  // the link was open before: it is open again after every action

  s.answer = TConfigMsgs::kDiscard;
  s.w->AcnRead->trigger();
  ASSERT_EQ(s.results, std::vector<TConfigMsgs::Mode>{TConfigMsgs::kConsistency});
  EXPECT_EQ(s.w->ZyrD().DeviceCount(), 0);  // discarded: the page's data is untouched
  EXPECT_TRUE(s.w->Link().Active());

  s.answer = TConfigMsgs::kOk;
  s.w->AcnRead->trigger();
  ASSERT_EQ(s.w->ZyrD().DeviceCount(), 2);
  EXPECT_EQ(s.w->ZyrD().display_name.rfind("ZYR-D_A_", 0), 0u) << s.w->ZyrD().display_name;
  EXPECT_FALSE(s.w->ZyrD().tracker.Saved());
  EXPECT_TRUE(s.w->windowTitle().contains("modified"));
  EXPECT_TRUE(s.w->Link().Active());

  s.w->ZyrD().nominal_frequency = 2;
  s.messages.clear();
  s.w->AcnSend->trigger();
  EXPECT_TRUE(s.messages.empty()) << s.messages.front();
  s.w->AcnVerify->trigger();
  ASSERT_EQ(s.results.back(), TConfigMsgs::kVerify);
  // Firmware 1.2.20 cannot hold the newer parameters: those rows carry "---" only.
  EXPECT_EQ(s.real_differences, 0) << s.last_text;
  EXPECT_TRUE(s.w->Link().Active());
}

TEST(ConfigTransferGui, SendNeedsTheMasterAndCancelKeepsTheLinkAsItWas) {
  Station s;
  s.w->ZyrD().SetDeviceList({"A:", "A1:"});
  s.w->ZyrD().master_id = 1;
  s.choose = "A1:";
  s.w->AcnSend->trigger();
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0], "Abort, master device requested!");
  s.choose.clear();
  s.w->AcnSend->trigger();
  EXPECT_EQ(s.messages.back(), "Abort, wrong device type!");
  EXPECT_FALSE(s.w->Link().Active());  // it was closed before
  s.w->AcnRead->trigger();               // Cancel in the chooser
  EXPECT_TRUE(s.results.empty());
  EXPECT_FALSE(s.w->Link().Active());
}
