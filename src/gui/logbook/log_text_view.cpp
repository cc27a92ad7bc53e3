#include "logbook/log_text_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "logbook/log_text_lines.h"

namespace trivex {

TLogTextView::TLogTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
}

void TLogTextView::SetLines(TLogTextLines* lines) {
  lines_ = lines;
  caret_ = anchor_ = Pos{};
  max_width_ = 0;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  UpdateScrollBars();
  viewport()->update();
  emit caretChanged();
}

void TLogTextView::LinesChanged() {
  UpdateScrollBars();
  viewport()->update();
}

int64_t TLogTextView::LineCount() const { return lines_ ? lines_->LineCount() : 0; }

QString TLogTextView::LineText(int64_t line) const {
  if (!lines_) return {};
  const std::string_view text = lines_->Line(line);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int TLogTextView::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int TLogTextView::VisibleLines() const { return std::max(1, viewport()->height() / LineHeight()); }

int64_t TLogTextView::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void TLogTextView::ScrollToLine(int64_t line) {
  if (lines_) lines_->HasLine(line + VisibleLines());  // counts as far as the scroll range needs
  UpdateScrollBars();
  verticalScrollBar()->setValue(static_cast<int>(std::clamp<int64_t>(line, 0, verticalScrollBar()->maximum())));
}

void TLogTextView::UpdateScrollBars() {
  const int64_t lines = LineCount();
  const int64_t max = std::max<int64_t>(0, lines - VisibleLines());
  verticalScrollBar()->setRange(0, static_cast<int>(std::min<int64_t>(max, INT_MAX)));
  verticalScrollBar()->setPageStep(VisibleLines());
  verticalScrollBar()->setSingleStep(1);
  const int margin = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2;
  horizontalScrollBar()->setRange(0, std::max(0, max_width_ + margin - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('M')));
}

void TLogTextView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void TLogTextView::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    viewport()->setFont(font());
    max_width_ = 0;
    UpdateScrollBars();
    viewport()->update();
  }
}

void TLogTextView::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  if (!lines_) return;
  const QFontMetrics fm = fontMetrics();
  const int h = LineHeight();
  const int x0 = -horizontalScrollBar()->value();
  const int64_t first = FirstVisibleLine();
  const Pos sel_from = std::min(caret_, anchor_), sel_to = std::max(caret_, anchor_);
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlighted_text = palette().color(QPalette::HighlightedText);
  const QColor text_color = palette().color(QPalette::Text);
  bool widened = false;
  for (int row = 0; row <= VisibleLines(); ++row) {
    const int64_t line = first + row;
    if (!lines_->HasLine(line)) break;
    const QString text = LineText(line);
    const int y = row * h;
    const int width = fm.horizontalAdvance(text);
    if (width > max_width_) {
      max_width_ = width;
      widened = true;
    }
    p.setPen(text_color);
    p.drawText(x0, y + fm.ascent(), text);
    if (HasSelection() && line >= sel_from.line && line <= sel_to.line) {
      const int c0 = line == sel_from.line ? std::min<int>(sel_from.col, static_cast<int>(text.size())) : 0;
      const int c1 = line == sel_to.line ? std::min<int>(sel_to.col, static_cast<int>(text.size()))
                                         : static_cast<int>(text.size());
      const int sx = x0 + fm.horizontalAdvance(text.left(c0));
      int sw = fm.horizontalAdvance(text.mid(c0, c1 - c0));
      if (line != sel_to.line) sw += fm.horizontalAdvance(QLatin1Char(' '));  // the line end
      p.fillRect(QRect(sx, y, sw, h), highlight);
      p.setPen(highlighted_text);
      p.drawText(sx, y + fm.ascent(), text.mid(c0, c1 - c0));
    }
    if (line == caret_.line && hasFocus()) {
      const int cx = x0 + fm.horizontalAdvance(text.left(caret_.col));
      p.setPen(text_color);
      p.drawLine(cx, y, cx, y + h - 1);
    }
  }
  if (widened) UpdateScrollBars();
}

TLogTextView::Pos TLogTextView::Clamp(Pos p) const {
  if (!lines_ || LineCount() == 0) return {};
  if (p.line < 0) return {};
  if (!lines_->HasLine(p.line)) {
    // Past the end: the end of the last line.
    int64_t last = std::max<int64_t>(0, lines_->LineCount() - 1);
    while (last > 0 && !lines_->HasLine(last)) --last;
    return {last, static_cast<int>(LineText(last).size())};
  }
  p.col = std::clamp(p.col, 0, static_cast<int>(LineText(p.line).size()));
  return p;
}

void TLogTextView::SetCaret(Pos p, bool keep_anchor) {
  caret_ = Clamp(p);
  if (!keep_anchor) anchor_ = caret_;
  EnsureCaretVisible();
  viewport()->update();
  emit caretChanged();
}

void TLogTextView::Select(Pos from, Pos to) {
  anchor_ = Clamp(from);
  caret_ = Clamp(to);
  EnsureCaretVisible();
  viewport()->update();
  emit caretChanged();
}

void TLogTextView::SelectAll() {
  if (!lines_) return;
  lines_->CountAll();
  UpdateScrollBars();
  anchor_ = {};
  caret_ = Clamp({lines_->LineCount(), 0});
  viewport()->update();
  emit caretChanged();
}

QString TLogTextView::SelectedText() const {
  if (!HasSelection()) return {};
  const Pos a = std::min(caret_, anchor_), b = std::max(caret_, anchor_);
  QString out;
  for (int64_t line = a.line; line <= b.line; ++line) {
    const QString text = LineText(line);
    const int c0 = line == a.line ? a.col : 0;
    const int c1 = line == b.line ? b.col : static_cast<int>(text.size());
    out += text.mid(c0, c1 - c0);
    if (line != b.line) out += QStringLiteral("\r\n");
  }
  return out;
}

int64_t TLogTextView::Offset(Pos p) const {
  if (!lines_) return 0;
  return lines_->LineOffset(p.line) + LineText(p.line).left(p.col).toUtf8().size();
}

void TLogTextView::Copy() const {
  if (HasSelection()) QApplication::clipboard()->setText(SelectedText());
}

void TLogTextView::EnsureCaretVisible() {
  const int64_t first = FirstVisibleLine();
  const int visible = VisibleLines();
  if (lines_) lines_->HasLine(caret_.line + visible);
  UpdateScrollBars();
  if (caret_.line < first) verticalScrollBar()->setValue(static_cast<int>(caret_.line));
  else if (caret_.line >= first + visible)
    verticalScrollBar()->setValue(static_cast<int>(std::min<int64_t>(caret_.line - visible + 1, INT_MAX)));
  const QFontMetrics fm = fontMetrics();
  const int cx = fm.horizontalAdvance(LineText(caret_.line).left(caret_.col));
  const int left = horizontalScrollBar()->value(), width = viewport()->width();
  if (cx > max_width_) {
    max_width_ = cx;
    UpdateScrollBars();
  }
  if (cx < left) horizontalScrollBar()->setValue(std::max(0, cx - width / 4));
  else if (cx >= left + width - 2) horizontalScrollBar()->setValue(cx - width * 3 / 4);
}

TLogTextView::Pos TLogTextView::PosAt(const QPoint& point) const {
  const int64_t line = FirstVisibleLine() + std::max(0, point.y()) / LineHeight();
  const QString text = LineText(line);
  const int x = point.x() + horizontalScrollBar()->value();
  const QFontMetrics fm = fontMetrics();
  int col = 0;
  while (col < text.size() && fm.horizontalAdvance(text.left(col + 1)) - fm.horizontalAdvance(text.at(col)) / 2 <= x)
    ++col;
  return {line, col};
}

void TLogTextView::keyPressEvent(QKeyEvent* e) {
  if (e == QKeySequence::Copy) {
    Copy();
    return;
  }
  if (e == QKeySequence::SelectAll) {
    SelectAll();
    return;
  }
  const bool shift = e->modifiers() & Qt::ShiftModifier;
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  Pos p = caret_;
  const int page = VisibleLines();
  switch (e->key()) {
    case Qt::Key_Left:
      if (p.col > 0) --p.col;
      else if (p.line > 0) p = {p.line - 1, static_cast<int>(LineText(p.line - 1).size())};
      break;
    case Qt::Key_Right:
      if (p.col < LineText(p.line).size()) ++p.col;
      else if (lines_ && lines_->HasLine(p.line + 1)) p = {p.line + 1, 0};
      break;
    case Qt::Key_Up: --p.line; if (p.line < 0) p = {}; break;
    case Qt::Key_Down: if (lines_ && lines_->HasLine(p.line + 1)) ++p.line; break;
    case Qt::Key_PageUp:
      p.line = std::max<int64_t>(0, p.line - page);
      verticalScrollBar()->setValue(static_cast<int>(std::max<int64_t>(0, FirstVisibleLine() - page)));
      break;
    case Qt::Key_PageDown:
      p.line += page;
      verticalScrollBar()->setValue(static_cast<int>(std::min<int64_t>(FirstVisibleLine() + page, INT_MAX)));
      break;
    case Qt::Key_Home: p = ctrl ? Pos{} : Pos{p.line, 0}; break;
    case Qt::Key_End:
      if (ctrl) {
        if (lines_) lines_->CountAll();
        p = {LineCount(), 0};  // clamped to the end of the last line
      } else {
        p.col = static_cast<int>(LineText(p.line).size());
      }
      break;
    default:
      QAbstractScrollArea::keyPressEvent(e);
      return;
  }
  SetCaret(p, shift);
}

void TLogTextView::keyReleaseEvent(QKeyEvent* e) {
  QAbstractScrollArea::keyReleaseEvent(e);
  emit caretChanged();
}

void TLogTextView::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    dragging_ = true;
    SetCaret(PosAt(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
  } else if (e->button() == Qt::RightButton && !HasSelection()) {
    SetCaret(PosAt(e->position().toPoint()));
  }
  QAbstractScrollArea::mousePressEvent(e);
}

void TLogTextView::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_ && (e->buttons() & Qt::LeftButton)) SetCaret(PosAt(e->position().toPoint()), true);
}

void TLogTextView::mouseDoubleClickEvent(QMouseEvent* e) {
  // A word: letters, digits and the characters that join them in event texts.
  const Pos at = PosAt(e->position().toPoint());
  const QString text = LineText(at.line);
  auto word = [&](int i) { return i >= 0 && i < text.size() && (text[i].isLetterOrNumber() || text[i] == '_'); };
  int a = at.col, b = at.col;
  while (word(a - 1)) --a;
  while (word(b)) ++b;
  Select({at.line, a}, {at.line, b});
}

void TLogTextView::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  viewport()->update();
}

void TLogTextView::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  dragging_ = false;
  viewport()->update();
}

}  // namespace trivex
