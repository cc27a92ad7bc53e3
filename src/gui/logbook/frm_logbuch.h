#pragma once
// TFrmLogbuch: the logbook page. It shows the events of a log file between a "from" and an
// "until" time as decoded text, chosen from a list of recently used files; its menu "Logfile"
// fetches and updates the file from a device, exports the shown range as text or CSV, finds
// text and sets the font. The text view is virtual (TLogTextView over TLogTextLines), so a
// log of a million events opens at once. TFrmLogbuch decodes nothing itself: the event
// decoder for the current file comes from EventFactory(), which TFrmZyrLogbuch provides.
#include <QAction>
#include <QMenu>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/view_form.h"
#include "lang/date_time.h"
#include "logbook/log_event.h"
#include "logbook/log_text_lines.h"
#include "logbook/log_text_view.h"
#include "logbook/logbook_fetch.h"
#include "logbook/logbook_fetch_ui.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace trivex {

class TDlgLogFind;
class TLogbookPageState;
class TTerminalData;

class TFrmLogbuch : public TViewForm, public LogbookFetchUi {
  Q_OBJECT
 public:
  // `link`, `app` and `terminal` may be null (no link: the fetch items say so; no app: status
  // and progress go nowhere; no terminal settings: the text dialogs start in the log folder).
  TFrmLogbuch(QWidget* parent, TLogbookPageState& state, TKombiCommunicator* link, AppUi* app,
              TTerminalData* terminal);
  ~TFrmLogbuch() override;

  // --- TViewForm ---
  QList<QMenu*> GetViewMenu() override { return {MnuLogfile}; }
  void ActivateView() override;
  void DeactivateView() override;
  void DataToControls() override;
  void ControlsToData() override;
  void UpdateLanguageStrings() override;

  // The event decoder of the current file; none here.
  virtual TLogEventFactory EventFactory() const { return {}; }

  // --- Operations (the menu items and controls call these) ---
  // Commits a file name as the file list does on Enter.
  void CommitFile(const QString& text);
  const std::string& CurrentFile() const { return current_file_; }
  const std::string& AddressPrefix() const { return prefix_; }
  // Takes both range fields and refreshes the view; false when one of them is no date.
  bool ApplyRange();
  void SetRange(DateTime from, DateTime until);
  DateTime From() const { return von_; }
  DateTime Until() const { return bis_; }
  void RefreshView();
  void ReadFromDevice();
  void UpdateCurrentLogfile();
  // Exports (with a file dialog when `path` is empty). False when nothing was written.
  bool ExportText(const QString& path = {});
  bool ExportSelection(const QString& path = {});
  bool ExportCsv(const QString& path = {});
  // Searches from the selection; true when found (the match is then selected).
  bool Find(const QString& text, bool match_case, bool whole_word, bool down);
  void FindNext();
  void ShowFindDialog();
  void ChooseFont();
  // Sets the menu items' enabled states (done each time the menu opens).
  void UpdateMenuStates();
  // The text of status field 3 for the caret position.
  QString CaretPositionText() const;

  TLogTextView* View() const { return view_; }
  const TLogbookPageState& PageState() const { return state_; }
  TLogTextLines& Lines() { return lines_; }
  QComboBox* FileList() const { return CbxFile; }
  QLineEdit* FromEdit() const { return EdtFrom; }
  QLineEdit* UntilEdit() const { return EdtUntil; }
  QComboBox* DateFormatList() const { return CbxDateFormat; }
  QCheckBox* ShowIoBox() const { return ChkShowIo; }
  QLabel* FileInfo() const { return LblFileInfo; }
  TDlgLogFind* FindDialog();

  // Files chosen without a dialog (tests): the hook gets the dialog's title, folder and file
  // name and returns the chosen path (empty: Cancel).
  using FileDialogHook = std::function<QString(const QString& title, const QString& dir, const QString& name)>;
  static void SetFileDialogHook(FileDialogHook hook);

  // Actions of other parts of the logbook (split, merge, fault records, recorder); their items
  // stay disabled while a hook is not set.
  std::function<void()> on_split, on_merge, on_read_fault_record, on_convert_fault_record, on_read_recorder,
      on_export_recorder;

  QMenu* MnuLogfile;
  QMenu* MnuExport;
  QMenu* MnuContext;
  QAction *AcnFont, *AcnFind, *AcnFindNext, *AcnReadFromDevice, *AcnUpdate, *AcnSplit, *AcnMerge, *AcnExportText,
      *AcnExportCsv, *AcnExportXml, *AcnReadFaultRecord, *AcnConvertFaultRecord, *AcnReadRecorder,
      *AcnExportRecorder, *AcnSignalEot, *AcnRefresh, *AcnCopy, *AcnContextFind, *AcnToFile;

  // --- LogbookFetchUi ---
  bool ChooseDevice(TDeviceChooser& chooser) override;
  bool ChooseLogFile(const std::string& proposed_name, std::string& path) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& caption, const std::string& text) override;
  TDialogAnswer AskReadError(const std::string& caption, const std::string& text, bool retry_cancel) override;
  void SetWaitCursor(bool on) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The text save dialog; empty on Cancel.
  QString ChooseTextFile();
  void CreateControls();
  void CreateMenus();
  bool UsableFile() const;
  void LoadCurrentFile();
  void BuildLines();
  TLogRenderContext RenderContext(int mode) const;
  std::string LogDir() const;
  void SetLogDir(const std::string& dir);
  void ShowRange();
  bool TakeRangeField(QLineEdit* edit, DateTime& value);
  void CommitDateFormat(const QString& text);
  void DeleteDateFormat();
  void ApplyDisplayFormat();
  void AfterFetch(const TLogFetchResult& r);
  void RequestPositionUpdate();
  void UpdatePosition();
  void CountInIdle();
  void ShowFileInfo();
  QString ChooseFile(const QString& title, const QString& filter, const QString& dir, const QString& name,
                     const QString& default_suffix, bool save, int* filter_index);
  bool WriteTextFile(const QString& path, const std::function<bool(std::ostream&)>& write);

  TLogbookPageState& state_;
  TKombiCommunicator* link_;
  AppUi* app_;
  NullAppUi null_app_;
  TTerminalData* terminal_;
  std::unique_ptr<TLogbookFetch> fetch_;
  TLogTextLines lines_;

  std::string current_file_;
  std::string prefix_ = "AA:";
  DateTime von_, bis_;
  bool first_refresh_ = true;  // the saved scroll state is used once
  int pending_updates_ = 0;
  QTimer count_timer_;
  QString find_text_;
  bool find_case_ = false, find_word_ = false, find_down_ = true;
  TDlgLogFind* find_dialog_ = nullptr;
  bool fetching_ = false;
  void SetFetching(bool on);

  QLabel *LblFile, *LblFileInfoCaption, *LblFileInfo, *LblRange, *LblFrom, *LblUntil, *LblDateFormat;
  QComboBox *CbxFile, *CbxDateFormat;
  QToolButton *BtnFile, *BtnDeleteFormat;
  QLineEdit *EdtFrom, *EdtUntil;
  QCheckBox* ChkShowIo;
  TLogTextView* view_;
};

}  // namespace trivex
