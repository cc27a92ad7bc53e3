// New, Save As, Load and the caption of the configuration pages; the result window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>

#include "app/frm_trivor.h"
#include "app/memory_settings_store.h"
#include "app/startup.h"
#include "app/x_registry.h"
#include <QPrinter>

#include "config/config_msgs.h"
#include "config/config_report.h"
#include "config/frm_config_msgs.h"
#include "config/frm_config_summary.h"
#include "config/frm_dlg_system_frequenz.h"
#include "lang/lang.h"

using namespace trivex;

namespace {
struct Window {
  MemorySettingsStore store;
  std::unique_ptr<TFrmTrivor> w;
  Window() {
    XRegistry(store, kKeyTrivor).WriteString("Argv0InitialDir", "0");
    lang::SetCurrentLanguage(lang::English);
    w = std::make_unique<TFrmTrivor>(store, CommandLine{});
    w->SetLanguage(lang::English);
    QApplication::processEvents();
  }
  QString Caption(const QString& name) const { return QString::fromStdString("Trivex + ZYR " + ProgramVersion()) + name; }
};
}  // namespace

TEST(ConfigActions, NewSaveAsLoadFollowTheCaptionAndTheSavedState) {
  QTemporaryDir dir;
  Window win;
  ASSERT_EQ(win.w->CurrentPage(), kPageZyrD);
  EXPECT_EQ(win.w->windowTitle(), win.Caption(" (default values) "));
  // The start page shows its configuration from the first moment.
  ASSERT_NE(dynamic_cast<TFrmConfigSummary*>(win.w->CurrentView()), nullptr);

  win.w->New();
  EXPECT_FALSE(win.w->AcnSave->isEnabled());
  const QString path = dir.filePath("Sub_Nord.ini");
  ASSERT_TRUE(win.w->SaveAsFile(path));
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_TRUE(win.w->AcnSave->isEnabled());
  EXPECT_EQ(win.w->windowTitle(), win.Caption(" - Sub_Nord "));
  EXPECT_TRUE(win.w->ZyrD().tracker.Saved());

  win.w->ZyrD().tracker.ChangePerm();
  EXPECT_EQ(win.w->windowTitle(), win.Caption(" - Sub_Nord - modified "));
  ASSERT_TRUE(win.w->Save());
  EXPECT_EQ(win.w->windowTitle(), win.Caption(" - Sub_Nord "));

  // A ZYR-DM file loaded from the ZYR-D page brings its own page to the front.
  win.w->SelectPage(kPageZyrDm);
  ASSERT_TRUE(win.w->SaveAsFile(dir.filePath("relay.ini")));
  win.w->SelectPage(kPageTerminal);
  EXPECT_EQ(win.w->windowTitle(), win.Caption(" "));
  ASSERT_TRUE(win.w->LoadFile(path));
  EXPECT_EQ(win.w->CurrentPage(), kPageZyrD);
  ASSERT_TRUE(win.w->LoadFile(dir.filePath("relay.ini")));
  EXPECT_EQ(win.w->CurrentPage(), kPageZyrDm);
  EXPECT_EQ(win.w->windowTitle(), win.Caption(" - relay "));
  auto* view = dynamic_cast<TFrmConfigSummary*>(win.w->CurrentView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Caption()->text(), "relay");
  EXPECT_EQ(view->Table()->rowCount(), 1);
}

TEST(ConfigActions, AFileThatCannotBeLoadedLeavesTheConfiguration) {
  QTemporaryDir dir;
  Window win;
  win.w->ZyrD().SetDeviceList({"A:", "B:"});
  QFile f(dir.filePath("bad.ini"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[Devices]\r\nCount=40\r\n");
  f.close();
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  EXPECT_FALSE(win.w->LoadFile(dir.filePath("bad.ini")));
  EXPECT_EQ(win.w->ZyrD().DeviceCount(), 2);
  EXPECT_TRUE(win.w->ZyrD().file_path.empty());
}

TEST(ResultWindow, ShowsModeTextsRowsAndCopiesBothTables) {
  lang::SetCurrentLanguage(lang::English);
  TConfigMsgs msgs;
  msgs.Start(TConfigMsgs::kVerify, 1430);
  msgs.AddRow(TConfigMsgs::kVerify, "Harmonics active", 0, "Zyr5Active", "TRUE", "");
  msgs.AddRow(TConfigMsgs::kSend, "ignored", 0, "x", "", "");
  msgs.AddRow(TConfigMsgs::kVerify, "Ice minimum current", 1200, "Zyr5Imin", "0.4", "0.5");
  msgs.AddRow(TConfigMsgs::kVerify, "Measuring cycles", 0, "Zyr5MeasRpt", "3", "4");
  msgs.AddIdRow("A:", 0x1234, 0xABCDEF01);
  msgs.AddIdRow("B:", 0, 0);
  EXPECT_EQ(msgs.Label(), "Parameters not matching for version 1.4.30:");
  TFrmConfigMsgs w(nullptr, msgs);
  EXPECT_EQ(w.windowTitle(), "Verify Results");
  EXPECT_EQ(w.Differences()->rowCount(), 3);
  EXPECT_EQ(w.Differences()->item(0, 1)->text(), "");
  EXPECT_EQ(w.Differences()->item(0, 4)->text(), "---");
  EXPECT_EQ(w.Ids()->item(0, 2)->text(), "ABCDEF01");
  EXPECT_FALSE(w.Discard()->isVisibleTo(&w));
  w.CopyToClipboard();
  const QStringList lines = QApplication::clipboard()->text().split("\r\n");
  // 4 lines of differences, a blank line, 3 lines of ids, and the final line end.
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[0], "Parameter\tMin Version\tQuv-L\tSaved\tRead");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[6], "A:\t00001234\tABCDEF01");

  TConfigMsgs consistency;
  consistency.Start(TConfigMsgs::kConsistency);
  consistency.transfer_errors = true;
  TFrmConfigMsgs c(nullptr, consistency);
  EXPECT_TRUE(c.Discard()->isVisibleTo(&c));
  EXPECT_TRUE(c.Discard()->isDefault());
  EXPECT_EQ(c.Accept()->text(), "Accept");
}

TEST(FrequencyDialog, CannotBeConfirmedWithTheBlankEntry) {
  lang::SetCurrentLanguage(lang::English);
  TZyrDData d;
  d.nominal_frequency = 0;
  TFrmDlgSystemFrequenz dlg(nullptr, d);
  EXPECT_FALSE(dlg.Ok()->isEnabled());
  dlg.Frequency()->setCurrentIndex(1);
  EXPECT_TRUE(dlg.Ok()->isEnabled());
  dlg.AsDefault()->setChecked(true);
  int told = -1;
  dlg.on_default_changed = [&](int code) { told = code; };
  dlg.Ok()->click();
  EXPECT_EQ(d.nominal_frequency, 1);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(TZyrData::DefaultNominalFrequency(), 1);
  TZyrData::DefaultNominalFrequency() = 0;
  dlg.Frequency()->setCurrentIndex(0);
  EXPECT_FALSE(dlg.Ok()->isEnabled());
}

TEST(ConfigActions, TheReportOfAConfigurationPrintsToPdf) {
  QTemporaryDir dir;
  TZyrDData d;
  d.SetDeviceList({"A:", "B:"});
  d.devices[1].name = "Feld<7>";
  d.switches = {"SS1 A: 1"};
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("report.pdf"));
  TFrmTrivor::PrintTo(printer, d);
  QFile pdf(dir.filePath("report.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  const std::string html = ConfigReportHtml(d, DateTime::FromCivil(2026, 12, 11));
  EXPECT_NE(html.find("Feld&lt;7&gt;"), std::string::npos);
  EXPECT_NE(html.find("Zyr5Imin</td><td>0.4"), std::string::npos);
  EXPECT_NE(html.find("SS1 A: 1"), std::string::npos);
}
