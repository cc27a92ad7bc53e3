#include "app/dlg_logbuch_holen.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "lang/texts_fetch.h"

namespace trivex {

TDlgLogbuchHolen::TDlgLogbuchHolen(QWidget* parent, TDeviceChooser& chooser)
    : QDialog(parent), chooser_(chooser) {
  setObjectName(QStringLiteral("DlgLogbuchHolen"));
  setWindowTitle(Q(chooser.CaptionText()));
  auto* lay = new QVBoxLayout(this);
  label_ = new QLabel(QTr(tx::fetch::ChooserDevice), this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("LbxDevices"));
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ok_ = new QPushButton(QTr(tx::fetch::ButtonOk), this);
  cancel_ = new QPushButton(QTr(tx::fetch::ButtonCancel), this);
  ok_->setDefault(true);
  lay->addWidget(label_);
  lay->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  lay->addLayout(buttons);
  resize(480, 300);
  Fill();
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    chooser_.SelectIndex(row);
    ok_->setEnabled(chooser_.OkEnabled());
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (chooser_.OkEnabled()) accept();
  });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgLogbuchHolen::Fill() {
  list_->clear();
  for (int i = 0; i < chooser_.Count(); ++i) {
    auto* item = new QListWidgetItem(Q(chooser_.EntryText(i)), list_);
    if (!chooser_.IsAllowed(i)) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
  }
  list_->setCurrentRow(chooser_.Selected());
  ok_->setEnabled(chooser_.OkEnabled());
}

}  // namespace trivex
