#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

namespace trivex {

class TFrmTrivor;

// The extended settings dialog ("XSettings", Ctrl+Alt+S).
class TDlgXSettings : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgXSettings(TFrmTrivor& main);
  QSpinBox* Retries() const { return retries_; }
  QCheckBox* NewFeatures() const { return new_features_; }
  QSpinBox* VisibilityBox() const { return visibility_; }
  QLineEdit* ListSeparator() const { return list_separator_; }
  QCheckBox* RtsAlways() const { return rts_always_; }
  QCheckBox* RtsOnSend() const { return rts_on_send_; }
  // OK: applies the values.
  void Apply();

 private:
  TFrmTrivor& main_;
  QSpinBox* retries_;
  QCheckBox* new_features_;
  QCheckBox* text_maintenance_;
  QSpinBox* access_level_;
  QSpinBox* visibility_;
  QLineEdit* list_separator_;
  QCheckBox* rts_always_;
  QCheckBox* rts_on_send_;
};

}  // namespace trivex
