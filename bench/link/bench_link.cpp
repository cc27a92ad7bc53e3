// bench_link: the framed exchange through the real serial code against trivex-sim on a
// pseudo-terminal.
//   1. Exchanges per second with an unpaced simulator.
//   2. The overhead of one exchange beyond the time its bytes need on the line, with the
//      simulator pacing like a 115200 baud line: the simulator takes a request as received
//      when its last byte would have arrived, and writes each reply byte when it would have
//      left the line, so an exchange of a request frame of R bytes and a reply frame of A
//      bytes spends (R - 1 + A) byte times (10 bits each) on the line. Everything beyond that
//      is the overhead of the program, the simulator and the operating system.
// Usage: bench_link [--seconds S] [--samples N] [--sim PATH]
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_sim.h"
#include "link/communicator.h"
#include "link/frame.h"

using namespace trivex;
using namespace trivex::bench;
using Clock = std::chrono::steady_clock;

namespace {


std::unique_ptr<TCommunicator> Open(const std::string& path, uint32_t baud) {
  auto link = std::make_unique<TCommunicator>(CreatePosixSerialPort, [] { return std::vector<std::string>{}; });
  link->SetExtraPorts({path});
  link->ScanPorts();
  TPortConfig c;
  c.baud = baud;
  link->SetCommConfig(1, c);
  link->SetActive(true);
  return link;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[i];
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 3;
  int samples = 1000;
  std::string sim_path = TRIVEX_SIM_PATH;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string a = argv[i];
    if (a == "--seconds") seconds = std::atof(argv[i + 1]);
    else if (a == "--samples") samples = std::atoi(argv[i + 1]);
    else if (a == "--sim") sim_path = argv[i + 1];
  }
  const std::string request = "ver+";

  // 1. Unpaced.
  {
    Sim sim = StartSim(sim_path, {});
    auto link = Open(sim.path, 115200);
    std::string reply;
    for (int i = 0; i < 200; ++i) link->SendRecvSync(request, reply, 1000, false);  // warm up
    long count = 0, failed = 0;
    auto t0 = Clock::now();
    auto end = t0 + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
      if (link->SendRecvSync(request, reply, 1000, false) != 0) ++failed;
      ++count;
    }
    double s = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("unpaced: %ld exchanges in %.2f s = %.0f exchanges/s (%.1f us each), %ld failed\n", count, s,
                static_cast<double>(count) / s, s / static_cast<double>(count) * 1e6, failed);
    link.reset();
    StopSim(sim);
  }

  // 2. Paced at 115200 baud.
  {
    const long baud = 115200;
    Sim sim = StartSim(sim_path, {"--baud", std::to_string(baud)});
    auto link = Open(sim.path, static_cast<uint32_t>(baud));
    std::string reply;
    link->SendRecvSync(request, reply, 1000, false);
    const size_t req_bytes = BuildRequestFrame(request).size();
    const size_t rep_bytes = BuildReplyFrame(kAck, reply).size();
    const double byte_ms = 10.0 * 1000.0 / static_cast<double>(baud);
    const double wire_ms = static_cast<double>(req_bytes - 1 + rep_bytes) * byte_ms;
    for (int i = 0; i < 50; ++i) link->SendRecvSync(request, reply, 1000, false);
    std::vector<double> overhead;
    long failed = 0;
    for (int i = 0; i < samples; ++i) {
      auto t0 = Clock::now();
      if (link->SendRecvSync(request, reply, 1000, false) != 0) ++failed;
      double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
      overhead.push_back(ms - wire_ms);
    }
    std::printf("paced at %ld baud: request frame %zu bytes, reply frame %zu bytes, wire time %.3f ms\n", baud,
                req_bytes, rep_bytes, wire_ms);
    std::printf("overhead beyond the wire time over %d exchanges: median %.3f ms, p10 %.3f ms, p90 %.3f ms, "
                "max %.3f ms, %ld failed\n",
                samples, Percentile(overhead, 0.5), Percentile(overhead, 0.1), Percentile(overhead, 0.9),
                Percentile(overhead, 1.0), failed);
    std::printf("target: median below 0.300 ms -> %s\n", Percentile(overhead, 0.5) < 0.3 ? "met" : "NOT met");
    link.reset();
    StopSim(sim);
  }
  return 0;
}
