#pragma once
// Conversions between the core's UTF-8 texts and Qt strings.
#include <QComboBox>
#include <QString>
#include <string>

#include "lang/lang.h"

namespace trivex {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline QString Q(const char* s) { return QString::fromUtf8(s); }
inline QString QTr(const lang::Text3& t) { return QString::fromUtf8(lang::Tr(t)); }
inline std::string S(const QString& s) { return s.toStdString(); }

// Fills a drop-down with the items of a CR LF list text in the current language, keeping the
// selected index.
void FillComboList(QComboBox* box, const lang::Text3& items);

// A file dialog filter in the form "Text (*.ini)|*.ini|All Files|*.*" as Qt's ";;" list.
QString QtFilter(const QString& pipe_filter);

}  // namespace trivex
