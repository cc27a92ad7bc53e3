// Decoding and CSV export of a large log file: generates a ZYR-D log file of N events (default
// 1,000,000), then reads it as a stream, decodes every event and writes its CSV line (and, for
// comparison, its text line). Prints events per second and the peak memory of the process.
//
//   bench_logbook [EVENTS] [--dir DIR]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/device_time.h"
#include "lang/lang.h"
#include "logbook/log_event.h"
#include "logbook/log_export.h"
#include "logbook/log_file_header.h"
#include "logbook/log_file_reader.h"
#include "logbook/log_record.h"
#include "logbook/text_stream.h"

using namespace trivex;

namespace {

using Bytes = std::vector<uint8_t>;


// A mix of the everyday ZYR-D events: earth faults, transients, resets of the methods,
// harmonics with a feeder line, bus errors.
Bytes EventData(int i, uint16_t& code) {
  Bytes d;
  switch (i % 6) {
    case 0: code = 17; d = {0x32, 0}; AppendBEFloat(d, 230.0f + static_cast<float>(i % 50)); break;
    case 1: code = 18; d = {0x32, 0}; break;
    case 2: code = 148; AppendBE16(d, 1); d.push_back(static_cast<uint8_t>(1 + i % 40)); d.push_back(0);
            AppendBE16(d, 0x0010); AppendBE32(d, static_cast<uint32_t>(i)); break;
    case 3: code = 65; break;
    case 4: code = 24; d = {0x12, 1}; AppendBEFloat(d, 100); AppendBE16(d, 1); d.push_back(1); d.push_back(1); AppendBE16(d, 1);
            AppendBEFloat(d, 1.5f); AppendBEFloat(d, 0.5f); break;
    default: code = 273; AppendBE32(d, static_cast<uint32_t>(i)); break;
  }
  return d;
}

// Writes the events into 256-byte records as a device lays them out, one line at a time.
void Generate(const std::string& path, int count) {
  TTextStream out(path, TTextStream::kCreate);
  out.WriteLine("id=A;name=Bench;grp=G;typ=ZYR-D;ver=1;fi=0;li=0;mod=65535;von=0;bis=0;closed=0");
  const uint32_t t0 = DateTimeToDeviceSecs(DateTime::FromCivil(2024, 1, 1));
  Bytes pending;                 // stream bytes not yet in a record
  std::deque<size_t> starts;     // event starts, relative to pending
  uint32_t time = t0;
  auto emit = [&](size_t size) {
    Bytes rec;
    uint16_t feo = static_cast<uint16_t>(size);
    if (!starts.empty() && starts.front() < size) feo = static_cast<uint16_t>(starts.front());
    AppendBE32(rec, time);
    rec.push_back(1);
    rec.push_back(static_cast<uint8_t>(size / 2));
    AppendBE16(rec, feo);
    rec.insert(rec.end(), pending.begin(), pending.begin() + static_cast<long>(size));
    out.WriteLine(TLogRecord(rec.data(), rec.size()).ToLine());
    pending.erase(pending.begin(), pending.begin() + static_cast<long>(size));
    while (!starts.empty() && starts.front() < size) starts.pop_front();
    for (auto& s : starts) s -= size;
  };
  for (int i = 0; i < count; ++i) {
    uint16_t code;
    const Bytes data = EventData(i, code);
    const uint32_t secs = t0 + static_cast<uint32_t>(i);
    if (starts.empty() || pending.size() < 256) time = secs;
    starts.push_back(pending.size());
    AppendBE32(pending, secs);
    AppendBE16(pending, static_cast<unsigned>(i % 1000));
    AppendBE16(pending, code);
    AppendBE16(pending, static_cast<unsigned>(data.size()));
    pending.insert(pending.end(), data.begin(), data.end());
    AppendBE16(pending, static_cast<unsigned>(data.size() + 12));
    while (pending.size() >= 256) emit(256);
  }
  if (!pending.empty()) emit(pending.size());
  out.Close();
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

struct Result {
  size_t events;
  double seconds, cpu_seconds;
};

Result Export(const std::string& path, int mode) {
  std::ofstream sink("/dev/null", std::ios::binary);
  const auto w0 = std::chrono::steady_clock::now();
  const std::clock_t c0 = std::clock();
  TLogFileReader reader(path);
  TLogRenderContext ctx = MakeLogRenderContext(mode);
  const size_t n = ExportLogEvents(reader, LogEventFactoryForType(reader.Header().typ, true), ctx, 0,
                                   0xFFFFFFFFu, sink);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count();
  const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  return {n, wall, cpu};
}

}  // namespace

int main(int argc, char** argv) {
  int count = 1000000;
  std::string dir = std::filesystem::temp_directory_path().string();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) dir = argv[++i];
    else count = std::atoi(argv[i]);
  }
  lang::SetCurrentLanguage(lang::English);
  const std::string path = dir + "/bench_logbook_" + std::to_string(count) + ".log";
  const auto g0 = std::chrono::steady_clock::now();
  Generate(path, count);
  const double gen = std::chrono::duration<double>(std::chrono::steady_clock::now() - g0).count();
  std::printf("log file: %d events, %.1f MB, generated in %.2f s; peak RSS so far %ld kB\n", count,
              static_cast<double>(std::filesystem::file_size(path)) / 1e6, gen, PeakRssKb());
  for (int mode : {TLogRenderContext::kCsv, TLogRenderContext::kText}) {
    const Result r = Export(path, mode);
    std::printf("%s export: %zu events in %.2f s (CPU %.2f s) = %.0f events/s; peak RSS %ld kB\n",
                mode == TLogRenderContext::kCsv ? "CSV " : "text", r.events, r.seconds, r.cpu_seconds,
                static_cast<double>(r.events) / r.cpu_seconds, PeakRssKb());
  }
  std::filesystem::remove(path);
  return 0;
}
