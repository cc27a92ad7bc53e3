// bench_logbook_window: the logbook page opening a log file of N ZYR-D events (default
// 1,000,000) on the offscreen platform: the time from committing the file name to the first
// screen of text painted, then the time to show the end of the text, and the time until all
// lines are counted in the background.
//
//   bench_logbook_window [EVENTS] [--dir DIR]
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/terminal_data.h"
#include "config/device_time.h"
#include "lang/lang.h"
#include "logbook/frm_zyr_logbuch.h"
#include "logbook/log_record.h"
#include "logbook/logbook_page.h"

using namespace trivex;

namespace {

using Bytes = std::vector<uint8_t>;

// Writes a ZYR-D log file of `events` everyday events in records of 256 data bytes.
void WriteLogFile(const std::string& path, int events) {
  const uint32_t start = DateTimeToDeviceSecs(DateTime::FromCivil(2020, 1, 1));
  std::vector<std::string> lines;
  Bytes data;
  uint32_t record_time = start;
  int first_event = -1;
  auto flush = [&](bool force) {
    if (data.size() < 256 && !force) return;
    Bytes raw;
    AppendBE32(raw, record_time);
    raw.push_back(1);
    raw.push_back(static_cast<uint8_t>(data.size() / 2));
    AppendBE16(raw, first_event < 0 ? 0xFFFF : static_cast<unsigned>(first_event));
    raw.insert(raw.end(), data.begin(), data.end());
    lines.push_back(TLogRecord(raw.data(), raw.size()).ToLine());
    data.clear();
    first_event = -1;
  };
  uint32_t secs = start;
  for (int i = 0; i < events; ++i) {
    secs += 1 + static_cast<uint32_t>(i % 7);
    Bytes d;
    uint16_t code;
    switch (i % 5) {
      case 0: code = 17; d = {0x32, 0}; AppendBEFloat(d, 230.0f + static_cast<float>(i % 50)); break;
      case 1: code = 18; d = {0x32, 0}; break;
      case 2: code = 148; AppendBE16(d, 1); d.push_back(static_cast<uint8_t>(1 + i % 40)); d.push_back(0);
              AppendBE16(d, 0x0010); AppendBE32(d, static_cast<uint32_t>(i)); break;
      case 3: code = 65; break;
      default: code = 273; AppendBE32(d, static_cast<uint32_t>(i)); break;
    }
    Bytes e;
    AppendBE32(e, secs);
    AppendBE16(e, static_cast<unsigned>(i % 1000));
    AppendBE16(e, code);
    AppendBE16(e, static_cast<unsigned>(d.size()));
    e.insert(e.end(), d.begin(), d.end());
    AppendBE16(e, static_cast<unsigned>(d.size() + 12));
    for (size_t k = 0; k < e.size(); ++k) {
      if (data.empty()) record_time = secs;
      if (k == 0 && first_event < 0) first_event = static_cast<int>(data.size());
      data.push_back(e[k]);
      flush(false);
    }
  }
  if (!data.empty()) flush(true);
  std::ofstream out(path, std::ios::binary);
  out << "id=A;name=Bench;grp=Events;typ=ZYR-D;ver=1;fi=0;li=" << lines.size() - 1 << ";mod=" << lines.size()
      << ";von=" << start << ";bis=" << secs << ";closed=0\r\n";
  for (const auto& l : lines) out << l << "\r\n";
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  int events = 1000000;
  std::string dir = std::filesystem::temp_directory_path();
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--dir" && i + 1 < argc) dir = argv[++i];
    else events = std::atoi(argv[i]);
  }
  const std::string path = dir + "/bench_logbook_window_" + std::to_string(events) + ".log";
  QElapsedTimer t;
  t.start();
  WriteLogFile(path, events);
  std::printf("log file: %d events, %.1f MB, written in %.2f s\n", events,
              static_cast<double>(std::filesystem::file_size(path)) / 1e6, t.elapsed() / 1000.0);

  lang::SetCurrentLanguage(lang::English);
  TLogbookPageState state;
  TTerminalData terminal;
  TFrmZyrLogbuch view(nullptr, state, nullptr, nullptr, &terminal);
  view.resize(1000, 700);
  view.UpdateLanguageStrings();
  view.DataToControls();
  view.show();
  QApplication::processEvents();

  t.restart();
  view.CommitFile(QString::fromStdString(path));
  view.View()->viewport()->repaint();
  const double open_ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
  std::printf("open and show the first screen: %.0f ms (%lld events in range, first line \"%s\")\n", open_ms,
              static_cast<long long>(view.Lines().EventCount()),
              view.View()->LineText(0).left(60).toStdString().c_str());

  t.restart();
  QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
  QApplication::sendEvent(view.View(), &end);
  view.View()->viewport()->repaint();
  std::printf("Ctrl+End to the last line (counts every line): %.0f ms, %lld lines\n",
              static_cast<double>(t.nsecsElapsed()) / 1e6, static_cast<long long>(view.Lines().LineCount()));

  t.restart();
  QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
  QApplication::sendEvent(view.View(), &home);
  for (int i = 0; i < 200; ++i) {
    QKeyEvent page(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(view.View(), &page);
    view.View()->viewport()->repaint();
  }
  std::printf("200 pages down, each painted: %.1f ms per page\n", static_cast<double>(t.nsecsElapsed()) / 1e6 / 200);
  std::printf("peak RSS %ld kB\n", PeakRssKb());
  std::filesystem::remove(path);
  return 0;
}
