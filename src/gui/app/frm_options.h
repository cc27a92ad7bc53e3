#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "app/trivor_settings.h"

namespace trivex {

class TFrmTrivor;

// The options window ("General settings"): tab visibility per page, the ZYR-D service
// display and the default system frequency.
class TFrmOptions : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmOptions(TFrmTrivor& main);
  ~TFrmOptions() override;
  QCheckBox* VisibleBox(int page) const { return visible_[page]; }
  QComboBox* ServiceMode() const { return service_mode_; }
  QComboBox* Frequency() const { return frequency_; }
  void UpdateLanguageStrings();
  // "Save": takes the values at once.
  void Apply();
  // "OK": takes the values, refreshes the main window and closes.
  void Ok();

 private:
  TFrmTrivor& main_;
  QTabWidget* tabs_;
  QCheckBox* visible_[kPageCount] = {};
  QComboBox* service_mode_;
  QComboBox* frequency_;
  QPushButton *save_, *ok_, *cancel_;
  QLabel *service_label_, *frequency_label_;
};

}  // namespace trivex
