#include "frame_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "link/frame.h"

namespace trivex::sim {
namespace {

int g_signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  char c = 1;
  ssize_t r = write(g_signal_pipe[1], &c, 1);
  (void)r;
}

constexpr auto kChecksumWait = std::chrono::milliseconds(50);

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

}  // namespace

FrameServer::FrameServer(SimStation& station, FaultInjector& faults, ServerOptions options)
    : station_(station), faults_(faults), opt_(std::move(options)), answerer_(station) {}

FrameServer::~FrameServer() {
  if (!opt_.link_path.empty()) unlink(opt_.link_path.c_str());
  if (log_) std::fclose(log_);
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

bool FrameServer::Open(std::string& path, std::string& error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) {
    error = std::string("ptsname: ") + std::strerror(errno);
    return false;
  }
  path = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) {
    error = std::string("cannot open ") + name + ": " + std::strerror(errno);
    return false;
  }
  termios t{};
  tcgetattr(slave_, &t);
  cfmakeraw(&t);  // no echo, no line editing: the line carries bytes as they are
  tcsetattr(slave_, TCSANOW, &t);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  if (!opt_.log_path.empty()) {
    log_ = std::fopen(opt_.log_path.c_str(), "w");
    if (!log_) {
      error = "cannot write " + opt_.log_path;
      return false;
    }
    setvbuf(log_, nullptr, _IOLBF, 0);
  }
  if (!opt_.link_path.empty()) {
    unlink(opt_.link_path.c_str());
    if (symlink(name, opt_.link_path.c_str()) != 0) {
      error = "cannot create the link " + opt_.link_path + ": " + std::strerror(errno);
      opt_.link_path.clear();
      return false;
    }
  }
  // Paced output sleeps to absolute times; a tight timer slack keeps those wake-ups exact.
  prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  return true;
}

void FrameServer::Log(const char* dir, const std::string& bytes) {
  if (log_) std::fprintf(log_, "%s %s\n", dir, Hex(bytes).c_str());
}

void FrameServer::SleepUntil(Clock::time_point t) {
  auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
  timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

void FrameServer::WriteAll(const char* data, size_t size) {
  while (size > 0 && !quit_) {
    ssize_t n = write(master_, data, size);
    if (n > 0) {
      data += n;
      size -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return;
    pollfd p{master_, POLLOUT, 0};
    poll(&p, 1, 100);
  }
}

void FrameServer::WriteOut(const std::string& bytes) {
  if (opt_.baud <= 0) {
    WriteAll(bytes.data(), bytes.size());
    return;
  }
  // One start bit, eight data bits, one stop bit: ten bit times per byte. Byte i has fully
  // left the line at t0 + (i + 1) byte times; it is written then, not before.
  const auto byte_time = std::chrono::nanoseconds(10'000'000'000LL / opt_.baud);
  const auto t0 = Clock::now();
  size_t i = 0;
  while (i < bytes.size()) {
    size_t due = static_cast<size_t>((Clock::now() - t0) / byte_time);
    if (due > bytes.size()) due = bytes.size();
    if (due > i) {
      WriteAll(bytes.data() + i, due - i);
      i = due;
      continue;
    }
    SleepUntil(t0 + byte_time * static_cast<long>(i + 1));
  }
}

void FrameServer::Serve(const RequestFrame& frame, Clock::time_point first_byte) {
  Log("RX", frame.raw);
  if (opt_.baud > 0) {
    // The request has been on the line for as long as its bytes take at the baud rate.
    const auto byte_time = std::chrono::nanoseconds(10'000'000'000LL / opt_.baud);
    SleepUntil(first_byte + byte_time * static_cast<long>(frame.raw.size() - 1));
  }
  SimAnswer answer;
  std::optional<FaultKind> fault;
  if (frame.has_checksum && !frame.checksum_ok) {
    answer.status = kNak;  // the device rejects a frame whose checksum does not match
    answer.text = "checksum error";
  } else {
    fault = faults_.Take(frame.text);
    if (fault == FaultKind::kNoReply) return;
    if (fault == FaultKind::kNak) {
      answer.status = kNak;
      answer.text = "rejected";
    } else if (fault == FaultKind::kRefuse) {
      answer.text = RefusalText("refused");
    } else {
      answer = answerer_.Answer(frame.text);
      if (!answer.reply) return;
    }
  }
  std::string bytes = BuildReplyFrame(answer.status, answer.text);
  if (fault == FaultKind::kBadChecksum) {
    uint16_t wrong = static_cast<uint16_t>(ReplyChecksum(answer.status, answer.text) + 1);
    bytes.replace(bytes.size() - 4, 4, FormatChecksum(wrong));
  }
  if (opt_.delay_ms > 0)
    SleepUntil(Clock::now() + std::chrono::nanoseconds(static_cast<long>(opt_.delay_ms * 1e6)));
  Log("TX", bytes);  // logged first: whoever got the reply finds it in the log
  WriteOut(bytes);
}

void FrameServer::OnBytes(const uint8_t* data, size_t size, Clock::time_point now) {
  std::vector<RequestFrame> frames;
  for (size_t i = 0; i < size; ++i) {
    if (!parser_.InFrame() && data[i] == kStx) frame_start_ = now;
    Clock::time_point start = frame_start_;
    parser_.Feed(data[i], frames, outside_);
    for (const auto& f : frames) Serve(f, start);
    frames.clear();
    // Raw lines outside frames go to the raw handlers.
    size_t cr;
    while ((cr = outside_.find('\r')) != std::string::npos) {
      std::string line = outside_.substr(0, cr);
      outside_.erase(0, cr + 1);
      for (const auto& h : RawHandlers()) {
        std::string out;
        if (h.fn(station_, line, out)) {
          Log("TX", out);
          WriteOut(out);
          break;
        }
      }
    }
    if (outside_.size() > 4096) outside_.clear();
  }
  last_byte_ = now;
}

bool FrameServer::ControlLine(const std::string& line) {
  std::string error;
  if (line == "quit") return false;
  if (line == "clear") {
    faults_.Clear();
  } else if (line.rfind("fault ", 0) == 0) {
    if (!faults_.Add(line.substr(6), error)) std::cerr << "trivex-sim: " << error << '\n';
  } else if (!line.empty()) {
    // Control lines of other areas, by their first word.
    const std::string word = line.substr(0, line.find(' '));
    bool taken = false;
    for (const auto& c : Controls()) {
      if (word != c.word) continue;
      taken = true;
      if (!c.fn(station_, line, error)) std::cerr << "trivex-sim: " << error << '\n';
      break;
    }
    if (!taken) std::cerr << "trivex-sim: unknown control command \"" << line << "\"\n";
  }
  return true;
}

int FrameServer::Run() {
  if (pipe2(g_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return 1;
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGHUP, SIG_IGN);

  std::vector<uint8_t> buf(4096);
  while (!quit_) {
    int timeout = -1;
    if (parser_.AwaitingChecksum()) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(last_byte_ + kChecksumWait - Clock::now());
      timeout = left.count() < 0 ? 0 : static_cast<int>(left.count()) + 1;
    }
    pollfd fds[3] = {{master_, POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}, {0, POLLIN, 0}};
    int nfds = opt_.stdin_control ? 3 : 2;
    int r = poll(fds, static_cast<nfds_t>(nfds), timeout);
    if (r < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents) break;
    // Standard input first: a control line written before a request applies to that request.
    if (nfds == 3 && fds[2].revents) {
      char c[256];
      ssize_t n = read(0, c, sizeof c);
      if (n <= 0) break;  // end of standard input ends the simulator
      control_.append(c, static_cast<size_t>(n));
      size_t lf;
      while ((lf = control_.find('\n')) != std::string::npos) {
        std::string line = control_.substr(0, lf);
        control_.erase(0, lf + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!ControlLine(line)) quit_ = true;
      }
    }
    if (fds[0].revents & POLLIN) {
      ssize_t n = read(master_, buf.data(), buf.size());
      if (n > 0) OnBytes(buf.data(), static_cast<size_t>(n), Clock::now());
    }
    if (parser_.AwaitingChecksum() && Clock::now() - last_byte_ >= kChecksumWait) {
      std::vector<RequestFrame> frames;
      parser_.Idle(frames);
      for (const auto& f : frames) Serve(f, frame_start_);
    }
  }
  return 0;
}

}  // namespace trivex::sim
