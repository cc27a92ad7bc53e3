#include "app/dlg_about.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/startup.h"
#include "app/system_info.h"
#include "lang/format.h"
#include "lang/texts_app.h"
#include "version_info.h"

namespace trivex {

QString TDlgAbout::VersionLine() {
  QString line = Q(ProgramVersion());
  QDateTime built = QDateTime::fromString(QStringLiteral(TRIVEX_BUILD_TIME), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  if (built.isValid()) {
    QString when;
    switch (lang::CurrentLanguage()) {
      case lang::German: when = built.toString(QStringLiteral("d.M.yyyy HH:mm")); break;
      case lang::Italian: when = built.toString(QStringLiteral("dd.MM.yyyy HH:mm")); break;
      default: when = built.toString(QStringLiteral("MM/dd/yyyy HH:mm")); break;
    }
    line += QStringLiteral("  (") + when + ')';
  }
  return line;
}

TDlgAbout::TDlgAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgAbout"));
  setWindowTitle(QTr(tx::app::AboutTitle));
  auto* lay = new QVBoxLayout(this);
  auto* heading = new QLabel(QTr(tx::app::AboutHeading), this);
  QFont f = heading->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.4);
  heading->setFont(f);
  lay->addWidget(heading);
  auto* form = new QFormLayout;
  auto* version = new QLabel(VersionLine(), this);
  version->setObjectName(QStringLiteral("LblVersion"));
  form->addRow(QTr(tx::app::AboutVersion), version);
  form->addRow(QString(), new QLabel(Q(Format(lang::Tr(tx::app::AboutZyrD), {"1.2.2x"})), this));
  form->addRow(QString(), new QLabel(Q(Format(lang::Tr(tx::app::AboutZyrDm), {"0.2.13"})), this));
  auto* system = new QLabel(Q(SystemDescription()), this);
  system->setObjectName(QStringLiteral("LblSystem"));
  form->addRow(QTr(tx::app::AboutSystem), system);
  auto* cpu = new QLabel(Q(ProcessorDescription()), this);
  cpu->setObjectName(QStringLiteral("LblProcessor"));
  form->addRow(QTr(tx::app::AboutProcessor), cpu);
  lay->addLayout(form);
  auto* box = new QDialogButtonBox(this);
  QPushButton* ok = box->addButton(QTr(tx::app::BtnOk), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  lay->addWidget(box);
}

}  // namespace trivex
