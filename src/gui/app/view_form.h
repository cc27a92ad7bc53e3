#pragma once
// TViewForm: the base of every page view. A view exists only while its page is in front;
// the main window creates it when the page is entered and destroys it when it is left.
#include <QList>
#include <QMenu>
#include <QWidget>
#include <functional>

namespace trivex {

class TStatusPanels;

class TViewForm : public QWidget {
  Q_OBJECT
 public:
  // An embedded view fills its parent (the tab sheet).
  explicit TViewForm(QWidget* parent_control);
  ~TViewForm() override;

  bool embedded() const { return embedded_; }
  // The manager answers "my menu changed" by merging the view's menu again.
  void SetOwnerCallback(std::function<void()> cb) { owner_callback_ = std::move(cb); }

  // The top-level menus that are merged into the main menu while the view is current.
  // Each menu carries its group index in the property "groupIndex" (views use 1..96).
  virtual QList<QMenu*> GetViewMenu() { return {}; }
  virtual TStatusPanels* GetStatusBar() { return status_; }
  virtual void SetStatusBar(TStatusPanels* status) { status_ = status; }
  virtual void ActivateView() {}
  virtual void DeactivateView() {}
  virtual void DataToControls() {}
  // Takes the controls' values into the data; throws std::exception on invalid input.
  virtual void ControlsToData() {}
  virtual bool CanLeaveView() { return true; }
  virtual void UpdateLanguageStrings() {}

 protected:
  void MenuChanged() {
    if (owner_callback_) owner_callback_();
  }

 private:
  bool embedded_ = true;
  std::function<void()> owner_callback_;
  TStatusPanels* status_ = nullptr;
};

}  // namespace trivex
