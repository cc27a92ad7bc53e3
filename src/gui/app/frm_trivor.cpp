#include "app/frm_trivor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QEventLoop>
#include <QDateTime>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QFileDialog>
#include <QFileInfo>

#include "app/dlg_about.h"
#include "app/dlg_xsettings.h"
#include "app/frm_error_reports.h"
#include "app/frm_options.h"
#include "app/qt_text.h"
#include "app/status_panels.h"
#include "config/config_file.h"
#include "logbook/logbook_page.h"
#include "config/config_transfer.h"
#include "config/config_report.h"
#include "link/link_settings.h"
#include "config/frm_config_summary.h"
#include "config/frm_net_list.h"
#include "config/ini_file.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_app.h"
#include "logbook/logbook_page.h"

namespace trivex {

namespace {
// Group indices of the main window's own top-level menus; view menus go between.
constexpr int kGroupFile = 0;
constexpr int kGroupStopOptions = 97;
constexpr int kGroupHelp = 98;
}  // namespace

TFrmTrivor::TFrmTrivor(SettingsStore& store, const CommandLine& cmd, QWidget* parent)
    : TTrivorManagerForm(parent), store_(store), cmd_(cmd) {
  setObjectName(QStringLiteral("FrmTrivor"));
  resize(1024, 720);
  terminal_data_.on_initial_dir_changed = [this](const std::string& d) { InitialDirChanged(d); };
  // The combined link with the serial link's RTS option on.
  link_ = std::make_unique<TKombiCommunicator>(&link_ui_);
  link_->Serial().SetRtsEnable(true);
  CreateActionsAndMenus();
  ReadSettings();
  TZyrData::DefaultNominalFrequency() = settings_.default_idx_carrier_frequency;
  zyrd_ = std::make_unique<TZyrDData>();
  zyrdm_ = std::make_unique<TZyrDmData>();
  zyrdm_->frequency_source = zyrd_.get();
  // Every change of the saved state refreshes the caption.
  for (TZyrData* c : {static_cast<TZyrData*>(zyrd_.get()), static_cast<TZyrData*>(zyrdm_.get())})
    c->tracker.SetSavedHandler([this](TChangeTracker&, bool) { RefreshCaption(); });
  // Until the configuration pages are built the two pages show caption and devices.
  SetViewFactory(kPageZyrD, [this](QWidget* sheet) { return new TFrmConfigSummary(sheet, *zyrd_); });
  SetViewFactory(kPageZyrDm, [this](QWidget* sheet) { return new TFrmConfigSummary(sheet, *zyrdm_); });
  // The logbook page with its settings; it fetches over the program's link.
  InstallLogbookPage(*this, link_.get());

  // "Data Folder=EXE Folder": the program's own folder for every file dialog and the logbook.
  if (settings_.argv0_initial_dir) {
    std::string exe_dir = S(QCoreApplication::applicationDirPath());
    terminal_data_.SetAllDirs(exe_dir);
    logbook_dir_ = exe_dir;
  }
  if (cmd_.visibility) settings_.visibility = *cmd_.visibility;
  start_ = DeriveStartPages(settings_, cmd_);
  if (cmd_.start_page >= 0) options_.visible[cmd_.start_page] = true;

  // The link: ports, the port in use (a --port path joins the table for this run), retries
  // and handshake options, and the COM menu.
  ReadLinkSettings(store_, *link_, cmd_.ports.empty() ? std::string() : cmd_.ports.back());
  link_->SetRetrySetting(terminal_data_.retries);
  ApplyRtsOptions();
  com_menu_ = new TComMenu(*link_, store_, MnuCom, this);
  com_menu_->SetDisconnectOnDeactivate(terminal_key_.disconnect_on_deactivate);
  com_menu_->page_needs_link = [this] { return CurrentPage() == kPagePanel || CurrentPage() == kPageTerminal; };
  connect(com_menu_, &TComMenu::linkDescriptionChanged, this, &TFrmTrivor::RefreshLinkPanel);
  connect(com_menu_, &TComMenu::disconnectOnDeactivateToggled, this,
          [this](bool on) { terminal_key_.disconnect_on_deactivate = on; });

  lang::SetCurrentLanguage(settings_.language);
  lang_items_[lang::CurrentLanguage()]->setChecked(true);
  ApplyTabVisibility();
  UpdateLanguageStrings();
  PlaceFromSettings();

  connect(tmrUpdtTime, &QTimer::timeout, this, [this] { Panels()->UpdateClock(); });
  tmrUpdtTime->start();
  Panels()->UpdateClock();
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s == Qt::ApplicationActive) ApplicationActivated();
    else if (s == Qt::ApplicationInactive) ApplicationDeactivated();
  });

  // Once the window is up: select the start page, refresh the COM menu and panel 1; in demo
  // mode the link opens on the simulator at once.
  QTimer::singleShot(0, this, [this] {
    SelectPage(start_.start_page);
    if (cmd_.demo) link_->Open();
    com_menu_->Refresh();
    RefreshLinkPanel();
  });
}

TFrmTrivor::~TFrmTrivor() {
  // Leave the current view without asking, then write every setting.
  LeaveView(false);
  WriteSettings();
}

void TFrmTrivor::CreateActionsAndMenus() {
  auto make = [this](const char* name) {
    auto* a = new QAction(this);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  AcnRead = make("AcnRead");
  AcnSend = make("AcnSend");
  AcnVerify = make("AcnVerify");
  AcnLoad = make("AcnLoad");
  AcnSave = make("AcnSave");
  AcnSaveAs = make("AcnSaveAs");
  AcnNew = make("AcnNew");
  AcnPrint = make("AcnPrint");
  AcnSetReadOnly = make("AcnSetReadOnly");
  AcnXSettings = make("AcnXSettings");
  AcnExit = make("AcnExit");
  AcnLoad->setShortcut(QKeySequence::Open);
  AcnSave->setShortcut(QKeySequence::Save);
  AcnSaveAs->setShortcut(QKeySequence::SaveAs);
  AcnNew->setShortcut(QKeySequence::New);
  AcnPrint->setShortcut(QKeySequence::Print);
  AcnRead->setShortcut(QKeySequence(Qt::Key_F9));
  AcnSend->setShortcut(QKeySequence(Qt::Key_F10));
  AcnVerify->setShortcut(QKeySequence(Qt::Key_F11));
  AcnXSettings->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
  AcnExit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  AcnExit->setMenuRole(QAction::QuitRole);
  connect(AcnExit, &QAction::triggered, this, &QWidget::close);
  connect(AcnXSettings, &QAction::triggered, this, &TFrmTrivor::ShowXSettings);
  connect(AcnSetReadOnly, &QAction::triggered, this, &TFrmTrivor::SetReadOnly);
  connect(AcnLoad, &QAction::triggered, this, &TFrmTrivor::Load);
  connect(AcnSave, &QAction::triggered, this, [this] { Save(); });
  connect(AcnSaveAs, &QAction::triggered, this, [this] { SaveAs(); });
  connect(AcnNew, &QAction::triggered, this, &TFrmTrivor::New);
  connect(AcnPrint, &QAction::triggered, this, &TFrmTrivor::Print);
  // Read, Send and Verify run on the ZYR-D page; the regulator page handles its own.
  transfer_ = std::make_unique<TConfigTransfer>(*this);
  connect(AcnRead, &QAction::triggered, this, [this] { ConfigAction(&TConfigTransfer::Read); });
  connect(AcnSend, &QAction::triggered, this, [this] { ConfigAction(&TConfigTransfer::Send); });
  connect(AcnVerify, &QAction::triggered, this, [this] { ConfigAction(&TConfigTransfer::Verify); });
  addAction(AcnXSettings);

  MnuFile = new QMenu(this);
  MnuFile->setObjectName(QStringLiteral("MnuFile"));
  MnuFile->addActions({AcnRead, AcnSend, AcnVerify});
  MnuFile->addSeparator();
  MnuFile->addActions({AcnLoad, AcnSave, AcnSaveAs, AcnNew, AcnSetReadOnly});
  MnuFile->addSeparator();
  MnuFile->addAction(AcnPrint);
  MnuFile->addSeparator();
  MnuFile->addAction(AcnExit);
  AddMainMenu(MnuFile, kGroupFile);

  MnuCom = new QMenu(QStringLiteral("COM"), this);
  MnuCom->setObjectName(QStringLiteral("MnuCOM"));
  AddMainMenu(MnuCom, kGroupFile);

  MnuStop = new QMenu(this);
  MnuStop->setObjectName(QStringLiteral("MnuStop"));
  AddMainMenu(MnuStop, kGroupStopOptions);
  MnuStopItem = MnuStop->menuAction();
  MnuStopItem->setVisible(false);
  // The Stop item is a top-level command: triggering the menu title stops.
  MnuStopItem->setMenu(nullptr);
  connect(MnuStopItem, &QAction::triggered, this, &TFrmTrivor::OnStop);

  MnuOptions = new QMenu(this);
  MnuOptions->setObjectName(QStringLiteral("MnuOptions"));
  MnuSettings = MnuOptions->addAction(QString());
  MnuSettings->setObjectName(QStringLiteral("MnuSettings"));
  connect(MnuSettings, &QAction::triggered, this, &TFrmTrivor::ShowOptions);
  MnuOptions->addAction(AcnXSettings);
  MnuTynetLog = MnuOptions->addAction(QString());
  MnuTynetLog->setObjectName(QStringLiteral("MnuTynetLog"));
  connect(MnuTynetLog, &QAction::triggered, this, [this] { com_menu_->ShowExchangeLog(); });
  MnuOptions->addSeparator();
  auto check = [this](const char* name) {
    QAction* a = MnuOptions->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    return a;
  };
  MnuSaveBeforeSend = check("MnuSaveBeforeSend");
  MnuReadOnlyOnExit = check("MnuReadOnlyOnExit");
  MnuCommonInitialDir = check("MnuCommonInitialDir");
  MnuArgv0InitialDir = check("MnuArgv0InitialDir");
  connect(MnuSaveBeforeSend, &QAction::toggled, this, [this](bool on) { settings_.save_before_send = on; });
  connect(MnuReadOnlyOnExit, &QAction::toggled, this, [this](bool on) { settings_.read_only_on_exit = on; });
  connect(MnuCommonInitialDir, &QAction::toggled, this, [this](bool on) { terminal_data_.common_initial_dir = on; });
  connect(MnuArgv0InitialDir, &QAction::toggled, this, [this](bool on) { settings_.argv0_initial_dir = on; });
  MnuOptions->addSeparator();
  MnuLanguage = MnuOptions->addMenu(QString());
  MnuLanguage->setObjectName(QStringLiteral("MnuLanguage"));
  lang_group_ = new QActionGroup(this);
  for (int i = 0; i < lang::kLanguageCount; ++i) {
    QAction* a = MnuLanguage->addAction(QString());
    a->setObjectName(QStringLiteral("MnuLang") + QString::fromLatin1(lang::LanguageEnglishName(i)));
    a->setCheckable(true);
    a->setData(i);
    lang_group_->addAction(a);
    lang_items_[i] = a;
    connect(a, &QAction::triggered, this, [this, i] { SetLanguage(i); });
  }
  AddMainMenu(MnuOptions, kGroupStopOptions);

  MnuHelp = new QMenu(this);
  MnuHelp->setObjectName(QStringLiteral("MnuHelp"));
  MnuAbout = MnuHelp->addAction(QString());
  MnuAbout->setObjectName(QStringLiteral("MnuAbout"));
  connect(MnuAbout, &QAction::triggered, this, &TFrmTrivor::ShowAbout);
  MnuErrorReports = MnuHelp->addAction(QString());
  MnuErrorReports->setObjectName(QStringLiteral("MnuErrorReports"));
  connect(MnuErrorReports, &QAction::triggered, this, [this] {
    TFrmErrorReports dlg(this, TFrmErrorReports::ReportFolder());
    dlg.exec();
  });
  AddMainMenu(MnuHelp, kGroupHelp);

  tool_bar_ = addToolBar(QStringLiteral("Tools"));
  tool_bar_->setObjectName(QStringLiteral("ToolBar"));
  tool_bar_->setMovable(false);
  QAction* const tools[6] = {AcnRead, AcnSend, AcnLoad, AcnSaveAs, AcnPrint, AcnExit};
  const QStyle::StandardPixmap icons[6] = {QStyle::SP_ArrowDown, QStyle::SP_ArrowUp,
                                           QStyle::SP_DialogOpenButton, QStyle::SP_DialogSaveButton,
                                           QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogCloseButton};
  const char* const names[6] = {"BtnRead", "BtnSend", "BtnLoad", "BtnSaveAs", "BtnPrint", "BtnExit"};
  for (int i = 0; i < 6; ++i) {
    tools[i]->setIcon(style()->standardIcon(icons[i]));
    auto* b = new QToolButton(tool_bar_);
    b->setObjectName(QString::fromLatin1(names[i]));
    b->setDefaultAction(tools[i]);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tool_bar_->addWidget(b);
    tool_buttons_[i] = b;
  }
}

void TFrmTrivor::ReadSettings() {
  terminal_data_.ReadTerminalKey(store_);
  terminal_key_.Read(store_);
  terminal_data_.ReadMainKey(store_);
  settings_.Read(store_);
  options_.Read(store_);
  MnuSaveBeforeSend->setChecked(settings_.save_before_send);
  MnuReadOnlyOnExit->setChecked(settings_.read_only_on_exit);
  MnuCommonInitialDir->setChecked(terminal_data_.common_initial_dir);
  MnuArgv0InitialDir->setChecked(settings_.argv0_initial_dir);
  logbook_dir_ = terminal_data_.Dir(DialogDir::Config);
}

void TFrmTrivor::WriteSettings() {
  settings_.active_page_index = CurrentPage() < 0 ? 0 : CurrentPage();
  settings_.active_page_index_zyrd = start_.sub_zyrd;
  settings_.active_page_index_zyrdm = start_.sub_zyrdm;
  settings_.language = lang::CurrentLanguage();
  WindowBounds b;
  QRect g = isMaximized() ? normalGeometry() : geometry();
  b.left = g.left();
  b.top = g.top();
  b.width = g.width();
  b.height = g.height();
  if (b.width > 0 && b.height > 0) settings_.bounds = b;
  terminal_data_.WriteTerminalKey(store_);
  terminal_key_.Write(store_);
  WriteLinkSettings(store_, *link_);
  terminal_data_.WriteMainKey(store_);
  settings_.Write(store_);
  options_.Write(store_);
  store_.Flush();
}

void TFrmTrivor::PlaceFromSettings() {
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  Rect design{work.left() + 40, work.top() + 40, std::min(1024, work.width()), std::min(720, work.height())};
  Placement pl = PlaceWindow(settings_.bounds, Rect{work.left(), work.top(), work.width(), work.height()}, design);
  setGeometry(pl.bounds.left, pl.bounds.top, pl.bounds.width, pl.bounds.height);
  move(pl.bounds.left, pl.bounds.top);
  if (pl.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TFrmTrivor::ApplyTabVisibility() {
  for (int i = 0; i < kPageCount; ++i) PgcMain->setTabVisible(i, options_.visible[i]);
}

void TFrmTrivor::SetLanguage(int language) {
  lang::SetCurrentLanguage(language);
  lang_items_[lang::CurrentLanguage()]->setChecked(true);
  UpdateLanguageStrings();
}

void TFrmTrivor::UpdateLanguageStrings() {
  emit LanguageChanged();  // configuration data and windows that follow the language
  MnuLanguage->setTitle(Q(lang::LanguageMenuCaption()));
  for (int i = 0; i < lang::kLanguageCount; ++i) lang_items_[i]->setText(Q(lang::LanguageName(i)));
  MnuFile->setTitle(QTr(tx::app::MnuFile));
  MnuStop->setTitle(QTr(tx::app::MnuStop));
  MnuStopItem->setText(QTr(tx::app::MnuStop));
  MnuOptions->setTitle(QTr(tx::app::MnuOptions));
  MnuHelp->setTitle(QTr(tx::app::MnuHelp));
  MnuSettings->setText(QTr(tx::app::MnuSettings));
  MnuSaveBeforeSend->setText(QTr(tx::app::MnuSaveBeforeSend));
  MnuReadOnlyOnExit->setText(QTr(tx::app::MnuReadOnlyOnExit));
  MnuCommonInitialDir->setText(QTr(tx::app::MnuCommonInitialDir));
  MnuArgv0InitialDir->setText(QTr(tx::app::MnuArgv0InitialDir));
  MnuAbout->setText(QTr(tx::app::MnuAbout));
  MnuErrorReports->setText(QTr(tx::app::MnuErrorReports));
  struct {
    QAction* a;
    const lang::Text3& text;
    const lang::Text3& hint;
  } const acts[] = {
      {AcnRead, tx::app::AcnRead, tx::app::AcnReadHint},       {AcnSend, tx::app::AcnSend, tx::app::AcnSendHint},
      {AcnVerify, tx::app::AcnVerify, tx::app::AcnVerifyHint}, {AcnLoad, tx::app::AcnLoad, tx::app::AcnLoadHint},
      {AcnSave, tx::app::AcnSave, tx::app::AcnSaveHint},       {AcnSaveAs, tx::app::AcnSaveAs, tx::app::AcnSaveAsHint},
      {AcnNew, tx::app::AcnNew, tx::app::AcnNewHint},          {AcnPrint, tx::app::AcnPrint, tx::app::AcnPrintHint},
      {AcnSetReadOnly, tx::app::AcnSetReadOnly, tx::app::AcnSetReadOnlyHint},
      {AcnXSettings, tx::app::MnuXSettings, tx::app::AcnXSettingsHint},
      {AcnExit, tx::app::MnuExit, tx::app::ExitHint},
  };
  for (const auto& x : acts) {
    x.a->setText(QTr(x.text));
    x.a->setToolTip(QTr(x.hint));
    x.a->setStatusTip(QTr(x.hint));
  }
  tool_buttons_[5]->setToolTip(QTr(tx::app::ExitHint));
  MnuTynetLog->setText(QTr(tx::app::MnuTynetLog));
  if (com_menu_) com_menu_->UpdateLanguageStrings();
  UpdateTabCaptions();
  RefreshCaption();
  if (CurrentView()) CurrentView()->UpdateLanguageStrings();
}

void TFrmTrivor::RefreshCaption() {
  std::string name;
  if (TZyrData* c = CurrentConfig()) name = c->CaptionText();
  setWindowTitle(Q(WindowCaption(name)));
}

void TFrmTrivor::BusyMessage(int param) {
  if (param == kBusy || param == kBusyWithStop) {
    DisableMenus();
    if (busy_depth_++ == 0) {
      // Only the outermost busy state remembers the buttons, so nested operations cannot
      // leave anything disabled behind them.
      for (int i = 0; i < 6; ++i) {
        saved_tool_enabled_[i] = tool_buttons_[i]->isEnabled();
        tool_buttons_[i]->setEnabled(false);
      }
      PgcMain->setEnabled(false);
    }
    if (param == kBusyWithStop) {
      MnuStopItem->setVisible(true);
      MnuStopItem->setEnabled(true);
      MnuStopItem->setShortcut(QKeySequence(Qt::Key_Escape));
      MnuStopItem->setShortcutContext(Qt::ApplicationShortcut);
    }
    return;
  }
  RestoreMenus(false);
  MnuStopItem->setVisible(false);
  MnuStopItem->setShortcut(QKeySequence());
  if (busy_depth_ == 0) return;
  if (--busy_depth_ == 0) {
    for (int i = 0; i < 6; ++i) tool_buttons_[i]->setEnabled(saved_tool_enabled_[i]);
    PgcMain->setEnabled(true);
  }
}

void TFrmTrivor::OnStop() {
  QApplication::beep();
  SetUserAbort(true);
}

void TFrmTrivor::SetProgress(uint32_t position, uint32_t maximum) {
  Panels()->progress()->SetProgress(position, maximum);
}

void TFrmTrivor::SetStatusText(int panel, const std::string& text) {
  Panels()->SetText(panel, Q(text));
}

void TFrmTrivor::ProcessEvents() { QCoreApplication::processEvents(); }

void TFrmTrivor::Wait(int ms) {
  // The window keeps repainting while the program stays busy.
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TFrmTrivor::InitialDirChanged(const std::string& dir) {
  if (in_dir_change_ || !terminal_data_.common_initial_dir) return;
  in_dir_change_ = true;
  logbook_dir_ = dir;
  terminal_data_.SetAllDirs(dir);
  if (auto* page = findChild<TLogbookPageState*>()) {
    for (auto d : {trivex::LogbookDir::LogFiles, trivex::LogbookDir::Recorder, trivex::LogbookDir::Samples})
      page->data.SetDir(d, dir);
  }
  in_dir_change_ = false;
}

bool TFrmTrivor::LeaveView(bool ask) {
  if (ask) {
    for (QAction* a : {AcnRead, AcnSend, AcnLoad, AcnSaveAs, AcnPrint}) a->setEnabled(false);
  }
  return TTrivorManagerForm::LeaveView(ask);
}

void TFrmTrivor::PageChangeRefused(int page) { ApplyPageRules(page); }

void TFrmTrivor::ApplyPageRules(int page) {
  const bool relay_page = page == kPageZyrD || page == kPageZyrDm;
  const bool config_page = relay_page || page == kPageRegler;
  AcnNew->setEnabled(relay_page);
  for (QAction* a : {AcnRead, AcnSend, AcnVerify, AcnLoad, AcnSaveAs, AcnPrint, AcnSave, AcnSetReadOnly})
    a->setEnabled(config_page);
}

void TFrmTrivor::EnterPage(int index) {
  ApplyPageRules(index);
  TTrivorManagerForm::EnterPage(index);
  if (index == kPageZyrD) start_.sub_zyrd = std::max(start_.sub_zyrd, 0);
  RefreshCaption();
}

void TFrmTrivor::closeEvent(QCloseEvent* e) {
  // A pending edit of the page in front is taken into the data before anything is asked,
  // so that the question about unsaved changes sees it.
  try {
    CommitView();
  } catch (const std::exception& ex) {
    QMessageBox::critical(this, windowTitle(), QString::fromUtf8(ex.what()));
    e->ignore();
    return;
  }
  if (HasUnsavedChanges()) {
    auto answer = QMessageBox::question(this, QTr(tx::app::MsgExitUnsavedCaption),
                                        QTr(tx::app::MsgExitUnsaved),
                                        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok) {
      e->ignore();
      return;
    }
  }
  if (hang_up_modem) hang_up_modem();
  if (settings_.read_only_on_exit) SetReadOnly();
  e->accept();  // the view is left and the settings are written when the window is destroyed
}

void TFrmTrivor::ApplicationDeactivated() {
  if (!terminal_key_.disconnect_on_deactivate || reactivating_) return;
  link_was_active_ = link_->Active();
  if (transfer_running) return;
  if (link_was_active_) {
    link_->Close();
    RefreshLinkPanel();
  }
}

void TFrmTrivor::ApplicationActivated() {
  if (!link_was_active_ || reactivating_ || QCoreApplication::closingDown()) return;
  reactivating_ = true;
  link_was_active_ = false;
  if (!link_->Active()) link_->Open();
  RefreshLinkPanel();
  reactivating_ = false;
}

void TFrmTrivor::RefreshNetList(TZyrData& config) {
  if (auto* w = findChild<TFrmNetList*>(QStringLiteral("FrmNetList"), Qt::FindDirectChildrenOnly))
    w->SetConfiguration(config);
}

void TFrmTrivor::RefreshLinkPanel() {
  TStatusPanels::LinkState state = TStatusPanels::LinkState::Inactive;
  switch (LinkPanelState(*link_)) {
    case TLinkPanelState::kModem: state = TStatusPanels::LinkState::Modem; break;
    case TLinkPanelState::kActive: state = TStatusPanels::LinkState::Active; break;
    case TLinkPanelState::kInactive: break;
  }
  Panels()->SetLink(Q(link_->LinkDescription()), state);
}

void TFrmTrivor::ApplyRtsOptions() {
  link_->Serial().SetRtsEnable(rts_always_on);
  link_->Serial().SetRs485(rts_on_send);
  link_->Serial().ApplyHandshakeOptions();
}

TZyrData* TFrmTrivor::CurrentConfig() {
  switch (CurrentPage()) {
    case kPageZyrD: return zyrd_.get();
    case kPageZyrDm: return zyrdm_.get();
    default: return nullptr;  // the regulator page keeps its own data
  }
}

bool TFrmTrivor::HasUnsavedChanges() const {
  return !zyrd_->tracker.Saved() || !zyrdm_->tracker.Saved();
}

void TFrmTrivor::ShowError(const QString& caption, const QString& message) {
  QMessageBox::critical(this, caption, message);
}

void TFrmTrivor::Load() {
  CommitView();
  QString filter = QtFilter(QTr(tx::app::DlgConfigFilter));
  QStringList filters = filter.split(";;");
  QString selected = filters.value(terminal_data_.filter_config, filters.value(0));
  QString path = QFileDialog::getOpenFileName(this, QTr(tx::app::DlgOpenConfigTitle),
                                              Q(terminal_data_.Dir(DialogDir::Config)), filter, &selected);
  if (path.isEmpty()) return;
  terminal_data_.SetDir(DialogDir::Config, S(QFileInfo(path).absolutePath()));
  terminal_data_.filter_config = std::max(0, static_cast<int>(filters.indexOf(selected)));
  LoadFile(path);
}

bool TFrmTrivor::LoadFile(const QString& path) {
  TSystemType type = stUnknown;
  try {
    type = DetectSystemType(IniFile::Load(S(path)));
  } catch (const std::exception& e) {
    ShowError(QTr(tx::app::MsgLoadFailedCaption), QString::fromUtf8(e.what()));
    return false;
  }
  TZyrData* target = type == stZYRDM ? static_cast<TZyrData*>(zyrdm_.get()) : static_cast<TZyrData*>(zyrd_.get());
  // A load replaces the configuration of its family: ask before dropping unsaved changes.
  if (!target->tracker.Saved() &&
      QMessageBox::question(this, QTr(tx::app::MsgLoadUnsavedCaption), QTr(tx::app::MsgLoadUnsaved),
                            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Ok)
    return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    LoadConfigInto(*target, S(path));
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    ShowError(QTr(tx::app::MsgLoadFailedCaption), QString::fromUtf8(e.what()));
    return false;
  }
  QApplication::restoreOverrideCursor();
  RefreshNetList(*target);
  AcnSave->setEnabled(true);
  AcnSetReadOnly->setEnabled(true);
  const int page = type == stZYRDM ? kPageZyrDm : kPageZyrD;
  if (CurrentPage() == page) RefreshView();
  else SelectPage(page);
  RefreshCaption();
  return true;
}

bool TFrmTrivor::Save() {
  TZyrData* c = CurrentConfig();
  if (!c) return false;
  CommitView();
  if (c->file_path.empty()) return SaveAs();
  try {
    if (!c->Save()) {
      ShowError(QTr(tx::app::DlgSaveConfigTitle), Q(Format(lang::Tr(tx::app::MsgReadOnly), {c->file_path})));
      return false;
    }
  } catch (const std::exception& e) {
    ShowError(QTr(tx::app::DlgSaveConfigTitle),
              Q(Format(lang::Tr(tx::app::MsgSaveFailed), {c->file_path, e.what()})));
    return false;
  }
  if (!c->tracker.DeclareSaved()) RefreshCaption();
  return true;
}

bool TFrmTrivor::SaveAs() {
  TZyrData* c = CurrentConfig();
  if (!c) return false;
  CommitView();
  QString filter = QtFilter(QTr(tx::app::DlgConfigFilter));
  QString start = Q(terminal_data_.Dir(DialogDir::Config));
  if (!c->display_name.empty()) start += '/' + Q(c->display_name);
  QString path = QFileDialog::getSaveFileName(this, QTr(tx::app::DlgSaveConfigTitle), start, filter);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".ini");
  return SaveAsFile(path);
}

bool TFrmTrivor::SaveAsFile(const QString& path) {
  TZyrData* c = CurrentConfig();
  if (!c) return false;
  c->SetFileName(S(path));
  terminal_data_.SetDir(DialogDir::Config, S(QFileInfo(path).absolutePath()));
  AcnSave->setEnabled(true);
  AcnSetReadOnly->setEnabled(true);
  return Save();
}

void TFrmTrivor::New() {
  TZyrData* c = CurrentConfig();
  if (!c) return;
  CommitView();
  if (!c->tracker.Saved() &&
      QMessageBox::question(this, QTr(tx::app::MsgNewUnsavedCaption), QTr(tx::app::MsgNewUnsaved),
                            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Ok)
    return;
  AcnSave->setEnabled(false);
  AcnSetReadOnly->setEnabled(false);
  c->SetDefaults();
  if (!c->tracker.DeclareSaved()) RefreshCaption();
  RefreshNetList(*c);
  RefreshView();
}

void TFrmTrivor::ConfigAction(void (TConfigTransfer::*action)()) {
  if (CurrentPage() != kPageZyrD) {
    QMessageBox::information(this, windowTitle(), QTr(tx::app::MsgOnlyZyrDTransfer));
    return;
  }
  (transfer_.get()->*action)();
}

void TFrmTrivor::Print() {
  TZyrData* c = CurrentConfig();
  if (!c) return;
  CommitView();
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this, c](QPrinter* p) { PrintTo(*p, *c); });
  preview.exec();
}

void TFrmTrivor::PrintTo(QPrinter& printer, const TZyrData& config) {
  const QDateTime now = QDateTime::currentDateTime();
  const DateTime printed = DateTime::FromMs(QDateTime(now.date(), now.time(), Qt::UTC).toMSecsSinceEpoch());
  QTextDocument doc;
  doc.setHtml(Q(ConfigReportHtml(config, printed)));
  doc.print(&printer);
}

void TFrmTrivor::SetReadOnly() {
  TZyrData* c = CurrentConfig();
  if (!c || c->file_path.empty()) return;
  if (!SetReadOnlyFile(c->file_path))
    ShowError(QTr(tx::app::MsgErrorCaption), Q(Format(lang::Tr(tx::app::MsgSetReadOnlyFailed), {c->file_path})));
}

void TFrmTrivor::ReenterPage() {
  int page = CurrentPage();
  if (page < 0 || !LeaveView(true)) return;
  EnterPage(page);
}

void TFrmTrivor::ShowOptions() {
  TFrmOptions dlg(*this);
  dlg.exec();
}

void TFrmTrivor::ShowXSettings() {
  TDlgXSettings dlg(*this);
  dlg.exec();
}

void TFrmTrivor::ShowAbout() {
  TDlgAbout dlg(this);
  dlg.exec();
}

}  // namespace trivex
