#include "link/frm_tynet_log.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSaveFile>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "lang/format.h"
#include "lang/texts_link.h"

namespace trivex {

TFrmTynetLog::TFrmTynetLog(TKombiCommunicator& link, QWidget* parent) : QDialog(parent), link_(link) {
  setObjectName(QStringLiteral("FrmTynetLog"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("MmoLog"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  recording_ = new QCheckBox(this);
  recording_->setObjectName(QStringLiteral("CbxRecording"));
  refresh_ = new QPushButton(this);
  refresh_->setObjectName(QStringLiteral("BtnRefresh"));
  clear_ = new QPushButton(this);
  clear_->setObjectName(QStringLiteral("BtnClear"));
  save_ = new QPushButton(this);
  save_->setObjectName(QStringLiteral("BtnSave"));
  close_ = new QPushButton(this);
  close_->setObjectName(QStringLiteral("BtnClose"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(recording_);
  buttons->addStretch(1);
  for (QPushButton* b : {refresh_, clear_, save_, close_}) buttons->addWidget(b);
  auto* lay = new QVBoxLayout(this);
  lay->addWidget(text_, 1);
  lay->addLayout(buttons);
  resize(720, 420);

  connect(recording_, &QCheckBox::clicked, this, [this](bool on) { link_.SetExchangeLogOn(on); });
  connect(refresh_, &QPushButton::clicked, this, &TFrmTynetLog::Refresh);
  connect(clear_, &QPushButton::clicked, this, [this] {
    // Clear empties the log itself, so that Refresh does not bring the lines back.
    link_.ClearExchangeLog();
    text_->clear();
  });
  connect(save_, &QPushButton::clicked, this, &TFrmTynetLog::Save);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  UpdateLanguageStrings();
}

void TFrmTynetLog::UpdateLanguageStrings() {
  setWindowTitle(QTr(tx::link::LogTitle));
  recording_->setText(QTr(tx::link::LogRecording));
  refresh_->setText(QTr(tx::link::LogRefresh));
  clear_->setText(QTr(tx::link::LogClear));
  save_->setText(QTr(tx::link::LogSave));
  close_->setText(QTr(tx::link::LogClose));
}

void TFrmTynetLog::showEvent(QShowEvent* e) {
  recording_->setChecked(link_.ExchangeLogOn());
  Refresh();
  QDialog::showEvent(e);
}

void TFrmTynetLog::done(int r) {
  link_.SetExchangeLogOn(recording_->isChecked());
  QDialog::done(r);
}

void TFrmTynetLog::Refresh() {
  QStringList lines;
  for (const std::string& l : link_.ExchangeLog()) {
    QString q = Q(l);
    // Control characters of binary replies would garble the box.
    for (QChar& c : q)
      if (c.unicode() < 32 && c != QLatin1Char('\t')) c = QChar(0x00B7);
    lines << q;
  }
  text_->setPlainText(lines.join(QLatin1Char('\n')));
  text_->moveCursor(QTextCursor::End);
}

bool TFrmTynetLog::SaveTo(const QString& path) {
  QSaveFile f(path);  // written aside and renamed into place
  if (!f.open(QIODevice::WriteOnly)) return false;
  QString text = text_->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  if (!text.isEmpty()) text += QStringLiteral("\r\n");
  f.write(text.toUtf8());
  return f.commit();
}

void TFrmTynetLog::Save() {
  QFileDialog dlg(this, QTr(tx::link::LogSave), QString(), QTr(tx::link::LogFilter));
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDefaultSuffix(QStringLiteral("log"));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  QString path = dlg.selectedFiles().first();
  if (!SaveTo(path))
    QMessageBox::critical(this, QTr(tx::link::CaptionError), Q(Format(lang::Tr(tx::link::LogSaveFailed), {S(path)})));
}

}  // namespace trivex
