#pragma once
// The port settings dialog: baud rate, data bits, parity, stop bits and flow control of one
// serial port.
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "link/port_config.h"

namespace trivex {

class TDlgPortSettings : public QDialog {
  Q_OBJECT
 public:
  TDlgPortSettings(QWidget* parent, int com_number, const std::string& path, const TPortConfig& config);
  // The record with the edits (fields the dialog does not show keep their values).
  TPortConfig Config() const;
  void UpdateLanguageStrings();

  QComboBox* Baud() const { return baud_; }
  QComboBox* DataBits() const { return data_bits_; }
  QComboBox* Parity() const { return parity_; }
  QComboBox* StopBits() const { return stop_bits_; }
  QComboBox* Handshake() const { return handshake_; }

  // Flow control choices.
  enum { kNone = 0, kXonXoff = 1, kHardware = 2 };

 private:
  int com_number_;
  TPortConfig config_;
  QLabel *device_label_, *device_, *baud_label_, *data_label_, *parity_label_, *stop_label_, *handshake_label_;
  QComboBox *baud_, *data_bits_, *parity_, *stop_bits_, *handshake_;
  QPushButton *ok_, *cancel_;
};

}  // namespace trivex
