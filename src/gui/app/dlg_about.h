#pragma once
#include <QDialog>

namespace trivex {

// The About box: version, build time, supported firmware, system and processor.
class TDlgAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgAbout(QWidget* parent);
  // The version line: "%d.%d.%d.%d" and the build time in the current language's form.
  static QString VersionLine();
};

}  // namespace trivex
