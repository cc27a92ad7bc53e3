#pragma once
// TLogTextView: a read-only plain-text view over TLogTextLines. It paints only the lines in
// sight, so its cost does not grow with the length of the text; it has a caret and a
// selection (keyboard and mouse), copies to the clipboard and scrolls both ways.
#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <cstdint>

namespace trivex {

class TLogTextLines;

class TLogTextView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  struct Pos {
    int64_t line = 0;
    int col = 0;  // in UTF-16 units of the line
    bool operator==(const Pos& o) const { return line == o.line && col == o.col; }
    bool operator<(const Pos& o) const { return line < o.line || (line == o.line && col < o.col); }
  };

  explicit TLogTextView(QWidget* parent = nullptr);

  // The lines shown (null: none). Call LinesChanged() when their count has grown.
  void SetLines(TLogTextLines* lines);
  void LinesChanged();
  TLogTextLines* Lines() const { return lines_; }
  int64_t LineCount() const;
  QString LineText(int64_t line) const;

  Pos Caret() const { return caret_; }
  Pos Anchor() const { return anchor_; }
  bool HasSelection() const { return !(caret_ == anchor_); }
  // Moves the caret; with `keep_anchor` the selection grows or shrinks.
  void SetCaret(Pos p, bool keep_anchor = false);
  void Select(Pos from, Pos to);
  void SelectAll();
  QString SelectedText() const;
  // Byte offset of a position in the whole text (lines with CR LF, UTF-8).
  int64_t Offset(Pos p) const;
  void Copy() const;

  int64_t FirstVisibleLine() const;
  void ScrollToLine(int64_t line);
  int VisibleLines() const;
  void EnsureCaretVisible();

 signals:
  // The caret or the selection moved, or the text changed.
  void caretChanged();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void UpdateScrollBars();
  Pos PosAt(const QPoint& point) const;
  Pos Clamp(Pos p) const;
  int LineHeight() const;

  TLogTextLines* lines_ = nullptr;
  Pos caret_, anchor_;
  int max_width_ = 0;  // widest line painted so far
  bool dragging_ = false;
};

}  // namespace trivex
