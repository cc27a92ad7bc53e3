#include "app/manager_form.h"

#include <QMessageBox>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <exception>

#include "app/status_panels.h"

namespace trivex {

namespace {
int GroupOf(QAction* a) { return a->property("groupIndex").toInt(); }
}  // namespace

TManagerForm::TManagerForm(QWidget* parent) : QMainWindow(parent) {
  PgcMain = new QTabWidget(this);
  PgcMain->setObjectName(QStringLiteral("PgcMain"));
  setCentralWidget(PgcMain);
  StatusBar = statusBar();
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  MainMenu = menuBar();
  MainMenu->setObjectName(QStringLiteral("MainMenu"));
  tmrUpdtTime = new QTimer(this);
  tmrUpdtTime->setObjectName(QStringLiteral("tmrUpdtTime"));
  tmrUpdtTime->setInterval(1000);
  panels_ = new TStatusPanels(StatusBar);
  connect(PgcMain, &QTabWidget::currentChanged, this, &TManagerForm::OnCurrentChanged);
}

TManagerForm::~TManagerForm() = default;

QWidget* TManagerForm::TabSheet(int index) const { return PgcMain->widget(index); }

TViewForm* TManagerForm::CreateView(int) { return nullptr; }

void TManagerForm::ShowLeaveError(const QString& message) {
  QMessageBox::critical(this, windowTitle(), message);
}

void TManagerForm::AddMainMenu(QMenu* menu, int group_index) {
  menu->menuAction()->setProperty("groupIndex", group_index);
  menu->menuAction()->setProperty("tag", 0);
  MainMenu->addMenu(menu);
}

void TManagerForm::MergeMenu(const QList<QMenu*>& menu) {
  // Undo the previous merge: the items with a non-zero tag came from the previous view.
  for (QMenu* m : merged_) {
    QAction* a = m->menuAction();
    MainMenu->removeAction(a);
    for (auto it = saved_enabled_.begin(); it != saved_enabled_.end(); ++it) {
      if (it->first == a) {
        a->setEnabled(it->second);
        saved_enabled_.erase(it);
        break;
      }
    }
  }
  merged_.clear();
  for (QMenu* m : menu) {
    QAction* a = m->menuAction();
    if (a->property("tag").toInt() == 0) a->setProperty("tag", 1);
    QAction* before = nullptr;
    for (QAction* existing : MainMenu->actions()) {
      if (GroupOf(existing) > GroupOf(a)) {
        before = existing;
        break;
      }
    }
    MainMenu->insertAction(before, a);
    if (menu_disable_count_ > 0) {
      saved_enabled_.emplace_back(a, a->isEnabled());
      a->setEnabled(false);
    }
    merged_.push_back(m);
  }
}

void TManagerForm::DisableMenus() {
  if (menu_disable_count_++ > 0) return;
  saved_enabled_.clear();
  for (QAction* a : MainMenu->actions()) {
    saved_enabled_.emplace_back(a, a->isEnabled());
    a->setEnabled(false);
  }
}

void TManagerForm::RestoreMenus(bool all) {
  if (menu_disable_count_ == 0) return;
  menu_disable_count_ = all ? 0 : menu_disable_count_ - 1;
  if (menu_disable_count_ > 0) return;
  for (auto& [a, enabled] : saved_enabled_)
    if (MainMenu->actions().contains(a)) a->setEnabled(enabled);
  saved_enabled_.clear();
}

void TManagerForm::RefreshView() {
  if (view_) view_->DataToControls();
}

void TManagerForm::CommitView() {
  if (view_) view_->ControlsToData();
}

void TManagerForm::SelectPage(int index) {
  if (index < 0 || index >= PgcMain->count()) return;
  if (index == current_page_ && view_) return;
  if (index == PgcMain->currentIndex()) {
    // The page control already shows it (first selection): run the entering protocol.
    if (current_page_ != index) {
      if (current_page_ >= 0 && !LeaveView(true)) return;
      EnterPage(index);
    }
    return;
  }
  PgcMain->setCurrentIndex(index);
}

bool TManagerForm::LeaveView(bool ask) {
  if (!view_) return true;
  if (ask) {
    PgcMain->setEnabled(false);
    bool may = false;
    try {
      view_->ControlsToData();
      may = view_->CanLeaveView();
    } catch (const std::exception& e) {
      PgcMain->setEnabled(true);
      ShowLeaveError(QString::fromUtf8(e.what()));
      return false;
    }
    if (!may) {
      PgcMain->setEnabled(true);
      return false;
    }
  }
  try {
    view_->DeactivateView();
  } catch (...) {
  }
  MergeMenu({});
  TViewForm* v = view_;
  view_ = nullptr;
  delete v;  // errors while destroying a view are of no interest
  return true;
}

void TManagerForm::EnterPage(int index) {
  current_page_ = index;
  view_ = CreateView(index);
  if (view_) {
    view_->SetOwnerCallback([this] {
      if (view_) MergeMenu(view_->GetViewMenu());
    });
    view_->SetStatusBar(panels_);
    QList<QMenu*> m = view_->GetViewMenu();
    if (!m.isEmpty()) MergeMenu(m);
    view_->ActivateView();
    view_->UpdateLanguageStrings();
    view_->DataToControls();
    view_->show();
  }
  PgcMain->setEnabled(true);
}

void TManagerForm::OnCurrentChanged(int index) {
  if (switching_) return;
  if (index == current_page_) return;
  if (!LeaveView(true)) {
    // Leaving was refused: the old page stays in front.
    QSignalBlocker block(PgcMain);
    PgcMain->setCurrentIndex(current_page_);
    PageChangeRefused(current_page_);
    return;
  }
  switching_ = true;
  EnterPage(index);
  switching_ = false;
}

}  // namespace trivex
