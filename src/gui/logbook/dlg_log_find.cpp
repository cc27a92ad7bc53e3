#include "logbook/dlg_log_find.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "lang/texts_fetch.h"

namespace trivex {

TDlgLogFind::TDlgLogFind(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgLogFind"));
  auto* grid = new QGridLayout(this);
  label_ = new QLabel(this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("EdtFindText"));
  label_->setBuddy(edit_);
  match_case_ = new QCheckBox(this);
  match_case_->setObjectName(QStringLiteral("ChkMatchCase"));
  whole_word_ = new QCheckBox(this);
  whole_word_->setObjectName(QStringLiteral("ChkWholeWord"));
  direction_ = new QGroupBox(this);
  up_ = new QRadioButton(direction_);
  up_->setObjectName(QStringLiteral("RbnUp"));
  down_ = new QRadioButton(direction_);
  down_->setObjectName(QStringLiteral("RbnDown"));
  down_->setChecked(true);
  auto* dir_layout = new QHBoxLayout(direction_);
  dir_layout->addWidget(up_);
  dir_layout->addWidget(down_);
  find_ = new QPushButton(this);
  find_->setObjectName(QStringLiteral("BtnFindNext"));
  find_->setDefault(true);
  cancel_ = new QPushButton(this);
  grid->addWidget(label_, 0, 0);
  grid->addWidget(edit_, 0, 1, 1, 2);
  grid->addWidget(find_, 0, 3);
  grid->addWidget(whole_word_, 1, 0, 1, 2);
  grid->addWidget(direction_, 1, 2, 2, 1);
  grid->addWidget(cancel_, 1, 3);
  grid->addWidget(match_case_, 2, 0, 1, 2);
  connect(find_, &QPushButton::clicked, this, [this] {
    if (!edit_->text().isEmpty()) emit findNext();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(edit_, &QLineEdit::textChanged, this, [this](const QString& t) { find_->setEnabled(!t.isEmpty()); });
  find_->setEnabled(false);
  UpdateLanguageStrings();
}

QString TDlgLogFind::Text() const { return edit_->text(); }
void TDlgLogFind::SetText(const QString& text) { edit_->setText(text); }
bool TDlgLogFind::MatchCase() const { return match_case_->isChecked(); }
bool TDlgLogFind::WholeWord() const { return whole_word_->isChecked(); }
bool TDlgLogFind::Down() const { return down_->isChecked(); }

void TDlgLogFind::SetOptions(bool match_case, bool whole_word, bool down) {
  match_case_->setChecked(match_case);
  whole_word_->setChecked(whole_word);
  (down ? down_ : up_)->setChecked(true);
}

void TDlgLogFind::UpdateLanguageStrings() {
  setWindowTitle(QTr(tx::fetch::FindCaption));
  label_->setText(QTr(tx::fetch::FindWhat));
  match_case_->setText(QTr(tx::fetch::FindMatchCase));
  whole_word_->setText(QTr(tx::fetch::FindWholeWord));
  direction_->setTitle(QTr(tx::fetch::FindDirection));
  up_->setText(QTr(tx::fetch::FindUp));
  down_->setText(QTr(tx::fetch::FindDown));
  find_->setText(QTr(tx::fetch::FindNextButton));
  cancel_->setText(QTr(tx::fetch::ButtonCancel));
}

}  // namespace trivex
