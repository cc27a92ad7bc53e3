#include "config/frm_dlg_system_frequenz.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "config/zyr_data.h"
#include "lang/texts_app.h"
#include "lang/texts_msgs.h"

namespace trivex {

TFrmDlgSystemFrequenz::TFrmDlgSystemFrequenz(QWidget* parent, TZyrData& zyrd) : QDialog(parent), zyrd_(zyrd) {
  setObjectName(QStringLiteral("FrmDlgSystemFrequenz"));
  auto* lay = new QVBoxLayout(this);
  notice_ = new QLabel(this);
  choose_ = new QLabel(this);
  frequency_ = new QComboBox(this);
  frequency_->setObjectName(QStringLiteral("CbxFrequency"));
  as_default_ = new QCheckBox(this);
  ok_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  lay->addWidget(notice_);
  lay->addWidget(choose_);
  lay->addWidget(frequency_);
  lay->addWidget(as_default_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  lay->addLayout(buttons);
  UpdateLanguageStrings();
  frequency_->setCurrentIndex(0);
  ok_->setEnabled(false);
  connect(frequency_, &QComboBox::currentIndexChanged, this, [this](int i) { ok_->setEnabled(i > 0); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    Apply();
    accept();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmDlgSystemFrequenz::UpdateLanguageStrings() {
  setWindowTitle(QTr(tx::msgs::FreqCaption));
  notice_->setText(QTr(tx::msgs::FreqNotice));
  choose_->setText(QTr(tx::msgs::FreqChoose));
  as_default_->setText(QTr(tx::msgs::FreqSetDefault));
  ok_->setText(QTr(tx::msgs::BtnOk));
  cancel_->setText(QTr(tx::msgs::FreqCancel));
  FillComboList(frequency_, tx::app::FrequencyItems);
  if (frequency_->currentIndex() < 0) frequency_->setCurrentIndex(0);
}

void TFrmDlgSystemFrequenz::Apply() {
  const int code = frequency_->currentIndex();
  if (code <= 0) return;
  zyrd_.nominal_frequency = code;
  if (as_default_->isChecked()) {
    TZyrData::DefaultNominalFrequency() = code;
    if (on_default_changed) on_default_changed(code);
  }
}

}  // namespace trivex
