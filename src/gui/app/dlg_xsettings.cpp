#include "app/dlg_xsettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frm_trivor.h"
#include "app/qt_text.h"
#include "app/x_registry.h"
#include "lang/system_formats.h"
#include "lang/texts_app.h"

namespace trivex {

TDlgXSettings::TDlgXSettings(TFrmTrivor& main) : QDialog(&main), main_(main) {
  setObjectName(QStringLiteral("DlgXSettings"));
  setWindowTitle(QTr(tx::app::XSettingsTitle));
  auto* lay = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  retries_ = new QSpinBox(this);
  retries_->setObjectName(QStringLiteral("EdtRetries"));
  retries_->setRange(0, 100);
  retries_->setValue(main.TerminalData().retries);
  form->addRow(QTr(tx::app::XSettingsRetries), retries_);
  new_features_ = new QCheckBox(QTr(tx::app::XSettingsNewFeatures), this);
  new_features_->setObjectName(QStringLiteral("CbxNewFeatures"));
  new_features_->setChecked(main.Settings().enable_new_features);
  form->addRow(new_features_);
  text_maintenance_ = new QCheckBox(QTr(tx::app::XSettingsTextMaintenance), this);
  text_maintenance_->setChecked(main.text_maintenance_mode);
  form->addRow(text_maintenance_);
  access_level_ = new QSpinBox(this);
  access_level_->setRange(0, 9);
  access_level_->setValue(main.access_level);
  form->addRow(QTr(tx::app::XSettingsAccessLevel), access_level_);
  visibility_ = new QSpinBox(this);
  visibility_->setObjectName(QStringLiteral("EdtVisibility"));
  visibility_->setRange(-1, 1);
  visibility_->setValue(main.Settings().visibility);
  form->addRow(QTr(tx::app::XSettingsVisibility), visibility_);
  list_separator_ = new QLineEdit(QString(QChar(CurrentFormats().list_separator)), this);
  list_separator_->setObjectName(QStringLiteral("EdtListSeparator"));
  list_separator_->setMaxLength(1);
  form->addRow(QTr(tx::app::XSettingsListSeparator), list_separator_);
  rts_always_ = new QCheckBox(QTr(tx::app::XSettingsRtsAlways), this);
  rts_always_->setChecked(main.rts_always_on);
  rts_on_send_ = new QCheckBox(QTr(tx::app::XSettingsRtsOnSend), this);
  rts_on_send_->setChecked(main.rts_on_send);
  rts_always_->setEnabled(!main.rts_on_send);
  connect(rts_on_send_, &QCheckBox::toggled, rts_always_, [this](bool on) { rts_always_->setEnabled(!on); });
  form->addRow(rts_always_);
  form->addRow(rts_on_send_);
  lay->addLayout(form);
  auto* box = new QDialogButtonBox(this);
  box->addButton(QTr(tx::app::BtnOk), QDialogButtonBox::AcceptRole)->setDefault(true);
  box->addButton(QTr(tx::app::BtnCancel), QDialogButtonBox::RejectRole);
  connect(box, &QDialogButtonBox::accepted, this, [this] {
    Apply();
    accept();
  });
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // "Enable new features" is stored at once.
  connect(new_features_, &QCheckBox::toggled, this, [this](bool on) {
    main_.Settings().enable_new_features = on;
    XRegistry(main_.Store(), kKeyTrivor).WriteBool01("EnableNewFeatures", on);
    main_.Store().Flush();
  });
  lay->addWidget(box);
}

void TDlgXSettings::Apply() {
  main_.TerminalData().retries = retries_->value();
  main_.text_maintenance_mode = text_maintenance_->isChecked();
  main_.access_level = access_level_->value();
  if (list_separator_->text().size() == 1) {
    SystemFormats f = CurrentFormats();
    f.list_separator = list_separator_->text().toLatin1().at(0);
    SetCurrentFormats(f);
  }
  const int old_visibility = main_.Settings().visibility;
  main_.Settings().visibility = visibility_->value();
  main_.Link().SetRetrySetting(main_.TerminalData().retries);
  const bool was_active = main_.Link().Active();
  main_.Link().Close();
  main_.rts_on_send = rts_on_send_->isChecked();
  main_.rts_always_on = rts_always_->isChecked();
  main_.ApplyRtsOptions();
  if (old_visibility != main_.Settings().visibility) {
    main_.ReenterPage();
  } else if (was_active) {
    main_.Link().Open();
  }
  main_.RefreshLinkPanel();
}

}  // namespace trivex
