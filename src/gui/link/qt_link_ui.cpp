#include "link/qt_link_ui.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt_text.h"
#include "lang/texts_link.h"
#include "link/dlg_port_settings.h"

namespace trivex {

QString MessageText(const std::string& text) {
  QString t = Q(text);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

void TQtLinkUi::ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) {
  QMessageBox box(kind == TMessageKind::kWarning ? QMessageBox::Warning : QMessageBox::Critical, Q(caption),
                  MessageText(text), QMessageBox::Ok, parent_);
  box.setObjectName(QStringLiteral("LinkMessage"));
  box.exec();
}

TDialogAnswer TQtLinkUi::AskAbortRetryIgnore(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, Q(caption), MessageText(text), QMessageBox::NoButton, parent_);
  box.setObjectName(QStringLiteral("LinkAbortRetryIgnore"));
  QPushButton* abort = box.addButton(QTr(tx::link::BtnAbort), QMessageBox::RejectRole);
  QPushButton* retry = box.addButton(QTr(tx::link::BtnRetry), QMessageBox::AcceptRole);
  QPushButton* ignore = box.addButton(QTr(tx::link::BtnIgnore), QMessageBox::DestructiveRole);
  abort->setObjectName(QStringLiteral("BtnAbort"));
  retry->setObjectName(QStringLiteral("BtnRetry"));
  ignore->setObjectName(QStringLiteral("BtnIgnore"));
  box.setDefaultButton(retry);
  box.setEscapeButton(abort);
  box.exec();
  if (box.clickedButton() == retry) return TDialogAnswer::kRetry;
  if (box.clickedButton() == ignore) return TDialogAnswer::kIgnore;
  return TDialogAnswer::kAbort;
}

bool TQtLinkUi::EditPortSettings(int com_number, const std::string& path, TPortConfig& config) {
  TDlgPortSettings dlg(parent_, com_number, path, config);
  if (dlg.exec() != QDialog::Accepted) return false;
  config = dlg.Config();
  return true;
}

void TQtLinkUi::ProcessMessages() { QCoreApplication::processEvents(); }

}  // namespace trivex
