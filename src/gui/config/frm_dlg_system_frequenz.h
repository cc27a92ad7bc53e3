#pragma once
// The dialog that asks for the nominal frequency of a ZYR-D configuration that is to be sent
// while its frequency is not set.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

namespace trivex {

class TZyrData;

class TFrmDlgSystemFrequenz : public QDialog {
  Q_OBJECT
 public:
  TFrmDlgSystemFrequenz(QWidget* parent, TZyrData& zyrd);
  QComboBox* Frequency() const { return frequency_; }
  QCheckBox* AsDefault() const { return as_default_; }
  QPushButton* Ok() const { return ok_; }
  void UpdateLanguageStrings();
  // OK: the chosen code becomes the configuration's frequency (and the default when ticked).
  void Apply();
  // Called with the new default frequency when the check box was ticked.
  std::function<void(int)> on_default_changed;

 private:
  TZyrData& zyrd_;
  QLabel* notice_;
  QLabel* choose_;
  QComboBox* frequency_;
  QCheckBox* as_default_;
  QPushButton *ok_, *cancel_;
};

}  // namespace trivex
