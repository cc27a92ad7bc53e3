// bench_transfer: the ZYR-D transfer engine on the real serial code against trivex-sim
// playing three relays (firmware 1.4.32) paced like a line of 115200 baud with a turnaround
// of 5 ms before each reply.
//
// A send first gives the relays a system of three (device list, net file, station model);
// then the complete read of that system is measured. For each operation the simulator's
// frame log gives the exchanges and the bytes of every request and reply frame as they
// travelled. The ideal time is the wire time of those bytes (10 bits a byte) plus one
// turnaround per exchange; the ratio is the measured time over it. The simulator takes a
// request as received one byte time after its first byte arrived less than a real line
// would (it cannot see the first byte's start), so its own floor is one byte time per
// exchange below the wire time; both ratios are printed.
//
// Where the time goes: the time inside the link (request written until the reply checked)
// and the time the engine spends between two exchanges are printed apart.
//
// Usage: bench_transfer [--sim PATH] [--baud N] [--delay MS] [--rounds N]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "config/net_list_converter.h"
#include "config/zyr_d_data.h"
#include "lang/lang.h"
#include "bench_sim.h"
#include "link/communicator.h"
#include "link/kombi_communicator.h"
#include "protocol/zyr_d_config_pump.h"

using namespace trivex;
using namespace trivex::bench;
using Clock = std::chrono::steady_clock;

namespace {


// Frame log of the simulator: one line "RX <hex>" or "TX <hex>" per frame.
struct Frames {
  long requests = 0, replies = 0;
  long request_bytes = 0, reply_bytes = 0;
  std::vector<long> exchange_bytes;  // request and reply of each exchange, in order
};

// The frames logged from line `from` on; `from` moves to the end.
Frames CountFrames(const std::string& log, size_t& from) {
  std::ifstream in(log);
  std::string line;
  Frames f;
  size_t n = 0;
  while (std::getline(in, line)) {
    if (n++ < from) continue;
    if (line.size() < 3) continue;
    const long bytes = static_cast<long>((line.size() - 3) / 2);
    if (line.compare(0, 3, "RX ") == 0) {
      ++f.requests;
      f.request_bytes += bytes;
      f.exchange_bytes.push_back(bytes);
    } else if (line.compare(0, 3, "TX ") == 0) {
      ++f.replies;
      f.reply_bytes += bytes;
      if (!f.exchange_bytes.empty()) f.exchange_bytes.back() += bytes;
    }
  }
  from = n;
  return f;
}

// Times the engine's calls: ProcessEvents comes once before each exchange (the step) and
// once after each attempt (the reply check); the request hook comes right before the link.
class TimingUi : public NullAppUi {
 public:
  void ProcessEvents() override { events.push_back(Clock::now()); }
  std::vector<Clock::time_point> events;
};

std::unique_ptr<TZyrDData> ThreeRelays() {
  auto c = std::make_unique<TZyrDData>();
  c->SetDeviceIds({1, 2, 3});
  const char* names[] = {"Master", "Feeder1", "Feeder2"};
  for (int i = 0; i < 3; ++i) c->devices[static_cast<size_t>(i)].name = names[i];
  c->master_id = 1;
  c->nominal_frequency = 2;
  c->harmonics[harm::Zyr5Angle] = 12.5;
  c->switches = {
      "Uo\t\t\t\t\t\t\t\tA:\t\t\tUen1\t20000/100",
      "X\t\t\tJ01:\tQ01\t\tA:\tE01\tA1:\tIo1\t200/5",
      "\t\t\tJ01:\tQ00\t\tA:\t~E03",
      "X\t\t\tJ02:\tQ02\t\tA:\tE02\tA2:\tIo1\t200/5",
  };
  return c;
}

struct Result {
  Frames frames;
  double measured_ms = 0;
  long steps = 0;
  double link_ms = 0;    // request hook to the reply check, summed
  double engine_ms = 0;  // everything else between the first and the last exchange
  std::vector<double> link_each_ms;
  size_t frame_count() const { return frames.exchange_bytes.size(); }
};

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

void Print(const char* what, const Result& r, double baud, double delay_ms) {
  const double byte_ms = 10.0 * 1000.0 / baud;
  const long bytes = r.frames.request_bytes + r.frames.reply_bytes;
  const double wire_ms = static_cast<double>(bytes) * byte_ms;
  const double turn_ms = static_cast<double>(r.frames.requests) * delay_ms;
  const double ideal_ms = wire_ms + turn_ms;
  const double floor_ms = ideal_ms - static_cast<double>(r.frames.requests) * byte_ms;
  std::printf("%s\n", what);
  std::printf("  exchanges        %ld (%ld engine steps, %ld replies)\n", r.frames.requests, r.steps, r.frames.replies);
  std::printf("  bytes            %ld (requests %ld, replies %ld, with framing)\n", bytes, r.frames.request_bytes,
              r.frames.reply_bytes);
  std::printf("  wire time        %.1f ms\n", wire_ms);
  std::printf("  turnarounds      %.1f ms (%ld x %.1f ms)\n", turn_ms, r.frames.requests, delay_ms);
  std::printf("  ideal            %.1f ms\n", ideal_ms);
  std::printf("  measured         %.1f ms\n", r.measured_ms);
  std::printf("  ratio            %.4f (target 1.05: %s)\n", r.measured_ms / ideal_ms,
              r.measured_ms / ideal_ms <= 1.05 ? "met" : "NOT met");
  std::printf("  ratio to the simulator's floor %.4f\n", r.measured_ms / floor_ms);
  std::printf("  inside the link  %.1f ms (%.3f ms an exchange beyond the wire and turnaround)\n", r.link_ms,
              (r.link_ms - ideal_ms) / static_cast<double>(std::max<long>(1, r.frames.requests)));
  if (r.link_each_ms.size() == r.frame_count()) {
    std::vector<double> over;
    for (size_t i = 0; i < r.link_each_ms.size(); ++i)
      over.push_back(r.link_each_ms[i] - static_cast<double>(r.frames.exchange_bytes[i]) * byte_ms - delay_ms);
    std::printf("  beyond wire and turnaround, each exchange: median %.3f ms, p90 %.3f ms, max %.3f ms\n",
                Percentile(over, 0.5), Percentile(over, 0.9), Percentile(over, 1.0));
  }
  std::printf("  engine between   %.1f ms (%.3f ms an exchange)\n", r.engine_ms,
              r.engine_ms / static_cast<double>(std::max<long>(1, r.frames.requests)));
  std::printf("  frame and rest   %.1f ms (open, identification before the first step, close)\n",
              r.measured_ms - r.link_ms - r.engine_ms);
}

}  // namespace

int main(int argc, char** argv) {
  std::string sim_path = TRIVEX_SIM_PATH;
  long baud = 115200;
  double delay_ms = 5;
  int rounds = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string a = argv[i];
    if (a == "--sim") sim_path = argv[i + 1];
    else if (a == "--baud") baud = std::atol(argv[i + 1]);
    else if (a == "--delay") delay_ms = std::atof(argv[i + 1]);
    else if (a == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
  }
  lang::SetCurrentLanguage(lang::English);

  char dir_template[] = "/tmp/bench_transfer_XXXXXX";
  if (!mkdtemp(dir_template)) return 1;
  const std::string dir = dir_template;
  const std::string station = dir + "/station.txt";
  const std::string log = dir + "/frames.log";
  {
    std::ofstream s(station);
    s << "port = A:\n";
    for (const char* id : {"A:", "A1:", "A2:"})
      s << "[" << id << "]\ntype = ZYR-D\nversion = 1.4.32\nname = R" << id << "\n";
  }
  char delay_text[32];
  std::snprintf(delay_text, sizeof delay_text, "%g", delay_ms);
  Sim sim = StartSim(sim_path, {"--station", station, "--baud", std::to_string(baud), "--delay", delay_text,
                                "--log", log});

  auto serial = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  serial->SetExtraPorts({sim.path});
  serial->ScanPorts();
  TPortConfig pc;
  pc.baud = static_cast<uint32_t>(baud);
  serial->SetCommConfig(1, pc);
  serial->SetComNum(1);
  TKombiCommunicator link(nullptr, nullptr, std::move(serial));
  TimingUi ui;
  TZyrDConfigPump pump(link, ui);
  pump.final_pause_ms = 0;  // the pause for the user's eyes is not transfer time
  std::vector<Clock::time_point> hooks;
  pump.on_request = [&](const std::string&) { hooks.push_back(Clock::now()); };

  // The link time of each step: from the request hook to the reply check that follows it.
  auto split = [&](Result& r) {
    r.steps = static_cast<long>(hooks.size());
    size_t e = 0;
    for (size_t i = 0; i < hooks.size(); ++i) {
      while (e < ui.events.size() && ui.events[e] <= hooks[i]) ++e;
      if (e < ui.events.size()) {
        r.link_each_ms.push_back(std::chrono::duration<double, std::milli>(ui.events[e] - hooks[i]).count());
        r.link_ms += r.link_each_ms.back();
      }
    }
    if (hooks.size() > 1) {
      // From the first request to the last reply check.
      const auto last = ui.events.empty() ? hooks.back() : std::max(hooks.back(), ui.events.back());
      r.engine_ms = std::chrono::duration<double, std::milli>(last - hooks.front()).count() - r.link_ms;
    }
    hooks.clear();
    ui.events.clear();
  };

  size_t line = 0;
  auto config = ThreeRelays();
  const TNetListData net = TNetListConverter::Compile(stZYRD, config->master_id, config->switches);
  Result send;
  auto t0 = Clock::now();
  const int sent = pump.Send(*config, net);
  send.measured_ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  split(send);
  send.frames = CountFrames(log, line);
  if (sent == 1) {
    std::fprintf(stderr, "bench_transfer: the send failed\n");
    StopSim(sim);
    return 1;
  }
  Print("send (prepares the system)", send, static_cast<double>(baud), delay_ms);

  int status = 0;
  for (int round = 0; round < rounds; ++round) {
    TZyrDData read;
    TReportedStation reported;
    Result r;
    t0 = Clock::now();
    const int got = pump.Read(read, reported, 1);
    r.measured_ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    split(r);
    r.frames = CountFrames(log, line);
    if (got != 0 || read.DeviceCount() != 3) {
      std::fprintf(stderr, "bench_transfer: the read failed (%d, %d relays)\n", got, read.DeviceCount());
      status = 1;
    }
    Print("complete read of the system", r, static_cast<double>(baud), delay_ms);
  }
  const auto& c = link.ErrorCounters();
  std::printf("failed attempts: %u\n", c.total);
  StopSim(sim);
  std::remove(station.c_str());
  std::remove(log.c_str());
  rmdir(dir.c_str());
  return status;
}
