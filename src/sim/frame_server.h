#pragma once
// Serves the station on a pseudo-terminal: reads framed requests, answers them through the
// request handlers, applies the injected faults, and paces its output like a line of the
// given baud rate.
#include <chrono>
#include <cstdio>
#include <string>

#include "fault_injector.h"
#include "request_parser.h"
#include "sim_request.h"

namespace trivex::sim {

struct ServerOptions {
  long baud = 0;           // 0: unpaced
  double delay_ms = 0;     // turnaround before each reply
  std::string log_path;    // "RX <hex>" / "TX <hex>" per frame
  std::string link_path;   // a symbolic link to the pseudo-terminal
  bool stdin_control = false;
};

class FrameServer {
 public:
  FrameServer(SimStation& station, FaultInjector& faults, ServerOptions options);
  ~FrameServer();
  // Creates the pseudo-terminal; its device path in `path`.
  bool Open(std::string& path, std::string& error);
  // Serves until SIGTERM/SIGINT (or end of standard input with stdin control). Exit status.
  int Run();

 private:
  using Clock = std::chrono::steady_clock;
  void OnBytes(const uint8_t* data, size_t size, Clock::time_point now);
  void Serve(const RequestFrame& frame, Clock::time_point first_byte);
  void WriteOut(const std::string& bytes);
  void WriteAll(const char* data, size_t size);
  void SleepUntil(Clock::time_point t);
  void Log(const char* dir, const std::string& bytes);
  bool ControlLine(const std::string& line);

  SimStation& station_;
  FaultInjector& faults_;
  ServerOptions opt_;
  RequestAnswerer answerer_;
  RequestParser parser_;
  int master_ = -1;
  int slave_ = -1;  // held open so the line stays up between clients
  std::FILE* log_ = nullptr;
  Clock::time_point frame_start_{};
  Clock::time_point last_byte_{};
  std::string outside_;   // bytes outside frames, up to the next CR
  std::string control_;   // standard input up to the next LF
  bool quit_ = false;
};

}  // namespace trivex::sim
