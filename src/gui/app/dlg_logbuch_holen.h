#pragma once
// The device selection dialog: the devices a scan found, in three columns (address, name in
// double quotes, type in parentheses); OK only for an entry of an allowed type. Logbook
// fetches and configuration transfers show it under their own captions.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "logbook/device_chooser.h"

namespace trivex {

class TDlgLogbuchHolen : public QDialog {
  Q_OBJECT
 public:
  TDlgLogbuchHolen(QWidget* parent, TDeviceChooser& chooser);
  QListWidget* List() const { return list_; }
  QPushButton* Ok() const { return ok_; }

 private:
  void Fill();
  TDeviceChooser& chooser_;
  QLabel* label_;
  QListWidget* list_;
  QPushButton *ok_, *cancel_;
};

}  // namespace trivex
