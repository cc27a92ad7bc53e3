#pragma once
// TDlgLogFind: the find dialog of the logbook view (search text, match case, whole word,
// direction). It stays open beside the view; "Find Next" asks the view to search.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace trivex {

class TDlgLogFind : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgLogFind(QWidget* parent);

  QString Text() const;
  void SetText(const QString& text);
  bool MatchCase() const;
  bool WholeWord() const;
  bool Down() const;
  void SetOptions(bool match_case, bool whole_word, bool down);
  void UpdateLanguageStrings();

  QLineEdit* TextEdit() const { return edit_; }
  QPushButton* FindButton() const { return find_; }

 signals:
  void findNext();

 private:
  QLabel* label_;
  QLineEdit* edit_;
  QCheckBox* match_case_;
  QCheckBox* whole_word_;
  QGroupBox* direction_;
  QRadioButton* up_;
  QRadioButton* down_;
  QPushButton* find_;
  QPushButton* cancel_;
};

}  // namespace trivex
