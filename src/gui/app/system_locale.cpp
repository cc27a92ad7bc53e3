#include "app/system_locale.h"

#include <QLocale>

#include "app/startup.h"

namespace trivex {

SystemFormats SystemFormatsFromLocale() {
  SystemFormats f;
  QLocale loc = QLocale::system();
  if (loc.language() == QLocale::C) return f;
  // Qt's short date pattern ("dd.MM.yy") in the program's letters ("dd.mm.yyyy").
  QString date = loc.dateFormat(QLocale::ShortFormat).toLower();
  f.short_date = FourDigitYearPattern(date.toStdString());
  QString time = loc.timeFormat(QLocale::ShortFormat);
  for (QChar c : time) {
    if (!c.isLetter() && !c.isSpace()) {
      f.time_separator = c.toLatin1() ? c.toLatin1() : ':';
      break;
    }
  }
  QString dec = loc.decimalPoint();
  f.decimal_separator = (!dec.isEmpty() && dec[0].toLatin1()) ? dec[0].toLatin1() : '.';
  f.list_separator = DefaultListSeparator(f.decimal_separator);
  return f;
}

}  // namespace trivex
