#include "link_test_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace trivex::test {
namespace {

std::string ReadLine(int fd, std::chrono::milliseconds wait) {
  std::string line;
  auto end = std::chrono::steady_clock::now() + wait;
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char c;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return line;
    line += c;
  }
  return line;
}

}  // namespace

SimProcess::SimProcess(std::vector<std::string> args) {
  int out[2], in[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  args.insert(args.begin(), "--stdin");
  args.insert(args.begin(), TRIVEX_SIM_PATH);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(out[1], 1);
    dup2(in[0], 0);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(TRIVEX_SIM_PATH, argv.data());
    _exit(127);
  }
  close(out[1]);
  close(in[0]);
  stdin_ = in[1];
  path_ = ReadLine(out[0], std::chrono::seconds(10));
  close(out[0]);
  if (path_.empty()) throw std::runtime_error("trivex-sim did not start");
}

SimProcess::~SimProcess() {
  if (stdin_ >= 0) close(stdin_);
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status;
    waitpid(pid_, &status, 0);
  }
}

void SimProcess::Control(const std::string& line) {
  std::string l = line + "\n";
  if (write(stdin_, l.data(), l.size()) != static_cast<ssize_t>(l.size())) throw std::runtime_error("control");
  // The simulator takes control lines between frames; give it a moment.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

ScriptedPty::ScriptedPty() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("pty");
  char name[128];
  ptsname_r(master_, name, sizeof name);
  path_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios t{};
  tcgetattr(slave_, &t);
  cfmakeraw(&t);
  tcsetattr(slave_, TCSANOW, &t);
}

ScriptedPty::~ScriptedPty() {
  if (answer_.joinable()) answer_.join();
  close(slave_);
  close(master_);
}

void ScriptedPty::Write(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) done += static_cast<size_t>(n);
    else if (errno != EINTR && errno != EAGAIN) throw std::runtime_error("pty write");
  }
}

std::string ScriptedPty::Read(std::chrono::milliseconds wait, size_t until) {
  std::string out;
  auto end = std::chrono::steady_clock::now() + wait;
  while (out.size() < until) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[4096];
    ssize_t n = read(master_, buf, sizeof buf);
    if (n > 0) out.append(buf, static_cast<size_t>(n));
  }
  return out;
}

void ScriptedPty::AnswerNext(std::vector<std::string> chunks, std::chrono::milliseconds gap) {
  if (answer_.joinable()) answer_.join();
  answer_ = std::thread([this, chunks = std::move(chunks), gap] {
    std::string req;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      size_t lf = req.find('\n');
      if (lf != std::string::npos && req.size() >= lf + 5) break;
      req += Read(std::chrono::milliseconds(20), 1);  // whatever comes next
    }
    request_ = req;
    for (size_t i = 0; i < chunks.size(); ++i) {
      if (i > 0 && gap.count() > 0) std::this_thread::sleep_for(gap);
      Write(chunks[i]);
    }
  });
}

std::string ScriptedPty::FinishAnswer() {
  if (answer_.joinable()) answer_.join();
  return request_;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env) {
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
    std::vector<std::string> a = args;
    a.insert(a.begin(), program);
    std::vector<char*> argv;
    for (auto& s : a) argv.push_back(s.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  ProcessResult r;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  int open_fds = 2;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (open_fds > 0) {
    if (std::chrono::steady_clock::now() > end || poll(fds, 2, 1000) < 0) {
      kill(pid, SIGKILL);  // a program that does not end fails the test, not the run
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !fds[i].revents) continue;
      char buf[4096];
      ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        (i == 0 ? r.out : r.err).append(buf, static_cast<size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_fds;
      }
    }
  }
  for (auto& f : fds)
    if (f.fd >= 0) close(f.fd);
  int status = 0;
  waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

TempFile::TempFile(const std::string& content) {
  char name[] = "/tmp/trivex-link-XXXXXX";
  int fd = mkstemp(name);
  if (fd < 0) throw std::runtime_error("mkstemp");
  if (!content.empty() && write(fd, content.data(), content.size()) < 0) throw std::runtime_error("write");
  close(fd);
  path_ = name;
}

TempFile::~TempFile() { unlink(path_.c_str()); }

std::string TempFile::Read() const {
  std::ifstream f(path_, std::ios::binary);
  std::ostringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

}  // namespace trivex::test
