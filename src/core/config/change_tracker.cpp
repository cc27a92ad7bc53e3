#include "config/change_tracker.h"

namespace trivex {

void TChangeTracker::ChangePerm() {
  const bool was_saved = Saved(), was_sent = Sent();
  perm_unsaved_ = perm_unsent_ = true;
  if (was_saved) NotifySaved(true);
  if (was_sent) NotifySent(true);
}

void TChangeTracker::ChangeTemp(const void* owner) {
  const bool was_saved = Saved(), was_sent = Sent();
  if ((temp_unsaved_ || temp_unsent_) && owner_ != owner) {
    // Another control's temporary change stays: it becomes permanent.
    if (temp_unsaved_) perm_unsaved_ = true;
    if (temp_unsent_) perm_unsent_ = true;
  }
  temp_unsaved_ = temp_unsent_ = true;
  owner_ = owner;
  if (was_saved) NotifySaved(true);
  if (was_sent) NotifySent(true);
}

void TChangeTracker::UnchangeTemp(const void* owner) {
  if (owner != owner_) return;
  const bool saved_clears = temp_unsaved_ && !perm_unsaved_;
  const bool sent_clears = temp_unsent_ && !perm_unsent_;
  temp_unsaved_ = temp_unsent_ = false;
  owner_ = nullptr;
  if (saved_clears) NotifySaved(false);
  if (sent_clears) NotifySent(false);
}

void TChangeTracker::ChangesPermanent() {
  if (temp_unsaved_) perm_unsaved_ = true;
  if (temp_unsent_) perm_unsent_ = true;
  temp_unsaved_ = temp_unsent_ = false;
  owner_ = nullptr;
}

bool TChangeTracker::DeclareSaved() {
  if (Saved()) return false;
  temp_unsaved_ = perm_unsaved_ = false;
  NotifySaved(false);
  return true;
}

bool TChangeTracker::DeclareSent() {
  if (Sent()) return false;
  temp_unsent_ = perm_unsent_ = false;
  NotifySent(false);
  return true;
}

}  // namespace trivex
