#include "app/frm_error_reports.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QSplitter>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/crash_handler.h"
#include "app/qt_text.h"
#include "lang/texts_app.h"

namespace trivex {

QString TFrmErrorReports::ReportFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/reports";
}

TFrmErrorReports::TFrmErrorReports(QWidget* parent, const QString& folder) : QDialog(parent) {
  setWindowTitle(QTr(tx::app::ErrorReportsTitle));
  resize(800, 500);
  auto* lay = new QVBoxLayout(this);
  auto* split = new QSplitter(this);
  list_ = new QListWidget(split);
  text_ = new QPlainTextEdit(split);
  text_->setReadOnly(true);
  text_->setFont(QFont(QStringLiteral("Monospace")));
  split->setStretchFactor(1, 3);
  lay->addWidget(split);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  lay->addWidget(box);
  for (const std::string& f : CrashReports(S(folder))) {
    auto* item = new QListWidgetItem(QFileInfo(Q(f)).fileName(), list_);
    item->setData(Qt::UserRole, Q(f));
  }
  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (!item) return;
    QFile f(item->data(Qt::UserRole).toString());
    if (f.open(QIODevice::ReadOnly)) text_->setPlainText(QString::fromUtf8(f.read(1 << 20)));
  });
  if (list_->count() == 0) text_->setPlainText(QTr(tx::app::ErrorReportsNone));
  else list_->setCurrentRow(0);
}

}  // namespace trivex
