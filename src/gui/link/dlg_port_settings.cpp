#include "link/dlg_port_settings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "lang/format.h"
#include "lang/texts_link.h"

namespace trivex {
namespace {

const int kBauds[] = {110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};


}  // namespace

TDlgPortSettings::TDlgPortSettings(QWidget* parent, int com_number, const std::string& path,
                                   const TPortConfig& config)
    : QDialog(parent), com_number_(com_number), config_(config) {
  setObjectName(QStringLiteral("DlgPortSettings"));
  auto* grid = new QGridLayout;
  auto row = [&](QLabel*& label, QWidget* field, int r) {
    label = new QLabel(this);
    label->setBuddy(field);
    grid->addWidget(label, r, 0);
    grid->addWidget(field, r, 1);
  };
  device_ = new QLabel(Q(path), this);
  device_->setObjectName(QStringLiteral("LblDevicePath"));
  row(device_label_, device_, 0);
  baud_ = new QComboBox(this);
  baud_->setObjectName(QStringLiteral("CbxBaud"));
  baud_->setEditable(true);
  baud_->setValidator(new QIntValidator(50, 4000000, baud_));
  for (int b : kBauds) baud_->addItem(QString::number(b));
  row(baud_label_, baud_, 1);
  data_bits_ = new QComboBox(this);
  data_bits_->setObjectName(QStringLiteral("CbxDataBits"));
  for (int d = 5; d <= 8; ++d) data_bits_->addItem(QString::number(d));
  row(data_label_, data_bits_, 2);
  parity_ = new QComboBox(this);
  parity_->setObjectName(QStringLiteral("CbxParity"));
  row(parity_label_, parity_, 3);
  stop_bits_ = new QComboBox(this);
  stop_bits_->setObjectName(QStringLiteral("CbxStopBits"));
  row(stop_label_, stop_bits_, 4);
  handshake_ = new QComboBox(this);
  handshake_->setObjectName(QStringLiteral("CbxHandshake"));
  row(handshake_label_, handshake_, 5);

  ok_ = new QPushButton(this);
  ok_->setObjectName(QStringLiteral("BtnOk"));
  ok_->setDefault(true);
  cancel_ = new QPushButton(this);
  cancel_->setObjectName(QStringLiteral("BtnCancel"));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* lay = new QVBoxLayout(this);
  lay->addLayout(grid);
  lay->addLayout(buttons);

  UpdateLanguageStrings();
  baud_->setCurrentText(QString::number(config.baud));
  data_bits_->setCurrentIndex(config.data_bits >= 5 && config.data_bits <= 8 ? config.data_bits - 5 : 3);
  parity_->setCurrentIndex(config.parity_check && config.parity <= 4 ? config.parity : 0);
  stop_bits_->setCurrentIndex(config.stop_bits <= 2 ? config.stop_bits : 0);
  if (config.cts_flow || config.rts_control == kRtsHandshake) handshake_->setCurrentIndex(kHardware);
  else if (config.xon_xoff_in || config.xon_xoff_out) handshake_->setCurrentIndex(kXonXoff);
  else handshake_->setCurrentIndex(kNone);
}

void TDlgPortSettings::UpdateLanguageStrings() {
  setWindowTitle(Q(Format(lang::Tr(tx::link::DlgPortTitle), {com_number_})));
  device_label_->setText(QTr(tx::link::LblDevice));
  baud_label_->setText(QTr(tx::link::LblBaud));
  data_label_->setText(QTr(tx::link::LblDataBits));
  parity_label_->setText(QTr(tx::link::LblParity));
  stop_label_->setText(QTr(tx::link::LblStopBits));
  handshake_label_->setText(QTr(tx::link::LblHandshake));
  FillComboList(parity_, tx::link::ParityItems);
  FillComboList(stop_bits_, tx::link::StopBitItems);
  FillComboList(handshake_, tx::link::HandshakeItems);
  ok_->setText(QTr(tx::link::BtnOk));
  cancel_->setText(QTr(tx::link::BtnCancel));
}

TPortConfig TDlgPortSettings::Config() const {
  TPortConfig c = config_;
  bool ok = false;
  uint32_t baud = baud_->currentText().toUInt(&ok);
  if (ok && baud >= 50 && baud <= 4000000) c.baud = baud;
  c.data_bits = static_cast<uint8_t>(data_bits_->currentIndex() + 5);
  c.parity = static_cast<uint8_t>(std::max(0, parity_->currentIndex()));
  c.parity_check = c.parity != 0;
  c.stop_bits = static_cast<uint8_t>(std::max(0, stop_bits_->currentIndex()));
  switch (handshake_->currentIndex()) {
    case kHardware:
      c.cts_flow = true;
      c.rts_control = kRtsHandshake;
      c.xon_xoff_in = c.xon_xoff_out = false;
      break;
    case kXonXoff:
      c.cts_flow = false;
      c.xon_xoff_in = c.xon_xoff_out = true;
      if (c.rts_control == kRtsHandshake) c.rts_control = kRtsOn;
      break;
    default:
      c.cts_flow = false;
      c.xon_xoff_in = c.xon_xoff_out = false;
      if (c.rts_control == kRtsHandshake) c.rts_control = kRtsOn;
      break;
  }
  return c;
}

}  // namespace trivex
