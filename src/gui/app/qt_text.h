#pragma once
// Conversions between the core's UTF-8 texts and Qt strings.
#include <QString>
#include <string>

#include "lang/lang.h"

namespace trivex {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline QString Q(const char* s) { return QString::fromUtf8(s); }
inline QString QTr(const lang::Text3& t) { return QString::fromUtf8(lang::Tr(t)); }
inline std::string S(const QString& s) { return s.toStdString(); }

// A file dialog filter in the form "Text (*.ini)|*.ini|All Files|*.*" as Qt's ";;" list.
QString QtFilter(const QString& pipe_filter);

}  // namespace trivex
