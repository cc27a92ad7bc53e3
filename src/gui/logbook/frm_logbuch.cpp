#include "logbook/frm_logbuch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/dlg_logbuch_holen.h"
#include "app/qt_text.h"
#include "app/status_panels.h"
#include "app/terminal_data.h"
#include "config/date_time_formats.h"
#include "config/device_time.h"
#include "lang/format.h"
#include "lang/system_formats.h"
#include "lang/texts_fetch.h"
#include "lang/texts_link.h"
#include "lang/texts_logbook.h"
#include "link/qt_link_ui.h"
#include "logbook/date_time_text.h"
#include "logbook/dlg_log_find.h"
#include "logbook/log_export.h"
#include "logbook/log_file.h"
#include "logbook/logbook_page.h"

namespace trivex {
namespace {

TFrmLogbuch::FileDialogHook& Hook() {
  static TFrmLogbuch::FileDialogHook hook;
  return hook;
}

// Whole device seconds of a range limit (the filter compares whole seconds).
uint32_t RangeSecs(DateTime t) {
  return DateTimeToDeviceSecsLenient(DateTime::FromMs(t.ms() - t.ToCivil().millisecond));
}

QFont FontOf(const LogbookFont& f) {
  QFont font(Q(f.name), f.size > 0 ? f.size : 9);
  font.setStyleHint(QFont::Monospace);
  font.setBold(f.style & 1);
  font.setItalic(f.style & 2);
  font.setUnderline(f.style & 4);
  font.setStrikeOut(f.style & 8);
  return font;
}

LogbookFont LogbookFontOf(const QFont& font, int charset, int color) {
  LogbookFont f;
  f.name = S(font.family());
  f.size = font.pointSize() > 0 ? font.pointSize() : 9;
  f.style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0);
  f.charset = charset;
  f.color = color;
  return f;
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }

// The arrow over a message box, also while the wait cursor is up.
struct ArrowCursor {
  ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void TFrmLogbuch::SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

TFrmLogbuch::TFrmLogbuch(QWidget* parent, TLogbookPageState& state, TKombiCommunicator* link, AppUi* app,
                         TTerminalData* terminal)
    : TViewForm(parent), state_(state), link_(link), app_(app ? app : &null_app_), terminal_(terminal) {
  setObjectName(QStringLiteral("FrmZyrLogbuch"));
  CreateControls();
  CreateMenus();
  if (link_) fetch_ = std::make_unique<TLogbookFetch>(*link_, *app_, *this, state_.chooser);
  count_timer_.setInterval(0);
  connect(&count_timer_, &QTimer::timeout, this, &TFrmLogbuch::CountInIdle);
  connect(view_, &TLogTextView::caretChanged, this, &TFrmLogbuch::RequestPositionUpdate);
  von_ = state_.data.von;
  bis_ = state_.data.bis;
}

TFrmLogbuch::~TFrmLogbuch() {
  // The settings also survive a view that is destroyed without being committed.
  try {
    ControlsToData();
  } catch (...) {
  }
  count_timer_.stop();
}

void TFrmLogbuch::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* top = new QGridLayout();
  LblFile = new QLabel(this);
  CbxFile = new QComboBox(this);
  CbxFile->setObjectName(QStringLiteral("CbxLogFile"));
  CbxFile->setEditable(true);
  CbxFile->setInsertPolicy(QComboBox::NoInsert);
  CbxFile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  CbxFile->setMinimumContentsLength(40);
  LblFile->setBuddy(CbxFile);
  BtnFile = new QToolButton(this);
  BtnFile->setObjectName(QStringLiteral("BtnLogFile"));
  BtnFile->setText(QStringLiteral("..."));
  LblFileInfoCaption = new QLabel(this);
  LblFileInfo = new QLabel(this);
  LblFileInfo->setObjectName(QStringLiteral("LblFileInfo"));
  LblFileInfo->setFrameShape(QFrame::StyledPanel);
  LblFileInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
  top->addWidget(LblFile, 0, 0);
  top->addWidget(CbxFile, 0, 1);
  top->addWidget(BtnFile, 0, 2);
  top->addWidget(LblFileInfoCaption, 1, 0);
  top->addWidget(LblFileInfo, 1, 1, 1, 2);
  top->setColumnStretch(1, 1);
  layout->addLayout(top);

  auto* range = new QHBoxLayout();
  LblRange = new QLabel(this);
  LblFrom = new QLabel(this);
  EdtFrom = new QLineEdit(this);
  EdtFrom->setObjectName(QStringLiteral("EdtFrom"));
  LblUntil = new QLabel(this);
  EdtUntil = new QLineEdit(this);
  EdtUntil->setObjectName(QStringLiteral("EdtUntil"));
  LblFrom->setBuddy(EdtFrom);
  LblUntil->setBuddy(EdtUntil);
  LblDateFormat = new QLabel(this);
  CbxDateFormat = new QComboBox(this);
  CbxDateFormat->setObjectName(QStringLiteral("CbxDateFormat"));
  CbxDateFormat->setEditable(true);
  CbxDateFormat->setInsertPolicy(QComboBox::NoInsert);
  CbxDateFormat->setMinimumContentsLength(24);
  LblDateFormat->setBuddy(CbxDateFormat);
  BtnDeleteFormat = new QToolButton(this);
  BtnDeleteFormat->setObjectName(QStringLiteral("BtnDeleteFormat"));
  BtnDeleteFormat->setText(QStringLiteral("X"));
  ChkShowIo = new QCheckBox(this);
  ChkShowIo->setObjectName(QStringLiteral("ChkShowIo"));
  for (QWidget* w : std::initializer_list<QWidget*>{LblRange, LblFrom, EdtFrom, LblUntil, EdtUntil, LblDateFormat,
                                                    CbxDateFormat, BtnDeleteFormat, ChkShowIo})
    range->addWidget(w);
  range->addStretch(1);
  layout->addLayout(range);

  view_ = new TLogTextView(this);
  view_->setObjectName(QStringLiteral("MemLogbuch"));
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(view_, 1);

  // The file list commits on Enter, on leaving it after typing, and on picking an entry.
  connect(CbxFile->lineEdit(), &QLineEdit::returnPressed, this, [this] { CommitFile(CbxFile->currentText()); });
  connect(CbxFile, qOverload<int>(&QComboBox::activated), this, [this](int i) { CommitFile(CbxFile->itemText(i)); });
  connect(CbxFile->lineEdit(), &QLineEdit::textEdited, this, [this] { CbxFile->setProperty("typing", true); });
  CbxFile->lineEdit()->installEventFilter(this);
  connect(BtnFile, &QToolButton::clicked, this, [this] {
    QString dir = current_file_.empty() ? Q(LogDir()) : QFileInfo(Q(current_file_)).absolutePath();
    const QString name = current_file_.empty() ? QString() : QFileInfo(Q(current_file_)).fileName();
    const QString path = ChooseFile(QTr(tx::fetch::DialogLogfile), QTr(tx::fetch::FilterLogfiles), dir, name,
                                    QStringLiteral("log"), false, &state_.data.open_dialog_filter_index);
    if (path.isEmpty()) return;
    SetLogDir(S(QFileInfo(path).absolutePath()));
    CommitFile(path);
  });
  // Range fields: leaving or Enter shows the value again; Enter also refreshes.
  for (QLineEdit* edit : {EdtFrom, EdtUntil}) {
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
      DateTime& value = edit == EdtFrom ? von_ : bis_;
      TakeRangeField(edit, value);
    });
    connect(edit, &QLineEdit::returnPressed, this, [this] { ApplyRange(); });
  }
  connect(CbxDateFormat->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { CommitDateFormat(CbxDateFormat->currentText()); });
  connect(CbxDateFormat, qOverload<int>(&QComboBox::activated), this,
          [this](int i) { CommitDateFormat(CbxDateFormat->itemText(i)); });
  CbxDateFormat->lineEdit()->installEventFilter(this);
  connect(BtnDeleteFormat, &QToolButton::clicked, this, &TFrmLogbuch::DeleteDateFormat);
  connect(ChkShowIo, &QCheckBox::toggled, this, [this](bool on) {
    state_.show_io = on;
    RefreshView();
  });
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    UpdateMenuStates();
    MnuContext->popup(view_->mapToGlobal(p));
  });
  auto* refresh = new QShortcut(QKeySequence(Qt::Key_F5), this);
  refresh->setContext(Qt::WidgetWithChildrenShortcut);
  connect(refresh, &QShortcut::activated, this, [this] { ApplyRange(); });
}

bool TFrmLogbuch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (watched == CbxFile->lineEdit() && CbxFile->property("typing").toBool()) {
      CbxFile->setProperty("typing", false);
      CommitFile(CbxFile->currentText());
    } else if (watched == CbxDateFormat->lineEdit()) {
      CommitDateFormat(CbxDateFormat->currentText());
    }
  }
  return TViewForm::eventFilter(watched, event);
}

void TFrmLogbuch::CreateMenus() {
  MnuLogfile = new QMenu(this);
  MnuLogfile->setObjectName(QStringLiteral("MnuLogfile"));
  MnuLogfile->setProperty("groupIndex", 10);
  auto add = [this](QMenu* menu, const char* name) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  AcnFont = add(MnuLogfile, "MnuFont");
  MnuLogfile->addSeparator();
  AcnFind = add(MnuLogfile, "MnuFind");
  AcnFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  AcnFindNext = add(MnuLogfile, "MnuFindNext");
  AcnFindNext->setShortcut(QKeySequence(Qt::Key_F3));
  MnuLogfile->addSeparator();
  AcnReadFromDevice = add(MnuLogfile, "MnuReadFromDevice");
  AcnUpdate = add(MnuLogfile, "MnuUpdate");
  AcnSplit = add(MnuLogfile, "MnuSplit");
  AcnMerge = add(MnuLogfile, "MnuMerge");
  MnuExport = MnuLogfile->addMenu(QString());
  MnuExport->setObjectName(QStringLiteral("MnuExport"));
  AcnExportText = add(MnuExport, "MnuExportText");
  AcnExportCsv = add(MnuExport, "MnuExportCsv");
  AcnExportXml = add(MnuExport, "MnuExportXml");
  AcnExportXml->setEnabled(false);
  AcnExportXml->setVisible(false);
  MnuLogfile->addSeparator();
  AcnReadFaultRecord = add(MnuLogfile, "MnuReadFaultRecord");
  AcnConvertFaultRecord = add(MnuLogfile, "MnuConvertFaultRecord");
  MnuLogfile->addSeparator();
  AcnReadRecorder = add(MnuLogfile, "MnuReadRecorder");
  AcnExportRecorder = add(MnuLogfile, "MnuExportRecorder");
  MnuLogfile->addSeparator();
  AcnSignalEot = add(MnuLogfile, "MnuSignalEot");
  AcnSignalEot->setCheckable(true);
  MnuLogfile->addSeparator()->setVisible(false);
  AcnRefresh = add(MnuLogfile, "MnuRefresh");
  AcnRefresh->setVisible(false);  // F5 is a shortcut of the page (a hidden item has none)

  MnuContext = new QMenu(this);
  MnuContext->setObjectName(QStringLiteral("PopLogbuch"));
  AcnCopy = add(MnuContext, "MnuCopy");
  MnuContext->addSeparator();
  AcnContextFind = add(MnuContext, "MnuContextFind");
  MnuContext->addSeparator();
  AcnToFile = add(MnuContext, "MnuToFile");

  connect(MnuLogfile, &QMenu::aboutToShow, this, &TFrmLogbuch::UpdateMenuStates);
  connect(AcnFont, &QAction::triggered, this, &TFrmLogbuch::ChooseFont);
  connect(AcnFind, &QAction::triggered, this, &TFrmLogbuch::ShowFindDialog);
  connect(AcnContextFind, &QAction::triggered, this, &TFrmLogbuch::ShowFindDialog);
  connect(AcnFindNext, &QAction::triggered, this, &TFrmLogbuch::FindNext);
  connect(AcnReadFromDevice, &QAction::triggered, this, &TFrmLogbuch::ReadFromDevice);
  connect(AcnUpdate, &QAction::triggered, this, &TFrmLogbuch::UpdateCurrentLogfile);
  connect(AcnExportText, &QAction::triggered, this, [this] { ExportText(); });
  connect(AcnExportCsv, &QAction::triggered, this, [this] { ExportCsv(); });
  connect(AcnToFile, &QAction::triggered, this, [this] { ExportSelection(); });
  connect(AcnCopy, &QAction::triggered, this, [this] { view_->Copy(); });
  connect(AcnSignalEot, &QAction::toggled, this, [this](bool on) { state_.data.signal_eot = on; });
  connect(AcnRefresh, &QAction::triggered, this, [this] { ApplyRange(); });
  auto hook = [this](QAction* action, std::function<void()> TFrmLogbuch::*member) {
    connect(action, &QAction::triggered, this, [this, member] {
      if (this->*member) (this->*member)();
    });
  };
  hook(AcnSplit, &TFrmLogbuch::on_split);
  hook(AcnMerge, &TFrmLogbuch::on_merge);
  hook(AcnReadFaultRecord, &TFrmLogbuch::on_read_fault_record);
  hook(AcnConvertFaultRecord, &TFrmLogbuch::on_convert_fault_record);
  hook(AcnReadRecorder, &TFrmLogbuch::on_read_recorder);
  hook(AcnExportRecorder, &TFrmLogbuch::on_export_recorder);
}

void TFrmLogbuch::UpdateLanguageStrings() {
  MnuLogfile->setTitle(QTr(tx::fetch::MenuLogfile));
  AcnFont->setText(QTr(tx::fetch::MenuFont));
  AcnFind->setText(QTr(tx::fetch::MenuFind));
  AcnFindNext->setText(QTr(tx::fetch::MenuFindNext));
  AcnReadFromDevice->setText(QTr(tx::fetch::MenuReadFromDevice));
  AcnUpdate->setText(QTr(tx::fetch::MenuUpdate));
  AcnSplit->setText(QTr(tx::fetch::MenuSplit));
  AcnMerge->setText(QTr(tx::fetch::MenuMerge));
  MnuExport->setTitle(QTr(tx::fetch::MenuExport));
  AcnExportText->setText(QTr(tx::fetch::MenuExportText));
  AcnExportCsv->setText(QTr(tx::fetch::MenuExportCsv));
  AcnExportXml->setText(QTr(tx::fetch::MenuExportXml));
  AcnReadFaultRecord->setText(QTr(tx::fetch::MenuReadFaultRecord));
  AcnConvertFaultRecord->setText(QTr(tx::fetch::MenuConvertFaultRecord));
  AcnReadRecorder->setText(QTr(tx::fetch::MenuReadRecorder));
  AcnExportRecorder->setText(QTr(tx::fetch::MenuExportRecorder));
  AcnSignalEot->setText(QTr(tx::fetch::MenuSignalEot));
  AcnRefresh->setText(QTr(tx::fetch::MenuRefresh));
  AcnCopy->setText(QTr(tx::fetch::MenuCopy));
  AcnContextFind->setText(QTr(tx::fetch::MenuFind));
  AcnToFile->setText(QTr(tx::fetch::MenuToFile));
  LblFile->setText(QTr(tx::fetch::LabelLogfile));
  LblFileInfoCaption->setText(QTr(tx::fetch::LabelFileInfo));
  LblRange->setText(QTr(tx::fetch::LabelRange));
  LblFrom->setText(QTr(tx::fetch::LabelFrom));
  LblUntil->setText(QTr(tx::fetch::LabelUntil));
  LblDateFormat->setText(QTr(tx::fetch::LabelDateFormat));
  BtnDeleteFormat->setToolTip(QTr(tx::fetch::DeleteFormat));
  ChkShowIo->setText(QTr(tx::fetch::ShowIo));
  if (find_dialog_) find_dialog_->UpdateLanguageStrings();
  ShowRange();
  RefreshView();
}

void TFrmLogbuch::ActivateView() {}

void TFrmLogbuch::DeactivateView() {
  count_timer_.stop();
  if (find_dialog_) find_dialog_->hide();
}

void TFrmLogbuch::DataToControls() {
  const TLogbuchData& d = state_.data;
  view_->setFont(FontOf(d.font));
  {
    const QSignalBlocker block(CbxFile);
    CbxFile->clear();
    for (const auto& f : d.log_files) CbxFile->addItem(Q(f));
    CbxFile->setCurrentIndex(-1);  // the page starts without a current file
    CbxFile->setEditText(QString());
  }
  von_ = d.von;
  bis_ = d.bis;
  ShowRange();
  {
    const QSignalBlocker block(AcnSignalEot);
    AcnSignalEot->setChecked(d.signal_eot);
  }
  {
    const QSignalBlocker block(ChkShowIo);
    ChkShowIo->setChecked(state_.show_io);
  }
  {
    const QSignalBlocker block(CbxDateFormat);
    CbxDateFormat->clear();
    for (const auto& f : d.date_formats) CbxDateFormat->addItem(Q(f));
    CbxDateFormat->setCurrentIndex(std::clamp(d.date_format_index, 0, CbxDateFormat->count() - 1));
  }
  ApplyDisplayFormat();
  ShowFileInfo();
}

void TFrmLogbuch::ControlsToData() {
  TLogbuchData& d = state_.data;
  d.font = LogbookFontOf(view_->font(), d.font.charset, d.font.color);
  d.log_files.clear();
  for (int i = 0; i < CbxFile->count(); ++i) d.log_files.push_back(S(CbxFile->itemText(i)));
  d.von = von_;
  d.bis = bis_;
  d.signal_eot = AcnSignalEot->isChecked();
  d.date_formats.clear();
  for (int i = 0; i < CbxDateFormat->count(); ++i) d.date_formats.push_back(S(CbxDateFormat->itemText(i)));
  if (d.date_formats.empty()) d.date_formats.push_back(kDefaultLogDateFormat);
  d.date_format_index = std::max(0, CbxDateFormat->currentIndex());
  if (lines_.EventCount() > 0) {
    state_.scroll.first_line = view_->FirstVisibleLine();
    state_.scroll.anchor_line = view_->Anchor().line;
    state_.scroll.anchor_col = view_->Anchor().col;
    state_.scroll.caret_line = view_->Caret().line;
    state_.scroll.caret_col = view_->Caret().col;
  }
  if (state_.store) d.Write(*state_.store);
}

// --- Files ---------------------------------------------------------------------------------

std::string TFrmLogbuch::LogDir() const {
  const std::string& dir = state_.data.Dir(LogbookDir::LogFiles);
  return dir.empty() ? state_.fallback_dir : dir;
}

void TFrmLogbuch::SetLogDir(const std::string& dir) { state_.data.SetDir(LogbookDir::LogFiles, dir); }

QString TFrmLogbuch::ChooseFile(const QString& title, const QString& filter, const QString& dir, const QString& name,
                                const QString& default_suffix, bool save, int* filter_index) {
  if (Hook()) return Hook()(title, dir, name);
  QFileDialog dialog(this, title, dir, QtFilter(filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(default_suffix);
  const QStringList filters = dialog.nameFilters();
  if (filter_index && *filter_index >= 1 && *filter_index <= filters.size())
    dialog.selectNameFilter(filters[*filter_index - 1]);
  if (!name.isEmpty()) dialog.selectFile(name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (filter_index) *filter_index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return dialog.selectedFiles().first();
}

void TFrmLogbuch::CommitFile(const QString& text) {
  const std::string file = S(text.trimmed());
  CbxFile->setProperty("typing", false);
  if (!file.empty()) {
    auto& list = state_.data.log_files;
    // The recent list as the combo box holds it, newest first.
    list.clear();
    for (int i = 0; i < CbxFile->count(); ++i) list.push_back(S(CbxFile->itemText(i)));
    list.erase(std::remove(list.begin(), list.end(), file), list.end());
    list.insert(list.begin(), file);
    if (list.size() > static_cast<size_t>(state_.data.max_logfile_history))
      list.resize(static_cast<size_t>(state_.data.max_logfile_history));
    const QSignalBlocker block(CbxFile);
    CbxFile->clear();
    for (const auto& f : list) CbxFile->addItem(Q(f));
    CbxFile->setCurrentIndex(0);
    CbxFile->setToolTip(QFileInfo(Q(file)).absoluteFilePath());
  }
  if (file == current_file_) return;
  prefix_.clear();
  current_file_ = file;
  if (!file.empty()) SetLogDir(S(QFileInfo(Q(file)).absolutePath()));
  LoadCurrentFile();
  RefreshView();
}

void TFrmLogbuch::LoadCurrentFile() {
  count_timer_.stop();
  view_->SetLines(nullptr);
  lines_.Clear();
  try {
    LoadLogFile(current_file_, state_.data.header, state_.data.records);
    if (!state_.data.header.IsEmpty() && state_.data.header.IsValid()) prefix_ = state_.data.header.id + ":";
  } catch (const std::exception& e) {
    // The records read before the bad line stay.
    ShowError(lang::Tr(tx::fetch::CaptionError), e.what());
  }
}

bool TFrmLogbuch::UsableFile() const {
  return !current_file_.empty() && !state_.data.header.IsEmpty() && state_.data.header.IsValid();
}

void TFrmLogbuch::ShowFileInfo() {
  const TLogFileHeader& h = state_.data.header;
  QString info;
  if (!current_file_.empty()) {
    if (h.IsEmpty()) info = QTr(tx::fetch::NewOrEmptyFile);
    else if (h.IsValid()) info = Q(h.DisplayText());
    else info = QTr(tx::fetch::NotALogfile);
  }
  LblFileInfo->setText(info);
}

// --- Range and formats ---------------------------------------------------------------------

void TFrmLogbuch::ShowRange() {
  const TDateTimeFormats formats(CurrentFormats());
  EdtFrom->setText(Q(formats.FormatFull(von_)));
  EdtUntil->setText(Q(formats.FormatFull(bis_)));
}

bool TFrmLogbuch::TakeRangeField(QLineEdit* edit, DateTime& value) {
  const TDateTimeFormats formats(CurrentFormats());
  DateTime parsed;
  if (!ParseDateTimeText(S(edit->text().trimmed()), formats.FullFormat(), parsed)) {
    const QString text = edit->text();
    edit->setText(Q(formats.FormatFull(value)));  // the field keeps the old value
    ShowError(lang::Tr(tx::fetch::CaptionError), Format(lang::Tr(tx::fetch::BadDate), {S(text)}));
    return false;
  }
  value = parsed;
  edit->setText(Q(formats.FormatFull(value)));
  return true;
}

void TFrmLogbuch::SetRange(DateTime from, DateTime until) {
  von_ = from;
  bis_ = until;
  ShowRange();
  RefreshView();
}

bool TFrmLogbuch::ApplyRange() {
  const bool ok = TakeRangeField(EdtFrom, von_) && TakeRangeField(EdtUntil, bis_);
  RefreshView();
  return ok;
}

void TFrmLogbuch::ApplyDisplayFormat() {
  const QString text = CbxDateFormat->currentText();
  TDateTimeFormats::Shared().SetDisplayFormat(S(text.isEmpty() ? QString(kDefaultLogDateFormat) : text));
}

void TFrmLogbuch::CommitDateFormat(const QString& text) {
  if (text.isEmpty()) return;
  int index = CbxDateFormat->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  {
    const QSignalBlocker block(CbxDateFormat);
    if (index < 0) {
      CbxDateFormat->addItem(text);
      index = CbxDateFormat->count() - 1;
    }
    CbxDateFormat->setCurrentIndex(index);
  }
  if (S(text) == TDateTimeFormats::Shared().DisplayFormat()) return;
  ApplyDisplayFormat();
  RefreshView();
}

void TFrmLogbuch::DeleteDateFormat() {
  int index = CbxDateFormat->currentIndex();
  {
    const QSignalBlocker block(CbxDateFormat);
    if (index >= 0 && CbxDateFormat->count() > 1) {
      CbxDateFormat->removeItem(index);
      index = std::min(index, CbxDateFormat->count() - 1);
    } else if (index < 0) {
      index = 0;
    }
    CbxDateFormat->setCurrentIndex(index);
  }
  CommitDateFormat(CbxDateFormat->currentText());
}

TLogRenderContext TFrmLogbuch::RenderContext(int mode) const {
  // The formats of the command line's export: the system formats with the chosen display
  // format, so the CSV export here and there give the same lines.
  TDateTimeFormats formats(CurrentFormats());
  formats.SetDisplayFormat(TDateTimeFormats::Shared().DisplayFormat());
  return MakeLogRenderContext(mode, formats, CurrentFormats());
}

// --- The view ------------------------------------------------------------------------------

void TFrmLogbuch::BuildLines() {
  lines_.Clear();
  if (!UsableFile()) return;
  TLogEventFactory factory = EventFactory();
  if (!factory) return;
  try {
    lines_.Build(state_.data.records, factory, RenderContext(TLogRenderContext::kText), RangeSecs(von_),
                 RangeSecs(bis_));
  } catch (const std::exception& e) {
    // The view keeps the events before the fault.
    ShowError(lang::Tr(tx::fetch::CaptionError), e.what());
  }
}

void TFrmLogbuch::RefreshView() {
  if (fetching_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Where the caret was: its line's text and column, and the time of its event.
  const TLogTextView::Pos caret = view_->Caret();
  QString caret_text;
  int64_t caret_secs = -1;
  if (lines_.EventCount() > 0 && lines_.HasLine(caret.line)) {
    caret_text = view_->LineText(caret.line);
    const int64_t e = lines_.EventOfLine(caret.line);
    if (e >= 0) caret_secs = lines_.EventSecs(e);
  }
  count_timer_.stop();
  view_->SetLines(nullptr);
  BuildLines();
  ShowFileInfo();
  view_->SetLines(&lines_);
  if (first_refresh_ && state_.scroll.first_line >= 0 && lines_.EventCount() > 0) {
    const auto& s = state_.scroll;
    view_->Select({s.anchor_line, s.anchor_col}, {s.caret_line, s.caret_col});
    view_->ScrollToLine(s.first_line);
    state_.scroll.first_line = -1;
  } else if (caret_secs >= 0) {
    // The same line near the same time, if it is still shown; otherwise the start.
    int64_t lo = 0, hi = lines_.EventCount();
    while (lo < hi) {
      const int64_t mid = (lo + hi) / 2;
      if (lines_.EventSecs(mid) < caret_secs) lo = mid + 1;
      else hi = mid;
    }
    TLogTextView::Pos found;
    const int64_t start = lines_.FirstLineOfEvent(std::min(lo, lines_.EventCount() - 1));
    constexpr int64_t kNear = 2048;
    for (int64_t d = 0; start >= 0 && d < kNear; ++d) {
      if (lines_.HasLine(start + d) && view_->LineText(start + d) == caret_text) {
        found = {start + d, caret.col};
        break;
      }
      if (d > 0 && start - d >= 0 && view_->LineText(start - d) == caret_text) {
        found = {start - d, caret.col};
        break;
      }
    }
    view_->SetCaret(found);
  }
  first_refresh_ = false;
  if (!lines_.Complete()) count_timer_.start();
  view_->LinesChanged();
  QTimer::singleShot(0, view_, [v = view_] { v->setFocus(); });
  QApplication::restoreOverrideCursor();
  RequestPositionUpdate();
}

void TFrmLogbuch::CountInIdle() {
  lines_.CountMore(std::chrono::milliseconds(8));
  view_->LinesChanged();
  const std::string error = lines_.TakeError();
  if (lines_.Complete()) {
    count_timer_.stop();
    RequestPositionUpdate();
  }
  if (!error.empty()) {
    const bool counting = count_timer_.isActive();
    count_timer_.stop();  // no counting behind the message box
    ShowError(lang::Tr(tx::fetch::CaptionError), error);
    if (counting && !lines_.Complete()) count_timer_.start();
  }
}

void TFrmLogbuch::RequestPositionUpdate() {
  if (pending_updates_ >= 3) return;
  ++pending_updates_;
  QTimer::singleShot(0, this, [this] {
    --pending_updates_;
    UpdatePosition();
  });
}

QString TFrmLogbuch::CaretPositionText() const {
  const TLogTextView::Pos caret = view_->Caret();
  const int64_t length = const_cast<TLogTextLines&>(lines_).TextLength();
  if (view_->HasSelection()) {
    const int64_t selected = std::llabs(view_->Offset(view_->Caret()) - view_->Offset(view_->Anchor()));
    return Q(Format(lang::Tr(tx::fetch::CaretSelection),
                    {static_cast<long long>(caret.line), caret.col, static_cast<double>(selected),
                     static_cast<double>(length)}));
  }
  return Q(Format(lang::Tr(tx::fetch::CaretPosition),
                  {static_cast<long long>(caret.line), caret.col, static_cast<double>(length)}));
}

void TFrmLogbuch::UpdatePosition() {
  if (TStatusPanels* panels = GetStatusBar(); panels && !fetching_) panels->SetText(3, CaretPositionText());
}

// --- Menu ----------------------------------------------------------------------------------

void TFrmLogbuch::UpdateMenuStates() {
  const bool usable = UsableFile();
  AcnSplit->setEnabled(usable && on_split);
  AcnMerge->setEnabled(usable && on_merge);
  MnuExport->setEnabled(usable);
  MnuExport->menuAction()->setEnabled(usable);
  AcnUpdate->setEnabled(usable && !state_.data.header.closed);
  AcnFindNext->setEnabled(!find_text_.isEmpty());
  AcnReadFaultRecord->setEnabled(static_cast<bool>(on_read_fault_record));
  AcnConvertFaultRecord->setEnabled(static_cast<bool>(on_convert_fault_record));
  AcnReadRecorder->setEnabled(static_cast<bool>(on_read_recorder));
  AcnExportRecorder->setEnabled(static_cast<bool>(on_export_recorder));
  AcnCopy->setEnabled(view_->HasSelection());
  AcnToFile->setEnabled(view_->HasSelection());
}

void TFrmLogbuch::ChooseFont() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, view_->font(), this);
  if (ok) view_->setFont(font);  // the selection stays as it was
}

// --- Fetch ---------------------------------------------------------------------------------

void TFrmLogbuch::SetFetching(bool on) {
  fetching_ = on;
  if (state_.transfer_running) *state_.transfer_running = on;
}

void TFrmLogbuch::ReadFromDevice() {
  if (!fetch_) {
    ShowError(lang::Tr(tx::fetch::CaptionError), lang::Tr(tx::fetch::NoLink));
    return;
  }
  // The view holds places in the records, which the fetch replaces.
  count_timer_.stop();
  view_->SetLines(nullptr);
  lines_.Clear();
  SetFetching(true);
  const TLogFetchResult r = fetch_->ReadFromDevice(prefix_, state_.data.header, state_.data.records);
  SetFetching(false);
  AfterFetch(r);
}

void TFrmLogbuch::UpdateCurrentLogfile() {
  if (!fetch_) {
    ShowError(lang::Tr(tx::fetch::CaptionError), lang::Tr(tx::fetch::NoLink));
    return;
  }
  if (!UsableFile() || state_.data.header.closed) return;
  count_timer_.stop();
  view_->SetLines(nullptr);
  lines_.Clear();
  SetFetching(true);
  const TLogFetchResult r = fetch_->Update(prefix_, current_file_, state_.data.header, state_.data.records);
  SetFetching(false);
  AfterFetch(r);
}

void TFrmLogbuch::AfterFetch(const TLogFetchResult& r) {
  if (r.file_chosen && !r.path.empty() && r.path != current_file_) {
    // The chosen file is the current one now; the fetch has loaded it already. Recent list
    // and folder follow as for a committed file.
    current_file_ = r.path;
    auto& list = state_.data.log_files;
    list.erase(std::remove(list.begin(), list.end(), r.path), list.end());
    list.insert(list.begin(), r.path);
    if (list.size() > static_cast<size_t>(state_.data.max_logfile_history))
      list.resize(static_cast<size_t>(state_.data.max_logfile_history));
    const QSignalBlocker block(CbxFile);
    CbxFile->clear();
    for (const auto& f : list) CbxFile->addItem(Q(f));
    CbxFile->setCurrentIndex(0);
    SetLogDir(S(QFileInfo(Q(r.path)).absolutePath()));
  }
  RefreshView();
  if (r.saved) {
    lines_.CountAll();
    view_->LinesChanged();
    view_->SetCaret({lines_.LineCount(), 0});  // the end
  }
  const bool ran = r.outcome != TLogFetchResult::kCancelled && r.outcome != TLogFetchResult::kClosedFile;
  if (ran && state_.data.signal_eot) QApplication::beep();
}

// --- LogbookFetchUi ------------------------------------------------------------------------

bool TFrmLogbuch::ChooseDevice(TDeviceChooser& chooser) {
  // The list comes from a scan of the link each time the chooser is shown.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (link_) chooser.Scan(*link_);
  QApplication::restoreOverrideCursor();
  TDlgLogbuchHolen dialog(this, chooser);
  return dialog.exec() == QDialog::Accepted;
}

bool TFrmLogbuch::ChooseLogFile(const std::string& proposed_name, std::string& path) {
  const QString chosen = ChooseFile(QTr(tx::fetch::DialogLogfile), QTr(tx::fetch::FilterLogfiles), Q(LogDir()),
                                    Q(proposed_name + ".log"), QStringLiteral("log"), false,
                                    &state_.data.open_dialog_filter_index);
  if (chosen.isEmpty()) return false;
  SetLogDir(S(QFileInfo(chosen).absolutePath()));
  path = S(chosen);
  return true;
}

bool TFrmLogbuch::AskYesNo(const std::string& caption, const std::string& text) {
  const ArrowCursor arrow;
  QMessageBox box(QMessageBox::Warning, Q(caption), MessageText(text), QMessageBox::Yes | QMessageBox::No, this);
  box.setObjectName(QStringLiteral("LogbookQuestion"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void TFrmLogbuch::ShowError(const std::string& caption, const std::string& text) {
  const ArrowCursor arrow;
  QMessageBox box(QMessageBox::Critical, Q(caption), MessageText(text), QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("LogbookError"));
  box.exec();
}

TDialogAnswer TFrmLogbuch::AskReadError(const std::string& caption, const std::string& text, bool retry_cancel) {
  const ArrowCursor arrow;
  QMessageBox box(QMessageBox::Critical, Q(caption), MessageText(text), QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("LogbookReadError"));
  QPushButton* retry = nullptr;
  QPushButton* abort = nullptr;
  QPushButton* ignore = nullptr;
  if (retry_cancel) {
    retry = box.addButton(QTr(tx::link::BtnRetry), QMessageBox::AcceptRole);
    abort = box.addButton(QTr(tx::fetch::ButtonCancel), QMessageBox::RejectRole);
  } else {
    abort = box.addButton(QTr(tx::link::BtnAbort), QMessageBox::RejectRole);
    retry = box.addButton(QTr(tx::link::BtnRetry), QMessageBox::AcceptRole);
    ignore = box.addButton(QTr(tx::link::BtnIgnore), QMessageBox::DestructiveRole);
    ignore->setObjectName(QStringLiteral("BtnIgnore"));
  }
  retry->setObjectName(QStringLiteral("BtnRetry"));
  abort->setObjectName(QStringLiteral("BtnAbort"));
  box.setDefaultButton(retry);
  box.setEscapeButton(abort);
  box.exec();
  if (box.clickedButton() == retry) return TDialogAnswer::kRetry;
  if (ignore && box.clickedButton() == ignore) return TDialogAnswer::kIgnore;
  return TDialogAnswer::kAbort;
}

void TFrmLogbuch::SetWaitCursor(bool on) {
  if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}

// --- Export --------------------------------------------------------------------------------

bool TFrmLogbuch::WriteTextFile(const QString& path, const std::function<bool(std::ostream&)>& write) {
  // Written aside and put in place only when complete.
  const std::string target = S(path);
  const std::string temp = target + ".tmp";
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  bool ok = static_cast<bool>(out);
  std::string reason = "cannot create the file";
  try {
    ok = ok && write(out);
  } catch (const std::exception& e) {
    ok = false;
    reason = e.what();
    out.close();
    std::remove(temp.c_str());
    ShowError(lang::Tr(tx::fetch::CaptionError), reason);
    return false;
  }
  out.close();
  ok = ok && !out.fail();
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, target, ec);
  if (!ok || ec) {
    std::remove(temp.c_str());
    ShowError(lang::Tr(tx::fetch::CaptionError),
              Format(lang::Tr(tx::logbook::CannotWriteFile), {target, ec ? ec.message() : reason}));
    return false;
  }
  return true;
}

QString TFrmLogbuch::ChooseTextFile() {
  // The text save dialog starts in the folder of the text-file dialogs and updates it.
  int dummy = 0;
  int* filter = terminal_ ? &terminal_->filter_logger_save : &dummy;
  const QString dir = terminal_ && !terminal_->Dir(DialogDir::LoggerSave).empty()
                          ? Q(terminal_->Dir(DialogDir::LoggerSave))
                          : Q(LogDir());
  const QString path = ChooseFile(QTr(tx::fetch::DialogSaveText), QTr(tx::fetch::FilterText), dir, {},
                                  QStringLiteral("txt"), true, filter);
  if (!path.isEmpty() && terminal_) terminal_->SetDir(DialogDir::LoggerSave, S(QFileInfo(path).absolutePath()));
  return path;
}

bool TFrmLogbuch::ExportText(const QString& given) {
  const QString path = given.isEmpty() ? ChooseTextFile() : given;
  if (path.isEmpty()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = WriteTextFile(path, [this](std::ostream& out) {
    lines_.ForEachChunkText([&](const std::string& text) { out.write(text.data(), static_cast<std::streamsize>(text.size())); });
    return static_cast<bool>(out);
  });
  QApplication::restoreOverrideCursor();
  return ok;
}

bool TFrmLogbuch::ExportSelection(const QString& given) {
  if (!view_->HasSelection()) return false;
  const QString path = given.isEmpty() ? ChooseTextFile() : given;
  if (path.isEmpty()) return false;
  const std::string text = S(view_->SelectedText());
  return WriteTextFile(path, [&](std::ostream& out) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
  });
}

bool TFrmLogbuch::ExportCsv(const QString& given) {
  if (!UsableFile()) return false;
  QString path = given;
  if (path.isEmpty()) {
    path = ChooseFile(QTr(tx::fetch::DialogSaveTable), QTr(tx::fetch::FilterTable), Q(LogDir()), {},
                      QStringLiteral("csv"), true, nullptr);
    if (path.isEmpty()) return false;
    SetLogDir(S(QFileInfo(path).absolutePath()));
  }
  const TLogEventFactory factory = EventFactory();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TLogRenderContext ctx = RenderContext(TLogRenderContext::kCsv);
  // The events of the range built again, in CSV form.
  const bool ok = WriteTextFile(path, [&](std::ostream& out) {
    if (!factory) return true;
    std::string buffer;
    ForEachEventInRange(state_.data.records, RangeSecs(von_), RangeSecs(bis_), [&](const TRawLogEvent& raw) {
      if (auto event = factory(raw)) event->Render(ctx, buffer);
      if (buffer.size() >= 64 * 1024) {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
      }
    });
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    return static_cast<bool>(out);
  });
  QApplication::restoreOverrideCursor();
  return ok;
}

// --- Find ----------------------------------------------------------------------------------

TDlgLogFind* TFrmLogbuch::FindDialog() {
  if (!find_dialog_) {
    find_dialog_ = new TDlgLogFind(this);
    connect(find_dialog_, &TDlgLogFind::findNext, this, [this] {
      find_text_ = find_dialog_->Text();
      find_case_ = find_dialog_->MatchCase();
      find_word_ = find_dialog_->WholeWord();
      find_down_ = find_dialog_->Down();
      FindNext();
    });
  }
  return find_dialog_;
}

void TFrmLogbuch::ShowFindDialog() {
  TDlgLogFind* dialog = FindDialog();
  if (view_->HasSelection() && view_->Caret().line == view_->Anchor().line) dialog->SetText(view_->SelectedText());
  else if (!find_text_.isEmpty()) dialog->SetText(find_text_);
  dialog->SetOptions(find_case_, find_word_, find_down_);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void TFrmLogbuch::FindNext() {
  if (find_text_.isEmpty()) return;
  if (!Find(find_text_, find_case_, find_word_, find_down_)) QApplication::beep();
}

bool TFrmLogbuch::Find(const QString& text, bool match_case, bool whole_word, bool down) {
  if (text.isEmpty() || !view_->LineCount()) return false;
  find_text_ = text;
  find_case_ = match_case;
  find_word_ = whole_word;
  find_down_ = down;
  const Qt::CaseSensitivity cs = match_case ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const int n = static_cast<int>(text.size());
  auto whole = [&](const QString& line, int at) {
    return !whole_word || ((at == 0 || !IsWordChar(line[at - 1])) && (at + n >= line.size() || !IsWordChar(line[at + n])));
  };
  // First match in line `l` at or after column `from` and (when `before` >= 0) starting before `before`.
  auto first_in = [&](int64_t l, int from, int before) -> int {
    const QString line = view_->LineText(l);
    for (int at = static_cast<int>(line.indexOf(text, from, cs)); at >= 0; at = static_cast<int>(line.indexOf(text, at + 1, cs))) {
      if (before >= 0 && at >= before) return -1;
      if (whole(line, at)) return at;
    }
    return -1;
  };
  auto last_in = [&](int64_t l, int after, int before) -> int {
    const QString line = view_->LineText(l);
    int found = -1;
    for (int at = static_cast<int>(line.indexOf(text, 0, cs)); at >= 0; at = static_cast<int>(line.indexOf(text, at + 1, cs))) {
      if (before >= 0 && at >= before) break;
      if (at > after && whole(line, at)) found = at;
    }
    return found;
  };
  auto select = [&](int64_t l, int at) {
    view_->Select({l, at}, {l, at + n});
    window()->raise();
    window()->activateWindow();
    return true;
  };

  TLogTextView::Pos start = std::min(view_->Caret(), view_->Anchor());
  if (down) {
    if (view_->HasSelection() && view_->SelectedText().compare(text, Qt::CaseInsensitive) == 0) ++start.col;
    for (int64_t l = start.line; view_->Lines() && view_->Lines()->HasLine(l); ++l) {
      const int at = first_in(l, l == start.line ? start.col : 0, -1);
      if (at >= 0) return select(l, at);
    }
    if (start.line > 0 || start.col > 0) {
      // Once more from the beginning, up to the start plus the length of the text.
      for (int64_t l = 0; l <= start.line; ++l) {
        const int at = first_in(l, 0, l == start.line ? start.col + n : -1);
        if (at >= 0) return select(l, at);
      }
    }
    return false;
  }
  // Upwards: the last match that begins before the start.
  for (int64_t l = start.line; l >= 0; --l) {
    const int at = last_in(l, -1, l == start.line ? start.col : -1);
    if (at >= 0) return select(l, at);
  }
  // Otherwise the last match after the start, up to the end.
  if (!view_->Lines()) return false;
  view_->Lines()->CountAll();
  for (int64_t l = view_->Lines()->LineCount() - 1; l >= start.line; --l) {
    const int at = last_in(l, l == start.line ? start.col : -1, -1);
    if (at >= 0) return select(l, at);
  }
  return false;
}

}  // namespace trivex
