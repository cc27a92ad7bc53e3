#include "app/status_panels.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPalette>

#include "app/qt_text.h"
#include "app/startup.h"
#include "lang/system_formats.h"

namespace trivex {

TProgressPanel::TProgressPanel(QWidget* parent) : QWidget(parent) { setMinimumWidth(120); }

void TProgressPanel::SetProgress(uint32_t position, uint32_t maximum) {
  if (position == position_ && maximum == maximum_) return;
  position_ = position;
  maximum_ = maximum;
  update();
}

QString TProgressPanel::text() const {
  return Q(ComputeProgress(position_, maximum_, width()).text);
}

void TProgressPanel::paintEvent(QPaintEvent*) {
  if (maximum_ == 0) return;
  QPainter p(this);
  QRect r = rect().adjusted(1, 1, -1, -1);
  ProgressDisplay d = ComputeProgress(position_, maximum_, r.width());
  const QString t = Q(d.text);
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(r, Qt::AlignCenter, t);
  QRect filled(r.left(), r.top(), d.filled, r.height());
  p.fillRect(filled, palette().color(QPalette::Highlight));
  p.setClipRect(filled);
  p.setPen(palette().color(QPalette::HighlightedText));
  p.drawText(r, Qt::AlignCenter, t);
}

TStatusPanels::TStatusPanels(QStatusBar* bar) : QObject(bar), bar_(bar) {
  for (int i = 0; i < 4; ++i) {
    if (i == 2) continue;
    panels_[i] = new QLabel(bar);
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
  }
  progress_ = new TProgressPanel(bar);
  progress_->setObjectName(QStringLiteral("StatusPanel2"));
  panels_[0]->setMinimumWidth(100);
  panels_[1]->setMinimumWidth(140);
  bar->addWidget(panels_[0]);
  bar->addWidget(panels_[1], 1);
  bar->addWidget(progress_);
  bar->addWidget(panels_[3]);
}

void TStatusPanels::SetText(int panel, const QString& text) {
  if (panel >= 0 && panel < 5 && panels_[panel]) panels_[panel]->setText(text);
}

QString TStatusPanels::Text(int panel) const {
  if (panel == 2) return progress_->text();
  if (panel >= 0 && panel < 5 && panels_[panel]) return panels_[panel]->text();
  return {};
}

void TStatusPanels::SetLink(const QString& description, LinkState state) {
  link_state_ = state;
  QLabel* l = panels_[1];
  l->setText(description);
  QPalette pal = bar_->palette();
  QColor c = pal.color(QPalette::WindowText);
  if (state == LinkState::Modem) c = Qt::red;
  else if (state == LinkState::Inactive) c = pal.color(QPalette::Disabled, QPalette::WindowText);
  if (state == LinkState::Inactive && c == pal.color(QPalette::WindowText)) c = Qt::gray;
  pal.setColor(QPalette::WindowText, c);
  l->setPalette(pal);
}

void TStatusPanels::UpdateClock() {
  if (!clock_) {
    clock_ = new QLabel(bar_);
    clock_->setObjectName(QStringLiteral("StatusPanel4"));
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clock_->setFixedWidth(170);
    bar_->addPermanentWidget(clock_);
    panels_[4] = clock_;
  }
  panels_[3]->setFixedWidth(150);
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  // Local civil time as the core counts it.
  int64_t ms = QDateTime(d, t, Qt::UTC).toMSecsSinceEpoch();
  const std::string& sd = CurrentFormats().short_date;
  char date_sep = '/';
  for (char ch : sd)
    if (!std::isalpha(static_cast<unsigned char>(ch))) {
      date_sep = ch;
      break;
    }
  clock_->setText(Q(ClockText(ms, date_sep, CurrentFormats().time_separator)));
}

}  // namespace trivex
