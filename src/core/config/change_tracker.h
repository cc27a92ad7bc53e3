#pragma once
// TChangeTracker: does a configuration hold changes that are not saved to its file, and
// changes that are not sent to the devices? Edits on the pages are temporary changes owned by
// the editing control (an edit brought back to its start value leaves the configuration
// unchanged); every other change is permanent until the configuration is saved or sent.
#include <functional>

namespace trivex {

class TChangeTracker {
 public:
  // Called on a transition only: true when the state becomes "changed", false when "clean".
  using Handler = std::function<void(TChangeTracker&, bool changed)>;

  void ChangePerm();
  void ChangeTemp(const void* owner);
  void UnchangeTemp(const void* owner);
  void SetChangedTemp(bool changed, const void* owner) {
    changed ? ChangeTemp(owner) : UnchangeTemp(owner);
  }
  void ChangesPermanent();
  bool DeclareSaved();
  bool DeclareSent();
  bool Saved() const { return !temp_unsaved_ && !perm_unsaved_; }
  bool Sent() const { return !temp_unsent_ && !perm_unsent_; }

  void SetSavedHandler(Handler h) { saved_handler_ = std::move(h); }
  void SetSentHandler(Handler h) { sent_handler_ = std::move(h); }

 private:
  void NotifySaved(bool changed) {
    if (saved_handler_) saved_handler_(*this, changed);
  }
  void NotifySent(bool changed) {
    if (sent_handler_) sent_handler_(*this, changed);
  }

  bool temp_unsaved_ = false, perm_unsaved_ = false;
  bool temp_unsent_ = false, perm_unsent_ = false;
  const void* owner_ = nullptr;
  Handler sent_handler_, saved_handler_;
};

}  // namespace trivex
