// bench_fetch: a complete logbook fetch of N events (default 10,000) through the real serial
// code from trivex-sim paced like a line of B baud (default 115200), compared with the time
// the exchanged bytes need on that line. The simulator logs every frame; each exchange keeps
// the line busy for its request frame and its reply frame (10 bits per byte), so the wire
// time is the sum of all frame bytes times the byte time. Everything beyond it is the
// overhead of the program, the simulator and the operating system.
//
//   bench_fetch [--events N] [--baud B] [--sim PATH]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "bench_sim.h"
#include "link/kombi_communicator.h"
#include "logbook/device_chooser.h"
#include "logbook/log_file_reader.h"
#include "logbook/logbook_fetch.h"
#include "logbook/logbook_fetch_ui.h"

using namespace trivex;
using namespace trivex::bench;
using Clock = std::chrono::steady_clock;

namespace {


class BenchUi : public LogbookFetchUi {
 public:
  TKombiCommunicator* link = nullptr;
  std::string file;
  bool ChooseDevice(TDeviceChooser& chooser) override { return chooser.Scan(*link) && chooser.Select("A:"); }
  bool ChooseLogFile(const std::string&, std::string& path) override {
    path = file;
    return true;
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void ShowError(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  TDialogAnswer AskReadError(const std::string&, const std::string& text, bool) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    return TDialogAnswer::kAbort;
  }
};

}  // namespace

int main(int argc, char** argv) {
  int events = 10000;
  long baud = 115200;
  std::string sim_path = TRIVEX_SIM_PATH;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--events") events = std::atoi(argv[i + 1]);
    else if (a == "--baud") baud = std::atol(argv[i + 1]);
    else if (a == "--sim") sim_path = argv[i + 1];
  }
  const std::string dir = std::filesystem::temp_directory_path() / ("bench_fetch_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string station = dir + "/station.txt", frames = dir + "/frames.txt", file = dir + "/fetch.log";
  std::ofstream(station) << "[A:]\ntype = ZYR-D\nversion = 1.2.20\nname = Bench\nlog events = " << events
                         << "\nlog mod = " << (events / 4 + 64) << "\n";
  Sim sim = StartSim(sim_path, {"--station", station, "--baud", std::to_string(baud), "--log", frames});

  SilentLinkUi link_ui;
  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({sim.path});
  serial->ScanPorts();
  const int com = serial->FindComNum(sim.path);
  TPortConfig config;
  config.baud = static_cast<uint32_t>(baud);
  serial->SetCommConfig(com, config);
  serial->SetComNum(com);
  TKombiCommunicator link(&link_ui, nullptr, std::move(serial));
  NullAppUi app;
  BenchUi ui;
  ui.link = &link;
  ui.file = file;
  TDeviceChooser chooser;
  TLogbookFetch fetch(link, app, ui, chooser);

  // The scan is not part of the fetch: it runs once before, and its frames are not counted.
  chooser.Scan(link);
  std::ifstream scanned(frames);
  size_t skip_lines = 0;
  for (std::string line; std::getline(scanned, line);) ++skip_lines;

  TLogFileHeader header;
  TLogRecordList records;
  const auto t0 = Clock::now();
  const TLogFetchResult r = fetch.Fetch(chooser.SelectedEntry(), file, header, records, {true});
  const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
  kill(sim.pid, SIGTERM);
  int status;
  waitpid(sim.pid, &status, 0);

  // Frame bytes of the fetch's exchanges.
  std::ifstream log(frames);
  size_t rx = 0, tx = 0, exchanges = 0, n = 0;
  for (std::string line; std::getline(log, line);) {
    if (n++ < skip_lines || line.size() < 3) continue;
    const size_t bytes = (line.size() - 3) / 2;
    if (line.compare(0, 2, "RX") == 0) {
      rx += bytes;
      ++exchanges;
    } else {
      tx += bytes;
    }
  }
  size_t got = 0;
  {
    TLogFileReader reader(file);
    TRawLogEvent e;
    while (reader.ReadEvent(e)) ++got;
  }
  const double wire = static_cast<double>(rx + tx) * 10.0 / static_cast<double>(baud);
  std::printf("fetch of %zu events (%d records) at %ld baud: outcome %d, %zu exchanges, %zu request + %zu reply "
              "bytes\n",
              got, records.Count(), baud, static_cast<int>(r.outcome), exchanges, rx, tx);
  std::printf("measured %.3f s, wire time %.3f s, ratio %.3f, overhead %.2f ms per exchange\n", seconds, wire,
              seconds / wire, (seconds - wire) * 1000.0 / static_cast<double>(exchanges ? exchanges : 1));
  std::filesystem::remove_all(dir);
  return r.outcome == TLogFetchResult::kComplete && got == static_cast<size_t>(events) ? 0 : 1;
}
