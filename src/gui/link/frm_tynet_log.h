#pragma once
// The exchange log window ("Tynet Logfile"): shows the combined link's log of framed
// exchanges, switches recording on and off, and saves the shown text to a file.
#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include "link/kombi_communicator.h"

namespace trivex {

class TFrmTynetLog : public QDialog {
  Q_OBJECT
 public:
  TFrmTynetLog(TKombiCommunicator& link, QWidget* parent = nullptr);
  void UpdateLanguageStrings();
  // "Refresh": the text box shows the log.
  void Refresh();
  // Writes the text box to `path` (CR LF lines); false when the file could not be written.
  bool SaveTo(const QString& path);

  QCheckBox* Recording() const { return recording_; }
  QPlainTextEdit* Text() const { return text_; }
  QPushButton* RefreshButton() const { return refresh_; }
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* SaveButton() const { return save_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;

 private:
  void Save();

  TKombiCommunicator& link_;
  QPlainTextEdit* text_;
  QCheckBox* recording_;
  QPushButton *refresh_, *clear_, *save_, *close_;
};

}  // namespace trivex
