#include "app/qt_text.h"

#include <QStringList>

namespace trivex {

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
