#pragma once
// TFrmTrivor: the main window. It owns the program-wide objects, reads the settings at
// start-up and writes them at the end, routes the configuration actions to the page in
// front and keeps the user from starting a second action while one runs.
#include <QAction>
#include <QPrinter>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>

#include "app/app_state.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "app/terminal_data.h"
#include "app/trivor_manager_form.h"
#include "app/trivor_settings.h"
#include "config/zyr_d_data.h"
#include "link/com_menu.h"
#include "link/kombi_communicator.h"
#include "link/qt_link_ui.h"
#include "link/com_menu.h"
#include "link/kombi_communicator.h"
#include "link/qt_link_ui.h"
#include "config/zyr_dm_data.h"

namespace trivex {

class TFrmOptions;
class TConfigTransfer;

class TFrmTrivor : public TTrivorManagerForm, public AppUi {
  Q_OBJECT
 public:
  // `store` keeps the settings; it must outlive the window.
  TFrmTrivor(SettingsStore& store, const CommandLine& cmd, QWidget* parent = nullptr);
  ~TFrmTrivor() override;

  // AppUi: busy message, progress pair, status texts.
  void BusyMessage(int param) override;
  void SetProgress(uint32_t position, uint32_t maximum) override;
  void SetStatusText(int panel, const std::string& text) override;
  void ProcessEvents() override;
  void Wait(int ms) override;
  int BusyDepth() const { return busy_depth_; }

  void SetLanguage(int language);
  void UpdateLanguageStrings();
  void RefreshCaption();

  // Writes every setting to the store (also done when the window is destroyed).
  void WriteSettings();

  // Program-wide objects and settings.
  SettingsStore& Store() { return store_; }
  TTerminalData& TerminalData() { return terminal_data_; }
  TrivorSettings& Settings() { return settings_; }
  OptionsSettings& Options() { return options_; }
  const CommandLine& Command() const { return cmd_; }
  const StartPages& Start() const { return start_; }
  bool ThreePlus() const { return cmd_.three_plus; }
  int Visibility() const { return settings_.visibility; }
  // The logbook folder; it follows the dialog folders while "Common Data Folder" is on.
  const std::string& LogbookDir() const { return logbook_dir_; }
  // A directory picked in a file dialog of the terminal/dialog or the logbook settings: with
  // "Common Data Folder" on, both get it (guarded against re-entry).
  void InitialDirChanged(const std::string& dir);

  // The six tool buttons: Read, Send, Load, Save As, Print, Exit.
  QToolButton* ToolButton(int i) const { return tool_buttons_[i]; }
  QAction *AcnRead, *AcnSend, *AcnVerify, *AcnLoad, *AcnSave, *AcnSaveAs, *AcnNew, *AcnPrint,
      *AcnSetReadOnly, *AcnXSettings, *AcnExit;
  QMenu *MnuFile, *MnuCom, *MnuStop, *MnuOptions, *MnuHelp, *MnuLanguage;
  QAction *MnuStopItem, *MnuSettings, *MnuSaveBeforeSend, *MnuReadOnlyOnExit,
      *MnuCommonInitialDir, *MnuArgv0InitialDir, *MnuAbout, *MnuErrorReports;
  QAction* LanguageItem(int i) const { return lang_items_[i]; }

  // Applies the tab visibility of the options (a page named on the command line stays visible).
  void ApplyTabVisibility();
  void ShowOptions();
  void ShowXSettings();
  void ShowAbout();

  // The program-wide configurations and the one of the page in front (none on the others).
  TZyrDData& ZyrD() { return *zyrd_; }
  TZyrDmData& ZyrDm() { return *zyrdm_; }
  TZyrData* CurrentConfig();
  bool HasUnsavedChanges() const;
  // The configuration actions of the File menu.
  void Load();
  // Loads a file without asking for it (also used by tests); false when it failed.
  bool LoadFile(const QString& path);
  bool Save();
  bool SaveAs();
  // Save As without the dialog.
  bool SaveAsFile(const QString& path);
  void New();
  void SetReadOnly();
  // The configuration transfer of the ZYR-D page (Read, Send, Verify).
  TConfigTransfer& Transfer() { return *transfer_; }
  // Print: a preview of the configuration's report, printed from there.
  void Print();
  static void PrintTo(QPrinter& printer, const TZyrData& config);
  // Hands a configuration to the net list window when it is open.
  void RefreshNetList(TZyrData& config);

  // The one combined link of the program, and its COM menu.
  TKombiCommunicator& Link() { return *link_; }
  TComMenu& ComMenu() { return *com_menu_; }
  // Status panel 1 from the link's present state.
  void RefreshLinkPanel();
  // Sets the serial RTS options and applies them to every port.
  void ApplyRtsOptions();
  // A transfer (or a firmware load into a device) runs: deactivation leaves the link open.
  bool transfer_running = false;
  // Hangs up a modem connection when the program closes (set by the modem dialog).
  std::function<void()> hang_up_modem;
  // Run-time options of the extended settings dialog.
  int access_level = 0;
  bool text_maintenance_mode = false;
  bool rts_always_on = true;
  bool rts_on_send = false;
  // Leaves the current page and enters it again (its view is rebuilt).
  void ReenterPage();

  // Application deactivation/activation (another program got or gave back the focus).
  void ApplicationDeactivated();
  void ApplicationActivated();
  bool DisconnectOnDeactivate() const { return terminal_key_.disconnect_on_deactivate; }
  QAction* MnuTynetLog;

 signals:
  void LanguageChanged();

 protected:
  bool LeaveView(bool ask) override;
  void EnterPage(int index) override;
  void PageChangeRefused(int page) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void CreateActionsAndMenus();
  void ReadSettings();
  void PlaceFromSettings();
  void ApplyPageRules(int page);
  void OnStop();

  void ShowError(const QString& caption, const QString& message);

  SettingsStore& store_;
  TQtLinkUi link_ui_{this};
  std::unique_ptr<TKombiCommunicator> link_;
  TComMenu* com_menu_ = nullptr;
  std::unique_ptr<TConfigTransfer> transfer_;
  void ConfigAction(void (TConfigTransfer::*action)());
  std::unique_ptr<TZyrDData> zyrd_;
  std::unique_ptr<TZyrDmData> zyrdm_;
  CommandLine cmd_;
  StartPages start_;
  TTerminalData terminal_data_;
  TrivorSettings settings_;
  OptionsSettings options_;
  TerminalKeyOptions terminal_key_;
  std::string logbook_dir_;

  QToolBar* tool_bar_ = nullptr;
  QToolButton* tool_buttons_[6] = {};
  bool saved_tool_enabled_[6] = {};
  int busy_depth_ = 0;
  QAction* lang_items_[3] = {};
  QActionGroup* lang_group_ = nullptr;
  bool in_dir_change_ = false;
  bool link_was_active_ = false;
  bool reactivating_ = false;
};

}  // namespace trivex
