// The main window: pages and views, language switching, busy nesting, progress, placement.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <stdexcept>

#include "app/frm_trivor.h"
#include "app/memory_settings_store.h"
#include "app/status_panels.h"
#include "app/x_registry.h"
#include "lang/lang.h"

using namespace trivex;

namespace {

// A view that counts its life and can refuse to be left.
struct Probe {
  int created = 0, destroyed = 0;
  bool refuse = false;
  bool throw_on_commit = false;
};

class ProbeView : public TViewForm {
 public:
  ProbeView(QWidget* parent, Probe& p) : TViewForm(parent), probe_(p) {
    ++probe_.created;
    label = new QLabel(this);
    menu = new QMenu(this);
    menu->menuAction()->setProperty("groupIndex", 50);
  }
  ~ProbeView() override { ++probe_.destroyed; }
  QList<QMenu*> GetViewMenu() override { return {menu}; }
  void ControlsToData() override {
    if (probe_.throw_on_commit) throw std::runtime_error("invalid number");
  }
  bool CanLeaveView() override { return !probe_.refuse; }
  void UpdateLanguageStrings() override {
    label->setText(lang::Tr({"Messwerte", "Values", "Valori"}));
    menu->setTitle(lang::Tr({"&Terminal-Menü", "&Terminal menu", "Menu &terminale"}));
  }
  QLabel* label;
  QMenu* menu;

 private:
  Probe& probe_;
};

struct Window {
  MemorySettingsStore store;
  std::unique_ptr<TFrmTrivor> w;
  explicit Window(CommandLine cmd = {}) {
    XRegistry(store, kKeyTrivor).WriteString("Argv0InitialDir", "0");
    w = std::make_unique<TFrmTrivor>(store, cmd);
    QApplication::processEvents();  // the start page is selected once the loop runs
  }
};

QStringList TopMenuTitles(QMenuBar* bar) {
  QStringList out;
  for (QAction* a : bar->actions())
    if (a->isVisible()) out << a->text();
  return out;
}

}  // namespace

TEST(MainWindow, EveryPageCreatesItsViewAndDestroysItWhenLeft) {
  Window win;
  Probe probe;
  win.w->SetViewFactory(kPageTerminal, [&](QWidget* sheet) { return new ProbeView(sheet, probe); });
  ASSERT_EQ(win.w->CurrentPage(), kPageZyrD);
  ASSERT_NE(win.w->CurrentView(), nullptr);
  for (int p = 0; p < kPageCount; ++p) {
    win.w->SelectPage(p);
    EXPECT_EQ(win.w->CurrentPage(), p);
    ASSERT_NE(win.w->CurrentView(), nullptr);
    EXPECT_EQ(win.w->CurrentView()->parentWidget(), win.w->TabSheet(p));
    EXPECT_EQ(win.w->AcnNew->isEnabled(), p == kPageZyrD || p == kPageZyrDm) << p;
    EXPECT_EQ(win.w->AcnRead->isEnabled(), p <= kPageRegler) << p;
  }
  EXPECT_EQ(probe.created, 1);
  EXPECT_EQ(probe.destroyed, 1);
  win.w->SelectPage(99);  // ignored
  EXPECT_EQ(win.w->CurrentPage(), kPageOnline);
}

TEST(MainWindow, ARefusedPageChangeKeepsThePageAndItsRules) {
  Window win;
  Probe probe;
  win.w->SetViewFactory(kPageZyrD, [&](QWidget* sheet) { return new ProbeView(sheet, probe); });
  win.w->SelectPage(kPageTerminal);
  win.w->SelectPage(kPageZyrD);
  probe.refuse = true;
  win.w->SelectPage(kPagePanel);
  EXPECT_EQ(win.w->CurrentPage(), kPageZyrD);
  EXPECT_EQ(win.w->PgcMain->currentIndex(), kPageZyrD);
  EXPECT_TRUE(win.w->PgcMain->isEnabled());
  EXPECT_TRUE(win.w->AcnRead->isEnabled());  // the page that stays keeps its actions
  EXPECT_EQ(probe.created, 1);
  EXPECT_EQ(probe.destroyed, 0);
}

TEST(MainWindow, LanguageSwitchRetextsMenusActionsAndTheOpenView) {
  Window win;
  Probe probe;
  win.w->SetViewFactory(kPageTerminal, [&](QWidget* sheet) { return new ProbeView(sheet, probe); });
  win.w->SetLanguage(lang::English);
  win.w->SelectPage(kPageTerminal);
  auto* view = static_cast<ProbeView*>(win.w->CurrentView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->label->text(), "Values");
  QStringList en = TopMenuTitles(win.w->MainMenu);
  EXPECT_TRUE(en.contains("&Terminal menu"));
  // The view's menu stands between COM and the Options menu.
  EXPECT_LT(en.indexOf("COM"), en.indexOf("&Terminal menu"));
  EXPECT_LT(en.indexOf("&Terminal menu"), en.indexOf("&Options"));

  win.w->LanguageItem(lang::Italian)->trigger();
  EXPECT_EQ(lang::CurrentLanguage(), lang::Italian);
  EXPECT_EQ(win.w->CurrentPage(), kPageTerminal);
  EXPECT_EQ(win.w->CurrentView(), view);  // not rebuilt: the page was not left
  EXPECT_EQ(view->label->text(), "Valori");
  QStringList it = TopMenuTitles(win.w->MainMenu);
  EXPECT_TRUE(it.contains("Menu &terminale"));
  EXPECT_TRUE(it.contains("&Opzioni"));
  EXPECT_EQ(win.w->AcnSaveAs->text(), "Salva &con nome...");
  EXPECT_EQ(win.w->PgcMain->tabText(kPageLogbuch), "Registro eventi");
  EXPECT_EQ(win.w->MnuLanguage->title(), "Lingua");

  win.w->LanguageItem(lang::English)->trigger();
  EXPECT_EQ(view->label->text(), "Values");
  EXPECT_EQ(win.w->PgcMain->tabText(kPageLogbuch), "Logfile");
  EXPECT_EQ(win.w->MnuLanguage->title(), "Language");
  EXPECT_EQ(win.w->LanguageItem(lang::German)->objectName(), "MnuLangGerman");
  EXPECT_EQ(probe.created, 1);
}

TEST(MainWindow, NestedBusyMessagesNeedTwoIdlesAndRestoreEverything) {
  Window win;
  QToolButton* send = win.w->ToolButton(1);
  win.w->SelectPage(kPageZyrD);
  ASSERT_TRUE(send->isEnabled());
  win.w->BusyMessage(1);
  win.w->BusyMessage(2);
  EXPECT_FALSE(send->isEnabled());
  EXPECT_FALSE(win.w->PgcMain->isEnabled());
  EXPECT_TRUE(win.w->MnuStopItem->isVisible());
  EXPECT_EQ(win.w->MnuStopItem->shortcut(), QKeySequence(Qt::Key_Escape));
  EXPECT_FALSE(win.w->MnuFile->menuAction()->isEnabled());

  win.w->BusyMessage(0);
  EXPECT_FALSE(win.w->MnuFile->menuAction()->isEnabled());
  EXPECT_FALSE(send->isEnabled());
  EXPECT_FALSE(win.w->MnuStopItem->isVisible());
  win.w->BusyMessage(0);
  EXPECT_TRUE(win.w->MnuFile->menuAction()->isEnabled());
  EXPECT_TRUE(send->isEnabled());
  EXPECT_TRUE(win.w->PgcMain->isEnabled());
  win.w->BusyMessage(0);  // an extra idle changes nothing
  EXPECT_TRUE(send->isEnabled());

  SetUserAbort(false);
  win.w->BusyMessage(2);
  win.w->MnuStopItem->trigger();
  EXPECT_TRUE(UserAbort());
  win.w->BusyMessage(0);
  SetUserAbort(false);
}

TEST(MainWindow, ProgressPanelShowsLargeNumbersDividedBy1024) {
  Window win;
  win.w->SetProgress(10000000, 20000000);
  EXPECT_EQ(win.w->Panels()->Text(2), "9765/19531");
  win.w->SetProgress(0, 0);
  EXPECT_EQ(win.w->Panels()->Text(2), "");
  win.w->Panels()->UpdateClock();
  EXPECT_EQ(win.w->Panels()->PanelCount(), 5);
}

TEST(MainWindow, AWindowStoredOffScreenComesBackInsideTheWorkArea) {
  MemorySettingsStore store;
  XRegistry r(store, kKeyTrivor);
  r.WriteInt("AppLeft", 100000);
  r.WriteInt("AppTop", 100000);
  r.WriteInt("AppWidth", 400);
  r.WriteInt("AppHeight", 300);
  TFrmTrivor w(store, CommandLine{});
  QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(w.geometry().left(), work.left() + work.width() - 32);
  EXPECT_EQ(w.geometry().top(), work.top() + work.height() - 16);
}

TEST(MainWindow, CommandLineChoosesTheStartPageAndShowsItsTab) {
  Window win(ParseCommandLine({"VAD-AZ", "-V1"}));
  EXPECT_EQ(win.w->CurrentPage(), kPageRegler);
  EXPECT_TRUE(win.w->PgcMain->isTabVisible(kPageRegler));
  EXPECT_EQ(win.w->Visibility(), 1);
  Window plain;
  EXPECT_FALSE(plain.w->PgcMain->isTabVisible(kPageRegler));
  EXPECT_TRUE(plain.w->windowTitle().startsWith("Trivex + ZYR "));
}

TEST(MainWindow, AnErrorWhileCommittingKeepsThePage) {
  Window win;
  Probe probe;
  win.w->SetViewFactory(kPagePanel, [&](QWidget* sheet) { return new ProbeView(sheet, probe); });
  win.w->SelectPage(kPagePanel);
  probe.throw_on_commit = true;
  // The error box is modal: close it as soon as it shows.
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  win.w->SelectPage(kPageLogbuch);
  EXPECT_EQ(win.w->CurrentPage(), kPagePanel);
  probe.throw_on_commit = false;
}
