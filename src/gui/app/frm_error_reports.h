#pragma once
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>

namespace trivex {

// The error report viewer: the stack traces that the crash handler wrote, newest first.
class TFrmErrorReports : public QDialog {
  Q_OBJECT
 public:
  TFrmErrorReports(QWidget* parent, const QString& folder);
  static QString ReportFolder();

 private:
  QListWidget* list_;
  QPlainTextEdit* text_;
};

}  // namespace trivex
