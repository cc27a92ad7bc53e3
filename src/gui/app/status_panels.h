#pragma once
// The main window's five status panels: 0 activity or page name, 1 link description,
// 2 progress (drawn), 3 command or detail text, 4 date and time.
#include <QColor>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>
#include <cstdint>

namespace trivex {

class TProgressPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TProgressPanel(QWidget* parent = nullptr);
  void SetProgress(uint32_t position, uint32_t maximum);
  uint32_t position() const { return position_; }
  uint32_t maximum() const { return maximum_; }
  // The text drawn while a maximum is set ("%d/%d"), empty otherwise.
  QString text() const;
  QSize sizeHint() const override { return {160, 18}; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  uint32_t position_ = 0, maximum_ = 0;
};

class TStatusPanels : public QObject {
  Q_OBJECT
 public:
  explicit TStatusPanels(QStatusBar* bar);
  void SetText(int panel, const QString& text);
  QString Text(int panel) const;
  // Panel 1: red while a modem connection is up, normal while the link is active, grey
  // while it is inactive.
  enum class LinkState { Inactive, Active, Modem };
  void SetLink(const QString& description, LinkState state);
  LinkState linkState() const { return link_state_; }
  TProgressPanel* progress() const { return progress_; }
  QStatusBar* bar() const { return bar_; }
  int PanelCount() const { return clock_ ? 5 : 4; }
  // Adds the clock panel when missing and shows the current date and time.
  void UpdateClock();

 private:
  QStatusBar* bar_;
  QLabel* panels_[5] = {};
  TProgressPanel* progress_;
  QLabel* clock_ = nullptr;
  LinkState link_state_ = LinkState::Inactive;
};

}  // namespace trivex
