// The change tracker's states and the notifications the main window relies on.
#include <gtest/gtest.h>

#include <vector>

#include "config/change_tracker.h"

using trivex::TChangeTracker;

namespace {
struct Recorder {
  std::vector<bool> saved, sent;
  void Attach(TChangeTracker& t) {
    t.SetSavedHandler([this](TChangeTracker&, bool c) { saved.push_back(c); });
    t.SetSentHandler([this](TChangeTracker&, bool c) { sent.push_back(c); });
  }
};
const int a = 0, b = 0;  // two controls
}  // namespace

TEST(ChangeTracker, AnEditChangedBackLeavesTheConfigurationSaved) {
  TChangeTracker t;
  Recorder r;
  r.Attach(t);
  t.SetChangedTemp(true, &a);
  t.SetChangedTemp(true, &a);
  t.SetChangedTemp(false, &a);
  EXPECT_TRUE(t.Saved());
  EXPECT_TRUE(t.Sent());
  EXPECT_EQ(r.saved, (std::vector<bool>{true, false}));
  EXPECT_EQ(r.sent, (std::vector<bool>{true, false}));
}

TEST(ChangeTracker, AnotherControlsEditMakesTheFirstPermanent) {
  TChangeTracker t;
  t.ChangeTemp(&a);
  t.ChangeTemp(&b);
  t.UnchangeTemp(&a);  // not the owner: nothing happens
  t.UnchangeTemp(&b);
  EXPECT_FALSE(t.Saved());
  EXPECT_FALSE(t.Sent());
}

TEST(ChangeTracker, DeclaringSavedAndSentAndPermanentChanges) {
  TChangeTracker t;
  Recorder r;
  r.Attach(t);
  EXPECT_FALSE(t.DeclareSaved());
  EXPECT_TRUE(r.saved.empty());
  t.ChangeTemp(&a);
  t.ChangesPermanent();
  t.UnchangeTemp(&a);
  EXPECT_FALSE(t.Saved());
  EXPECT_TRUE(t.DeclareSaved());
  EXPECT_TRUE(t.Saved());
  EXPECT_FALSE(t.Sent());
  t.ChangePerm();  // saved was clean: notified; sent was changed already: not again
  EXPECT_EQ(r.saved, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(r.sent, (std::vector<bool>{true}));
  EXPECT_TRUE(t.DeclareSent());
  EXPECT_EQ(r.sent, (std::vector<bool>{true, false}));
}
