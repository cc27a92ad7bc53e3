// The logbook page on the offscreen platform: a log file fetched from the simulator is
// opened, filtered by time, searched, and exported; the exports equal trivex-cli's. The
// fetch items run through the page with the device chooser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/dlg_logbuch_holen.h"
#include "app/terminal_data.h"
#include "config/date_time_formats.h"
#include "config/device_time.h"
#include "lang/lang.h"
#include "lang/system_formats.h"
#include "link/kombi_communicator.h"
#include "link_test_support.h"
#include "logbook/dlg_log_find.h"
#include "logbook/frm_zyr_logbuch.h"
#include "logbook/log_file_reader.h"
#include "logbook/logbook_page.h"

using namespace trivex;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

struct TempDir {
  std::string path;
  TempDir() {
    char name[] = "/tmp/trivex-logwin-XXXXXX";
    path = mkdtemp(name);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string File(const std::string& n) const { return path + "/" + n; }
};

// Runs `act` on the next modal dialog (once it is up), from the event loop.
void OnNextModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(w);
    }
  });
  timer->start(10);
}

// A page on its own (no main window), in English, with the C locale's formats.
struct Page {
  TLogbookPageState state;
  TTerminalData terminal;
  std::unique_ptr<TFrmZyrLogbuch> view;
  explicit Page(TKombiCommunicator* link = nullptr) {
    lang::SetCurrentLanguage(lang::English);
    SetCurrentFormats(SystemFormats{});
    TDateTimeFormats::Shared().Reset(SystemFormats{});
    view = std::make_unique<TFrmZyrLogbuch>(nullptr, state, link, nullptr, &terminal);
    view->resize(900, 600);
    view->UpdateLanguageStrings();
    view->DataToControls();
    view->show();
  }
  std::vector<QString> Lines() {
    std::vector<QString> out;
    view->Lines().CountAll();
    for (int64_t i = 0; i < view->Lines().LineCount(); ++i) out.push_back(view->View()->LineText(i));
    return out;
  }
};

std::string Full(uint32_t secs) {
  return TDateTimeFormats(SystemFormats{}).FormatFull(DeviceSecsToDateTime(secs));
}

// A log file fetched from the simulator with trivex-cli.
std::string FetchWithCli(test::SimProcess& sim, const TempDir& dir) {
  const test::ProcessResult p = test::RunProcess(TRIVEX_CLI_PATH, {"--port", sim.path(), "logbook", "fetch",
                                                                   "--device", "A", "--dir", dir.path});
  EXPECT_EQ(p.status, 0) << p.err;
  std::string path = p.out;
  while (!path.empty() && path.back() == '\n') path.pop_back();
  return path;
}

TEST(LogbookWindow, OpenFilterFindAndExportLikeTheCommandLine) {
  test::TempFile station("[A:]\ntype = ZYR-D\nname = Sub Nord\nlog events = 400\n");
  test::SimProcess sim({"--station", station.path()});
  TempDir dir;
  const std::string file = FetchWithCli(sim, dir);
  ASSERT_FALSE(file.empty());
  std::vector<uint32_t> times;
  {
    TLogFileReader reader(file);
    TRawLogEvent e;
    while (reader.ReadEvent(e)) times.push_back(e.secs);
  }
  ASSERT_EQ(times.size(), 400u);

  Page page;
  // Typing the name and Enter commits the file.
  QTest::keyClicks(page.view->FileList()->lineEdit(), QString::fromStdString(file));
  QTest::keyClick(page.view->FileList()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(page.view->CurrentFile(), file);
  EXPECT_EQ(page.view->AddressPrefix(), "A:");
  EXPECT_TRUE(page.view->FileInfo()->text().startsWith("Device:  A: \"Sub Nord\" (ZYR-D)")) << page.view->FileInfo()->text().toStdString();
  ASSERT_EQ(page.state.data.log_files.size(), 1u);
  std::vector<QString> all = page.Lines();
  ASSERT_GE(all.size(), 400u);
  EXPECT_TRUE(all.front().startsWith(QString::fromStdString(Full(times.front()).substr(0, 19))));

  // From the 100th to the 300th event: the fields take the full format, Enter refreshes.
  const std::string from = Full(times[100]), until = Full(times[300]);
  page.view->FromEdit()->selectAll();
  QTest::keyClicks(page.view->FromEdit(), QString::fromStdString(from));
  page.view->UntilEdit()->selectAll();
  QTest::keyClicks(page.view->UntilEdit(), QString::fromStdString(until));
  QTest::keyClick(page.view->UntilEdit(), Qt::Key_Return);
  std::vector<QString> shown = page.Lines();
  ASSERT_FALSE(shown.empty());
  EXPECT_LT(shown.size(), all.size());
  // Whole seconds: every event of the first and the last second of the range is shown.
  const QString first_second = QString::fromStdString(from.substr(0, 19));
  const QString last_second = QString::fromStdString(until.substr(0, 19));
  EXPECT_TRUE(shown.front().startsWith(first_second)) << shown.front().toStdString();
  EXPECT_TRUE(shown.back().startsWith(last_second)) << shown.back().toStdString();
  for (const QString& line : shown) {
    if (line.startsWith(' ')) continue;  // a continuation line of a multi-line event
    EXPECT_GE(line.left(19), first_second);
    EXPECT_LE(line.left(19), last_second);
  }

  // Find through the dialog, then find next.
  page.view->ShowFindDialog();
  TDlgLogFind* find = page.view->FindDialog();
  find->SetText("earth FAULT");
  QTest::mouseClick(find->FindButton(), Qt::LeftButton);
  EXPECT_EQ(page.view->View()->SelectedText(), "Earth fault");
  const int64_t first_hit = page.view->View()->Caret().line;
  EXPECT_TRUE(page.view->View()->LineText(first_hit).contains("Earth fault"));
  page.view->AcnFindNext->trigger();
  EXPECT_GT(page.view->View()->Caret().line, first_hit);
  EXPECT_TRUE(page.view->Find("Earth fault", true, true, false));  // upwards: back to the first hit
  EXPECT_EQ(page.view->View()->Caret().line, first_hit);
  EXPECT_FALSE(page.view->Find("earth fault", true, false, true));  // case matters now
  // Status field 3: caret line and column, selection length and text length.
  EXPECT_TRUE(QRegularExpression("^L:\\d+ C:\\d+   11/[\\d,]+ Bytes$").match(page.view->CaretPositionText()).hasMatch())
      << page.view->CaretPositionText().toStdString();
  page.view->View()->SetCaret({2, 3});
  EXPECT_TRUE(QRegularExpression("^L:2 C:3   \\d{1,3}(,\\d{3})* Bytes$").match(page.view->CaretPositionText()).hasMatch())
      << page.view->CaretPositionText().toStdString();

  // The exports of the shown range equal the command line's over the same range.
  const std::string csv = dir.File("range.csv"), txt = dir.File("range.txt");
  ASSERT_TRUE(page.view->ExportCsv(QString::fromStdString(csv)));
  ASSERT_TRUE(page.view->ExportText(QString::fromStdString(txt)));
  for (bool as_csv : {true, false}) {
    const std::string out = dir.File(as_csv ? "cli.csv" : "cli.txt");
    std::vector<std::string> args = {"logbook", "export", file, "--from", from.substr(0, 19), "--to", until.substr(0, 19),
                                     "-o", out};
    if (as_csv) args.push_back("--csv");
    const test::ProcessResult p = test::RunProcess(TRIVEX_CLI_PATH, args);
    ASSERT_EQ(p.status, 0) << p.err;
    const std::string mine = ReadFile(as_csv ? csv : txt);
    EXPECT_FALSE(mine.empty());
    EXPECT_EQ(mine, ReadFile(out)) << (as_csv ? "CSV" : "text");
  }
}

TEST(LogbookWindow, MenuStatesFollowTheFile) {
  TempDir dir;
  const std::string empty = dir.File("empty.log");
  std::ofstream(empty, std::ios::binary) << "\r\n";
  const std::string closed = dir.File("closed.log");
  std::ofstream(closed, std::ios::binary)
      << "id=A;name=S;grp=G;typ=ZYR-D;ver=1;fi=0;li=0;mod=8;von=0;bis=0;closed=1\r\n";
  Page page;
  page.view->on_split = [] {};
  struct Case {
    std::string file;
    QString info;
    bool split, update, export_enabled;
  } cases[] = {
      {empty, "(new or empty file)", false, false, false},
      {closed, "closed", true, false, true},
  };
  for (const auto& c : cases) {
    page.view->CommitFile(QString::fromStdString(c.file));
    page.view->UpdateMenuStates();
    EXPECT_TRUE(page.view->FileInfo()->text().contains(c.info)) << c.file;
    EXPECT_EQ(page.view->AcnSplit->isEnabled(), c.split) << c.file;
    EXPECT_EQ(page.view->AcnUpdate->isEnabled(), c.update) << c.file;
    EXPECT_EQ(page.view->MnuExport->isEnabled(), c.export_enabled) << c.file;
    EXPECT_EQ(page.view->View()->LineCount(), 0);
  }
  EXPECT_FALSE(page.view->AcnFindNext->isEnabled());
  EXPECT_FALSE(page.view->AcnExportXml->isVisible());
  EXPECT_FALSE(page.view->AcnRefresh->isVisible());
  // The recent list keeps "MaxLogfileHistory" entries, newest first.
  page.state.data.max_logfile_history = 4;
  for (int i = 0; i < 6; ++i) page.view->CommitFile(QString::fromStdString(dir.File("f" + std::to_string(i) + ".log")));
  EXPECT_EQ(page.view->FileList()->count(), 4);
  EXPECT_EQ(page.view->FileList()->itemText(0).toStdString(), dir.File("f5.log"));
  // A date format already in the list is selected, not added again.
  const int formats = page.view->DateFormatList()->count();
  page.view->DateFormatList()->setEditText("YYYY-MM-DD hh:mm:ss,zzz");
  QTest::keyClick(page.view->DateFormatList()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(page.view->DateFormatList()->count(), formats);
}

TEST(LogbookWindow, ReadFromDeviceAndUpdateThroughThePage) {
  test::TempFile station("[A:]\ntype = ZYR-DM\nname = Feeder\nlog events = 80\n[B:]\ntype = ZYR-D\nname = Other\n");
  test::SimProcess sim({"--station", station.path()});
  TempDir dir;
  test::FakeLinkUi link_ui;
  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({sim.path()});
  serial->ScanPorts();
  serial->SetComNum(serial->FindComNum(sim.path()));
  TKombiCommunicator link(&link_ui, nullptr, std::move(serial));

  Page page(&link);
  page.state.data.signal_eot = false;
  QString proposed;
  TFrmLogbuch::SetFileDialogHook([&](const QString&, const QString&, const QString& name) {
    proposed = name;
    return QString::fromStdString(dir.File(name.toStdString()));
  });
  // The chooser lists the bus; the device at the port is chosen with OK.
  QStringList listed;
  OnNextModal([&](QWidget* w) {
    auto* chooser = qobject_cast<TDlgLogbuchHolen*>(w);
    ASSERT_NE(chooser, nullptr);
    for (int i = 0; i < chooser->List()->count(); ++i) listed << chooser->List()->item(i)->text();
    chooser->Ok()->click();
  });
  page.view->AcnReadFromDevice->trigger();
  ASSERT_EQ(listed.size(), 2);
  EXPECT_TRUE(listed[0].startsWith("A:")) << listed[0].toStdString();
  EXPECT_EQ(proposed, "ZYR-DM_Feeder_A.log");
  const std::string file = dir.File("ZYR-DM_Feeder_A.log");
  EXPECT_EQ(page.view->CurrentFile(), file);
  EXPECT_EQ(page.view->FileList()->itemText(0).toStdString(), file);
  const int64_t before = page.view->Lines().EventCount();
  EXPECT_EQ(before, 80);
  // The caret is at the end after a fetch.
  EXPECT_EQ(page.view->View()->Caret().line, page.view->Lines().LineCount() - 1);

  sim.Control("addevents 25 A:");
  page.view->UpdateMenuStates();
  ASSERT_TRUE(page.view->AcnUpdate->isEnabled());
  page.view->AcnUpdate->trigger();
  EXPECT_EQ(page.view->Lines().EventCount(), 105);

  // A broken block in the CRC mode: Retry or Cancel; Cancel keeps what the file held.
  sim.Control("addevents 40 A:");
  sim.Control("logcrc " + std::to_string(page.state.data.header.li + 1) + " 5");
  QString shown;
  OnNextModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    shown = box->text();
    EXPECT_EQ(box->findChild<QPushButton*>("BtnIgnore"), nullptr);
    box->findChild<QPushButton*>("BtnAbort")->click();
  });
  page.view->AcnUpdate->trigger();
  EXPECT_TRUE(shown.startsWith("Error while reading the logfile:\nA:fread.+ log ")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("[communication failure]")) << shown.toStdString();
  EXPECT_GE(page.view->Lines().EventCount(), 105);
  TFrmLogbuch::SetFileDialogHook({});
}

}  // namespace
