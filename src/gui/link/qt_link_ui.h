#pragma once
// The link's user interface in the program: message boxes, the Abort/Retry/Ignore box of a
// failed exchange, the port settings dialog and one turn of the message loop.
#include <QPointer>
#include <QWidget>

#include "link/link_ui.h"

namespace trivex {

class TQtLinkUi : public LinkUi {
 public:
  explicit TQtLinkUi(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) override;
  TDialogAnswer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override;
  bool EditPortSettings(int com_number, const std::string& path, TPortConfig& config) override;
  void ProcessMessages() override;

 private:
  QPointer<QWidget> parent_;
};

// The texts of the core use CR LF line breaks; a message box wants LF.
QString MessageText(const std::string& text);

}  // namespace trivex
