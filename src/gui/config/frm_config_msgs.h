#pragma once
// The result window of transfers and checks: the difference table and the configuration ids.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "config/config_msgs.h"

namespace trivex {

class TFrmConfigMsgs : public QDialog {
  Q_OBJECT
 public:
  TFrmConfigMsgs(QWidget* parent, const TConfigMsgs& msgs);
  // Shows the window modally: TConfigMsgs::kOk (OK / Accept) or kDiscard.
  int Show();
  void CopyToClipboard();
  QTableWidget* Differences() const { return diff_; }
  QTableWidget* Ids() const { return ids_; }
  QPushButton* Discard() const { return discard_; }
  QPushButton* Accept() const { return ok_; }

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Fill();
  void Layout();
  const TConfigMsgs& msgs_;
  QLabel* label_;
  QTableWidget* diff_;
  QLabel* ids_caption_;
  QTableWidget* ids_;
  QPushButton *clip_, *ok_, *discard_;
};

}  // namespace trivex
