#include "app/qt_text.h"

#include <QComboBox>
#include <QStringList>

namespace trivex {

void FillComboList(QComboBox* box, const lang::Text3& items) {
  const int keep = box->currentIndex();
  box->clear();
  const char* text = lang::Tr(items);
  for (int i = 0; i < lang::ListCount(text); ++i) box->addItem(Q(std::string(lang::ListItem(text, i))));
  box->setCurrentIndex(keep);
}

QString QtFilter(const QString& pipe_filter) {
  const QStringList parts = pipe_filter.split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString text = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    if (!text.contains('(')) text += " (" + patterns + ")";
    out << text;
  }
  return out.join(";;");
}

}  // namespace trivex
