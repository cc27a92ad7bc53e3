#pragma once
// TManagerForm: the page manager under the main window. One page view exists at a time;
// a view's menus are merged into the main menu by group index; menus can be disabled in
// nested levels while the program is busy.
#include <QList>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <vector>

#include "app/view_form.h"

namespace trivex {

class TStatusPanels;

class TManagerForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TManagerForm(QWidget* parent = nullptr);
  ~TManagerForm() override;

  QTabWidget* PgcMain;
  QStatusBar* StatusBar;
  QMenuBar* MainMenu;
  QTimer* tmrUpdtTime;

  // Ignored unless 0 <= index < page count; changes the page when leaving is allowed.
  void SelectPage(int index);
  int CurrentPage() const { return current_page_; }
  TViewForm* CurrentView() const { return view_; }
  QWidget* TabSheet(int index) const;

  void MergeMenu(const QList<QMenu*>& menu);
  void DisableMenus();
  void RestoreMenus(bool all);
  int MenuDisableCount() const { return menu_disable_count_; }
  void RefreshView();
  void CommitView();

  // Adds a top-level item of the main window with its group index (0 File/COM, 97 Stop and
  // Options, 98 "?"); view menus come between.
  void AddMainMenu(QMenu* menu, int group_index);
  TStatusPanels* Panels() const { return panels_; }

 protected:
  virtual TViewForm* CreateView(int page_index);
  // The leaving protocol; false keeps the page. `ask` false: leave without asking.
  virtual bool LeaveView(bool ask);
  // The entering protocol, after the page control changed.
  virtual void EnterPage(int index);
  // Called when leaving is refused, so that the page that stays re-applies its rules.
  virtual void PageChangeRefused(int) {}
  // Shows an error raised while committing the controls or asking CanLeaveView.
  virtual void ShowLeaveError(const QString& message);

 private:
  void OnCurrentChanged(int index);

  QList<QMenu*> merged_;
  TViewForm* view_ = nullptr;
  int menu_disable_count_ = 0;
  std::vector<std::pair<QAction*, bool>> saved_enabled_;
  int current_page_ = -1;
  bool switching_ = false;
  TStatusPanels* panels_ = nullptr;
};

}  // namespace trivex
