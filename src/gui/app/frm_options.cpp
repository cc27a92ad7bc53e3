#include "app/frm_options.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frm_trivor.h"
#include "app/qt_text.h"
#include "lang/texts_app.h"

namespace trivex {

TFrmOptions::TFrmOptions(TFrmTrivor& main) : QDialog(&main), main_(main) {
  setObjectName(QStringLiteral("FrmOptions"));
  auto* lay = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  for (int p = 0; p < kPageCount; ++p) {
    auto* page = new QWidget(tabs_);
    auto* pl = new QVBoxLayout(page);
    visible_[p] = new QCheckBox(page);
    visible_[p]->setObjectName(QStringLiteral("CbxVisible%1").arg(p));
    visible_[p]->setChecked(main.Options().visible[p]);
    pl->addWidget(visible_[p]);
    pl->addStretch(1);
    tabs_->addTab(page, QString());
  }
  lay->addWidget(tabs_);
  auto* grid = new QGridLayout;
  service_label_ = new QLabel(this);
  service_mode_ = new QComboBox(this);
  service_mode_->setObjectName(QStringLiteral("CbxServiceDesign"));
  frequency_label_ = new QLabel(this);
  frequency_ = new QComboBox(this);
  frequency_->setObjectName(QStringLiteral("CbxDefaultFrequency"));
  grid->addWidget(service_label_, 0, 0);
  grid->addWidget(service_mode_, 0, 1);
  grid->addWidget(frequency_label_, 1, 0);
  grid->addWidget(frequency_, 1, 1);
  lay->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  save_ = new QPushButton(this);
  ok_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  ok_->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(save_);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  lay->addLayout(buttons);
  connect(save_, &QPushButton::clicked, this, &TFrmOptions::Apply);
  connect(ok_, &QPushButton::clicked, this, &TFrmOptions::Ok);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  UpdateLanguageStrings();
  service_mode_->setCurrentIndex(main.Settings().service_dm_mode == 1 ? 1 : 0);
  frequency_->setCurrentIndex(main.Settings().default_idx_carrier_frequency);
}

TFrmOptions::~TFrmOptions() {
  // The values go to the settings store when the window is destroyed.
  main_.WriteSettings();
}

void TFrmOptions::UpdateLanguageStrings() {
  setWindowTitle(QTr(tx::app::OptionsTitle));
  for (int p = 0; p < kPageCount; ++p) {
    tabs_->setTabText(p, QTr(TTrivorManagerForm::TabCaption(p)));
    visible_[p]->setText(QTr(tx::app::OptionsVisible));
  }
  service_label_->setText(QTr(tx::app::OptionsServiceDesign));
  frequency_label_->setText(QTr(tx::app::OptionsDefaultFrequency));
  FillComboList(service_mode_, tx::app::OptionsServiceModes);
  FillComboList(frequency_, tx::app::FrequencyItems);
  save_->setText(QTr(tx::app::BtnSave));
  ok_->setText(QTr(tx::app::BtnOk));
  cancel_->setText(QTr(tx::app::BtnCancel));
}

void TFrmOptions::Apply() {
  for (int p = 0; p < kPageCount; ++p) main_.Options().visible[p] = visible_[p]->isChecked();
  // A page named on the command line stays visible.
  if (main_.Command().start_page >= 0) main_.Options().visible[main_.Command().start_page] = true;
  main_.Settings().service_dm_mode = service_mode_->currentIndex() == 1 ? 1 : -1;
  main_.Settings().default_idx_carrier_frequency = std::max(0, frequency_->currentIndex());
  TZyrData::DefaultNominalFrequency() = main_.Settings().default_idx_carrier_frequency;
  main_.ApplyTabVisibility();
}

void TFrmOptions::Ok() {
  const int old_mode = main_.Settings().service_dm_mode;
  Apply();
  main_.UpdateLanguageStrings();
  accept();
  if (old_mode != main_.Settings().service_dm_mode) {
    // The service view is rebuilt with the other display.
    main_.Link().Close();
    main_.RefreshLinkPanel();
    main_.ReenterPage();
  }
}

}  // namespace trivex
